#include "kernel/HeadLoad.h"
#include "kernel/Phases.h"
#include "kernel/PlotResults.h"
#include "kernel/ReportResults.h"
#include "kernel/RisingLoad.h"
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
    std::vector<int> solvedAgain; // 1-based numbers of the loads the mend solved
    for (float load : s.loads) {
        bool again = false;
        const HeadLoadResult r = SolveForRisingHeadLoad(setup, s.tipResults, load, last, again);
        s.loadResults.push_back(r);
        if (again) solvedAgain.push_back(static_cast<int>(s.loadResults.size()));
        ReportLoadRow(r, report);
        if (plot.active()) PlotLoadResult(r, setup, last, plot);
        if (s.keepDistributions) s.loadDistributions.push_back(LoadDistribution(setup, last));
    }
    ReportSolvedAgainNote(solvedAgain, report);
}

} // namespace dorvek
