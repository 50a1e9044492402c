// One tip movement solved by hand, and the edge cases of the solution.
//
// Hand pile: L = 100, HEAD = 5, D = 1, AE = 1e6, NINC = 2, so dz = 50, xt = 105 and
// As = 50 * 1 * 3.1416 = 157.08; side friction t = 10 for movements from 0.001 on, tip curve
// through (0.2, 400) and (1.0, 500).
#include "kernel/Solver.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dorvek;
using dorvek::testing::Curve;
using dorvek::testing::HandPile;
using dorvek::testing::Pile;

namespace {

PileSolution Solve(const Store& s, float wt) {
    const SolverSetup setup = MakeSolverSetup(s);
    PileSolution sol;
    SolveForTipMovement(setup, wt, sol);
    return sol;
}

void ExpectClose(float actual, double expected) {
    EXPECT_NEAR(actual, expected, 2e-6 * std::fabs(expected) + 1e-9) << "expected " << expected;
}

void ExpectAllFinite(const PileSolution& sol) {
    for (const auto* v : {&sol.nodeDepth, &sol.nodeLoad, &sol.nodeMove, &sol.transfer,
                          &sol.loadIncr, &sol.avgLoad, &sol.deform, &sol.avgMove})
        for (float x : *v) EXPECT_TRUE(std::isfinite(x));
    EXPECT_TRUE(std::isfinite(sol.headLoad) && std::isfinite(sol.headMove));
}

} // namespace

TEST(SolverByHand, DownwardTipMovement) {
    // wt = 0.1: tip load 400 * 0.1 / 0.2 = 200.
    // Increment 1: F = 10 * 157.08 = 1570.8, Pt = 1770.8, mid load 985.4,
    //   shortening 50 * 985.4 / 1e6 = 0.04927, mid movement 0.1 + 1185.4 * 12.5 / 1e6.
    // Increment 2: Pt = 3341.6, mid load 2556.2, shortening 0.12781,
    //   mid movement 0.14927 + (1770.8 + 2556.2) * 12.5 / 1e6 = 0.2033575.
    const PileSolution sol = Solve(HandPile(), 0.1f);
    EXPECT_FALSE(sol.mirrored);
    ExpectClose(sol.tipLoad, 200.0);
    ExpectClose(sol.headLoad, 3341.6);
    ExpectClose(sol.headMove, 0.27708);

    ExpectClose(sol.nodeDepth[0], 105.0);
    ExpectClose(sol.nodeDepth[1], 55.0);
    ExpectClose(sol.nodeDepth[2], 5.0);
    ExpectClose(sol.nodeLoad[1], 1770.8);
    ExpectClose(sol.nodeMove[0], 0.1);
    ExpectClose(sol.nodeMove[1], 0.14927);

    ExpectClose(sol.transfer[0], 10.0);
    ExpectClose(sol.loadIncr[0], 1570.8);
    ExpectClose(sol.avgLoad[0], 985.4);
    ExpectClose(sol.deform[0], 0.04927);
    ExpectClose(sol.avgMove[0], 0.1148175);
    ExpectClose(sol.avgLoad[1], 2556.2);
    ExpectClose(sol.deform[1], 0.12781);
    ExpectClose(sol.avgMove[1], 0.2033575);

    const SolverSetup setup = MakeSolverSetup(HandPile());
    ExpectClose(setup.midDepth[0], 80.0);
    ExpectClose(setup.midDepth[1], 30.0);
}

