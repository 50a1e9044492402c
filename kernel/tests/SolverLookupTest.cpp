// Lookups of the solver in its tables: tip curve, side curves, axial stiffness.
#include "kernel/CurveLookup.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

using namespace dorvek;
using dorvek::testing::Curve;

TEST(TipCurveLookup, OriginPointsAndEnds) {
    const std::vector<float> q = {400.0f, 500.0f};
    const std::vector<float> w = {0.2f, 1.0f};
    // Below the first point: from the origin, 400 * 0.1 / 0.2.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.1f), 200.0f);
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.2f), 400.0f);
    // 400 + 100 * (0.6 - 0.2) / 0.8.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.6f), 450.0f);
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 1.0f), 500.0f);
    // Beyond the last point the last Q holds.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 5.0f), 500.0f);
}

TEST(TipCurveLookup, DegenerateCurves) {
    EXPECT_EQ(TipLoadAt({}, {}, 0.3f), 0.0f); // NQW = 0
    EXPECT_FLOAT_EQ(TipLoadAt({400.0f}, {0.2f}, 3.0f), 400.0f);
    // A first point at w = 0 is taken as it is, not divided by its zero movement.
    EXPECT_FLOAT_EQ(TipLoadAt({50.0f, 400.0f}, {0.0f, 0.2f}, 0.0f), 50.0f);
    // Two points at the same movement: above it, the second one starts the interval,
    // 450 + 50 * 0.1 / 0.8.
    EXPECT_FLOAT_EQ(TipLoadAt({400.0f, 450.0f, 500.0f}, {0.2f, 0.2f, 1.0f}, 0.3f), 456.25f);
}

TEST(SideCurveLookup, OnOneCurve) {
    // Softening curve: peak 10 at 0.01, residual 6 from 0.05 on.
    const TzCurve soft = Curve(0.0f, {{0.0f, 0.0f}, {10.0f, 0.01f}, {6.0f, 0.05f}});
    EXPECT_EQ(CurveValueAt(soft, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.005f), 5.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.01f), 10.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.03f), 8.0f); // 10 - 4 * 0.02 / 0.04
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.05f), 6.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 2.0f), 6.0f); // extended flat beyond the last point
    EXPECT_EQ(CurveValueAt(TzCurve{}, 1.0f), 0.0f);
}

TEST(SideCurveLookup, FirstPointAwayFromOriginIsReachedFromTheOrigin) {
    // A user curve starting at (t, z) = (5, 0.01): below it the value rises linearly from 0.
    const TzCurve c = Curve(0.0f, {{5.0f, 0.01f}, {10.0f, 0.02f}});
    EXPECT_FLOAT_EQ(CurveValueAt(c, 0.005f), 2.5f);
    EXPECT_EQ(CurveValueAt(c, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(c, 0.015f), 7.5f);
}

TEST(SideCurveLookup, BetweenCurveDepths) {
    // t = 100 z at depth 10, t = 300 z at depth 20, both up to z = 1.
    const std::vector<TzCurve> curves = {Curve(10.0f, {{0.0f, 0.0f}, {100.0f, 1.0f}}),
                                         Curve(20.0f, {{0.0f, 0.0f}, {300.0f, 1.0f}})};
    EXPECT_FLOAT_EQ(SideValueAt(curves, 5.0f, 0.5f), 50.0f); // above the first: first alone
    EXPECT_FLOAT_EQ(SideValueAt(curves, 10.0f, 0.5f), 50.0f);
    EXPECT_FLOAT_EQ(SideValueAt(curves, 15.0f, 0.5f), 100.0f); // halfway: (50 + 150) / 2
    EXPECT_FLOAT_EQ(SideValueAt(curves, 17.5f, 0.5f), 125.0f); // 50 + 100 * 0.75
    EXPECT_FLOAT_EQ(SideValueAt(curves, 20.0f, 0.5f), 150.0f);
    EXPECT_FLOAT_EQ(SideValueAt(curves, 40.0f, 0.5f), 150.0f); // below the last: last alone
    EXPECT_EQ(SideValueAt({}, 15.0f, 0.5f), 0.0f);

    const CurvePosition at = LocateCurves(curves, 12.5f);
    EXPECT_EQ(at.lower, 0);
    EXPECT_EQ(at.upper, 1);
    EXPECT_FLOAT_EQ(at.fraction, 0.25f);
    EXPECT_EQ(LocateCurves(curves, 20.0f).lower, -1);
}

TEST(AxialStiffnessLookup, InterpolatesAndKeepsEndValues) {
    const std::vector<float> depth = {0.0f, 50.0f, 100.0f};
    const std::vector<float> ae = {1.0e6f, 2.0e6f, 4.0e6f};
    EXPECT_FLOAT_EQ(AeAt(depth, ae, -5.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 0.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 25.0f), 1.5e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 50.0f), 2.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 75.0f), 3.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 120.0f), 4.0e6f);
}

TEST(AxialStiffnessLookup, StepInTheTableStaysFinite) {
    // A change of section at depth 50: two rows at the same depth.
    const std::vector<float> depth = {0.0f, 50.0f, 50.0f, 100.0f};
    const std::vector<float> ae = {1.0e6f, 1.0e6f, 3.0e6f, 3.0e6f};
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 50.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 60.0f), 3.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 40.0f), 1.0e6f);
}
