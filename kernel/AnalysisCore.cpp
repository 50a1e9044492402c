#include "kernel/AnalysisCore.h"

#include "kernel/FreeFormat.h"
#include "kernel/InputEcho.h"
#include "kernel/InputReader.h"
#include "kernel/Kernel.h"
#include "kernel/Phases.h"
#include "kernel/RunMessages.h"
#include "kernel/SolverInput.h"

#include <new>

namespace dorvek {

namespace {

// Steps 6 and 7; a generator's error code stops the run.
int BuildCurves(Store& s, const AnalysisWriters& w) {
    FixedWriter& report = w.report;
    FixedWriter& plot = w.plot;
    const bool userQw = s.methodQw == 2;
    if (s.methodTz == 2) {
        ReportTzCurves(s.userTz, true, s, report);
        if (userQw) ReportQwCurve(s, true, report);
        WritePlotTzBlock(s.userTz, true, plot);
        s.sideCurves = s.userTz;
    } else {
        if (userQw) ReportQwCurve(s, true, report);
        if (int code = GenerateReportSideCurves(s, report)) return code;
        ReportTzCurves(s.sideCurves, false, s, report);
        WritePlotTzBlock(s.sideCurves, false, plot);
        if (s.keepCurves) s.plottedTz = s.sideCurves;
        if (int code = GenerateSolverSideCurves(s, report)) return code;
    }
    if (s.keepCurves && s.methodTz == 2) s.plottedTz = s.userTz;
    if (!userQw) {
        if (int code = GenerateTipCurve(s, report)) return code;
        ReportQwCurve(s, false, report);
    }
    WritePlotQwBlock(s, plot);
    if (s.keepCurves) {
        s.plottedQ = s.qwQ;
        s.plottedW = s.qwW;
    }
    return kRunCompleted;
}

// Input taken in two parts, as the file's records are read: the model, then (once the
// curves stand) the loading.
template <class TakeModel, class TakeLoading>
int RunPhases(Store& s, const AnalysisWriters& w, const std::string& inputName, TakeModel takeModel,
              TakeLoading takeLoading) {
    // Input without a name (given in memory) is not announced as a file.
    auto fault = [&](const std::string& problem) {
        return inputName.empty() ? problem : FileFaultText(inputName, problem);
    };
    w.report.keepNotes(&s.warnings);
    try {
        takeModel();
        std::string problem;
        if (!CheckSolverInput(s, problem))
            return StopRun(kInputError, "FATAL INPUT ERROR", fault(problem), s, w.report);
        if (int code = BuildCurves(s, w)) return code;
        takeLoading();
        if (w.beforeSolution) w.beforeSolution(s);
        RunTipMovements(s, w.report, w.plot);
        if (!s.loads.empty()) RunHeadLoads(s, w.report, w.plot, w.console);
        return kRunCompleted;
    } catch (const InputError& e) {
        return StopRun(kInputError, "FATAL INPUT ERROR", fault(e.what()), s, w.report);
    } catch (const std::bad_alloc&) {
        return StopRun(kInternalError, "INTERNAL ERROR", "The analysis ran out of memory.", s,
                       w.report);
    } catch (const std::exception& e) {
        return StopRun(kInternalError, "INTERNAL ERROR",
                       std::string("The analysis failed unexpectedly: ") + e.what(), s, w.report);
    }
}

} // namespace

int StopRun(int code, const std::string& heading, const std::string& text, Store& s,
            FixedWriter& report) {
    s.diagnostic = text;
    try {
        ReportFatal(report, heading, text);
    } catch (...) {
        // The code and the diagnostic still reach the caller.
    }
    return code;
}

int AnalyseText(std::string text, const std::string& inputName, Store& s,
                const AnalysisWriters& w) {
    FreeFormatReader in(std::move(text));
    return RunPhases(
        s, w, inputName, [&] { ReadModelInput(in, s, w.report); },
        [&] { ReadLoadingInput(in, s, w.report); });
}

int AnalyseData(const InputData& input, Store& s, const AnalysisWriters& w) {
    const std::string fault = InputDataFault(input);
    if (!fault.empty()) return StopRun(kInputError, "FATAL INPUT ERROR", fault, s, w.report);
    return RunPhases(
        s, w, std::string(), [&] { TakeModelInput(input, s, w.report); },
        [&] { TakeLoadingInput(s, w.report); });
}

} // namespace dorvek
