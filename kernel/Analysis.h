#pragma once
// One analysis in memory: the input in (the text of an input data file, or input read
// before), the results out, no file read or written. The report and the plot data file are
// made only when asked for, as texts. Calls share nothing, so they may run in parallel
// threads; none throws.
//
//   dorvek::AnalysisRequest request;
//   request.text = contents_of_a_dv4d_file;
//   const dorvek::AnalysisResult result = dorvek::Analyse(request);
//   if (result.code == dorvek::kRunCompleted)
//       for (const dorvek::HeadLoadResult& r : result.loadResults) use(r.load, r.topMove);
//
// Many variants of one project (a calibration, a reliability study): read the project once
// with ReadInputData, then change the values of the InputData and analyse each variant with
// request.input pointing at it, which saves reading the text every time.

#include "kernel/InputData.h"
#include "kernel/Kernel.h"
#include "kernel/Store.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace dorvek {

struct AnalysisRequest {
    std::string text;                 // the contents of an input data file (.dv4d)
    const InputData* input = nullptr; // input read before; used instead of `text` when set

    bool curves = true;        // keep the t-z and Q-w curves (AnalysisResult::tzCurves, ...)
    bool distributions = true; // keep the distributions along the pile
    bool report = false;       // make the report (AnalysisResult::report)
    bool plot = false;         // make the plot data file (AnalysisResult::plot)

    // The file names the report's header shows; `files.input` also names the input in the
    // messages of input faults (none when empty).
    RunFiles files;
    RunHeader header;               // the rest of the report's header
    std::function<std::tm()> clock; // the report's date; the local time when empty
};

struct AnalysisResult {
    int code = kInternalError; // result code (Kernel.h); 0: run completed
    std::string diagnostic;    // why the run stopped (codes 3, 9, 10), as the report ends
    // The report's warning blocks (a curve that cannot be built, stopping the run with codes 4
    // to 9; no tip curve; no side resistance), lines ended by "\n".
    std::string warnings;
    int units = 0; // IUNIT of the input: 1 English (lbs, in), 2 S.I. (kN, m); 0: not read

    // The load-settlement summary of the tip movements (signed: tension and upward movement
    // negative) and the results of the applied pile-head loads, as in the report.
    std::vector<TipMovementResult> tipResults;
    std::vector<HeadLoadResult> loadResults;

    // The t-z curves as the report lists them (the user's, or every generated report curve;
    // the plot data file holds at most 30 generated ones) and the Q-w curve (Q against w),
    // both before any modification factors. Empty unless AnalysisRequest::curves.
    std::vector<TzCurve> tzCurves;
    std::vector<float> qwQ, qwW;

    // Per tip movement and per applied load (in the order of the two lists above), the
    // values of the plot data file's distribution lines. Empty unless asked for.
    std::vector<Distribution> tipDistributions;
    std::vector<Distribution> loadDistributions;

    // The report and the plot data file, byte for byte as a run on files writes them (CR LF
    // line ends). Empty unless asked for.
    std::string report;
    std::string plot;

    // The pile as read, for what is derived from the load-settlement curve (the capacity
    // criteria): its length, diameter and AE table, and whether a soil settlement profile
    // moves the curve's start.
    struct Pile {
        float length = 0, diameter = 0;
        std::vector<float> aeDepth, ae;
        bool settlementProfile = false;
    } pile;
};

AnalysisResult Analyse(const AnalysisRequest& request);

// The input of an input data file's text, every record read (as the analysis reads them, but
// with the tip movements in their given order and no factor applied). `code` is 0, or 3 with
// the diagnostic naming the line and what was expected there; `name` names the input in it.
struct InputReading {
    int code = kInternalError;
    std::string diagnostic;
    InputData input;
};
InputReading ReadInputData(const std::string& text, const std::string& name = {});

} // namespace dorvek
