#include "kernel/Phases.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dorvek {
namespace {

using namespace dorvek::testing;

void ExpectFiniteCurves(const Store& s) {
    for (const TzCurve& c : s.sideCurves) {
        for (float t : c.t) EXPECT_TRUE(std::isfinite(t));
        for (float z : c.z) EXPECT_TRUE(std::isfinite(z));
    }
}

// Clay 0..100 (UNIT SIDE 1 -> 3) over API sand 100..200 (UNIT SIDE 10 -> 20, ZPEAK 0.1).
Store ClayOverApiSand() {
    Store s;
    SetEnglish(s);
    s.diameter = 24;
    AddLayer(s, 1, 0, 100, {.unitSide = 1}, {.unitSide = 3});
    AddLayer(s, 6, 100, 200, {.phi1 = 32, .zpeak = 0.1f, .unitSide = 10},
             {.phi1 = 36, .zpeak = 0.1f, .unitSide = 20});
    return s;
}

TEST(ReportSideCurves, FivePerLayerInsideTheLayer) {
    Store s = ClayOverApiSand();
    Capture report;
    ASSERT_EQ(GenerateReportSideCurves(s, report.writer), 0);
    EXPECT_EQ(report.text(), "");
    ASSERT_EQ(s.sideCurves.size(), 10u);
    // XTOP, (XTOP + m) / 2, m, ((XBOT - 0.01) + m) / 2, XBOT - 0.01.
    const double depths[] = {0, 25, 50, 74.995, 99.99, 100, 125, 150, 174.995, 199.99};
    for (int j = 0; j < 10; ++j) {
        const TzCurve& c = s.sideCurves[static_cast<std::size_t>(j)];
        EXPECT_EQ(c.number, j + 1);
        ExpectNear(depths[j], c.depth);
        EXPECT_EQ(c.type, j < 5 ? 1 : 6);
        EXPECT_EQ(c.t.size(), 10u);
        EXPECT_EQ(c.z.size(), 10u);
    }
    // The last clay curve keeps its own layer's values: 1 + 99.99 * 2 / 100.
    ExpectNear(2.9998, s.sideCurves[4].tmax);
    ExpectNear(0.93 * 2.9998, s.sideCurves[4].t[9]);
    // The first sand curve: TMAX 10, movements of zpeak 0.1, PHI 32.
    EXPECT_EQ(s.sideCurves[5].tmax, 10.0f);
    EXPECT_EQ(s.sideCurves[5].phi, 32.0f);
    ExpectAllNear({0, 0.016, 0.031, 0.057, 0.08, 0.1, 0.2, 0.3, 0.5, 2}, s.sideCurves[5].z);
    ExpectNear(19.999, s.sideCurves[9].tmax);
}

TEST(ReportSideCurves, ReplaceWhatWasInTheStore) {
    Store s = ClayOverApiSand();
    s.sideCurves.resize(3);
    Capture report;
    ASSERT_EQ(GenerateReportSideCurves(s, report.writer), 0);
    EXPECT_EQ(s.sideCurves.size(), 10u);
}

// Clay 0..100, sand 100..200, shaft clay 200..300; UNIT SIDE 1, 2 | 10, 20 | 30, 40.
Store ThreeLayers() {
    Store s;
    SetEnglish(s);
    s.diameter = 24;
    AddLayer(s, 1, 0, 100, {.unitSide = 1}, {.unitSide = 2});
    AddLayer(s, 2, 100, 200, {.phi1 = 30, .unitSide = 10}, {.phi1 = 30, .unitSide = 20});
    AddLayer(s, 3, 200, 300, {.unitSide = 30}, {.unitSide = 40});
    return s;
}

TEST(SolverSideCurves, OnePerIncrementMidDepth) {
    Store s = ThreeLayers();
    s.head = 10;
    s.length = 280;
    s.ninc = 4;
    Capture report;
    ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
    ASSERT_EQ(s.sideCurves.size(), 4u);
    // head + (k - 0.5) * 280 / 4 = 45, 115, 185, 255.
    const float depths[] = {45, 115, 185, 255};
    const int types[] = {1, 2, 2, 3};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(s.sideCurves[static_cast<std::size_t>(j)].number, j + 1);
        EXPECT_EQ(s.sideCurves[static_cast<std::size_t>(j)].depth, depths[j]);
        EXPECT_EQ(s.sideCurves[static_cast<std::size_t>(j)].type, types[j]);
    }
    // TMAX(255) = 30 + 55 * 10 / 100.
    ExpectNear(35.5, s.sideCurves[3].tmax);
}

