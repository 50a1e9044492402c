#include "kernel/Phases.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvek {
namespace {

using namespace dorvek::testing;

// One homogeneous layer of each soil type through the curve phases of a run, in both unit
// systems: every curve is complete, finite, and its movements increase.
Store Homogeneous(int type, bool si) {
    Store s;
    si ? SetSi(s) : SetEnglish(s);
    s.methodTz = 1;
    s.methodQw = 1;
    s.ninc = 10;
    s.length = si ? 15 : 600;
    s.diameter = si ? 0.6f : 24;
    s.tipArea = si ? 0.2827f : 452.39f;
    const StrengthRow row = si ? StrengthRow{.gam1 = 10,
                                             .c1 = 70,
                                             .phi1 = 32,
                                             .ee50 = 0.01f,
                                             .blowCount = 20,
                                             .zpeak = 0.0025f,
                                             .tresRatio = 0.8f,
                                             .unitSide = 35}
                               : StrengthRow{.gam1 = 0.04f,
                                             .c1 = 10,
                                             .phi1 = 32,
                                             .ee50 = 0.01f,
                                             .blowCount = 20,
                                             .zpeak = 0.1f,
                                             .tresRatio = 0.8f,
                                             .unitSide = 5};
    AddLayer(s, type, 0, si ? 30 : 1200, row);
    s.tzFactorFlag = 1;
    s.tzfDepth = {0, s.length};
    s.tzfT = {1, 2};
    s.tzfZ = {1, 1};
    s.qwFactorFlag = 1;
    s.qMultiplier = 2;
    s.wMultiplier = 1;
    return s;
}

void ExpectCompleteCurve(const std::vector<float>& load, const std::vector<float>& move) {
    ASSERT_EQ(load.size(), 10u);
    ASSERT_EQ(move.size(), 10u);
    EXPECT_EQ(load[0], 0.0f);
    EXPECT_EQ(move[0], 0.0f);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_TRUE(std::isfinite(load[k]));
        EXPECT_TRUE(std::isfinite(move[k]));
        if (k > 0) {
            EXPECT_GT(move[k], move[k - 1]);
        }
    }
}

TEST(CurvePhases, EverySoilTypeInBothUnitSystems) {
    for (int type = 1; type <= 6; ++type) {
        for (bool si : {false, true}) {
            SCOPED_TRACE("type " + std::to_string(type) + (si ? " S.I." : " English"));
            Store s = Homogeneous(type, si);
            Capture report;
            ASSERT_EQ(GenerateReportSideCurves(s, report.writer), 0);
            ASSERT_EQ(s.sideCurves.size(), 5u);
            ASSERT_EQ(GenerateSolverSideCurves(s, report.writer), 0);
            ASSERT_EQ(s.sideCurves.size(), 10u);
            ASSERT_EQ(GenerateTipCurve(s, report.writer), 0);
            EXPECT_EQ(report.text(), "");
            const float peak = s.sideCurves[0].t[5];
            const float tipLoad = s.qwQ[9];
            ApplyTzFactors(s);
            ApplyQwFactors(s);
            for (const TzCurve& c : s.sideCurves) ExpectCompleteCurve(c.t, c.z);
            ExpectCompleteCurve(s.qwQ, s.qwW);
            // Curve 1 at L / 20: t-multiplier 1 + 1 / 20; tip load doubled.
            ExpectNear(peak * 1.05, s.sideCurves[0].t[5]);
            ExpectNear(tipLoad * 2, s.qwQ[9]);
            EXPECT_GT(tipLoad, 0.0f);
        }
    }
}

} // namespace
} // namespace dorvek
