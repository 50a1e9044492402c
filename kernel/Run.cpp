// The run on files: names.dat, the files opened and closed in their order around the
// analysis (AnalysisCore.h), and the result code. Every call works on its own Store and
// streams.

#include "kernel/Analysis.h"
#include "kernel/AnalysisCore.h"
#include "kernel/FreeFormat.h"
#include "kernel/Kernel.h"
#include "kernel/NamesFile.h"
#include "kernel/OutputFile.h"
#include "kernel/OutputSize.h"
#include "kernel/OutputTarget.h"
#include "kernel/PathParts.h"
#include "kernel/ReportInput.h"
#include "kernel/RunMessages.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <optional>

namespace dorvek {

namespace {

// The writers hand the files their lines in pieces of about this size: a few large writes
// instead of one system call per few kilobytes.
constexpr std::size_t kHeldBytes = 64 * 1024;

// The whole file, or nullopt when it cannot be opened or read. A missing input is never
// created.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::error_code ec;
    const std::filesystem::path filePath = FilePath(path);
    if (std::filesystem::is_directory(filePath, ec)) return std::nullopt;
    std::ifstream file(filePath, std::ios::binary);
    if (!file) return std::nullopt;
    std::string text;
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) return std::nullopt;
    return text;
}

// One analysis: the open files and the store.
class Run {
public:
    Run(const RunOptions& options, Store& store)
        : options_(options), console_(options.console ? *options.console : std::cerr), s_(store) {}

    std::ostream& console() { return console_; }

    // Steps 3 to 11, from the file names on.
    int analyse(const RunFiles& files, const RunHeader& header);

    // A fault found before the report exists goes to the console.
    int stopWithoutReport(int code, const std::string& text) {
        s_.diagnostic = text;
        for (char c : " " + text) {
            console_ << c;
            if (c == '\n') console_ << ' ';
        }
        console_ << '\n';
        console_.flush();
        return code;
    }

private:
    bool openPlotFile(const RunFiles& files, std::string& problem);
    int stop(int code, const std::string& heading, const std::string& text) {
        return StopRun(code, heading, text, s_, *report_);
    }
    int close(int code, const RunFiles& files);
    int plotNotWritten(int code, const RunFiles& files);
    int reportNotWritten(const RunFiles& files);

    const RunOptions& options_;
    std::ostream& console_;
    Store& s_;
    OutputFile reportFile_, plotFile_;
    std::optional<FixedWriter> report_, plot_;
};

// "The report file could not be written: No space left on device."
std::string Failure(const std::string& what, const std::string& problem) {
    return problem.empty() ? what + "." : what + ": " + problem + ".";
}

int Run::analyse(const RunFiles& files, const RunHeader& header) {
    // Step 3: the report and its header. It replaces an older report only once it is
    // complete (see close), and never the input it is the report of.
    std::string problem;
    if (!files.report.empty()) {
        const std::filesystem::path report = FilePath(files.report);
        if (!files.input.empty() && SameFile(report, FilePath(files.input)))
            problem = "It is the input data file";
        else if (!reportFile_.open(report))
            problem = reportFile_.problem();
    }
    if (!reportFile_.isOpen()) {
        return stopWithoutReport(
            kFileError,
            FileFaultText(files.report, Failure("The report file could not be created", problem)));
    }
    report_.emplace(reportFile_.stream(), kHeldBytes);
    ReportHeader(*report_, header, files, options_.clock);

    // Step 4: input, plot data and run-notes files.
    std::optional<std::string> text = ReadWholeFile(files.input);
    if (!text) {
        return close(
            stop(kFileError, "FILE ERROR",
                 FileFaultText(files.input, "The input data file could not be opened or read.")),
            files);
    }
    if (!openPlotFile(files, problem)) {
        return close(
            stop(kFileError, "FILE ERROR",
                 FileFaultText(files.plot,
                               Failure("The plot data file could not be created", problem))),
            files);
    }
    plot_.emplace(plotFile_.stream(), kHeldBytes);
    // The run-notes file is created when missing and otherwise left as it is: nothing is
    // ever written to it, so an empty file is all a run can leave there.
    if (!files.notes.empty() && !CreateIfMissing(FilePath(files.notes), problem)) {
        return close(
            stop(kFileError, "FILE ERROR",
                 FileFaultText(files.notes,
                               Failure("The run-notes file could not be opened", problem))),
            files);
    }
    WriteConsoleProceeding(console_);

    // Steps 5 to 10.
    s_.keepCurves = options_.keepCurves;
    s_.keepDistributions = options_.keepDistributions;
    AnalysisWriters writers{*report_, *plot_, console_, {}};
    writers.beforeSolution = [this](const Store& s) {
        const std::uint64_t report = reportFile_.written(), plot = plotFile_.written();
        if (!options_.largeOutputs) {
            WarnLargeOutputs(console_, s, report, plot, options_.largeOutputBytes);
            return;
        }
        const OutputEstimate estimate = EstimateOutputs(s, report, plot);
        if (IsLarge(estimate, options_.largeOutputBytes)) options_.largeOutputs(estimate);
    };
    const int code = AnalyseText(std::move(*text), files.input, s_, writers);
    return close(code, files);
}

