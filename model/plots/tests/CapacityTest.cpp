// The capacity criteria on curves worked by hand.
#include "model/plots/Capacity.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvek {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

// English pile: D = 12 in, L = 600 in, AE = 6e8 lb: F = 1e-6 in/lb, offset 0.15 + 0.1 =
// 0.25 in. Curve (0, 0), (100000, 0.2), (200000, 0.5), (300000, 1.2).
const std::vector<TCurvePoint> kCurve = {{0, 0}, {100000, 0.2}, {200000, 0.5}, {300000, 1.2}};
const TCapacityPile kPile{1, 12, 1e-6L};

TEST(Capacity, DavissonOffsetInBothUnitSystems) {
    EXPECT_DOUBLE_EQ(D(DavissonOffset(1, 12)), 0.25);
    EXPECT_DOUBLE_EQ(D(DavissonOffset(1, 18)), 0.30);
    EXPECT_DOUBLE_EQ(D(DavissonOffset(2, 0.6)), 0.0088); // 0.0038 + 0.005 m
}

TEST(Capacity, DavissonWhereTheCurveMeetsTheLine) {
    // Beyond the line by -0.15 at 100000 (line 0.35) and +0.05 at 200000 (line 0.45):
    // three quarters along, P = 175000 at s = 0.425, on the line 0.25 + 0.175.
    const TCriterion c = DavissonCapacity(kCurve, kPile);
    ASSERT_TRUE(c.reached);
    EXPECT_NEAR(D(c.load), 175000, 1e-6);
    EXPECT_NEAR(D(c.settlement), 0.425, 1e-12);
    // A stiffer-looking pile (F = 4e-6): the line reaches 0.65, 1.05, 1.45: never met.
    const TCriterion stiff = DavissonCapacity(kCurve, {1, 12, 4e-6L});
    EXPECT_FALSE(stiff.reached);
    EXPECT_EQ(stiff.why, "the curve does not reach the offset line (it ends at a settlement of "
                         "1.2, the line lies at 1.45 for its last load)");
    // S.I.: D = 0.6 m, F = 1e-5 m/kN, offset 0.0088: (0, 0), (1000, 0.01), (2000, 0.04):
    // beyond -0.0088 at 1000 (line 0.0188), +0.0112 at 2000 (line 0.0288): t = 0.44,
    // P = 1440 kN at s = 0.0232.
    const TCriterion si = DavissonCapacity({{0, 0}, {1000, 0.01}, {2000, 0.04}}, {2, 0.6, 1e-5L});
    ASSERT_TRUE(si.reached);
    EXPECT_NEAR(D(si.load), 1440, 1e-9);
    EXPECT_NEAR(D(si.settlement), 0.0232, 1e-12);
    EXPECT_FALSE(DavissonCapacity({{0, 0}}, kPile).reached);
    EXPECT_FALSE(DavissonCapacity(kCurve, {1, 12, std::nanl("")}).reached);
}

TEST(Capacity, LoadAtTenPercentOfTheDiameter) {
    // D = 6: 0.6 in lies a seventh along (200000, 0.5)-(300000, 1.2): 214285.714...
    const TCriterion c = TenPercentCapacity(kCurve, 6);
    ASSERT_TRUE(c.reached);
    EXPECT_NEAR(D(c.load), 200000 + 100000.0 / 7, 1e-6);
    EXPECT_DOUBLE_EQ(D(c.settlement), 0.6);
    // D = 12: exactly the last point.
    EXPECT_NEAR(D(TenPercentCapacity(kCurve, 12).load), 300000, 1e-9);
    // D = 24: 2.4 in is never reached.
    const TCriterion far = TenPercentCapacity(kCurve, 24);
    EXPECT_FALSE(far.reached);
    EXPECT_EQ(far.why, "the curve ends at a settlement of 1.2, short of 10 % of D = 2.4");
    // A creep step: the first point at or beyond the target settlement decides.
    const TCriterion hold = TenPercentCapacity({{0, 0}, {100, 0.1}, {100, 0.3}, {120, 0.5}}, 2);
    EXPECT_NEAR(D(hold.load), 100, 1e-12);
}

TEST(Capacity, ChinKondnerRecoversTheHyperbola) {
    // P = s / (a + b s), a = 1e-6 in/lb, b = 2e-6 1/lb: the asymptote is 1 / b = 500000 lb.
    std::vector<TCurvePoint> curve = {{0, 0}};
    for (long double s : {0.1L, 0.2L, 0.4L, 0.8L, 1.6L})
        curve.push_back({s / (1e-6L + 2e-6L * s), s});
    long double a = 0, b = 0;
    const TCriterion c = ChinKondnerCapacity(curve, &a, &b);
    ASSERT_TRUE(c.reached);
    EXPECT_NEAR(D(c.load), 500000, 1e-4);
    EXPECT_NEAR(D(a), 1e-6, 1e-15);
    EXPECT_NEAR(D(b), 2e-6, 1e-15);
    // Only points at or above half the largest load (380952 / 2) are fitted: a first point
    // off the hyperbola changes nothing.
    curve[1].load *= 0.5L;
    EXPECT_NEAR(D(ChinKondnerCapacity(curve).load), 500000, 1e-4);
    // Two points are too few; a straight line through the origin has no limit.
    EXPECT_EQ(ChinKondnerCapacity({{0, 0}, {10, 1}, {20, 2}}).why,
              "fewer than three points at or above half the largest load");
    EXPECT_EQ(ChinKondnerCapacity({{10, 1}, {20, 2}, {30, 3}, {40, 4}}).why,
              "s/P does not grow with s: the points show no hyperbolic limit");
}

TEST(Capacity, AllThreeTogether) {
    const TCapacities c = Capacities(kCurve, kPile);
    EXPECT_TRUE(c.davisson.reached);
    EXPECT_TRUE(c.tenPercent.reached);
    // s / P at 0.5 and 1.2: 2.5e-6, 4e-6 (200000 and 300000 are at or above 150000) and
    // only two points: not enough.
    EXPECT_FALSE(c.chin.reached);
}

TEST(Capacity, FlexibilityOfTheAeTable) {
    // Uniform: L / AE.
    EXPECT_NEAR(D(PileFlexibility({{0, 6e8}, {600, 6e8}}, 600)), 1e-6, 1e-18);
    // AE from 2e6 to 1e6 over 10: 10 / (1e6 - 2e6) * ln(1e6 / 2e6) = 6.9315e-6.
    EXPECT_NEAR(D(PileFlexibility({{0, 2e6}, {10, 1e6}}, 10)), 1e-5 * std::log(2.0), 1e-15);
    // Constant beyond the ends: 2 more below at 1e6, 3 above the first row at 2e6.
    EXPECT_NEAR(D(PileFlexibility({{0, 2e6}, {10, 1e6}}, 12)), 1e-5 * std::log(2.0) + 2e-6, 1e-15);
    EXPECT_NEAR(D(PileFlexibility({{3, 2e6}, {13, 1e6}}, 13)), 1.5e-6 + 1e-5 * std::log(2.0),
                1e-15);
    // Half the table: AE(5) = 1.5e6: 5 / -5e5 * ln(1.5e6 / 2e6) = 2.8768e-6.
    EXPECT_NEAR(D(PileFlexibility({{0, 2e6}, {10, 1e6}}, 5)), -1e-5 * std::log(0.75), 1e-15);
    EXPECT_TRUE(std::isnan(PileFlexibility({}, 10)));
    EXPECT_TRUE(std::isnan(PileFlexibility({{0, 0}, {10, 0}}, 10)));
}

} // namespace
} // namespace dorvek
