#include "model/calibration/CalibrationAnalysis.h"

#include "kernel/Analysis.h"

namespace dorvek {

namespace {

TPileResult FromTipRow(const TipMovementResult& r) {
    return {r.topLoad, r.topMove, r.tipMove, r.tipLoad, true};
}

TPileResult FromLoad(const HeadLoadResult& r) {
    return {r.load, r.topMove, r.tipMove, r.tipLoad, r.converged};
}

} // namespace

TCalibrationAnalysis AnalyseForCalibration(const std::string& inputText) {
    // In memory: no file is read or written, and only the load-settlement results are kept.
    AnalysisRequest request;
    request.text = inputText;
    request.curves = false;
    request.distributions = false;
    const AnalysisResult result = Analyse(request);

    TCalibrationAnalysis out;
    out.code = result.code;
    out.diagnostic = result.diagnostic;
    out.results.units = result.units;
    for (const TipMovementResult& r : result.tipResults)
        out.results.tipMovements.push_back(FromTipRow(r));
    for (const HeadLoadResult& r : result.loadResults)
        out.results.appliedLoads.push_back(FromLoad(r));
    return out;
}

} // namespace dorvek