// The plot file is neither the input nor the report of the same run.
bool Run::openPlotFile(const RunFiles& files, std::string& problem) {
    problem.clear();
    if (files.plot.empty()) return false;
    const std::filesystem::path plot = FilePath(files.plot);
    if (SameFile(plot, FilePath(files.input))) {
        problem = "It is the input data file";
        return false;
    }
    if (plotFile_.open(plot)) return true;
    problem = plotFile_.problem();
    // Held by the report's own temporary file?
    if (plotFile_.busy() && SameTarget(plotFile_.target(), reportFile_.target()))
        problem = "It is the report file";
    return false;
}

// Step 11. The plot file and the report replace their older versions only when both were
// written completely: a run that cannot finish its report leaves the older pair as it was.
// A plot file that failed turns a completed run into a file error, told in the report.
int Run::close(int code, const RunFiles& files) {
    if (plot_) plot_->flush();
    if (!plotFile_.finish()) code = plotNotWritten(code, files);
    if (report_) report_->flush();
    if (!reportFile_.finish()) return reportNotWritten(files);
    if (!plotFile_.commit()) {
        code = plotNotWritten(code, files);
        if (report_) report_->flush();
        if (!reportFile_.finish()) return reportNotWritten(files);
    }
    if (!reportFile_.commit()) return reportNotWritten(files);
    return code;
}

int Run::plotNotWritten(int code, const RunFiles& files) {
    const std::string problem = plotFile_.problem();
    plotFile_.discard();
    if (code != kRunCompleted) return code;
    return stop(
        kFileError, "FILE ERROR",
        FileFaultText(files.plot, Failure("The plot data file could not be written", problem)));
}

// Whatever the run found, the report that should tell it is missing: the console says so.
int Run::reportNotWritten(const RunFiles& files) {
    const std::string problem = reportFile_.problem();
    plotFile_.discard();
    reportFile_.discard();
    return stopWithoutReport(
        kFileError,
        FileFaultText(files.report, Failure("The report file could not be written", problem)));
}

// Runs `body` so that nothing escapes: an exception becomes a result code.
template <class Body> int Guarded(const RunOptions& options, Body body) {
    Store store;
    int code = kInternalError;
    try {
        Run run(options, store);
        try {
            code = body(run);
        } catch (const std::bad_alloc&) {
            code = run.stopWithoutReport(kInternalError, "The analysis ran out of memory.");
        } catch (const std::exception& e) {
            code = run.stopWithoutReport(
                kInternalError, std::string("The analysis failed unexpectedly: ") + e.what());
        }
    } catch (...) {
        code = kInternalError;
    }
    try {
        if (options.result) *options.result = ResultsOf(code, store);
        if (options.results) *options.results = std::move(store);
    } catch (...) {
        code = kInternalError;
    }
    return code;
}

} // namespace

int RunAnalysis(const RunFiles& files, const RunHeader& header, const RunOptions& options) {
    return Guarded(options, [&](Run& run) {
        WriteConsoleBanner(run.console());
        return run.analyse(files, header);
    });
}

int RunFromNamesFile(const std::string& namesPath, const RunOptions& options) {
    return Guarded(options, [&](Run& run) {
        WriteConsoleBanner(run.console());
        std::optional<std::string> text = ReadWholeFile(namesPath);
        if (!text) {
            return run.stopWithoutReport(
                kFileError, FileFaultText(namesPath, "The run control file could not be read."));
        }
        FreeFormatReader in(std::move(*text));
        NamesData names;
        try {
            names = ReadNamesFile(in);
        } catch (const InputError& e) {
            return run.stopWithoutReport(kInputError, FileFaultText(namesPath, e.what()));
        }
        if (names.fileErrors) WriteConsoleFileErrors(run.console());
        return run.analyse(names.files, names.header);
    });
}

} // namespace dorvek
