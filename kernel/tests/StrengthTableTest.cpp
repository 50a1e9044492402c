#include "kernel/StrengthTable.h"
#include "kernel/Warnings.h"
#include "kernel/tests/CurveTestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>

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

// The lookup as a scan from the first row: the definition the indexed lookup must match.
std::optional<float> ScannedValueAt(const std::vector<StrengthRow>& rows,
                                    float StrengthRow::*column, float x) {
    const std::size_t n = rows.size();
    if (n == 0) return std::nullopt;
    if (n == 1) {
        if (x <= rows[0].xstr) return rows[0].*column;
        return std::nullopt;
    }
    std::size_t k = 1;
    while (k < n && !(x < rows[k].xstr)) ++k;
    if (k == n) {
        if (!(x == rows[n - 1].xstr)) return std::nullopt;
        k = n - 1;
    }
    const StrengthRow& upper = rows[k - 1];
    const StrengthRow& lower = rows[k];
    const float v0 = upper.*column;
    const float v1 = lower.*column;
    if (upper.xstr == lower.xstr) return (v0 + v1) / 2;
    return v0 + (x - upper.xstr) * ((v1 - v0) / (lower.xstr - upper.xstr));
}

// Same value to the bit (or both beyond the table).
void ExpectSameLookup(const std::optional<float>& scanned, const std::optional<float>& indexed,
                      float x) {
    ASSERT_EQ(scanned.has_value(), indexed.has_value()) << "x = " << x;
    if (scanned) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*scanned), std::bit_cast<std::uint32_t>(*indexed))
            << "x = " << x << ": " << *scanned << " against " << *indexed;
    }
}

// Rows of `layers` layers of random thickness (some of none), values random.
std::vector<StrengthRow> RandomRows(std::mt19937& random, int layers) {
    std::uniform_real_distribution<float> thickness(0.0f, 3.0f), value(-50.0f, 50.0f);
    std::vector<StrengthRow> rows;
    float top = -10.0f;
    for (int j = 0; j < layers; ++j) {
        const float bottom = random() % 10 == 0 ? top : top + thickness(random);
        rows.push_back({.xstr = top, .unitSide = value(random)});
        rows.push_back({.xstr = bottom, .unitSide = value(random)});
        top = bottom;
    }
    return rows;
}

// Depths at and between the rows, beyond both ends, and the odd ones.
std::vector<float> Probes(std::mt19937& random, const std::vector<StrengthRow>& rows) {
    std::vector<float> x = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), -1e30f, 1e30f};
    std::uniform_real_distribution<float> anywhere(-20.0f, 2.0f * static_cast<float>(rows.size()));
    for (const StrengthRow& row : rows) {
        x.push_back(row.xstr);
        x.push_back(std::nextafter(row.xstr, -1e30f));
        x.push_back(anywhere(random));
    }
    return x;
}

TEST(StrengthTable, IndexedLookupMatchesTheScanOnLargeTables) {
    std::mt19937 random(20240611);
    std::vector<StrengthRow> sorted = RandomRows(random, 3000);
    // The same rows out of order, and with depths that are not numbers.
    std::vector<StrengthRow> shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    std::vector<StrengthRow> holes = sorted;
    for (std::size_t k = 3; k < holes.size(); k += 97)
        holes[k].xstr = std::numeric_limits<float>::quiet_NaN();
    for (const auto* rows : {&sorted, &shuffled, &holes}) {
        const StrengthTable table(*rows);
        for (float x : Probes(random, *rows)) {
            ExpectSameLookup(ScannedValueAt(*rows, &StrengthRow::unitSide, x),
                             table.valueAt(&StrengthRow::unitSide, x), x);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(StrengthTable, IndexedLookupMatchesTheScanOnSmallTables) {
    // Every order of a few rows with ties, so each way a scan can stop is met.
    std::vector<StrengthRow> rows = {{.xstr = 0, .unitSide = 1},
                                     {.xstr = 5, .unitSide = 2},
                                     {.xstr = 5, .unitSide = 4},
                                     {.xstr = 10, .unitSide = 8},
                                     {.xstr = 20, .unitSide = 16}};
    std::sort(rows.begin(), rows.end(),
              [](const StrengthRow& a, const StrengthRow& b) { return a.unitSide < b.unitSide; });
    const std::vector<float> probes = {-5, 0, 2.5f, 5, 7.5f, 10, 15, 20, 25};
    do {
        const StrengthTable table(rows);
        for (float x : probes) {
            ExpectSameLookup(ScannedValueAt(rows, &StrengthRow::unitSide, x),
                             table.valueAt(&StrengthRow::unitSide, x), x);
        }
    } while (std::next_permutation(
        rows.begin(), rows.end(),
        [](const StrengthRow& a, const StrengthRow& b) { return a.unitSide < b.unitSide; }));
}

} // namespace
} // namespace dorvek
