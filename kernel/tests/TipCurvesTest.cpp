#include "kernel/TipCurves.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace dorvek {
namespace {

using namespace dorvek::testing;

TEST(TipCurveDrivenClay, EE50OfOnePercentOnA24InchPile) {
    // w50 = 2 * 0.01 * 24 = 0.48, wf = 1.92: w = 0, 0.24, ..., 1.68, 1.92, 19.2.
    const QwPoints c = TipCurveDrivenClay(1000, 0.01f, 24, false);
    ExpectAllNear({0, 0.24, 0.48, 0.72, 0.96, 1.2, 1.44, 1.68, 1.92, 19.2}, c.w);
    ExpectAllNear(Times(kDrivenClayRatio, 1000), c.q);
}

TEST(TipCurveDrivenClay, SiWorksInInchesAndKips) {
    // 0.6096 m = 24 in, 4.448 kN = 1 kip: the same curve in metres and kN.
    const QwPoints c = TipCurveDrivenClay(4.448f, 0.01f, 0.6096f, true);
    ExpectAllNear(Times({0, 0.24, 0.48, 0.72, 0.96, 1.2, 1.44, 1.68, 1.92, 19.2}, 0.0254), c.w);
    ExpectAllNear(Times(kDrivenClayRatio, 4.448), c.q);
}

const std::vector<double> kSandMoveIn{0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 0.75, 1.0};

TEST(TipCurveDrivenSand, ExponentFromPhiStar) {
    EXPECT_EQ(DrivenSandTipExponent(31), 0.5f);
    EXPECT_EQ(DrivenSandTipExponent(31.5f), 0.333f);
    EXPECT_EQ(DrivenSandTipExponent(38), 0.333f);
    EXPECT_EQ(DrivenSandTipExponent(38.5f), 0.25f);
}

TEST(TipCurveDrivenSand, SquareRootBelowThirtyOneDegrees) {
    // wc = 0.05 * 24 = 1.2 in; Q = 1000 * sqrt(w / 1.2), not capped.
    const QwPoints c = TipCurveDrivenSand(1000, 31, 24, false);
    ExpectAllNear(kSandMoveIn, c.w);
    ExpectAllNear({0, 9.128709, 64.54972, 91.28709, 204.1241, 288.6751, 408.2483, 645.4972,
                   790.5694, 912.8709},
                  c.q);
}

TEST(TipCurveDrivenSand, ThirdPowerAboveThirtyOneDegrees) {
    // Q = 1000 * (w / 1.2)^0.333.
    const QwPoints c = TipCurveDrivenSand(1000, 31.5f, 24, false);
    ExpectAllNear({0, 43.81599, 161.2091, 203.0639, 347.0481, 437.1522, 550.6500, 747.1188,
                   855.1219, 941.0932},
                  c.q);
    ExpectNear(955.4428, TipCurveDrivenSand(1000, 40, 24, false).q[9]);
}

TEST(TipCurveDrivenSand, SiWorksInInchesAndKips) {
    // D = 0.6 m: wc = 0.03 / 0.0254 = 1.181102 in; Q = 4.448 * sqrt(w / wc) kN.
    const QwPoints c = TipCurveDrivenSand(4.448f, 30, 0.6f, true);
    ExpectAllNear(Times(kSandMoveIn, 0.0254), c.w);
    ExpectNear(4.448 * 0.009201449, c.q[1]);
    ExpectNear(4.448 * 0.9201449, c.q[9]);
}

TEST(TipCurveShapes, DrilledShaftsAndApiScaleWithTheDiameter) {
    const QwPoints clay = TipCurveShaftClay(1000, 24);
    ExpectAllNear({0, 0.12, 0.24, 0.36, 0.6, 0.72, 0.96, 1.2, 1.68, 2.4}, clay.w);
    ExpectAllNear({0, 395, 560, 700, 865, 900, 950, 970, 980, 990}, clay.q);
    const QwPoints sand = TipCurveShaftSand(100, 0.5f);
    ExpectAllNear({0, 0.0025, 0.005, 0.0075, 0.0125, 0.015, 0.02, 0.025, 0.035, 0.05}, sand.w);
    ExpectAllNear({0, 20, 34.5, 48.5, 64, 73, 83, 101.5, 119.5, 146}, sand.q);
    const std::vector<double> apiW{0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8};
    const std::vector<double> apiQ{0, 62.5, 125, 250, 500, 750, 900, 1000, 1000, 1000};
    for (const QwPoints& api : {TipCurveApiClay(1000, 24), TipCurveApiSand(1000, 24)}) {
        ExpectAllNear(apiW, api.w);
        ExpectAllNear(apiQ, api.q);
    }
}

TEST(TipBearingStress, BearingFactorWithPiAs3_1416) {
    // Nq(30) = tan^2(60.0 deg) * exp(3.1416 * tan(30 deg)) = 18.40150 (angles via 3.1416);
    // transcendental functions in single precision: relative 2e-6.
    ExpectNear(100 * 0.04 * 18.40150277, TipBearingStress(30, 100, 0.04f), 2e-6);
    ExpectNear(100 * 0.04 * 37.75344488, TipBearingStress(36, 100, 0.04f), 2e-6);
    ExpectNear(50 * 0.02 * 1.00000735, TipBearingStress(0, 50, 0.02f), 2e-6);
    EXPECT_EQ(TipBearingStress(30, 0, 0), 0.0f);
}

// GAM1 0.03 -> 0.04 over 0..100, 0.05 over 100..200.
Store UnitWeights(float ground = 0) {
    Store s;
    AddLayer(s, 2, ground, ground + 100, {.gam1 = 0.03f}, {.gam1 = 0.04f});
    AddLayer(s, 2, ground + 100, ground + 200, {.gam1 = 0.05f});
    return s;
}

TEST(MeanUnitWeight, TrapezoidsCutAtTheTip) {
    const Store s = UnitWeights();
    // 0.5 * (0.03 + 0.035) * 50 / 50.
    ExpectNear(0.0325, MeanUnitWeight(s, 50));
    // (0.5 * (0.03 + 0.04) * 100) / 100; the zero-length step at 100 adds nothing.
    ExpectNear(0.035, MeanUnitWeight(s, 100));
    // (3.5 + 0.05 * 50) / 150.
    ExpectNear(0.04, MeanUnitWeight(s, 150));
    // (3.5 + 0.05 * 100) / 200.
    ExpectNear(8.5 / 200, MeanUnitWeight(s, 200));
}

TEST(MeanUnitWeight, ZeroAtOrAboveTheGroundAndWithOneRow) {
    EXPECT_EQ(MeanUnitWeight(UnitWeights(), 0), 0.0f);
    EXPECT_EQ(MeanUnitWeight(UnitWeights(), -5), 0.0f);
    // Ground at 10: no 0/0 at the surface itself; below it, divided by xt - 10.
    EXPECT_EQ(MeanUnitWeight(UnitWeights(10), 10), 0.0f);
    ExpectNear(0.0325, MeanUnitWeight(UnitWeights(10), 60));
    Store one;
    one.layers.push_back({1, 2, 0, 100});
    one.strength.push_back({.xstr = 0, .gam1 = 0.04f});
    EXPECT_EQ(MeanUnitWeight(one, 0), 0.0f);
}

TEST(UnitWeightAtTip, BelowTheLastDepthSets4) {
    const Store s = UnitWeights();
    Capture report;
    int ierr = 0;
    ExpectNear(8.5 / 200, UnitWeightAtTip(s, 200, ierr, report.writer));
    EXPECT_EQ(UnitWeightAtTip(s, -20, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(UnitWeightAtTip(s, 210, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 4);
    EXPECT_EQ(report.text(),
              Lines({" **** WARNING ****", " THE VALUE OF X =   2.100000E+02",
                     " IS BEYOND THE EXTENT OF", " THE INPUT CURVE FOR UNIT WEIGHT"}));
}

TEST(UnitWeightAtTip, TestedEvenWithASingleRow) {
    Store one;
    one.layers.push_back({1, 2, 0, 100});
    one.strength.push_back({.xstr = 0, .gam1 = 0.04f});
    Capture report;
    int ierr = 0;
    EXPECT_EQ(UnitWeightAtTip(one, 0, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 0);
    UnitWeightAtTip(one, 1, ierr, report.writer);
    EXPECT_EQ(ierr, 4);
}

TEST(TipLayerIndex, BoundaryGoesToTheLowerLayer) {
    const std::vector<Layer> two{{1, 1, 0, 100}, {2, 2, 100, 200}};
    EXPECT_EQ(TipLayerIndex(two, -10), 0);
    EXPECT_EQ(TipLayerIndex(two, 50), 0);
    EXPECT_EQ(TipLayerIndex(two, 100), 1);
    EXPECT_EQ(TipLayerIndex(two, 200), 1);
    EXPECT_EQ(TipLayerIndex(two, 200.01f), -1);
    EXPECT_EQ(TipLayerIndex({}, 0), -1);
    // A gap: its upper edge stays with the layer above.
    const std::vector<Layer> gap{{1, 1, 0, 100}, {2, 2, 150, 200}};
    EXPECT_EQ(TipLayerIndex(gap, 100), 0);
    EXPECT_EQ(TipLayerIndex(gap, 120), 1);
    // A layer of no thickness on the boundary is passed like the strength lookup passes it.
    const std::vector<Layer> thin{{1, 1, 0, 100}, {2, 3, 100, 100}, {3, 2, 100, 200}};
    EXPECT_EQ(TipLayerIndex(thin, 100), 2);
}

} // namespace
} // namespace dorvek
