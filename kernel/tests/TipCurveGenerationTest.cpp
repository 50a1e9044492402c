#include "kernel/Phases.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace dorvek {
namespace {

using namespace dorvek::testing;

const std::vector<double> kSandMoveIn{0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 0.75, 1.0};

// One layer 0..200 of the given type; pile head at 0, tip at 100, D = 24 in.
Store OneLayer(int type, StrengthRow row) {
    Store s;
    SetEnglish(s);
    s.methodTz = 1;
    s.head = 0;
    s.length = 100;
    s.diameter = 24;
    s.tipArea = 452.39f;
    AddLayer(s, type, 0, 200, row);
    return s;
}

int Generate(Store& s, std::string& text) {
    Capture report;
    const int code = GenerateTipCurve(s, report.writer);
    text = report.text();
    return code;
}

TEST(GeneratedTipCurve, DrivenClayWithoutUnitTipUsesNineC) {
    Store s = OneLayer(1, {.c1 = 10, .ee50 = 0.01f});
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    EXPECT_EQ(text, "");
    // q = 9 * 10 = 90 psi, Qmax = 90 * 452.39 = 40715.1 lb; wf = 8 * 0.01 * 24 = 1.92 in.
    ExpectAllNear({0, 0.24, 0.48, 0.72, 0.96, 1.2, 1.44, 1.68, 1.92, 19.2}, s.qwW);
    ExpectAllNear(Times(kDrivenClayRatio, 40715.1), s.qwQ);
}

TEST(GeneratedTipCurve, DrivenClayInSi) {
    // C1 100 kPa: q = 900, Qmax = 900 * 0.2919 = 262.71 kN; D = 0.6096 m = 24 in.
    Store s = OneLayer(1, {.c1 = 100, .ee50 = 0.01f});
    SetSi(s);
    s.diameter = 0.6096f;
    s.tipArea = 0.2919f;
    s.length = 30;
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    ExpectAllNear(Times({0, 0.24, 0.48, 0.72, 0.96, 1.2, 1.44, 1.68, 1.92, 19.2}, 0.0254), s.qwW);
    ExpectAllNear(Times(kDrivenClayRatio, 262.71), s.qwQ);
}

TEST(GeneratedTipCurve, ClayUnitTipThreshold) {
    // At 1e-5 the unit tip is replaced by 9 * C1; just above it is used as given.
    Store at = OneLayer(3, {.c1 = 10, .unitTip = 1e-5f});
    Store above = OneLayer(3, {.c1 = 10, .unitTip = 2e-5f});
    std::string text;
    ASSERT_EQ(Generate(at, text), 0);
    ASSERT_EQ(Generate(above, text), 0);
    ExpectNear(0.99 * 90 * 452.39, at.qwQ[9]);
    ExpectNear(0.99 * 2e-5 * 452.39, above.qwQ[9]);
    ExpectAllNear({0, 0.12, 0.24, 0.36, 0.6, 0.72, 0.96, 1.2, 1.68, 2.4}, at.qwW);
}

TEST(GeneratedTipCurve, ApiClayWithUnitTipNeedsNoEE50) {
    Store s = OneLayer(5, {.c1 = 10, .ee50 = 0, .unitTip = 100});
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    ExpectAllNear(Times({0, 0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1, 1, 1}, 45239), s.qwQ);
}

// Sand, phi 30, GAM1 0.04 throughout: g = 0.04 and q' = 100 * 0.04 * Nq(30) = 73.60601 psi.
Store Sand(int type) {
    return OneLayer(type, {.gam1 = 0.04f, .phi1 = 30});
}

TEST(GeneratedTipCurve, DrivenSandTakesPhiStarFromTheDeepestSideCurve) {
    Store s = Sand(2);
    s.tipArea = 100;
    TzCurve deepest;
    deepest.phi = 36;
    s.sideCurves = {TzCurve{}, deepest};
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    ExpectAllNear(kSandMoveIn, s.qwW);
    // Qmax = 7360.601; phi* = 36: n = 0.333, Q(1 in) = 7360.601 * (1 / 1.2)^0.333.
    ExpectNear(6927.0118, s.qwQ[9], 3e-6);
}

TEST(GeneratedTipCurve, DrivenSandWithUserSideCurvesUsesThePhiAtTheTip) {
    Store s = Sand(2);
    s.tipArea = 100;
    s.methodTz = 2;
    TzCurve user; // user curves carry no friction angle
    s.sideCurves = {user};
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    // phi* = 30: n = 0.5, Q(1 in) = 7360.601 * sqrt(1 / 1.2).
    ExpectNear(7360.601 * 0.9128709, s.qwQ[9], 3e-6);
}

TEST(GeneratedTipCurve, SandUnitTipThresholdAndBlowCount) {
    // UNIT TIP at 0.0001 is replaced; just above it is used as given.
    Store at = OneLayer(6, {.gam1 = 0.04f, .phi1 = 30, .unitTip = 0.0001f});
    Store above = OneLayer(6, {.gam1 = 0.04f, .phi1 = 30, .unitTip = 0.0002f});
    at.tipArea = above.tipArea = 100;
    std::string text;
    ASSERT_EQ(Generate(at, text), 0);
    ASSERT_EQ(Generate(above, text), 0);
    ExpectNear(7360.601, at.qwQ[9], 3e-6);
    ExpectNear(0.02, above.qwQ[9]);
    // No PHI1: blow count 10 gives 38 degrees, q' = 100 * 0.04 * Nq(38) = 195.7383.
    Store blows = OneLayer(4, {.gam1 = 0.04f, .blowCount = 10});
    blows.tipArea = 1;
    ASSERT_EQ(Generate(blows, text), 0);
    ExpectNear(1.46 * 195.7383, blows.qwQ[9], 3e-6);
    ExpectAllNear({0, 0.12, 0.24, 0.36, 0.6, 0.72, 0.96, 1.2, 1.68, 2.4}, blows.qwW);
}

TEST(GeneratedTipCurve, TipOnABoundaryUsesTheLowerLayersMethod) {
    // Clay over sand with the tip on the boundary: the lookups return the sand's values
    // (EE50 = 0 there), so the sand's method must build the curve.
    Store s;
    SetEnglish(s);
    s.length = 100;
    s.diameter = 24;
    s.tipArea = 100;
    AddLayer(s, 1, 0, 100, {.gam1 = 0.04f, .c1 = 10, .ee50 = 0.01f});
    AddLayer(s, 2, 100, 200, {.gam1 = 0.04f, .phi1 = 30, .unitTip = 50});
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    EXPECT_EQ(text, "");
    ExpectAllNear(kSandMoveIn, s.qwW);
    // Qmax = 50 * 100, phi* = PHI at the tip (no side curves) = 30: sqrt(1 / 1.2).
    ExpectNear(5000 * 0.9128709, s.qwQ[9]);
}

TEST(GeneratedTipCurve, DrivenClayWithoutEE50StopsWith9) {
    Store s = OneLayer(1, {.c1 = 10, .ee50 = 0});
    std::string text;
    EXPECT_EQ(Generate(s, text), 9);
    EXPECT_TRUE(s.qwQ.empty());
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                           " THE VALUE OF EE50 =   0.000000E+00", " IS NOT GREATER THAN ZERO:",
                           " NO Q-W CURVE CAN BE BUILT AT THE PILE TIP"}));
}

