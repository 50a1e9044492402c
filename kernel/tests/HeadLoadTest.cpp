// Matching applied pile-head loads by adjusting the tip movement.
//
// On the hand pile (see SolverEdgeCasesTest) every tip movement from 0.001 to 0.2 gives side
// friction 10 everywhere and a tip load of 2000 wt, so the head load is 3141.6 + 2000 wt and
// the head movement wt + 1e-4 Q + 0.15708 (shortening 50 * (2 Q + 3141.6) / 1e6).
#include "kernel/HeadLoad.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dorvek;
using dorvek::testing::Curve;
using dorvek::testing::HandPile;

namespace {

// A tip-movement table of (head load, tip movement) rows.
std::vector<TipMovementResult> Table(const std::vector<std::pair<float, float>>& rows) {
    std::vector<TipMovementResult> table;
    for (const auto& [load, wt] : rows) table.push_back({load, 0.0f, wt, 0.0f, false});
    return table;
}

struct Outcome {
    HeadLoadResult result;
    PileSolution last;
    int trials = 0;
};

Outcome Match(const Store& s, const std::vector<TipMovementResult>& table, float load) {
    Outcome o;
    const SolverSetup setup = MakeSolverSetup(s);
    o.result = SolveForHeadLoad(setup, table, load, o.last, &o.trials);
    return o;
}

} // namespace

TEST(HeadLoadStart, InterpolatesInTheTipMovementTable) {
    const auto table =
        Table({{-3000.0f, -0.5f}, {-1000.0f, -0.1f}, {1000.0f, 0.1f}, {3000.0f, 0.5f}});
    EXPECT_FLOAT_EQ(StartingTipMovement(table, -5000.0f), -0.5f); // below the first row
    EXPECT_FLOAT_EQ(StartingTipMovement(table, 9000.0f), 0.5f);   // above the last row
    EXPECT_FLOAT_EQ(StartingTipMovement(table, -1000.0f), -0.1f); // exact row
    EXPECT_FLOAT_EQ(StartingTipMovement(table, 2000.0f), 0.3f);   // 0.1 + 0.4 * 0.5
    EXPECT_FLOAT_EQ(StartingTipMovement(table, 0.0f), 0.0f);
    EXPECT_EQ(StartingTipMovement({}, 1500.0f), 0.0f);
    // Two rows with the same head load stay finite: 0.2 + 0.3 * 500 / 2000.
    const auto flat = Table({{1000.0f, 0.1f}, {1000.0f, 0.2f}, {3000.0f, 0.5f}});
    EXPECT_FLOAT_EQ(StartingTipMovement(flat, 1000.0f), 0.1f);
    EXPECT_FLOAT_EQ(StartingTipMovement(flat, 1500.0f), 0.275f);
}

TEST(HeadLoadIteration, StepsUntilConvergedAndKeepsTheNextTrialValue) {
    // Start 0.1 (midway in the table); head load 3341.6, diff = -8.4 is not within
    // 0.0005 * 3350 = 1.675: wa = 0.102 (head load 3345.6, diff -4.4, the low bracket),
    // wa = 0.10404 (head load 3349.68, diff -0.32): converged at trial 3, and the stored
    // tip movement is the next trial value 0.10404 * 1.02.
    const auto table = Table({{3250.0f, 0.05f}, {3450.0f, 0.15f}});
    const Outcome o = Match(HandPile(), table, 3350.0f);
    ASSERT_TRUE(o.result.converged);
    EXPECT_EQ(o.trials, 3);
    EXPECT_FLOAT_EQ(o.result.load, 3350.0f);
    EXPECT_NEAR(o.result.tipMove, 0.10404 * 1.02, 1e-6);
    EXPECT_NEAR(o.result.tipLoad, 208.08, 1e-3);
    EXPECT_NEAR(o.result.topMove, 0.10404 + 0.020808 + 0.15708, 1e-6);
    EXPECT_NEAR(o.last.tipMove, 0.10404, 1e-7);
}

