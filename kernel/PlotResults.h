#pragma once
// Plot data file, block 3 (tip-movement results) and block 4 (pile-head-load results).

#include "kernel/FixedFormat.h"
#include "kernel/Solver.h"
#include "kernel/Store.h"

namespace dorvek {

// Count line of block 3: NTIP, NINC, IUNIT.
void PlotTipCount(const Store& s, FixedWriter& plot);
// One tip movement's NINC lines of mid-depth, average load and average movement, as printed.
void PlotTipDistribution(const SolverSetup& setup, const PileSolution& sol, FixedWriter& plot);
// The NTIP summary lines, as stored (signed).
void PlotTipSummary(const Store& s, FixedWriter& plot);

// Count line of block 4: NLOAD, NINC, IUNIT.
void PlotLoadCount(const Store& s, FixedWriter& plot);
// One load: flag, result line and the distribution of its last solution.
void PlotLoadResult(const HeadLoadResult& r, const SolverSetup& setup, const PileSolution& sol,
                    FixedWriter& plot);

// The values of the distribution lines above, for callers that keep them.
Distribution TipDistribution(const SolverSetup& setup, const PileSolution& sol);
Distribution LoadDistribution(const SolverSetup& setup, const PileSolution& sol);

} // namespace dorvek
