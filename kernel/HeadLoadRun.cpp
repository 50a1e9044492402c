#include "kernel/HeadLoad.h"
#include "kernel/Phases.h"
#include "kernel/PlotResults.h"
#include "kernel/ReportResults.h"
#include "kernel/RunMessages.h"

namespace dorvek {

void RunHeadLoads(Store& s, FixedWriter& report, FixedWriter& plot, std::ostream& console) {
    if (s.loads.empty()) return;
    WriteConsoleBanner(console);
    const SolverSetup setup = MakeSolverSetup(s);
    ReportLoadOpening(s, report);
    PlotLoadCount(s, plot);

    s.loadResults.clear();
    s.loadDistributions.clear();
    s.loadResults.reserve(s.loads.size());
    PileSolution last;
    for (float load : s.loads) {
        const HeadLoadResult r = SolveForHeadLoad(setup, s.tipResults, load, last);
        s.loadResults.push_back(r);
        ReportLoadRow(r, report);
        if (plot.active()) PlotLoadResult(r, setup, last, plot);
        if (s.keepDistributions) s.loadDistributions.push_back(LoadDistribution(setup, last));
    }
}

} // namespace dorvek
