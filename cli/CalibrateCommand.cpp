#include "cli/CalibrateCommand.h"

#include "cli/LoadTests.h"
#include "cli/Pipeline.h"
#include "cli/ProjectLoad.h"
#include "cli/ResultLines.h"
#include "kernel/Analysis.h"
#include "kernel/Kernel.h"
#include "kernel/PathParts.h"

#ifdef DORVEK_HAVE_CALIBRATION
#include "model/calibration/Calibrate.h"
#include "model/tables/NumberFormat.h"
#endif

#include <filesystem>
#include <memory>
#include <sstream>

namespace dorvek::cli {

#ifndef DORVEK_HAVE_CALIBRATION

int CalibrateProjects(const CalibrateOptions&, std::ostream&, std::ostream& err) {
    err << "dorvek-run: --calibrate: this build has no calibration (NLopt was not found)\n";
    return 2;
}

#else

namespace {

namespace fs = std::filesystem;

constexpr int kBadOptions = 2;

std::string Value(double value) {
    return FormatGeneral(value, 5);
}

// NAME-calibrated.dv4d beside the project.
fs::path CalibratedFile(const std::string& input) {
    const fs::path file = FilePath(input);
    return file.parent_path() / FilePath(file.stem().string() + "-calibrated.dv4d");
}

struct Prepared {
    std::string name;
    std::unique_ptr<TFactorProject> project;
    TMeasuredCurves measured;
};

// The progress of one calibration on a terminal, drawn over itself.
class CalibrationProgress {
public:
    CalibrationProgress(std::ostream& terminal, bool enabled, std::string unit)
        : terminal_(terminal), enabled_(enabled), unit_(std::move(unit)) {}
    void Update(const TCalibrationProgress& p) {
        if (!enabled_) return;
        std::string text = "  calibrating: " + std::to_string(p.evaluation) + " analyses, best " +
                           "misfit " + Value(p.best) + " " + unit_;
        const std::size_t width = text.size();
        if (text.size() < shown_) text += std::string(shown_ - text.size(), ' ');
        terminal_ << '\r' << text << std::flush;
        shown_ = width;
    }
    void Clear() {
        if (!enabled_ || shown_ == 0) return;
        terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
        shown_ = 0;
    }

private:
    std::ostream& terminal_;
    bool enabled_;
    std::string unit_;
    std::size_t shown_ = 0;
};

} // namespace

int CalibrateProjects(const CalibrateOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<TFactorName> names;
    try {
        names = ParseFactorNames(options.factors);
    } catch (const ECalibrationError& e) {
        err << "dorvek-run: --calibrate: " << e.what() << "\n";
        return kBadOptions;
    }
    std::vector<TMeasuredCurve> given;
    if (!ReadGivenCurves(options.measured, given, err)) return kBadOptions;

    // Every project is read and checked before the first calibration.
    std::vector<Prepared> projects;
    for (const std::string& file : options.files) {
        Prepared p;
        p.name = file;
        try {
            p.project = std::make_unique<TFactorProject>(FilePath(file));
        } catch (const ECalibrationError& e) {
            err << "dorvek-run: " << Lines(e.what()) << "\n";
            return kBadOptions;
        }
        if (const std::string fault = p.project->Fault(names); !fault.empty()) {
            err << "dorvek-run: " << file << ": --calibrate " << fault << "\n";
            return kBadOptions;
        }
        p.measured = MeasuredCurvesFor(file, p.project->Data().fUnits, given, &err);
        if (CalibrationPoints(p.measured).empty()) {
            err << "dorvek-run: " << file
                << ": no measured curve to calibrate to: give --measured FILE.csv or keep the "
                   "curves in "
                << MeasuredFileName(FilePath(file)).filename().string() << "\n";
            return kBadOptions;
        }
        projects.push_back(std::move(p));
    }

    bool allOk = true;
    for (Prepared& p : projects) {
        const int units = p.project->Data().fUnits;
        const std::string length = units == 2 ? "m" : "in"; // of the progress line
        CalibrationProgress progress(err, options.progress, length);
        TCalibrationRequest request;
        request.factors = names;
        request.measured = p.measured;
        request.progress = [&](const TCalibrationProgress& step) {
            progress.Update(step);
            return true;
        };
        TCalibrationOutcome result;
        try {
            result = Calibrate(*p.project, request);
        } catch (const ECalibrationError& e) {
            progress.Clear();
            out << p.name << ": not calibrated, " << e.what() << "\n";
            allOk = false;
            continue;
        }
        progress.Clear();
        const std::size_t curves = p.measured.curves.size();
        out << p.name << ": calibrated to " << result.pointsUsed << " points of " << curves
            << (curves == 1 ? " measured curve" : " measured curves") << " ("
            << (units == 2 ? "kN, m" : "lbs, in") << ")\n";
        const std::string text = CalibrationText(names, result, units);
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            out << "  " << text.substr(start, end - start) << "\n";
            start = end == std::string::npos ? text.size() : end + 1;
        }

        const fs::path target = CalibratedFile(p.name);
        try {
            p.project->Write(target);
            WriteMeasuredCurves(target, p.measured);
        } catch (const std::exception& e) {
            out << "  the calibrated project could not be written: " << Lines(e.what()) << "\n";
            allOk = false;
            continue;
        }
        out << "  calibrated project: " << target.string() << "\n";

        // The calibrated project analysed, so that its results are there to be looked at.
        const Job job = JobForFile(target.string());
        std::ostringstream console;
        AnalysisResult results;
        RunOptions run;
        run.console = &console;
        run.result = &results;
        run.clock = options.clock;
        const int code = RunAnalysis(job.files, RunHeader{}, run);
        if (!options.quiet) err << console.str();
        const std::string capacities =
            options.summary ? CapacityText(results, job.files.input, {}, &err) : std::string();
        PrintResult(job.name, code, results, job.files, options.summary, capacities, out);
        allOk = allOk && code == kRunCompleted;
    }
    return allOk ? 0 : 1;
}

#endif

} // namespace dorvek::cli
