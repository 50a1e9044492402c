// Lookups of the solver in its tables: tip curve, side curves, axial stiffness.
#include "kernel/CurveLookup.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using namespace dorvek;
using dorvek::testing::Curve;

TEST(TipCurveLookup, OriginPointsAndEnds) {
    const std::vector<float> q = {400.0f, 500.0f};
    const std::vector<float> w = {0.2f, 1.0f};
    // Below the first point: from the origin, 400 * 0.1 / 0.2.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.1f), 200.0f);
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.2f), 400.0f);
    // 400 + 100 * (0.6 - 0.2) / 0.8.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 0.6f), 450.0f);
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 1.0f), 500.0f);
    // Beyond the last point the last Q holds.
    EXPECT_FLOAT_EQ(TipLoadAt(q, w, 5.0f), 500.0f);
}

TEST(TipCurveLookup, DegenerateCurves) {
    EXPECT_EQ(TipLoadAt({}, {}, 0.3f), 0.0f); // NQW = 0
    EXPECT_FLOAT_EQ(TipLoadAt({400.0f}, {0.2f}, 3.0f), 400.0f);
    // A first point at w = 0 is taken as it is, not divided by its zero movement.
    EXPECT_FLOAT_EQ(TipLoadAt({50.0f, 400.0f}, {0.0f, 0.2f}, 0.0f), 50.0f);
    // Two points at the same movement: above it, the second one starts the interval,
    // 450 + 50 * 0.1 / 0.8.
    EXPECT_FLOAT_EQ(TipLoadAt({400.0f, 450.0f, 500.0f}, {0.2f, 0.2f, 1.0f}, 0.3f), 456.25f);
}

TEST(SideCurveLookup, OnOneCurve) {
    // Softening curve: peak 10 at 0.01, residual 6 from 0.05 on.
    const TzCurve soft = Curve(0.0f, {{0.0f, 0.0f}, {10.0f, 0.01f}, {6.0f, 0.05f}});
    EXPECT_EQ(CurveValueAt(soft, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.005f), 5.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.01f), 10.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.03f), 8.0f); // 10 - 4 * 0.02 / 0.04
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 0.05f), 6.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(soft, 2.0f), 6.0f); // extended flat beyond the last point
    EXPECT_EQ(CurveValueAt(TzCurve{}, 1.0f), 0.0f);
}

TEST(SideCurveLookup, FirstPointAwayFromOriginIsReachedFromTheOrigin) {
    // A user curve starting at (t, z) = (5, 0.01): below it the value rises linearly from 0.
    const TzCurve c = Curve(0.0f, {{5.0f, 0.01f}, {10.0f, 0.02f}});
    EXPECT_FLOAT_EQ(CurveValueAt(c, 0.005f), 2.5f);
    EXPECT_EQ(CurveValueAt(c, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(CurveValueAt(c, 0.015f), 7.5f);
}

TEST(SideCurveLookup, BetweenCurveDepths) {
    // t = 100 z at depth 10, t = 300 z at depth 20, both up to z = 1.
    const std::vector<TzCurve> curves = {Curve(10.0f, {{0.0f, 0.0f}, {100.0f, 1.0f}}),
                                         Curve(20.0f, {{0.0f, 0.0f}, {300.0f, 1.0f}})};
    EXPECT_FLOAT_EQ(SideValueAt(curves, 5.0f, 0.5f), 50.0f); // above the first: first alone
    EXPECT_FLOAT_EQ(SideValueAt(curves, 10.0f, 0.5f), 50.0f);
    EXPECT_FLOAT_EQ(SideValueAt(curves, 15.0f, 0.5f), 100.0f); // halfway: (50 + 150) / 2
    EXPECT_FLOAT_EQ(SideValueAt(curves, 17.5f, 0.5f), 125.0f); // 50 + 100 * 0.75
    EXPECT_FLOAT_EQ(SideValueAt(curves, 20.0f, 0.5f), 150.0f);
    EXPECT_FLOAT_EQ(SideValueAt(curves, 40.0f, 0.5f), 150.0f); // below the last: last alone
    EXPECT_EQ(SideValueAt({}, 15.0f, 0.5f), 0.0f);

    const CurvePosition at = LocateCurves(curves, 12.5f);
    EXPECT_EQ(at.lower, 0);
    EXPECT_EQ(at.upper, 1);
    EXPECT_FLOAT_EQ(at.fraction, 0.25f);
    EXPECT_EQ(LocateCurves(curves, 20.0f).lower, -1);
}

TEST(AxialStiffnessLookup, InterpolatesAndKeepsEndValues) {
    const std::vector<float> depth = {0.0f, 50.0f, 100.0f};
    const std::vector<float> ae = {1.0e6f, 2.0e6f, 4.0e6f};
    EXPECT_FLOAT_EQ(AeAt(depth, ae, -5.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 0.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 25.0f), 1.5e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 50.0f), 2.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 75.0f), 3.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 120.0f), 4.0e6f);
}