TEST(SolverByHand, UpwardTipMovementIsSolvedMirrored) {
    // wt = -0.1: SF = 1, the magnitude 0.1 is solved with no tip load.
    // Increment 1: Pt = 1570.8, shortening 50 * 785.4 / 1e6 = 0.03927.
    // Increment 2: Pt = 3141.6, shortening 50 * 2356.2 / 1e6 = 0.11781.
    const PileSolution sol = Solve(HandPile(), -0.1f);
    EXPECT_TRUE(sol.mirrored);
    EXPECT_EQ(sol.tipLoad, 0.0f);
    ExpectClose(sol.relTipMove, 0.1);
    EXPECT_EQ(sol.tipMove, -0.1f);
    ExpectClose(sol.headLoad, 3141.6);
    ExpectClose(sol.headMove, 0.25708);
    ExpectClose(sol.avgMove[0], 0.1098175);
    ExpectClose(sol.avgMove[1], 0.1883575);
    // Reported in the upward sense, without a negative zero for the tip load.
    EXPECT_FLOAT_EQ(AsReported(sol.headLoad, sol.mirrored), -3141.6f);
    EXPECT_FALSE(std::signbit(AsReported(sol.tipLoad, sol.mirrored)));
}

TEST(SolverEdgeCases, ZeroTipMovementIsMirroredWithNoLoad) {
    const PileSolution sol = Solve(HandPile(), 0.0f);
    EXPECT_TRUE(sol.mirrored);
    EXPECT_EQ(sol.tipLoad, 0.0f);
    EXPECT_EQ(sol.headLoad, 0.0f);
    EXPECT_EQ(sol.headMove, 0.0f);
    EXPECT_FALSE(std::signbit(AsReported(sol.headLoad, sol.mirrored)));
}

TEST(SolverEdgeCases, MovementsBeyondTheCurvesUseTheirLastValues) {
    // wt = 1 reaches the last tip point (500); the softening side curve peaks at 10 and keeps
    // its residual 6 beyond z = 0.05: F = 6 * 157.08 = 942.48 per increment.
    Store s = HandPile();
    s.sideCurves = {Curve(0.0f, {{0.0f, 0.0f}, {10.0f, 0.01f}, {6.0f, 0.05f}})};
    const PileSolution sol = Solve(s, 1.0f);
    ExpectClose(sol.tipLoad, 500.0);
    ExpectClose(sol.transfer[0], 6.0);
    ExpectClose(sol.transfer[1], 6.0);
    ExpectClose(sol.headLoad, 500.0 + 2 * 942.48);
    // Mid movement of increment 1: 1 + (500 + 971.24) * 12.5 / 1e6.
    ExpectClose(sol.avgMove[0], 1.0183905);

    EXPECT_FLOAT_EQ(Solve(HandPile(), 5.0f).tipLoad, 500.0f);
}

TEST(SolverEdgeCases, NoTipCurveCarriesNothingAtTheTip) {
    Store s = HandPile();
    s.qwQ.clear();
    s.qwW.clear();
    const PileSolution sol = Solve(s, 0.1f);
    EXPECT_FALSE(sol.mirrored);
    EXPECT_EQ(sol.tipLoad, 0.0f);
    ExpectClose(sol.headLoad, 3141.6);
}

TEST(SolverEdgeCases, NoSideAreaLeavesTheTipLoad) {
    // D = 0: no side area; the head carries the tip load 200 and the pile shortens by
    // 100 * 200 / 1e6 = 0.02.
    Store s = HandPile();
    s.diameter = 0.0f;
    PileSolution sol = Solve(s, 0.1f);
    ExpectAllFinite(sol);
    ExpectClose(sol.headLoad, 200.0);
    ExpectClose(sol.headMove, 0.12);

    // L = 0: every increment is empty; head and tip coincide.
    s = HandPile();
    s.length = 0.0f;
    s.aeDepth = {0.0f, 0.0f};
    sol = Solve(s, 0.1f);
    ExpectAllFinite(sol);
    ExpectClose(sol.headLoad, 200.0);
    ExpectClose(sol.headMove, 0.1);
    ExpectClose(sol.nodeDepth[2], 5.0);
}

TEST(SolverEdgeCases, UnconvergedIncrementsAreAcceptedSilently) {
    // A tolerance no pass can meet: every increment takes its 100 passes and keeps the last
    // values, which here are the fixed point of the hand computation.
    Store s = HandPile();
    s.tol = -1.0f;
    const PileSolution sol = Solve(s, 0.1f);
    ExpectClose(sol.headLoad, 3341.6);
    ExpectClose(sol.avgMove[1], 0.2033575);
}
