#include "kernel/StrengthTable.h"
#include "kernel/Warnings.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace dorvek {
namespace {

using namespace dorvek::testing;

// Clay 0..100 (UNIT SIDE 1 -> 3), sand 100..200 (UNIT SIDE 10 -> 20), strength rows as read.
Store TwoLayers() {
    Store s;
    AddLayer(s, 1, 0, 100, {.c1 = 5, .unitSide = 1}, {.c1 = 7, .unitSide = 3});
    AddLayer(s, 2, 100, 200, {.phi1 = 30, .unitSide = 10, .unitTip = 50},
             {.phi1 = 34, .unitSide = 20, .unitTip = 90});
    return s;
}

float SideAt(const Store& s, float x) {
    return *StrengthValueAt(s.strength, &StrengthRow::unitSide, x);
}

TEST(StrengthTable, InterpolatesInsideALayer) {
    const Store s = TwoLayers();
    // 1 + 25 * (3 - 1) / 100 = 1.5; 10 + 50 * (20 - 10) / 100 = 15.
    ExpectNear(1.5, SideAt(s, 25));
    ExpectNear(15, SideAt(s, 150));
    ExpectNear(1, SideAt(s, 0));
}

TEST(StrengthTable, LayerBoundaryTakesTheDeeperLayer) {
    const Store s = TwoLayers();
    EXPECT_EQ(SideAt(s, 100), 10.0f);
    EXPECT_EQ(*StrengthValueAt(s.strength, &StrengthRow::phi1, 100), 30.0f);
    EXPECT_EQ(*StrengthValueAt(s.strength, &StrengthRow::c1, 100), 0.0f);
}

TEST(StrengthTable, LastPointIsInsideAndAnythingDeeperFails) {
    const Store s = TwoLayers();
    EXPECT_EQ(SideAt(s, 200), 20.0f);
    EXPECT_FALSE(StrengthValueAt(s.strength, &StrengthRow::unitSide, 200.0001f));
    EXPECT_FALSE(StrengthValueAt(s.strength, &StrengthRow::unitSide,
                                 std::numeric_limits<float>::quiet_NaN()));
}

TEST(StrengthTable, AboveTheFirstPointExtendsTheFirstBracket) {
    const Store s = TwoLayers();
    // 1 + (-50) * (3 - 1) / 100 = 0.
    ExpectNear(0, SideAt(s, -50));
    EXPECT_EQ(SideAt(s, -100), -1.0f);
}

TEST(StrengthTable, ZeroLengthBracketGivesTheMean) {
    Store s;
    // A layer of no thickness at the bottom: the last depth is inside, bracket of length 0.
    AddLayer(s, 1, 0, 100, {.unitSide = 2});
    AddLayer(s, 1, 100, 100, {.unitSide = 4}, {.unitSide = 8});
    EXPECT_EQ(SideAt(s, 100), 6.0f);
    // A zero-thickness first layer: every depth above it uses the mean.
    Store t;
    AddLayer(t, 1, 10, 10, {.unitSide = 2}, {.unitSide = 4});
    AddLayer(t, 1, 10, 20, {.unitSide = 6});
    EXPECT_EQ(SideAt(t, 5), 3.0f);
}

TEST(StrengthTable, SingleAndEmptyTables) {
    std::vector<StrengthRow> one{{.xstr = 10, .unitSide = 7}};
    EXPECT_EQ(*StrengthValueAt(one, &StrengthRow::unitSide, 10), 7.0f);
    EXPECT_EQ(*StrengthValueAt(one, &StrengthRow::unitSide, -5), 7.0f);
    EXPECT_FALSE(StrengthValueAt(one, &StrengthRow::unitSide, 11));
    EXPECT_FALSE(StrengthValueAt({}, &StrengthRow::unitSide, 0));
}

TEST(StrengthLookups, InsideTheTableWriteNothing) {
    const Store s = TwoLayers();
    Capture report;
    int ierr = 0;
    EXPECT_EQ(UnitSideAt(s, 200, ierr, report.writer), 20.0f);
    EXPECT_EQ(PhiAt(s, 150, ierr, report.writer), 32.0f);
    EXPECT_EQ(UnitTipAt(s, 200, ierr, report.writer), 90.0f);
    EXPECT_EQ(C1At(s, 50, ierr, report.writer), 6.0f);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(report.text(), "");
}

TEST(StrengthLookups, UnitSideBeyondWritesCountLineThenWarningAndSets6) {
    const Store s = TwoLayers();
    Capture report;
    int ierr = 0;
    EXPECT_EQ(UnitSideAt(s, 250, ierr, report.writer), 0.0f);
    EXPECT_EQ(ierr, 6);
    EXPECT_EQ(report.text(), Lines({"           4   2.000000E+02", " **** WARNING ****",
                                    " THE VALUE OF X =   2.500000E+02", " IS BEYOND THE EXTENT OF",
                                    " THE INPUT STRENGTH CURVE"}));
}

TEST(StrengthLookups, OtherSideLookupsSet8) {
    const Store s = TwoLayers();
    const std::string warning = Lines({" **** WARNING ****", " THE VALUE OF X =   2.010000E+02",
                                       " IS BEYOND THE EXTENT OF", " THE INPUT STRENGTH CURVE"});
    for (auto lookup : {&PhiAt, &BlowCountAt, &ZPeakAt, &TresRatioAt}) {
        Capture report;
        int ierr = 0;
        EXPECT_EQ(lookup(s, 201, ierr, report.writer), 0.0f);
        EXPECT_EQ(ierr, 8);
        EXPECT_EQ(report.text(), warning);
    }
}

TEST(StrengthLookups, TipLookupsSet5And7) {
    const Store s = TwoLayers();
    {
        Capture report;
        int ierr = 0;
        C1At(s, 300, ierr, report.writer);
        EXPECT_EQ(ierr, 5);
        EXPECT_EQ(report.text(), Lines({" **** WARNING ****", " THE VALUE OF X =   3.000000E+02",
                                        " IS BEYOND THE EXTENT OF", " THE INPUT STRENGTH CURVE"}));
    }
    {
        Capture report;
        int ierr = 0;
        EE50At(s, 300, ierr, report.writer);
        EXPECT_EQ(ierr, 5);
    }
    {
        Capture report;
        int ierr = 0;
        UnitTipAt(s, 300, ierr, report.writer);
        EXPECT_EQ(ierr, 7);
        EXPECT_EQ(report.text(),
                  Lines({" **** WARNING ****", " THE VALUE OF X =   3.000000E+02",
                         " IS BEYOND THE EXTENT OF", " THE INPUT MAX. LOAD TRANSFER"}));
    }
}

TEST(StrengthLookups, EmptyTableFailsWithZeroCount) {
    Store s;
    Capture report;
    int ierr = 0;
    UnitSideAt(s, 0, ierr, report.writer);
    EXPECT_EQ(ierr, 6);
    EXPECT_EQ(report.text().substr(0, 29), "           0   0.000000E+00\r\n");
}

} // namespace
} // namespace dorvek
