#pragma once
// The result of an applied pile-head load as the first equilibrium reached by a load rising
// from zero. The plain head-load iteration starts from the tip-movement row next to the load
// and may settle beyond a peak of the load-settlement curve (on a residual plateau, or where
// a hardening tip carries the load again), or fail although a smaller tip movement carries
// more than the load. Only those cases are solved again, in the first bracket of tip
// movements that carries the load; every other result is the plain iteration's.

#include "kernel/HeadLoad.h"

#include <vector>

namespace dorvek {

// A tip movement and the load it carries in the sense of the applied load (positive when it
// carries, in compression or uplift alike).
struct CarriedLoad {
    float tipMove = 0;
    float carried = 0;
};

// The first stretch of tip movements, from zero outward in the sense of `load`, whose upper
// end carries more than `load` (by the iteration's tolerance). Taken from the rows of the
// tip-movement run; where a row is a local peak that carries less, the peak between its
// neighbours is searched with extra solutions. False when no tip movement found carries it.
bool FirstCarryingBracket(const SolverSetup& setup, const std::vector<TipMovementResult>& table,
                          float load, CarriedLoad& lower, CarriedLoad& upper);

// SolveForHeadLoad, then the mend above. `solvedAgain` tells whether the result is the mend's
// (a converged solution inside the first carrying bracket, its solved tip movement stored).
HeadLoadResult SolveForRisingHeadLoad(const SolverSetup& setup,
                                      const std::vector<TipMovementResult>& table, float load,
                                      PileSolution& last, bool& solvedAgain);

} // namespace dorvek
