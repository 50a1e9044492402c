#include "kernel/RisingLoad.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace dorvek {

namespace {

constexpr int kMaxTrials = 100;
constexpr float kRelativeTolerance = 0.0005f; // as the plain iteration
// Golden-section steps of a peak search: the stretch shrinks to 0.618^40 (about 4e-9) of
// its width, far below what single precision tells apart.
constexpr int kPeakSearchSteps = 40;
constexpr float kGolden = 0.618034f;

// The load the pile carries at tip movement w, in the sense `sense` (+1 compression,
// -1 uplift): the head load with its reported sign, times the sense.
float CarriedAt(const SolverSetup& setup, float w, float sense, PileSolution& sol) {
    SolveForTipMovement(setup, w, sol);
    return sense * AsReported(sol.headLoad, sol.mirrored);
}

// The rows on the load's side of zero, nearest to zero first.
std::vector<CarriedLoad> SideRows(const std::vector<TipMovementResult>& table, float sense) {
    std::vector<CarriedLoad> rows;
    for (const TipMovementResult& r : table)
        if (sense * r.tipMove > 0.0f) rows.push_back({r.tipMove, sense * r.topLoad});
    std::stable_sort(rows.begin(), rows.end(), [](const CarriedLoad& a, const CarriedLoad& b) {
        return std::fabs(a.tipMove) < std::fabs(b.tipMove);
    });
    return rows;
}

// Golden-section search for the highest load carried between tip movements a and b; stops
// at the first movement that carries `need`. True with that movement in `found`.
bool PeakCarries(const SolverSetup& setup, float a, float b, float sense, float need,
                 CarriedLoad& found) {
    PileSolution sol;
    float x1 = b - kGolden * (b - a), x2 = a + kGolden * (b - a);
    float c1 = CarriedAt(setup, x1, sense, sol), c2 = CarriedAt(setup, x2, sense, sol);
    for (int step = 0; step < kPeakSearchSteps; ++step) {
        if (c1 >= need) {
            found = {x1, c1};
            return true;
        }
        if (c2 >= need) {
            found = {x2, c2};
            return true;
        }
        if (c1 >= c2) {
            b = x2;
            x2 = x1;
            c2 = c1;
            x1 = b - kGolden * (b - a);
            c1 = CarriedAt(setup, x1, sense, sol);
        } else {
            a = x1;
            x1 = x2;
            c1 = c2;
            x2 = a + kGolden * (b - a);
            c2 = CarriedAt(setup, x2, sense, sol);
        }
    }
    return false;
}

} // namespace

bool FirstCarryingBracket(const SolverSetup& setup, const std::vector<TipMovementResult>& table,
                          float load, CarriedLoad& lower, CarriedLoad& upper) {
    if (!(load != 0.0f) || !std::isfinite(load)) return false;
    const float sense = load > 0.0f ? 1.0f : -1.0f;
    const float magnitude = std::fabs(load);
    // Carrying within the tolerance is the plain iteration's equilibrium, not a peak.
    const float need = magnitude + kRelativeTolerance * magnitude;
    const std::vector<CarriedLoad> rows = SideRows(table, sense);
    CarriedLoad previous; // zero movement, zero load
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (rows[j].carried >= need) {
            lower = previous;
            upper = rows[j];
            return true;
        }
        const bool peak = rows[j].carried > previous.carried && j + 1 < rows.size() &&
                          rows[j + 1].carried < rows[j].carried;
        CarriedLoad found;
        if (peak && PeakCarries(setup, previous.tipMove, rows[j + 1].tipMove, sense, need, found)) {
            lower = previous;
            upper = found;
            return true;
        }
        previous = rows[j];
    }
    return false;
}

HeadLoadResult SolveForRisingHeadLoad(const SolverSetup& setup,
                                      const std::vector<TipMovementResult>& table, float load,
                                      PileSolution& last, bool& solvedAgain) {
    solvedAgain = false;
    const HeadLoadResult plain = SolveForHeadLoad(setup, table, load, last);
    CarriedLoad lower, upper;
    if (!FirstCarryingBracket(setup, table, load, lower, upper)) return plain;
    // Settled inside the first carrying bracket (or before it): the rising branch.
    if (plain.converged && std::fabs(last.tipMove) <= std::fabs(upper.tipMove)) return plain;

    const float sense = load > 0.0f ? 1.0f : -1.0f;
    const float magnitude = std::fabs(load);
    const float tolerance = kRelativeTolerance * magnitude;
    // The same iteration, started by interpolation in the bracket and kept inside it: the
    // bracket's ends are its first low and high trials.
    float below = lower.tipMove, above = upper.tipMove;
    float wa = lower.tipMove + (upper.tipMove - lower.tipMove) *
                                   ((magnitude - lower.carried) / (upper.carried - lower.carried));
    if (!(std::fabs(wa) > std::fabs(below) && std::fabs(wa) < std::fabs(above)))
        wa = 0.5f * (below + above);
    PileSolution sol;
    for (int trial = 1; trial < kMaxTrials; ++trial) {
        const float diff = CarriedAt(setup, wa, sense, sol) - magnitude;
        if (std::fabs(diff) < tolerance || diff == 0.0f) {
            HeadLoadResult result;
            result.load = load;
            result.converged = true;
            result.topMove = AsReported(sol.headMove, sol.mirrored);
            result.tipMove = wa; // the solved movement of the reported equilibrium
            result.tipLoad = AsReported(sol.tipLoad, sol.mirrored);
            last = std::move(sol);
            solvedAgain = true;
            return result;
        }
        if (diff > 0.0f)
            above = wa;
        else
            below = wa;
        wa = 0.5f * (below + above);
    }
    return plain; // not found inside the bracket either: the plain result stands
}

} // namespace dorvek