TEST(SolverSideCurves, BoundaryDepthsTakeTheStatedLayerTypeAndTheDeeperValues) {
    Store s = ThreeLayers();
    s.head = 50;
    s.length = 200;
    s.ninc = 2; // mid-depths 100 and 200, both on boundaries
    Capture report;
    ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
    // 100 <= XBOT(1): type 1, but UNIT SIDE of the sand's top row.
    EXPECT_EQ(s.sideCurves[0].type, 1);
    EXPECT_EQ(s.sideCurves[0].tmax, 10.0f);
    ExpectNear(0.18 * 10, s.sideCurves[0].t[1]);
    // 200 >= XTOP(3): the last layer's type and values.
    EXPECT_EQ(s.sideCurves[1].type, 3);
    EXPECT_EQ(s.sideCurves[1].tmax, 30.0f);
    ExpectNear(0.51 * 30, s.sideCurves[1].t[1]);
}

TEST(SolverSideCurves, AboveTheGroundSurfaceNoSideResistance) {
    for (bool si : {false, true}) {
        Store s;
        si ? SetSi(s) : SetEnglish(s);
        s.diameter = 0.5f;
        AddLayer(s, 3, 10, 50, {.phi1 = 20, .unitSide = 5});
        s.head = 0;
        s.length = 40;
        s.ninc = 4; // 5 lies above the ground at 10
        Capture report;
        ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
        const TzCurve& c = s.sideCurves[0];
        EXPECT_EQ(c.tmax, 0.0f);
        EXPECT_EQ(c.type, 3);
        for (float t : c.t) EXPECT_EQ(t, 0.0f);
        ExpectNear(si ? 0.254 : 10.0, c.z[9]);
        ExpectNear(si ? 0.000254 : 0.01, c.z[1]);
        EXPECT_EQ(s.sideCurves[1].tmax, 5.0f);
    }
}

TEST(SolverSideCurves, SandWithoutPhiTakesItFromTheBlowCount) {
    Store s;
    SetEnglish(s);
    s.diameter = 24;
    AddLayer(s, 2, 0, 100, {.blowCount = 10, .unitSide = 5});
    AddLayer(s, 1, 100, 200, {.blowCount = 10, .unitSide = 5});
    AddLayer(s, 4, 200, 300, {.unitSide = 5});
    s.length = 300;
    s.ninc = 3;
    Capture report;
    ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
    EXPECT_EQ(s.sideCurves[0].phi, 38.0f); // A(10)
    EXPECT_EQ(s.sideCurves[1].phi, 0.0f);  // clay: no blow-count angle
    EXPECT_EQ(s.sideCurves[2].phi, 0.0f);  // no blow count either
    // Driven sand at phi 38: K = 14000 + 3 * 1333.3 = 17999.9; t(10) = 10 / (2 + 144 / K).
    ExpectNear(10 / (10 / 5.0 + 144 / 17999.9), s.sideCurves[0].t[9]);
}

TEST(SolverSideCurves, BelowTheStrengthTableStopsWith6) {
    Store s;
    SetEnglish(s);
    AddLayer(s, 1, 0, 100, {.unitSide = 5});
    s.length = 300;
    s.ninc = 3; // 50 is fine, 150 is not
    Capture report;
    EXPECT_EQ(GenerateSolverSideCurves(s, report.writer), 6);
    EXPECT_EQ(s.sideCurves.size(), 1u);
    EXPECT_EQ(report.text(), Lines({"           2   1.000000E+02", " **** WARNING ****",
                                    " THE VALUE OF X =   1.500000E+02", " IS BEYOND THE EXTENT OF",
                                    " THE INPUT STRENGTH CURVE"}));
}

TEST(SolverSideCurves, NaNDepthIsBeyondTheTableNotACurve) {
    Store s;
    SetEnglish(s);
    AddLayer(s, 1, 0, 100, {.unitSide = 5});
    s.length = std::numeric_limits<float>::quiet_NaN();
    s.ninc = 2;
    Capture report;
    EXPECT_EQ(GenerateSolverSideCurves(s, report.writer), 6);
    EXPECT_TRUE(s.sideCurves.empty());
}

TEST(SideCurveFaults, DiameterNeededButZeroStopsWith9) {
    Store s;
    SetEnglish(s);
    s.diameter = 0;
    AddLayer(s, 3, 0, 100, {.unitSide = 5});
    s.length = 100;
    s.ninc = 1;
    Capture report;
    EXPECT_EQ(GenerateSolverSideCurves(s, report.writer), 9);
    EXPECT_TRUE(s.sideCurves.empty());
    EXPECT_EQ(report.text(),
              Lines({" **** WARNING ****", " THE VALUE OF X =   5.000000E+01",
                     " THE VALUE OF D =   0.000000E+00",
                     " IS NOT GREATER THAN ZERO:", " NO T-Z CURVE CAN BE BUILT AT THIS DEPTH"}));
}

