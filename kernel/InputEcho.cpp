#include "kernel/InputEcho.h"

#include "kernel/InputReader.h"
#include "kernel/ReportInput.h"

#include <string>

namespace dorvek {

namespace {

constexpr std::size_t kTitleWidth = 72;

bool LayersRead(const InputData& d) {
    return d.methodTz != 2 || d.methodQw != 2;
}

std::string Count(const char* what, std::size_t count) {
    return std::to_string(count) + " " + what;
}

} // namespace

std::string InputDataFault(const InputData& d) {
    if (d.ninc < 1 || d.ninc > kMaxIncrements)
        return "The number of pile increments is " + std::to_string(d.ninc) +
               "; it must be from 1 to " + std::to_string(kMaxIncrements) + ".";
    if (d.methodTz == 2) {
        if (d.userTz.empty()) return "User t-z curves are chosen, but none is given.";
        for (std::size_t k = 0; k < d.userTz.size(); ++k) {
            const TzCurve& c = d.userTz[k];
            if (c.t.empty() || c.t.size() != c.z.size())
                return "User t-z curve " + std::to_string(k + 1) + " has " +
                       Count("t values", c.t.size()) + " and " + Count("z values", c.z.size()) +
                       "; it needs as many of each, at least one.";
        }
    }
    if (d.methodQw == 2 && d.qwQ.size() != d.qwW.size())
        return "The user Q-w curve has " + Count("Q values", d.qwQ.size()) + " and " +
               Count("w values", d.qwW.size()) + "; it needs as many of each.";
    if (LayersRead(d)) {
        if (d.layers.empty()) return "Curves are to be generated, but no soil layer is given.";
        if (d.strength.size() != 2 * d.layers.size())
            return "There are " + Count("soil layers", d.layers.size()) + " and " +
                   Count("strength rows", d.strength.size()) +
                   "; each layer needs two rows (its top and its bottom).";
    }
    if (d.ae.empty() || d.ae.size() != d.aeDepth.size())
        return "The axial stiffness table has " + Count("AE values", d.ae.size()) + " and " +
               Count("depths", d.aeDepth.size()) + "; it needs as many of each, at least one.";
    if (d.ntipRead > 0 && d.tipMovements.size() != static_cast<std::size_t>(d.ntipRead))
        return "NTIP is " + std::to_string(d.ntipRead) + ", but " +
               Count("tip movements", d.tipMovements.size()) + " are given.";
    if (d.settleDepth.size() != d.settlement.size())
        return "The soil settlement profile has " + Count("depths", d.settleDepth.size()) +
               " and " + Count("settlements", d.settlement.size()) + "; it needs as many of each.";
    if (d.tzFactorFlag >= 1 &&
        (d.tzfT.size() != d.tzfDepth.size() || d.tzfZ.size() != d.tzfDepth.size()))
        return "The t-z factor table has " + Count("depths", d.tzfDepth.size()) + ", " +
               Count("t-multipliers", d.tzfT.size()) + " and " +
               Count("z-multipliers", d.tzfZ.size()) + "; it needs as many of each.";
    return {};
}

void TakeModelInput(const InputData& input, Store& s, FixedWriter& report) {
    static_cast<InputData&>(s) = input;
    s.title.resize(kTitleWidth, ' ');
    SetUnitLabels(s);
    ReportTitle(report, s);
    if (s.methodTz != 2) s.userTz.clear();
    if (s.methodQw != 2) {
        s.qwQ.clear();
        s.qwW.clear();
    }
    if (LayersRead(s)) {
        ReportLayerHeading(report, s);
        for (const Layer& layer : s.layers) ReportLayerRow(report, layer);
        ReportUnitWeightHeading(report, s);
        for (std::size_t i = 0; i < s.strength.size(); ++i) {
            const Layer& layer = s.layers[i / 2];
            s.strength[i].xstr = i % 2 == 0 ? layer.xtop : layer.xbot;
        }
        ReportStrengthTables(report, s);
    } else {
        s.layers.clear();
        s.strength.clear();
    }
    ReportStiffness(report, s);
    ReportPile(report, s);
}

void TakeLoadingInput(Store& s, FixedWriter& report) {
    if (s.ntipRead < 1) s.tipMovements.clear();
    s.negativeLoads = s.positiveLoads = 0;
    for (float load : s.loads) {
        if (load < 0) ++s.negativeLoads;
        if (load > 0) ++s.positiveLoads;
    }
    BuildTipMovementList(s, report);
    if (!s.loads.empty()) ReportLoads(report, s);
    if (!s.settleDepth.empty()) ReportSettlement(report, s);
    if (s.tzFactorFlag >= 1) {
        ReportTzFactorHeading(report, s);
        for (std::size_t k = 0; k < s.tzfDepth.size(); ++k)
            ReportTzFactorRow(report, s.tzfDepth[k], s.tzfT[k], s.tzfZ[k]);
    } else {
        s.tzfDepth.clear();
        s.tzfT.clear();
        s.tzfZ.clear();
    }
    if (s.qwFactorFlag >= 1) ReportQwFactors(report, s);
    ApplyLoadingFactors(s);
}

} // namespace dorvek
