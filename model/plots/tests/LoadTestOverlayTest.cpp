// Load tests over the computed results: the lines added to the axial load-settlement graphs,
// the capacities of each curve and the summary text.
#include "model/plots/LoadTestOverlay.h"
#include "model/plots/GraphSettings.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

TLineList& Main(TGraphPlot& plot) {
    return plot.List(TLineKind::Main);
}

// English results (lb, in): the computed curve of the capacity tests (0, 0), (100000, 0.2),
// (200000, 0.5), (300000, 1.2) on the graph in kips; D = 12 in, F = 1e-6 in/lb.
void FillResults(TResultGraphs& g) {
    g.Summary.units = 1;
    g.Summary.tipMovements = {{200000, 0.5, 0.4, 0}, {100000, 0.2, 0.1, 0}, {300000, 1.2, 1, 0}};
    Main(g.pltAxial).SetLineCount(1);
    Main(g.pltAxial).SetCount(4);
    const TFloatPoint points[] = {{0, 0}, {100, 0.2}, {200, 0.5}, {300, 1.2}};
    for (int j = 0; j < 4; ++j) Main(g.pltAxial).Line(0).Point(j) = points[j];
}

TMeasuredCurves OneTest() {
    TMeasuredCurves m;
    m.units = 1;
    m.curves.push_back({"Test", {{0, 0}, {150000, 0.3}, {250000, 0.8}}});
    return m;
}

const TCapacityPile kPile{1, 12, 1e-6L};

TEST(LoadTestOverlay, ComputedCurveFromTheResults) {
    TLoadSettlementSummary s;
    s.units = 1;
    s.tipMovements = {{-500, -0.1, -0.1, 0}, {300, 0.3, 0.2, 0}, {100, 0.1, 0.05, 0}};
    s.appliedLoads = {{200, 0.2, 0.1, 0, true}, {250, 0, 0, 0, false}};
    const std::vector<TCurvePoint> c = ComputedCurve(s, false);
    ASSERT_EQ(c.size(), 4u); // origin, 100, 200 (applied), 300; tension and failures left out
    EXPECT_EQ(D(c[0].load), 0);
    EXPECT_EQ(D(c[1].load), 100);
    EXPECT_EQ(D(c[2].load), 200);
    EXPECT_EQ(D(c[3].load), 300);
    EXPECT_EQ(ComputedCurve(s, true).size(), 3u); // down-drag: no origin
}

TEST(LoadTestOverlay, LinesAddedToTheAxialGraph) {
    TResultGraphs g;
    FillResults(g);
    AddLoadTestOverlay(g, false, OneTest(), kPile);
    TGraphPlot& p = g.pltAxial;
    ASSERT_EQ(Main(p).LineCount(), 6);
    EXPECT_EQ(ComputedLineCount(p), 1);

    EXPECT_EQ(Main(p).Line(1).LineName(), "Measured: Test");
    EXPECT_EQ(Main(p).Line(1).Role, TLineRole::Markers);
    ASSERT_EQ(Main(p).Line(1).Count(), 3);
    EXPECT_EQ(D(Main(p).Line(1).Point(2).x), 250); // kips
    EXPECT_EQ(D(Main(p).Line(1).Point(2).y), 0.8);

    // The offset line from 0.25 in at no load to 0.25 + 1e-6 * 300000 at the largest load.
    EXPECT_EQ(Main(p).Line(2).LineName(), "Davisson offset line");
    EXPECT_EQ(Main(p).Line(2).Role, TLineRole::Reference);
    ASSERT_EQ(Main(p).Line(2).Count(), 2);
    EXPECT_DOUBLE_EQ(D(Main(p).Line(2).Point(0).y), 0.25);
    EXPECT_DOUBLE_EQ(D(Main(p).Line(2).Point(1).x), 300);
    EXPECT_DOUBLE_EQ(D(Main(p).Line(2).Point(1).y), 0.55);
    EXPECT_EQ(Main(p).Line(3).LineName(), "Settlement of 10 % of D");
    EXPECT_DOUBLE_EQ(D(Main(p).Line(3).Point(1).y), 1.2);

    // Computed: Davisson 175 kips at 0.425 in, 10 % D at the last point.
    EXPECT_EQ(Main(p).Line(4).LineName(),
              "Computed: Davisson 175, 10 % D 300, Chin-Kondner not reached kips");
    ASSERT_EQ(Main(p).Line(4).Count(), 2);
    EXPECT_NEAR(D(Main(p).Line(4).Point(0).x), 175, 1e-9);
    EXPECT_NEAR(D(Main(p).Line(4).Point(0).y), 0.425, 1e-12);
    // The test: beyond the line by -0.1 at 150000 and +0.3 at 250000: 175000 at 0.425 again;
    // 1.2 in is never reached.
    EXPECT_EQ(Main(p).Line(5).LineName(),
              "Test (measured): Davisson 175, 10 % D not reached, Chin-Kondner not reached kips");
    EXPECT_EQ(Main(p).Line(5).Count(), 1);
    // No applied loads: nothing on their graph.
    EXPECT_EQ(Main(g.pltAxialLoads).LineCount(), 0);
}