TEST(HeadLoadIteration, BisectsOnceBothBracketsExist) {
    // Start 0.15 (head load 3441.6) for 3438.6, tolerance 1.7193:
    //  trial 1: diff +3.0 (not a bracket: brackets count from trial 2), wa = 0.147;
    //  trial 2: head load 3435.6, diff -3.0, low bracket 0.147, wa = 0.14994;
    //  trial 3: head load 3441.48, diff +2.88, high bracket 0.14994, wa = mean 0.14847;
    //  trial 4: head load 3438.54, diff -0.06: converged; the low bracket becomes 0.14847
    //  and the stored tip movement is the mean (0.14994 + 0.14847) / 2 = 0.149205.
    const auto table = Table({{3338.6f, 0.1f}, {3538.6f, 0.2f}});
    const Outcome o = Match(HandPile(), table, 3438.6f);
    ASSERT_TRUE(o.result.converged);
    EXPECT_EQ(o.trials, 4);
    EXPECT_NEAR(o.result.tipMove, 0.149205, 1e-6);
    EXPECT_NEAR(o.result.tipLoad, 296.94, 1e-3);
}

TEST(HeadLoadIteration, LoadBeyondCapacityIsNotConverged) {
    // The hand pile carries at most 500 + 3141.6 at the head.
    const auto table = Table({{3241.6f, 0.05f}, {3641.6f, 1.0f}});
    const Outcome o = Match(HandPile(), table, 10000.0f);
    EXPECT_FALSE(o.result.converged);
    EXPECT_EQ(o.trials, 100);
    EXPECT_EQ(o.result.load, 10000.0f);
    EXPECT_EQ(o.result.topMove, 0.0f);
    EXPECT_EQ(o.result.tipMove, 0.0f);
    EXPECT_EQ(o.result.tipLoad, 0.0f);
    // The last trial's distribution is still there for the plot file.
    EXPECT_NEAR(o.last.headLoad, 3641.6, 1e-2);
}

TEST(HeadLoadIteration, LoadOfExactlyZero) {
    // The relative test cannot be met for a load of 0: 100 trials, not converged.
    const auto table = Table({{-3141.6f, -0.1f}, {3341.6f, 0.1f}});
    const Outcome o = Match(HandPile(), table, 0.0f);
    EXPECT_FALSE(o.result.converged);
    EXPECT_EQ(o.trials, 100);
    EXPECT_EQ(o.result.tipMove, 0.0f);

    // Only an exact match is accepted: with no table rows the start is 0, where the head
    // load is exactly 0.
    const Outcome exact = Match(HandPile(), {}, 0.0f);
    EXPECT_TRUE(exact.result.converged);
    EXPECT_EQ(exact.trials, 1);
    EXPECT_EQ(exact.result.tipMove, 0.0f);
    EXPECT_FALSE(std::signbit(exact.result.topMove));
}

TEST(HeadLoadIteration, TensionIsMatchedInTheMirroredSense) {
    // Linear side friction t = 10 z: pulling the pile up, the head load grows with the
    // upward movement; diff = head load + applied load.
    Store s = HandPile();
    s.sideCurves = {Curve(0.0f, {{0.0f, 0.0f}, {10.0f, 1.0f}})};
    const SolverSetup setup = MakeSolverSetup(s);
    PileSolution a, b;
    SolveForTipMovement(setup, -0.1f, a);
    SolveForTipMovement(setup, -0.3f, b);
    const auto table = Table({{-b.headLoad, -0.3f}, {-a.headLoad, -0.1f}});
    const float load = -0.5f * (a.headLoad + b.headLoad);

    const Outcome o = Match(s, table, load);
    ASSERT_TRUE(o.result.converged);
    EXPECT_TRUE(o.last.mirrored);
    EXPECT_LT(std::fabs(o.last.headLoad + load), 0.0005f * std::fabs(load));
    EXPECT_LT(o.result.tipMove, -0.1f);
    EXPECT_GT(o.result.tipMove, -0.3f);
    EXPECT_FLOAT_EQ(o.result.topMove, -o.last.headMove); // upward: negative
    EXPECT_EQ(o.result.tipLoad, 0.0f);
    EXPECT_FALSE(std::signbit(o.result.tipLoad));
}