TEST(GeneratedTipCurve, ZeroDiameterStopsWith9) {
    for (int type = 1; type <= 6; ++type) {
        Store s = OneLayer(type, {.gam1 = 0.04f, .c1 = 10, .phi1 = 30, .ee50 = 0.01f});
        s.diameter = 0;
        std::string text;
        EXPECT_EQ(Generate(s, text), 9) << "type " << type;
        EXPECT_EQ(text, Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                               " THE VALUE OF D =   0.000000E+00", " IS NOT GREATER THAN ZERO:",
                               " NO Q-W CURVE CAN BE BUILT AT THE PILE TIP"}));
    }
}

TEST(GeneratedTipCurve, SandTipAtTheGroundSurfaceHasNoVerticalStress) {
    // Ground at 10, tip at 10: no 0/0; Qmax = 0 unless UNIT TIP is given.
    for (float unitTip : {0.0f, 50.0f}) {
        Store s;
        SetEnglish(s);
        s.length = 10;
        s.diameter = 24;
        s.tipArea = 100;
        AddLayer(s, 2, 10, 110, {.gam1 = 0.02f, .phi1 = 30, .unitTip = unitTip});
        std::string text;
        ASSERT_EQ(Generate(s, text), 0);
        ASSERT_EQ(s.qwQ.size(), 10u);
        for (float q : s.qwQ) EXPECT_TRUE(std::isfinite(q));
        ExpectNear(unitTip * 100 * 0.9128709, s.qwQ[9]);
    }
}