TEST(AxialStiffnessLookup, StepInTheTableStaysFinite) {
    // A change of section at depth 50: two rows at the same depth.
    const std::vector<float> depth = {0.0f, 50.0f, 50.0f, 100.0f};
    const std::vector<float> ae = {1.0e6f, 1.0e6f, 3.0e6f, 3.0e6f};
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 50.0f), 1.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 60.0f), 3.0e6f);
    EXPECT_FLOAT_EQ(AeAt(depth, ae, 40.0f), 1.0e6f);
}

namespace {

// The search as a scan from the first curve: the definition the indexed search must match.
CurvePosition ScannedPosition(const std::vector<TzCurve>& curves, float x) {
    CurvePosition at;
    const int n = static_cast<int>(curves.size());
    if (n == 0) return at;
    int j = 0;
    while (j < n && curves[j].depth < x) ++j;
    if (j == n) {
        at.upper = n - 1;
    } else if (j == 0 || curves[j].depth == x) {
        at.upper = j;
    } else {
        at.lower = j - 1;
        at.upper = j;
        at.fraction = (x - curves[j - 1].depth) / (curves[j].depth - curves[j - 1].depth);
    }
    return at;
}

void ExpectSamePosition(const CurvePosition& scanned, const CurvePosition& indexed, float x) {
    EXPECT_EQ(scanned.lower, indexed.lower) << "x = " << x;
    EXPECT_EQ(scanned.upper, indexed.upper) << "x = " << x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(scanned.fraction),
              std::bit_cast<std::uint32_t>(indexed.fraction))
        << "x = " << x;
}

} // namespace

TEST(SideCurveLookup, IndexedSearchMatchesTheScan) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> step(0.0f, 2.0f), anywhere(-10.0f, 9000.0f);
    // 5000 curves in depth order (some at one depth), the same out of order, and with depths
    // that are not numbers.
    std::vector<TzCurve> sorted(5000);
    float depth = -5.0f;
    for (TzCurve& c : sorted) {
        if (random() % 8 != 0) depth += step(random);
        c.depth = depth;
    }
    std::vector<TzCurve> shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    std::vector<TzCurve> holes = sorted;
    for (std::size_t k = 0; k < holes.size(); k += 501)
        holes[k].depth = std::numeric_limits<float>::quiet_NaN();

    for (const auto* curves : {&sorted, &shuffled, &holes}) {
        const CurveDepths index(*curves);
        std::vector<float> probes = {std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity()};
        for (const TzCurve& c : *curves) {
            probes.push_back(c.depth);
            probes.push_back(std::nextafter(c.depth, 1e30f));
            probes.push_back(anywhere(random));
        }
        for (float x : probes) {
            ExpectSamePosition(ScannedPosition(*curves, x), index.locate(x), x);
            if (::testing::Test::HasFailure()) return;
        }
    }
}
