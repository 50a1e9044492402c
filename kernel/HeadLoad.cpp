#include "kernel/HeadLoad.h"

#include <cmath>
#include <cstddef>

namespace dorvek {

namespace {

constexpr int kMaxTrials = 100;
constexpr float kRelativeTolerance = 0.0005f;
constexpr float kStepDown = 0.98f;
constexpr float kStepUp = 1.02f;

// Closest trial found so far on one side of the applied load.
struct Bracket {
    bool found = false;
    float tipMove = 0;
    float diff = 0;
};

} // namespace

float StartingTipMovement(const std::vector<TipMovementResult>& table, float load) {
    const std::size_t n = table.size();
    if (n == 0) return 0.0f;
    if (load <= table[0].topLoad) return table[0].tipMove;
    for (std::size_t k = 1; k < n; ++k) {
        const TipMovementResult& hi = table[k];
        if (hi.topLoad >= load) {
            if (hi.topLoad == load) return hi.tipMove;
            // The row below lies strictly under the load: the interval is never empty.
            const TipMovementResult& lo = table[k - 1];
            return lo.tipMove +
                   (hi.tipMove - lo.tipMove) * ((load - lo.topLoad) / (hi.topLoad - lo.topLoad));
        }
    }
    return table[n - 1].tipMove;
}

HeadLoadResult SolveForHeadLoad(const SolverSetup& setup,
                                const std::vector<TipMovementResult>& table, float load,
                                PileSolution& last, int* trials) {
    HeadLoadResult result;
    result.load = load;
    float wa = StartingTipMovement(table, load);
    Bracket above, below; // trials whose head load was too high / too low
    const float tolerance = kRelativeTolerance * std::fabs(load);

    for (int trial = 1; trial <= kMaxTrials; ++trial) {
        SolveForTipMovement(setup, wa, last);
        const float diff = last.mirrored ? last.headLoad + load : last.headLoad - load;
        if (trial >= 2) {
            if (diff > 0.0f && (!above.found || diff < above.diff)) above = {true, wa, diff};
            if (diff < 0.0f && (!below.found || diff > below.diff)) below = {true, wa, diff};
        }
        if (above.found && below.found)
            wa = 0.5f * (above.tipMove + below.tipMove);
        else if (diff > 0.0f)
            wa = wa * kStepDown;
        else if (diff < 0.0f)
            wa = wa * kStepUp;

        // The test follows the update, so the tip movement kept is the next trial value.
        // The last trial is never accepted; an exact match always is.
        if (trial < kMaxTrials && (std::fabs(diff) < tolerance || diff == 0.0f)) {
            result.converged = true;
            result.topMove = AsReported(last.headMove, last.mirrored);
            result.tipMove = wa;
            result.tipLoad = AsReported(last.tipLoad, last.mirrored);
            if (trials) *trials = trial;
            return result;
        }
    }
    if (trials) *trials = kMaxTrials;
    return result; // not converged: head movement, tip movement and tip load stay 0
}

} // namespace dorvek
