#pragma once
// Matching an applied pile-head load by adjusting the tip movement.

#include "kernel/Solver.h"
#include "kernel/Store.h"

#include <vector>

namespace dorvek {

// First trial tip movement for `load`, interpolated in the signed results of the
// tip-movement run; the end rows' movements outside the table, 0 for an empty table.
float StartingTipMovement(const std::vector<TipMovementResult>& table, float load);

// Iterates the tip movement until the head load matches `load` (at most 100 trials).
// Returns the stored result (zeros and not converged on failure); `last` holds the
// solution of the last trial, whose distribution is written to the plot data file.
HeadLoadResult SolveForHeadLoad(const SolverSetup& setup,
                                const std::vector<TipMovementResult>& table, float load,
                                PileSolution& last, int* trials = nullptr);

} // namespace dorvek
