#include "cli/LoadTests.h"

#include "cli/ProjectLoad.h"
#include "kernel/PathParts.h"

namespace dorvek::cli {

bool ReadGivenCurves(const std::vector<std::string>& files, std::vector<TMeasuredCurve>& curves,
                     std::ostream& err) {
    for (const std::string& file : files) {
        try {
            curves.push_back(ReadMeasuredCsv(FilePath(file)));
        } catch (const EMeasuredError& e) {
            err << "dorvek-run: --measured " << Lines(e.what()) << "\n";
            return false;
        }
    }
    return true;
}

TMeasuredCurves MeasuredCurvesFor(const std::string& input, int units,
                                  const std::vector<TMeasuredCurve>& given, std::ostream* err) {
    TMeasuredCurves curves;
    curves.units = units;
    try {
        TMeasuredCurves side = ReadMeasuredCurves(FilePath(input));
        ConvertMeasuredCurves(side, units);
        curves.curves = std::move(side.curves);
    } catch (const EInOutError& e) {
        if (err) *err << "dorvek-run: " << Lines(e.what()) << " (its curves are left out)\n";
    }
    for (const TMeasuredCurve& curve : given) curves.curves.push_back(curve);
    return curves;
}

std::string CapacityText(const AnalysisResult& s, const std::string& input,
                         const std::vector<TMeasuredCurve>& given, std::ostream* err) {
    if (s.tipResults.empty() || (s.units != 1 && s.units != 2)) return "";
    const TMeasuredCurves measured = MeasuredCurvesFor(input, s.units, given, err);
    const TCapacityPile pile = CapacityPileOf(s);
    return CapacitySummaryText(
        LoadTestCapacities(SummaryOf(s), s.pile.settlementProfile, measured, pile), pile);
}

TLoadSettlementSummary SummaryOf(const AnalysisResult& s) {
    TLoadSettlementSummary summary;
    summary.units = s.units;
    for (const TipMovementResult& r : s.tipResults)
        summary.tipMovements.push_back({r.topLoad, r.topMove, r.tipMove, r.tipLoad, true});
    for (const HeadLoadResult& r : s.loadResults)
        summary.appliedLoads.push_back({r.load, r.topMove, r.tipMove, r.tipLoad, r.converged});
    return summary;
}

TCapacityPile CapacityPileOf(const AnalysisResult& s) {
    TCapacityPile pile;
    pile.units = s.units;
    pile.diameter = s.pile.diameter;
    std::vector<TAeRow> ae;
    for (std::size_t k = 0; k < s.pile.aeDepth.size() && k < s.pile.ae.size(); ++k)
        ae.push_back({s.pile.aeDepth[k], s.pile.ae[k]});
    pile.flexibility = PileFlexibility(ae, s.pile.length);
    return pile;
}

} // namespace dorvek::cli
