#include "kernel/BlowCount.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

using namespace dorvek::testing;

// Curves read off by hand: A(1) = 16, A(3) = 33, A(8) = 37, A(15) = 42;
// B(15) = 34, B(30) = 39, B(40) = 41; C(12) = 31.4, C(30) = 36, C(57.5) = 39.5,
// C(60) = 40, C(62.5) = 40.5, C(70) = 42.

TEST(PhiFromBlowCount, PZeroFollowsCurveAThenTheDenseRules) {
    EXPECT_EQ(PhiFromBlowCount(2, 0), 32.0f);
    EXPECT_EQ(PhiFromBlowCount(4, 0), 34.0f);
    ExpectNear(16, PhiFromBlowCount(1, 0));
    ExpectNear(37, PhiFromBlowCount(8, 0));
    EXPECT_EQ(PhiFromBlowCount(20, 0), 45.0f);
    // 20 < N <= 55: B + (20 - 0) * (45 - B) / 20 = 45 whatever B.
    ExpectNear(45, PhiFromBlowCount(30, 0));
    ExpectNear(45, PhiFromBlowCount(55, 0));
    // 55 < N < 90: C + 40 * (45 - C) / 20 = 90 - C.
    ExpectNear(50, PhiFromBlowCount(60, 0));
    ExpectNear(50.5, PhiFromBlowCount(57.5f, 0));
    // N = 90: the listed point of C; beyond 90: 50.
    EXPECT_EQ(PhiFromBlowCount(90, 0), 44.0f);
    EXPECT_EQ(PhiFromBlowCount(95, 0), 50.0f);
}

TEST(PhiFromBlowCount, PUpTo20BlendsTowardsThirtyAndCurveB) {
    // N < 6: A - (10 / 20) * (A - 30) = 33 - 1.5.
    ExpectNear(31.5, PhiFromBlowCount(3, 10));
    // 6 <= N <= 20: A - 10 * (A - B) / 20 = 42 - 4.
    ExpectNear(38, PhiFromBlowCount(15, 10));
    // 20 < N <= 55: B + 10 * (45 - B) / 20 = 41 + 2.
    ExpectNear(43, PhiFromBlowCount(40, 10));
    // 55 < N < 90: C + 30 * (45 - C) / 20 = 42 + 4.5.
    ExpectNear(46.5, PhiFromBlowCount(70, 10));
    // P = 20 is curve B on both sides of N = 20.
    ExpectNear(34, PhiFromBlowCount(15, 20));
    ExpectNear(36, PhiFromBlowCount(20, 20));
    ExpectNear(39, PhiFromBlowCount(30, 20));
}

TEST(PhiFromBlowCount, PBetween20And40) {
    EXPECT_EQ(PhiFromBlowCount(5, 30), 30.0f);
    EXPECT_EQ(PhiFromBlowCount(6, 30), 30.0f);
    ExpectNear(31, PhiFromBlowCount(8, 30));
    // B - 10 * (B - C) / 20 = 39 - 1.5.
    ExpectNear(37.5, PhiFromBlowCount(30, 30));
    // C + 10 * (45 - C) / 20 = 42 + 1.5.
    ExpectNear(43.5, PhiFromBlowCount(70, 30));
    EXPECT_EQ(PhiFromBlowCount(90, 30), 44.0f);
    EXPECT_EQ(PhiFromBlowCount(100, 30), 50.0f);
}

TEST(PhiFromBlowCount, PFortyIsCurveCWithItsNearestEnds) {
    EXPECT_EQ(PhiFromBlowCount(5, 40), 31.0f);
    EXPECT_EQ(PhiFromBlowCount(10, 40), 31.0f);
    ExpectNear(31.4, PhiFromBlowCount(12, 40));
    ExpectNear(40.5, PhiFromBlowCount(62.5f, 40));
    EXPECT_EQ(PhiFromBlowCount(90, 40), 44.0f);
    EXPECT_EQ(PhiFromBlowCount(100, 50), 50.0f);
}

Store BlowCountLayer() {
    Store s;
    AddLayer(s, 2, 0, 100, {.blowCount = 0}, {.blowCount = 20});
    return s;
}

TEST(FrictionAngleFromBlowCount, InterpolatesTheCountAndUsesPZero) {
    const Store s = BlowCountLayer();
    Capture report;
    int ierr = 0;
    // N(50) = 10: A(10) = 38; N(0) = 0 gives 0.
    ExpectNear(38, FrictionAngleFromBlowCount(s, 50, ierr, report.writer));
    EXPECT_EQ(FrictionAngleFromBlowCount(s, 0, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(report.text(), "");
}

TEST(FrictionAngleFromBlowCount, DoesNothingWhenAnErrorStands) {
    const Store s = BlowCountLayer();
    Capture report;
    int ierr = 6;
    EXPECT_EQ(FrictionAngleFromBlowCount(s, 500, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 6);
    EXPECT_EQ(report.text(), "");
}

TEST(FrictionAngleFromBlowCount, BeyondTheTableSets8) {
    const Store s = BlowCountLayer();
    Capture report;
    int ierr = 0;
    EXPECT_EQ(FrictionAngleFromBlowCount(s, 120, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 8);
    EXPECT_EQ(report.text(), Lines({" **** WARNING ****", " THE VALUE OF X =   1.200000E+02",
                                    " IS BEYOND THE EXTENT OF", " THE INPUT STRENGTH CURVE"}));
}

} // namespace
} // namespace dorvek
