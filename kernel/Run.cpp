// The run driver: files opened and closed in their order, the phases called in sequence,
// and the result code. Every call works on its own Store and streams.

#include "kernel/FreeFormat.h"
#include "kernel/InputReader.h"
#include "kernel/Kernel.h"
#include "kernel/NamesFile.h"
#include "kernel/OutputFile.h"
#include "kernel/OutputSize.h"
#include "kernel/OutputTarget.h"
#include "kernel/PathParts.h"
#include "kernel/Phases.h"
#include "kernel/ReportInput.h"
#include "kernel/RunMessages.h"
#include "kernel/SolverInput.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <optional>

namespace dorvek {

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

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
    int runPhases(FreeFormatReader& in);
    int buildCurves();
    int stop(int code, const std::string& heading, const std::string& text);
    int close(int code, const RunFiles& files);
    int plotNotWritten(int code, const RunFiles& files);
    int reportNotWritten(const RunFiles& files);

    const RunOptions& options_;
    std::ostream& console_;
    Store& s_;
    OutputFile reportFile_, plotFile_;
    std::optional<FixedWriter> report_, plot_;
    std::string input_;
};

// "The report file could not be written: No space left on device."
std::string Failure(const std::string& what, const std::string& problem) {
    return problem.empty() ? what + "." : what + ": " + problem + ".";
}

int Run::stop(int code, const std::string& heading, const std::string& text) {
    s_.diagnostic = text;
    try {
        ReportFatal(*report_, heading, text);
    } catch (...) {
        // The code and the diagnostic still reach the caller.
    }
    return code;
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
    ReportProgramHeader(*report_, header);
    ReportUserBlock(*report_, header);
    ReportFileBlock(*report_, files);
    ReportDateBlock(*report_, options_.clock ? options_.clock() : LocalNow());

    // Step 4: input, plot data and run-notes files.
    std::optional<std::string> text = ReadWholeFile(files.input);
    if (!text) {
        return close(
            stop(kFileError, "FILE ERROR",
                 FileFaultText(files.input, "The input data file could not be opened or read.")),
            files);
    }
    input_ = files.input;
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

    FreeFormatReader in(std::move(*text));
    int code = kRunCompleted;
    try {
        code = runPhases(in);
    } catch (const InputError& e) {
        code = stop(kInputError, "FATAL INPUT ERROR", FileFaultText(files.input, e.what()));
    } catch (const std::bad_alloc&) {
        code = stop(kInternalError, "INTERNAL ERROR", "The analysis ran out of memory.");
    } catch (const std::exception& e) {
        code = stop(kInternalError, "INTERNAL ERROR",
                    std::string("The analysis failed unexpectedly: ") + e.what());
    }
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

// Steps 5 to 10.
int Run::runPhases(FreeFormatReader& in) {
    ReadModelInput(in, s_, *report_);
    std::string problem;
    if (!CheckSolverInput(s_, problem))
        return stop(kInputError, "FATAL INPUT ERROR", FileFaultText(input_, problem));
    if (int code = buildCurves()) return code;
    ReadLoadingInput(in, s_, *report_);
    WarnLargeOutputs(console_, s_, reportFile_.written(), plotFile_.written());
    RunTipMovements(s_, *report_, *plot_);
    if (!s_.loads.empty()) RunHeadLoads(s_, *report_, *plot_, console_);
    return kRunCompleted;
}

// Steps 6 and 7; a generator's error code stops the run.
int Run::buildCurves() {
    FixedWriter& report = *report_;
    FixedWriter& plot = *plot_;
    const bool userQw = s_.methodQw == 2;
    if (s_.methodTz == 2) {
        ReportTzCurves(s_.userTz, true, s_, report);
        if (userQw) ReportQwCurve(s_, true, report);
        WritePlotTzBlock(s_.userTz, true, plot);
        s_.sideCurves = s_.userTz;
    } else {
        if (userQw) ReportQwCurve(s_, true, report);
        if (int code = GenerateReportSideCurves(s_, report)) return code;
        ReportTzCurves(s_.sideCurves, false, s_, report);
        WritePlotTzBlock(s_.sideCurves, false, plot);
        if (int code = GenerateSolverSideCurves(s_, report)) return code;
    }
    if (userQw) {
        WritePlotQwBlock(s_, plot);
        return kRunCompleted;
    }
    if (int code = GenerateTipCurve(s_, report)) return code;
    ReportQwCurve(s_, false, report);
    WritePlotQwBlock(s_, plot);
    return kRunCompleted;
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