TEST(LoadTestOverlay, RebuiltInPlaceAndNeverKeptInTheSettingsFile) {
    TResultGraphs g;
    FillResults(g);
    const std::string before = GraphParamsText({&g.pltAxial});
    AddLoadTestOverlay(g, false, OneTest(), kPile);
    EXPECT_EQ(GraphParamsText({&g.pltAxial}), before);
    Main(g.pltAxial).Line(1).Visible = false;
    AddLoadTestOverlay(g, false, OneTest(), kPile);
    EXPECT_EQ(Main(g.pltAxial).LineCount(), 6);
    EXPECT_FALSE(Main(g.pltAxial).Line(1).Visible);
    // Settings written without the added lines are taken over with them present.
    TResultGraphs other;
    FillResults(other);
    other.pltAxial.UserCaption = "Pile 7";
    Main(other.pltAxial).Line(0).SetLineName("Computed");
    EXPECT_EQ(ApplyGraphParamsText(GraphParamsText({&other.pltAxial}), {&g.pltAxial}),
              GraphParamsResult::Read);
    EXPECT_EQ(g.pltAxial.UserCaption, "Pile 7");
    EXPECT_EQ(Main(g.pltAxial).Line(0).LineName(), "Computed");
    RemoveLoadTestOverlay(g.pltAxial);
    EXPECT_EQ(Main(g.pltAxial).LineCount(), 1);
    // Without measured curves the capacity lines of the computed curve remain.
    AddLoadTestOverlay(g, false, {}, kPile);
    EXPECT_EQ(Main(g.pltAxial).LineCount(), 4);
}

TEST(LoadTestOverlay, MeasuredCurvesInOtherUnitsAndTheSummaryText) {
    // The project switched to S.I. after an English run: the test and the pile come in kN
    // and m and are drawn in the run's kips and inches.
    TResultGraphs g;
    FillResults(g);
    TMeasuredCurves si = OneTest();
    ConvertMeasuredCurves(si, 2);
    const TCapacityPile pileSi{2, 12 * 0.0254L, 1e-6L * 0.0254L / 0.0044482216152605L};
    AddLoadTestOverlay(g, false, si, pileSi);
    EXPECT_NEAR(D(Main(g.pltAxial).Line(1).Point(2).x), 250, 1e-6);
    EXPECT_NEAR(D(Main(g.pltAxial).Line(2).Point(1).y), 0.55, 1e-6);

    const auto capacities = LoadTestCapacities(g.Summary, false, OneTest(), kPile);
    ASSERT_EQ(capacities.size(), 2u);
    EXPECT_EQ(CapacitySummaryText(capacities, kPile),
              "Capacity by the usual criteria (loads in kips, settlements in in; D = 12 in, "
              "Davisson offset 0.25 in):\n"
              "  Computed:\n"
              "    Davisson offset limit:   175 kips at 0.425 in\n"
              "    Settlement of 10 % of D: 300 kips at 1.2 in\n"
              "    Chin-Kondner hyperbola:  not reached: fewer than three points at or above "
              "half the largest load\n"
              "  Test (measured):\n"
              "    Davisson offset limit:   175 kips at 0.425 in\n"
              "    Settlement of 10 % of D: not reached: the curve ends at a settlement of 0.8, "
              "short of 10 % of D = 1.2\n"
              "    Chin-Kondner hyperbola:  not reached: fewer than three points at or above "
              "half the largest load\n");
}

} // namespace
} // namespace dorvek
