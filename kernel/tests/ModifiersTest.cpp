#include "kernel/Modifiers.h"
#include "kernel/Phases.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace dorvek {
namespace {

using namespace dorvek::testing;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Store Profile(std::vector<float> depth, std::vector<float> settlement) {
    Store s;
    s.settleDepth = std::move(depth);
    s.settlement = std::move(settlement);
    return s;
}

TEST(SoilSettlementAt, InterpolatesAndStepsToTheMean) {
    const Store s = Profile({0, 10, 20, 20, 30}, {5, 4, 3, 1, 0});
    EXPECT_EQ(SoilSettlementAt(s, 0), 5.0f);
    ExpectNear(4.5, SoilSettlementAt(s, 5));
    EXPECT_EQ(SoilSettlementAt(s, 10), 4.0f);
    EXPECT_EQ(SoilSettlementAt(s, 20), 2.0f); // (3 + 1) / 2 at the step
    ExpectNear(0.5, SoilSettlementAt(s, 25)); // 1 + (0 - 1) / 10 * 5
}

TEST(SoilSettlementAt, EndsAbruptlyOutsideTheProfile) {
    const Store s = Profile({0, 10, 20}, {5, 4, 3});
    EXPECT_EQ(SoilSettlementAt(s, 20), 3.0f);
    EXPECT_EQ(SoilSettlementAt(s, 20.001f), 0.0f);
    EXPECT_EQ(SoilSettlementAt(s, -0.001f), 0.0f);
    EXPECT_EQ(SoilSettlementAt(s, kNaN), 0.0f);
    EXPECT_EQ(SoilSettlementAt(Store{}, 5), 0.0f);
}

TEST(SoilSettlementAt, SinglePointHoldsAtItsOwnDepthOnly) {
    const Store s = Profile({10}, {2});
    EXPECT_EQ(SoilSettlementAt(s, 10), 2.0f);
    EXPECT_EQ(SoilSettlementAt(s, 9.99f), 0.0f);
    EXPECT_EQ(SoilSettlementAt(s, 10.01f), 0.0f);
}

Store Factors(std::vector<float> depth, std::vector<float> t, std::vector<float> z) {
    Store s;
    s.tzFactorFlag = 1;
    s.tzfDepth = std::move(depth);
    s.tzfT = std::move(t);
    s.tzfZ = std::move(z);
    return s;
}

TEST(Multipliers, InterpolateAndTakeTheDeeperRowAtARepeatedDepth) {
    const Store s = Factors({0, 10, 10, 20}, {1, 2, 3, 4}, {1, 0.5f, 0.25f, 2});
    EXPECT_EQ(TMultiplierAt(s, 0), 1.0f);
    ExpectNear(1.5, TMultiplierAt(s, 5));
    ExpectNear(0.75, ZMultiplierAt(s, 5));
    EXPECT_EQ(TMultiplierAt(s, 10), 3.0f);
    EXPECT_EQ(ZMultiplierAt(s, 10), 0.25f);
    ExpectNear(3.5, TMultiplierAt(s, 15));
    ExpectNear(1.125, ZMultiplierAt(s, 15));
    EXPECT_EQ(TMultiplierAt(s, 20), 4.0f);
    EXPECT_EQ(ZMultiplierAt(s, 20), 2.0f);
    // A repeated first depth: the deeper row.
    const Store top = Factors({0, 0, 10}, {5, 6, 7}, {5, 6, 7});
    EXPECT_EQ(TMultiplierAt(top, 0), 6.0f);
}

TEST(Multipliers, OneOutsideTheTableAndForASingleRow) {
    const Store s = Factors({0, 10}, {2, 4}, {3, 5});
    EXPECT_EQ(TMultiplierAt(s, -1), 1.0f);
    EXPECT_EQ(ZMultiplierAt(s, 10.5f), 1.0f);
    EXPECT_EQ(TMultiplierAt(s, kNaN), 1.0f);
    const Store one = Factors({10}, {5}, {5});
    EXPECT_EQ(TMultiplierAt(one, 10), 1.0f);
    EXPECT_EQ(ZMultiplierAt(one, 10), 1.0f);
    EXPECT_EQ(TMultiplierAt(Store{}, 10), 1.0f);
}

TzCurve Curve(float depth) {
    TzCurve c;
    c.depth = depth;
    c.t = {0, 1, 2};
    c.z = {0, 0.1f, 0.2f};
    return c;
}

TEST(ApplyTzFactors, ScalesEveryCurveByItsDepthOnce) {
    Store s = Factors({0, 10}, {2, 4}, {3, 5});
    s.sideCurves = {Curve(5), Curve(20)};
    ApplyTzFactors(s);
    // At 5: t x 3, z x 4; at 20 (below the table) unchanged.
    ExpectAllNear({0, 3, 6}, s.sideCurves[0].t);
    ExpectAllNear({0, 0.4, 0.8}, s.sideCurves[0].z);
    ExpectAllNear({0, 1, 2}, s.sideCurves[1].t);
    ExpectAllNear({0, 0.1, 0.2}, s.sideCurves[1].z);
}

TEST(ApplyTzFactors, WithoutTheFlagNothingChanges) {
    Store s = Factors({0, 10}, {2, 4}, {3, 5});
    s.tzFactorFlag = 0;
    s.sideCurves = {Curve(5)};
    ApplyTzFactors(s);
    ExpectAllNear({0, 1, 2}, s.sideCurves[0].t);
}

TEST(ApplyQwFactors, MultipliesEveryPointWhenFlagged) {
    Store s;
    s.qwQ = {0, 10, 20};
    s.qwW = {0, 0.5f, 1};
    s.qMultiplier = 1;
    s.wMultiplier = 2;
    ApplyQwFactors(s);
    ExpectAllNear({0, 10, 20}, s.qwQ);
    ExpectAllNear({0, 0.5, 1}, s.qwW);
    s.qwFactorFlag = 1;
    ApplyQwFactors(s);
    ExpectAllNear({0, 10, 20}, s.qwQ);
    ExpectAllNear({0, 1, 2}, s.qwW);
}

} // namespace
} // namespace dorvek