TEST(GeneratedTipCurve, SandTipAboveTheGroundHasNoVerticalStress) {
    Store s = Sand(6);
    s.head = -150; // tip at -50
    std::string text;
    ASSERT_EQ(Generate(s, text), 0);
    for (float q : s.qwQ) EXPECT_EQ(q, 0.0f);
}

TEST(GeneratedTipCurve, TipBelowTheLastLayerHasNoCurveAndSaysSo) {
    Store s = OneLayer(1, {.c1 = 10, .ee50 = 0.01f});
    s.length = 250;
    s.qwQ = {1, 2};
    s.qwW = {1, 2};
    std::string text;
    EXPECT_EQ(Generate(s, text), 0);
    EXPECT_TRUE(s.qwQ.empty());
    EXPECT_TRUE(s.qwW.empty());
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THE PILE TIP LIES BELOW THE LAST SOIL LAYER:",
                           " NO Q-W CURVE IS GENERATED AND THE TIP CARRIES NO LOAD"}));
    Store none;
    EXPECT_EQ(Generate(none, text), 0);
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THERE ARE NO SOIL LAYERS:",
                           " NO Q-W CURVE IS GENERATED AND THE TIP CARRIES NO LOAD"}));
}

TEST(GeneratedTipCurve, TipAtTheLastStrengthPointIsAccepted) {
    Store s = OneLayer(6, {.gam1 = 0.04f, .phi1 = 30, .unitTip = 10});
    s.length = 200;
    std::string text;
    EXPECT_EQ(Generate(s, text), 0);
    EXPECT_EQ(s.qwQ.size(), 10u);
}

// Layer 0..200 whose strength rows end at 80 (so the tip at 100 lies below them).
Store ShortTable(int type) {
    Store s = OneLayer(type, {.c1 = 10, .phi1 = 30, .ee50 = 0.01f});
    s.strength[1].xstr = 80;
    return s;
}

TEST(GeneratedTipCurve, TipBelowTheStrengthTable) {
    const std::string strength = Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                                        " IS BEYOND THE EXTENT OF", " THE INPUT STRENGTH CURVE"});
    // Clays stop at their first strength lookup (C1, or EE50 for type 5) with 5.
    for (int type : {1, 3, 5}) {
        Store s = ShortTable(type);
        std::string text;
        EXPECT_EQ(Generate(s, text), 5) << "type " << type;
        EXPECT_EQ(text, strength);
    }
    // Sands stop at PHI1 with 8.
    for (int type : {2, 4, 6}) {
        Store s = ShortTable(type);
        std::string text;
        EXPECT_EQ(Generate(s, text), 8) << "type " << type;
        EXPECT_EQ(text, strength);
    }
}

TEST(GeneratedTipCurve, SoilTypeWithoutAMethodStopsWith9) {
    Store s = OneLayer(0, {.c1 = 10});
    std::string text;
    EXPECT_EQ(Generate(s, text), 9);
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                           " THE VALUE OF SOIL TYPE =           0",
                           " IS NOT ONE OF THE SOIL TYPES 1 TO 6:",
                           " NO Q-W CURVE CAN BE BUILT AT THE PILE TIP"}));
}

TEST(GeneratedTipCurve, BearingFactorOverflowStopsWith9) {
    // tan(89 deg) = 57.3: exp(3.1416 * 57.3) is beyond single precision.
    Store s = OneLayer(6, {.gam1 = 0.04f, .phi1 = 89});
    std::string text;
    EXPECT_EQ(Generate(s, text), 9);
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                           " THE VALUE OF PHI1 =   8.900000E+01", " GIVES NO FINITE CURVE:",
                           " NO Q-W CURVE CAN BE BUILT AT THE PILE TIP"}));
}

TEST(GeneratedTipCurve, NonFiniteTipAreaStopsWith9) {
    Store s = OneLayer(3, {.c1 = 10});
    s.tipArea = std::numeric_limits<float>::infinity();
    std::string text;
    EXPECT_EQ(Generate(s, text), 9);
    EXPECT_EQ(text, Lines({" **** WARNING ****", " THE VALUE OF X =   1.000000E+02",
                           " THE VALUE OF TIPAREA", " IS NOT A FINITE NUMBER:",
                           " NO Q-W CURVE CAN BE BUILT AT THE PILE TIP"}));
}

} // namespace
} // namespace dorvek
