#include "kernel/SideCurves.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace dorvek {
namespace {

using namespace dorvek::testing;

TzCurve WithTmax(float tmax, float phi = 0) {
    TzCurve c;
    c.tmax = tmax;
    c.phi = phi;
    return c;
}

const std::vector<double> kDrivenMoveIn{0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10};

TEST(SideCurveDrivenClay, FivePsiInInches) {
    TzCurve c = WithTmax(5);
    SideCurveDrivenClay(c, false);
    // t = 5 * (0, 0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93).
    ExpectAllNear({0, 0.9, 1.9, 3.95, 4.85, 5, 4.85, 4.65, 4.65, 4.65}, c.t);
    ExpectAllNear(kDrivenMoveIn, c.z);
}

TEST(SideCurveDrivenClay, SiMovementsInMetres) {
    TzCurve c = WithTmax(34.5f);
    SideCurveDrivenClay(c, true);
    ExpectAllNear({0, 6.21, 13.11, 27.255, 33.465, 34.5, 33.465, 32.085, 32.085, 32.085}, c.t);
    ExpectAllNear(
        {0, 0.000254, 0.000508, 0.001016, 0.001524, 0.002032, 0.003048, 0.004064, 0.0127, 0.254},
        c.z);
}

TEST(SideCurveDrivenSand, ModulusBands) {
    EXPECT_EQ(DrivenSandModulus(0), 6000.0f);
    EXPECT_EQ(DrivenSandModulus(28), 6000.0f);
    ExpectNear(6000 + 1333.3 * 1.5, DrivenSandModulus(29.5f));
    EXPECT_EQ(DrivenSandModulus(31.5f), 10000.0f);
    ExpectNear(12666.6, DrivenSandModulus(34));
    EXPECT_EQ(DrivenSandModulus(34.5f), 14000.0f);
    ExpectNear(14000 + 1333.3 * 2, DrivenSandModulus(37));
    EXPECT_EQ(DrivenSandModulus(40), 18000.0f);
}

TEST(SideCurveDrivenSand, PhiThirtyFourUsesTheTopOfItsBand) {
    // K = 12666.6, 144 / K = 0.01136848; t = z / (z / 5 + 0.01136848).
    TzCurve c = WithTmax(5, 34);
    SideCurveDrivenSand(c, false);
    ExpectAllNear({0, 0.748028148, 1.301364796, 2.065211011, 2.567560993, 2.923070533, 3.392851403,
                   3.689315298, 4.489600612, 4.971739438},
                  c.t);
    ExpectAllNear(kDrivenMoveIn, c.z);
    EXPECT_EQ(c.tmax, 5.0f);
}

TEST(SideCurveDrivenSand, PhiThirtyFourAndAHalfStepsTo14000) {
    // 144 / 14000 = 0.010285714: t(0.01) = 0.01 / 0.012285714, t(10) = 10 / 2.010285714.
    TzCurve c = WithTmax(5, 34.5f);
    SideCurveDrivenSand(c, false);
    ExpectNear(0.813953488, c.t[1]);
    ExpectNear(4.533678756, c.t[8]);
    ExpectNear(4.974417283, c.t[9]);
}

TEST(SideCurveDrivenSand, SiWorksInPoundsPerSquareFootAndInches) {
    // TMAX 20 kPa = 417.6 lb/ft2, phi 30: K = 8666.6;
    // t = z / (z / 417.6 + 1 / 8666.6) / 20.88 with z in inches, stored in metres.
    TzCurve c = WithTmax(20, 30);
    SideCurveDrivenSand(c, true);
    ExpectAllNear({0, 3.437312847, 5.866394103, 9.071839050, 11.09211217, 12.48196103, 14.27000148,
                   15.37094514, 18.24201730, 19.90409216},
                  c.t);
    ExpectAllNear(Times(kDrivenMoveIn, 0.0254), c.z);
    ExpectNear(20, c.tmax);
}

TEST(SideCurveDrivenSand, ZeroSideFrictionGivesZeroLoadTransfer) {
    for (bool si : {false, true}) {
        TzCurve c = WithTmax(0, 30);
        SideCurveDrivenSand(c, si);
        for (float t : c.t) EXPECT_EQ(t, 0.0f);
        EXPECT_EQ(c.tmax, 0.0f);
    }
}

TEST(SideCurveDrivenSand, NegativeSideFrictionMirrorsTheCurve) {
    // No pole where z / TMAX + 144 / K would vanish: t(-5) = -t(5).
    TzCurve c = WithTmax(-5, 34);
    SideCurveDrivenSand(c, false);
    ExpectNear(-0.748028148, c.t[1]);
    ExpectNear(-4.971739438, c.t[9]);
}

TEST(SideCurveShaftClay, FractionsOfTheDiameter) {
    TzCurve c = WithTmax(10);
    SideCurveShaftClay(c, 24);
    ExpectAllNear({0, 5.1, 7.2, 9, 9.25, 9.45, 9.55, 9.25, 9, 8.35}, c.t);
    ExpectAllNear({0, 0.024, 0.048, 0.072, 0.12, 0.144, 0.192, 0.288, 0.384, 2.4}, c.z);
    // S.I.: D = 0.6 m, TMAX = 50 kPa.
    TzCurve si = WithTmax(50);
    SideCurveShaftClay(si, 0.6f);
    ExpectAllNear({0, 25.5, 36, 45, 46.25, 47.25, 47.75, 46.25, 45, 41.75}, si.t);
    ExpectAllNear({0, 0.0006, 0.0012, 0.0018, 0.003, 0.0036, 0.0048, 0.0072, 0.0096, 0.06}, si.z);
}

TEST(SideCurveShaftSand, FractionsOfTheDiameter) {
    TzCurve c = WithTmax(10);
    SideCurveShaftSand(c, 24);
    ExpectAllNear({0, 3.35, 5.8, 7.2, 8.6, 9.1, 9.5, 9.65, 9.6, 9.5}, c.t);
    ExpectAllNear({0, 0.024, 0.048, 0.072, 0.12, 0.144, 0.192, 0.288, 0.384, 2.4}, c.z);
    TzCurve si = WithTmax(50);
    SideCurveShaftSand(si, 0.6f);
    ExpectAllNear({0, 16.75, 29, 36, 43, 45.5, 47.5, 48.25, 48, 47.5}, si.t);
    ExpectAllNear({0, 0.0006, 0.0012, 0.0018, 0.003, 0.0036, 0.0048, 0.0072, 0.0096, 0.06}, si.z);
}

TEST(SideCurveApiClay, NoZpeakAndNoResidualUseOnePercentOfDAndNinetyPercent) {
    // zp = 0.01 * 24 = 0.24 in; residual 0.9 TMAX.
    TzCurve c = WithTmax(10);
    SideCurveApiClay(c, 24, 0, 0);
    ExpectAllNear({0, 3, 5, 7.5, 9, 10, 9, 9, 9, 9}, c.t);
    ExpectAllNear({0, 0.0384, 0.0744, 0.1368, 0.192, 0.24, 0.48, 0.72, 1.2, 4.8}, c.z);
}

TEST(SideCurveApiClay, GivenZpeakAndResidualInSi) {
    // zp = 0.0025 m, residual 0.7.
    TzCurve c = WithTmax(40);
    SideCurveApiClay(c, 0.6f, 0.0025f, 0.7f);
    ExpectAllNear({0, 12, 20, 30, 36, 40, 28, 28, 28, 28}, c.t);
    ExpectAllNear({0, 0.0004, 0.000775, 0.001425, 0.002, 0.0025, 0.005, 0.0075, 0.0125, 0.05}, c.z);
}

TEST(SideCurveApiSand, RisesToTmaxAndStays) {
    TzCurve c = WithTmax(10);
    SideCurveApiSand(c, 24, 0.1f);
    ExpectAllNear({0, 3, 5, 7.5, 9, 10, 10, 10, 10, 10}, c.t);
    ExpectAllNear({0, 0.016, 0.031, 0.057, 0.08, 0.1, 0.2, 0.3, 0.5, 2}, c.z);
    // S.I. without zpeak: zp = 0.006 m.
    TzCurve si = WithTmax(60);
    SideCurveApiSand(si, 0.6f, -1);
    ExpectAllNear({0, 18, 30, 45, 54, 60, 60, 60, 60, 60}, si.t);
    ExpectAllNear({0, 0.00096, 0.00186, 0.00342, 0.0048, 0.006, 0.012, 0.018, 0.03, 0.12}, si.z);
}

} // namespace
} // namespace dorvek
