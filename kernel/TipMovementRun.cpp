#include "kernel/Phases.h"
#include "kernel/PlotResults.h"
#include "kernel/ReportResults.h"
#include "kernel/Solver.h"

namespace dorvek {

void RunTipMovements(Store& s, FixedWriter& report, FixedWriter& plot) {
    const SolverSetup setup = MakeSolverSetup(s);
    ReportTipMovementOpening(s, report);
    PlotTipCount(s, plot);

    s.tipResults.clear();
    s.tipDistributions.clear();
    s.tipResults.reserve(s.tipMovements.size());
    PileSolution sol;
    for (float wt : s.tipMovements) {
        SolveForTipMovement(setup, wt, sol);
        s.tipResults.push_back({sol.headLoad, sol.headMove, wt, sol.tipLoad, sol.mirrored});
        if (s.iprint < 1 && report.active()) ReportDistribution(s, setup, sol, report);
        if (plot.active()) PlotTipDistribution(setup, sol, plot);
        if (s.keepDistributions) s.tipDistributions.push_back(TipDistribution(setup, sol));
    }

    // From the summary on the table is signed: tension and upward movement negative.
    for (TipMovementResult& r : s.tipResults) {
        r.topLoad = AsReported(r.topLoad, r.mirrored);
        r.topMove = AsReported(r.topMove, r.mirrored);
        r.tipLoad = AsReported(r.tipLoad, r.mirrored);
    }
    ReportSummary(s, report);
    PlotTipSummary(s, plot);
}

} // namespace dorvek
