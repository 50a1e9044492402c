#include "kernel/PlotResults.h"

#include "kernel/ReportResults.h"

#include <cstddef>
#include <vector>

namespace dorvek {

namespace {
constexpr const char* kSummaryRow = "1PE17.4,3(1PE16.4)";
}

void PlotTipCount(const Store& s, FixedWriter& plot) {
    plot.listValues({static_cast<int>(s.tipMovements.size()), s.ninc, s.iunit});
}

// The layouts below repeat once per increment, so all lines go out in one call.
void PlotTipDistribution(const SolverSetup& setup, const PileSolution& sol, FixedWriter& plot) {
    std::vector<FieldValue> values;
    values.reserve(3 * static_cast<std::size_t>(setup.ninc));
    for (int i = 0; i < setup.ninc; ++i) {
        const PrintedIncrement inc = PrintedIncrementAt(setup, sol, i);
        values.insert(values.end(), {inc.depth, inc.avgLoad, inc.avgMove});
    }
    if (!values.empty()) plot.write("1X,1PE10.3,3X,1PE10.3,3X,1PE10.3", values);
}

void PlotTipSummary(const Store& s, FixedWriter& plot) {
    for (const TipMovementResult& r : s.tipResults)
        plot.write(kSummaryRow, {r.topLoad, r.topMove, r.tipMove, r.tipLoad});
}

void PlotLoadCount(const Store& s, FixedWriter& plot) {
    plot.listValues({static_cast<int>(s.loads.size()), s.ninc, s.iunit});
}

void PlotLoadResult(const HeadLoadResult& r, const SolverSetup& setup, const PileSolution& sol,
                    FixedWriter& plot) {
    plot.write("I5", {r.converged ? 1 : 0});
    plot.write(kSummaryRow, {r.load, r.topMove, r.tipMove, r.tipLoad});
    // Movements here are those of the solution frame, without the soil settlement at the tip.
    std::vector<FieldValue> values;
    values.reserve(3 * static_cast<std::size_t>(setup.ninc));
    for (std::size_t i = 0; i < static_cast<std::size_t>(setup.ninc); ++i) {
        values.insert(values.end(), {setup.midDepth[i], AsReported(sol.avgLoad[i], sol.mirrored),
                                     AsReported(sol.avgMove[i], sol.mirrored)});
    }
    if (!values.empty()) plot.write("3X,E10.3,3X,E10.3,3X,E10.3", values);
}

Distribution TipDistribution(const SolverSetup& setup, const PileSolution& sol) {
    Distribution d;
    const auto n = static_cast<std::size_t>(setup.ninc);
    d.depth.reserve(n);
    d.load.reserve(n);
    d.movement.reserve(n);
    for (int i = 0; i < setup.ninc; ++i) {
        const PrintedIncrement inc = PrintedIncrementAt(setup, sol, i);
        d.depth.push_back(inc.depth);
        d.load.push_back(inc.avgLoad);
        d.movement.push_back(inc.avgMove);
    }
    return d;
}

Distribution LoadDistribution(const SolverSetup& setup, const PileSolution& sol) {
    Distribution d;
    const auto n = static_cast<std::size_t>(setup.ninc);
    d.depth.assign(setup.midDepth.begin(), setup.midDepth.begin() + static_cast<long>(n));
    d.load.reserve(n);
    d.movement.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        d.load.push_back(AsReported(sol.avgLoad[i], sol.mirrored));
        d.movement.push_back(AsReported(sol.avgMove[i], sol.mirrored));
    }
    return d;
}

} // namespace dorvek