TEST(SideCurveFaults, ApiShapesNeedTheDiameterOnlyWithoutZpeak) {
    Store s;
    SetEnglish(s);
    s.diameter = 0;
    AddLayer(s, 5, 0, 100, {.zpeak = 0.1f, .unitSide = 5});
    AddLayer(s, 6, 100, 200, {.zpeak = 0, .unitSide = 5});
    Capture report;
    EXPECT_EQ(GenerateReportSideCurves(s, report.writer), 9);
    EXPECT_EQ(s.sideCurves.size(), 5u);
    EXPECT_NE(report.text().find(" THE VALUE OF X =   1.000000E+02\r\n"), std::string::npos);
}

TEST(SideCurveFaults, SoilTypeWithoutAMethodStopsWith9) {
    Store s;
    SetEnglish(s);
    AddLayer(s, 7, 0, 100, {.unitSide = 5});
    Capture report;
    EXPECT_EQ(GenerateReportSideCurves(s, report.writer), 9);
    EXPECT_EQ(report.text(), Lines({" **** WARNING ****", " THE VALUE OF X =   0.000000E+00",
                                    " THE VALUE OF SOIL TYPE =           7",
                                    " IS NOT ONE OF THE SOIL TYPES 1 TO 6:",
                                    " NO T-Z CURVE CAN BE BUILT AT THIS DEPTH"}));
}

TEST(SideCurveFaults, NonFiniteOrOverflowingInputStopsWith9) {
    {
        Store s;
        SetEnglish(s);
        AddLayer(s, 1, 0, 100, {.unitSide = std::numeric_limits<float>::infinity()});
        Capture report;
        EXPECT_EQ(GenerateReportSideCurves(s, report.writer), 9);
        EXPECT_EQ(report.text(), Lines({" **** WARNING ****", " THE VALUE OF X =   0.000000E+00",
                                        " THE VALUE OF UNIT SIDE", " IS NOT A FINITE NUMBER:",
                                        " NO T-Z CURVE CAN BE BUILT AT THIS DEPTH"}));
    }
    {
        // 3e38 * 2 overflows single precision.
        Store s;
        SetEnglish(s);
        s.diameter = 24;
        AddLayer(s, 5, 0, 100, {.tresRatio = 2, .unitSide = 3e38f});
        Capture report;
        EXPECT_EQ(GenerateReportSideCurves(s, report.writer), 9);
        EXPECT_EQ(report.text(),
                  Lines({" **** WARNING ****", " THE VALUE OF X =   0.000000E+00",
                         " THE VALUE OF UNIT SIDE =   3.000000E+38",
                         " GIVES NO FINITE CURVE:", " NO T-Z CURVE CAN BE BUILT AT THIS DEPTH"}));
    }
}

TEST(SideCurveFaults, ZeroSideFrictionInSandIsAFlatZeroCurve) {
    for (int iunit : {1, 2}) {
        Store s;
        s.iunit = iunit;
        AddLayer(s, 2, 0, 100, {.phi1 = 30, .unitSide = 0});
        Capture report;
        ASSERT_EQ(GenerateReportSideCurves(s, report.writer), 0);
        for (const TzCurve& c : s.sideCurves)
            for (float t : c.t) EXPECT_EQ(t, 0.0f);
        ExpectFiniteCurves(s);
    }
}

TEST(SolverSideCurves, NoLayersGiveZeroCurvesAndAWarning) {
    Store s;
    SetEnglish(s);
    s.length = 100;
    s.ninc = 2;
    Capture report;
    ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
    ASSERT_EQ(s.sideCurves.size(), 2u);
    for (const TzCurve& c : s.sideCurves)
        for (float t : c.t) EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(report.text(), Lines({" **** WARNING ****", " THERE ARE NO SOIL LAYERS:",
                                    " THE T-Z CURVES CARRY NO SIDE RESISTANCE"}));
    Capture none;
    ASSERT_EQ(GenerateReportSideCurves(s, none.writer), 0);
    EXPECT_TRUE(s.sideCurves.empty());
}

TEST(SolverSideCurves, NoIncrementsNoCurves) {
    Store s = ThreeLayers();
    s.length = 100;
    s.ninc = 0;
    Capture report;
    EXPECT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
    EXPECT_TRUE(s.sideCurves.empty());
}

} // namespace
} // namespace dorvek
