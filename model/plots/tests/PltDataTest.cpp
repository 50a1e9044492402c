// Loading plot data files written in the kernel's layout into the result graphs.

#include "model/plots/PltData.h"
#include "model/plots/tests/PlotFileText.h"
#include "model/plots/tests/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dorvek {
namespace {

using test::PlotFileText;

// t-z curve i (1-based) point j (1-based): t = 1.5 j + i, z = 0.02 j.
void AddTZ(PlotFileText& f, std::initializer_list<int> points, double firstDepth) {
    f.Counts({static_cast<long long>(points.size())});
    int i = 1;
    for (int m : points) {
        f.TZHeader(i, m, firstDepth * i);
        for (int j = 1; j <= m; ++j) f.TZPoint(1.5 * j + i, 0.02 * j);
        ++i;
    }
}

void AddQW(PlotFileText& f) {
    f.Counts({3});
    f.QWPoint(0, 0);
    f.QWPoint(5000, 0.1);
    f.QWPoint(8000, 0.5);
}

// Two tip movements, three increments each, then their summary lines.
void AddTipMovements(PlotFileText& f, int unit, double firstHeadLoad = 27000) {
    f.Counts({2, 3, unit});
    f.TipDist(300, 5000, 0.02);
    f.TipDist(180, 15000, 0.03);
    f.TipDist(60, 25000, 0.04);
    f.TipDist(300, 8000, 0.1);
    f.TipDist(180, 20000, 0.12);
    f.TipDist(120, 30000, 0.15);
    f.Summary(firstHeadLoad, 0.05, 0.02, 4000);
    f.Summary(33000, 0.16, 0.1, 7000);
}

// Four applied loads of two increments; the second did not converge.
void AddAppliedLoads(PlotFileText& f, int unit) {
    f.Counts({4, 2, unit});
    const double loads[] = {10000, 20000, 30000, 40000};
    for (int i = 0; i < 4; ++i) {
        f.Flag(i == 1 ? 0 : 1);
        f.Summary(loads[i], 0.01 * (i + 1), 0.005 * (i + 1), 1000.0 * (i + 1));
        f.LoadDist(240, loads[i] / 4, 0.004 * (i + 1));
        f.LoadDist(120, loads[i] / 2, 0.008 * (i + 1));
    }
}

std::string FullFile(int unit, bool appliedLoads, double firstHeadLoad = 27000) {
    PlotFileText f;
    AddTZ(f, {5, 7, 6}, 120);
    AddQW(f);
    AddTipMovements(f, unit, firstHeadLoad);
    if (appliedLoads) AddAppliedLoads(f, unit);
    return f.text;
}

PlotProjectInfo EnglishProject() {
    PlotProjectInfo p;
    p.units = 1;
    p.layers = {{1, 240}, {4, 480}};
    p.settlement = {{0, 1.5}, {600, 0.25}};
    return p;
}

class PltDataTest : public ::testing::Test {
protected:
    bool Load(const std::string& text, const PlotProjectInfo& project, bool reportErrors = true) {
        const auto file = dir / "Pile.dv4p";
        test::WriteFile(file, text);
        messages.clear();
        return ReadPlotData(g, file, reportErrors, project,
                            [this](const std::string& m) { messages.push_back(m); });
    }

    test::TempDir dir;
    TResultGraphs g;
    std::vector<std::string> messages;
};

TEST_F(PltDataTest, EnglishFileFillsEveryGraphInFeetAndKips) {
    ASSERT_TRUE(Load(FullFile(1, false), EnglishProject()));
    EXPECT_TRUE(messages.empty());

    // 5, 7 and 6 points: three lines of 7, the short ones ending in copies of their last point.
    const TGraphPlot& tz = g.pltTZcurves;
    ASSERT_EQ(tz.List(TLineKind::Main).LineCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tz.List(TLineKind::Main).Line(i).Count(), 7) << i;
    EXPECT_EQ(tz.List(TLineKind::Main).Line(0).LineName(), "120 in");
    EXPECT_EQ(tz.List(TLineKind::Main).Line(1).LineName(), "240 in");
    EXPECT_EQ(tz.List(TLineKind::Main).Line(2).LineName(), "360 in");
    // Curve 1 point 5: t = 1.5 * 5 + 1 = 8.5 (y), z = 0.1 (x); points 6 and 7 repeat it.
    for (int j = 4; j < 7; ++j) {
        EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(0, j).y, 8.5);
        EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(0, j).x, 0.1);
    }
    // Curve 2 keeps its own seventh point: t = 10.5 + 2, z = 0.14.
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(1, 6).y, 12.5);
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(1, 6).x, 0.14);
    // Curve 3: one copy of point 6 (t = 9 + 3, z = 0.12); point 5 is its own (t = 10.5).
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(2, 4).y, 10.5);
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(2, 5).y, 12);
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(2, 6).y, 12);
    EXPECT_DOUBLE_EQ(tz.List(TLineKind::Main).Point(2, 6).x, 0.12);

    // The Q-w curve keeps the kernel's pounds: x = Q, y = w.
    ASSERT_EQ(g.PltQW.List(TLineKind::Main).Count(), 3);
    EXPECT_EQ(g.PltQW.List(TLineKind::Main).Point(0, 2).x, 8000);
    EXPECT_DOUBLE_EQ(g.PltQW.List(TLineKind::Main).Point(0, 2).y, 0.5);

    // Distributions: depths in feet (120 in -> 10 ft), loads in kips (25000 lb -> 25 kips),
    // movements as they are.
    ASSERT_EQ(g.pltLoad.List(TLineKind::Main).LineCount(), 2);
    ASSERT_EQ(g.pltLoad.List(TLineKind::Main).Count(), 3);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(0, 2).x, 25);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(0, 2).y, 5);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(1, 2).x, 30);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(1, 2).y, 10);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(0, 0).y, 25);
    EXPECT_DOUBLE_EQ(g.pltDisp.List(TLineKind::Main).Point(1, 2).x, 0.15);
    EXPECT_EQ(g.pltDisp.List(TLineKind::Main).Point(1, 2).y, 10);
    // No down-drag: no settlement line.
    EXPECT_EQ(g.pltDispDown.List(TLineKind::Main).LineCount(), 2);
    EXPECT_DOUBLE_EQ(g.pltDispDown.List(TLineKind::Main).Point(0, 1).x, 0.03);
    // Named by tip movement and head load (33000 lb): the second case.
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Line(1).LineName(), "w = 0.1 in, Q = 33 kips");

    // Load-settlement: the origin, then (27 kips, 0.05 in) and (33 kips, 0.16 in).
    ASSERT_EQ(g.pltAxial.List(TLineKind::Main).LineCount(), 1);
    ASSERT_EQ(g.pltAxial.List(TLineKind::Main).Count(), 3);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).x, 0);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).y, 0);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 1).x, 27);
    EXPECT_DOUBLE_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 1).y, 0.05);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 2).x, 33);
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).LineCount(), 2);
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Point(0, 2).x, 33);

    // Layer overlay: clay to 240 in = 20 ft coded 1, sand to 480 in = 40 ft coded 7.
    for (TGraphPlot* plot : {&g.pltLoad, &g.pltDisp, &g.pltDispDown}) {
        ASSERT_EQ(plot->List(TLineKind::Layers).LineCount(), 2);
        EXPECT_EQ(plot->List(TLineKind::Layers).Count(), 1);
        EXPECT_FALSE(plot->ShowLayers);
        EXPECT_EQ(plot->List(TLineKind::Layers).Line(0).LineName(), " CLAY ");
        EXPECT_EQ(plot->List(TLineKind::Layers).Point(0, 0).x, 1);
        EXPECT_EQ(plot->List(TLineKind::Layers).Point(0, 0).y, 20);
        EXPECT_EQ(plot->List(TLineKind::Layers).Line(1).LineName(), " SAND ");
        EXPECT_EQ(plot->List(TLineKind::Layers).Point(1, 0).x, 7);
        EXPECT_EQ(plot->List(TLineKind::Layers).Point(1, 0).y, 40);
    }
    // The applied-load graphs got no points, hence no overlay.
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Layers).LineCount(), 0);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Layers).LineCount(), 0);

    for (TGraphPlot* plot : g.All()) EXPECT_EQ(plot->Units(), 1) << plot->Caption;
    EXPECT_EQ(g.pltLoad.XTitle(), "Axial Load (kips)");
    EXPECT_EQ(g.pltLoad.YTitle(), "Depth (ft)");
    EXPECT_EQ(g.pltAxial.YTitle(), "Pile-Head Settlement (in)");
    EXPECT_EQ(g.pltTZcurves.YTitle(), "Load Transfer (lbs/in^2)");
    EXPECT_EQ(g.PltQW.XTitle(), "Tip Load (lbs)");

    // Loading lifts the 20-curve limit of the distribution and curve graphs only.
    for (TGraphPlot* plot :
         {&g.pltLoad, &g.pltDisp, &g.pltDispDown, &g.pltTZcurves, &g.pltLoadLoads, &g.pltDispLoads})
        EXPECT_FALSE(plot->LimitActive) << plot->Caption;
    EXPECT_TRUE(g.pltAxial.LimitActive);
    EXPECT_TRUE(g.PltQW.LimitActive);
}

TEST_F(PltDataTest, SIFileIsTakenAsItIsAndSwitchesTheLabels) {
    PlotProjectInfo project = EnglishProject();
    project.units = 2;
    ASSERT_TRUE(Load(FullFile(2, false), project));
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).Line(1).LineName(), "240 m");
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(0, 2).x, 25000);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(0, 2).y, 60);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 1).x, 27000);
    EXPECT_EQ(g.pltLoad.List(TLineKind::Layers).Point(1, 0).y, 480); // S.I. layer depths unchanged
    EXPECT_EQ(g.pltLoad.Units(), 2);
    EXPECT_EQ(g.pltLoad.XTitle(), "Axial Load (kN)");
    EXPECT_EQ(g.pltLoad.YTitle(), "Depth (m)");
    EXPECT_EQ(g.pltDisp.XTitle(), "Pile Movement (m)");
}

TEST_F(PltDataTest, LineNamesUseTheGivenDecimalSeparator) {
    PlotFileText f;
    f.Counts({1});
    f.TZHeader(1, 2, 120.5);
    f.TZPoint(1, 0.1);
    f.TZPoint(2, 0.2);
    f.Counts({0});
    f.Counts({0, 0, 1});
    PlotProjectInfo project = EnglishProject();
    project.decimalSeparator = ',';
    ASSERT_TRUE(Load(f.text, project));
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).Line(0).LineName(), "120,5 in");
    // No tip movement: the load-settlement curve is its origin alone.
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Count(), 1);
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).x, 0);
}

TEST_F(PltDataTest, CurvesOfOnePointArePaddedToTwo) {
    PlotFileText f;
    f.Counts({2});
    f.TZHeader(1, 1, 12);
    f.TZPoint(3, 0.5);
    f.TZHeader(2, 0, 24);
    f.Counts({0});
    f.Counts({0, 0, 1});
    ASSERT_TRUE(Load(f.text, EnglishProject()));
    ASSERT_EQ(g.pltTZcurves.List(TLineKind::Main).Count(), 2);
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).Point(0, 1).y, 3);
    EXPECT_DOUBLE_EQ(g.pltTZcurves.List(TLineKind::Main).Point(0, 1).x, 0.5);
    // A curve without points has nothing to repeat.
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).Line(1).Count(), 2);
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).Point(1, 1).y, 0);
}

TEST_F(PltDataTest, DownDragAddsTheSoilSettlementLineAndStartsAtPointOne) {
    PlotProjectInfo project = EnglishProject();
    project.downdrag = 1;
    ASSERT_TRUE(Load(FullFile(1, false), project));
    ASSERT_EQ(g.pltDisp.List(TLineKind::Main).LineCount(), 2);
    ASSERT_EQ(g.pltDispDown.List(TLineKind::Main).LineCount(), 3);
    const TLine& settl = g.pltDispDown.List(TLineKind::Main).Line(2);
    EXPECT_EQ(settl.LineName(), "Soil Settl.");
    ASSERT_EQ(settl.Count(), 2);
    // Rows (0 in, 1.5 in) and (600 in, 0.25 in): x = settlement, y = depth / 12.
    EXPECT_DOUBLE_EQ(settl.Point(0).x, 1.5);
    EXPECT_EQ(settl.Point(0).y, 0);
    EXPECT_DOUBLE_EQ(settl.Point(1).x, 0.25);
    EXPECT_EQ(settl.Point(1).y, 50);
    // The other lines keep the file's three points.
    EXPECT_EQ(g.pltDispDown.List(TLineKind::Main).Line(0).Count(), 3);
    // Down-drag: point 0 copies point 1.
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).x, 27);
    EXPECT_DOUBLE_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).y, 0.05);
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Point(0, 0).x, 27);
}

TEST_F(PltDataTest, FirstLoadNotPositiveStartsAtPointOne) {
    ASSERT_TRUE(Load(FullFile(1, false, -27000), EnglishProject()));
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).x, -27);
    EXPECT_DOUBLE_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).y, 0.05);
    ASSERT_TRUE(Load(FullFile(1, false, 0), EnglishProject()));
    EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).x, 0);
    EXPECT_DOUBLE_EQ(g.pltAxial.List(TLineKind::Main).Point(0, 0).y, 0.05);
}

TEST_F(PltDataTest, AppliedLoadsSkipTheLoadThatDidNotConverge) {
    PlotProjectInfo project = EnglishProject();
    project.nloadmethod = 2;
    ASSERT_TRUE(Load(FullFile(1, true), project));
    // Loads 1, 3 and 4 of 10000, 30000 and 40000 lb.
    for (TGraphPlot* plot : {&g.pltLoadLoads, &g.pltDispLoads}) {
        ASSERT_EQ(plot->List(TLineKind::Main).LineCount(), 3);
        EXPECT_EQ(plot->List(TLineKind::Main).Count(), 2);
        EXPECT_EQ(plot->List(TLineKind::Main).Line(0).LineName(), "10 kips");
        EXPECT_EQ(plot->List(TLineKind::Main).Line(1).LineName(), "30 kips");
        EXPECT_EQ(plot->List(TLineKind::Main).Line(2).LineName(), "40 kips");
    }
    // Third load's own increments: (240 in, 7500 lb, 0.012 in), (120 in, 15000 lb, 0.024 in).
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(1, 0).x, 7.5);
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(1, 0).y, 20);
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(1, 1).x, 15);
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(1, 1).y, 10);
    EXPECT_DOUBLE_EQ(g.pltDispLoads.List(TLineKind::Main).Point(1, 1).x, 0.024);
    EXPECT_DOUBLE_EQ(g.pltDispLoads.List(TLineKind::Main).Point(2, 0).x, 0.016);

    const TGraphPlot& axial = g.pltAxialLoads;
    EXPECT_EQ(axial.List(TLineKind::Main).Line(0).LineName(),
              "From Applied Displacements          ");
    EXPECT_EQ(axial.List(TLineKind::Main).Line(1).LineName(),
              "From Applied Loads                  ");
    EXPECT_EQ(axial.List(TLineKind::Main).Line(0).Count(), 3); // as pltAxial
    ASSERT_EQ(axial.List(TLineKind::Main).Line(1).Count(), 3);
    EXPECT_EQ(axial.List(TLineKind::Main).Point(1, 0).x, 10);
    EXPECT_DOUBLE_EQ(axial.List(TLineKind::Main).Point(1, 0).y, 0.01);
    EXPECT_EQ(axial.List(TLineKind::Main).Point(1, 1).x, 30);
    EXPECT_DOUBLE_EQ(axial.List(TLineKind::Main).Point(1, 1).y, 0.03);
    EXPECT_EQ(axial.List(TLineKind::Main).Point(1, 2).x, 40);

    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Layers).LineCount(), 2);
    EXPECT_EQ(g.pltDispLoads.List(TLineKind::Layers).Point(0, 0).y, 20);
}

TEST_F(PltDataTest, AppliedLoadsInSINamedInKilonewtons) {
    PlotProjectInfo project = EnglishProject();
    project.units = 2;
    project.nloadmethod = 2;
    ASSERT_TRUE(Load(FullFile(2, true), project));
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Line(2).LineName(), "40000 kN");
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(2, 0).y, 240);
}

TEST_F(PltDataTest, NoConvergedLoadLeavesNoLinesOfZeros) {
    PlotFileText f;
    AddTZ(f, {2}, 120);
    AddQW(f);
    AddTipMovements(f, 1);
    f.Counts({1, 1, 1});
    f.Flag(0);
    f.Summary(1e6, 9, 9, 9);
    f.LoadDist(60, 1e6, 9);
    PlotProjectInfo project = EnglishProject();
    project.nloadmethod = 2;
    ASSERT_TRUE(Load(f.text, project));
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).LineCount(), 0);
    EXPECT_EQ(g.pltDispLoads.List(TLineKind::Main).LineCount(), 0);
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).LineCount(), 1);
}

TEST_F(PltDataTest, LoadBlockIsNotReadWithoutPileHeadLoads) {
    // The block is there, but Nloadmethod 0 leaves it alone, and also its bad words.
    std::string text = FullFile(1, true) + "garbage\r\n";
    ASSERT_TRUE(Load(text, EnglishProject()));
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Count(), 0);
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Line(1).LineName(), "Curve #2");
    EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Line(0).LineName(), "Curve #1");
}

TEST_F(PltDataTest, FileCutAfterTheTipCurveFailsWithOneMessage) {
    PlotFileText f;
    AddTZ(f, {5, 7, 6}, 120);
    AddQW(f);
    EXPECT_FALSE(Load(f.text, EnglishProject(), true));
    EXPECT_THAT(messages, ::testing::ElementsAre("An error occured in running the main program."));
    // What was read stays.
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).LineCount(), 3);
    EXPECT_EQ(g.PltQW.List(TLineKind::Main).Count(), 3);
    EXPECT_EQ(g.PltQW.List(TLineKind::Main).Point(0, 1).x, 5000);
    // Not read to the end: no overlay, no unit switch.
    EXPECT_EQ(g.pltLoad.List(TLineKind::Layers).LineCount(), 0);

    EXPECT_FALSE(Load(f.text, EnglishProject(), false));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PltDataTest, BadFilesFailWithoutAllocatingForTheirCounts) {
    const PlotProjectInfo project = EnglishProject();
    // An unreadable number.
    PlotFileText f;
    f.Counts({1});
    f.Line("    1    2    0.1200E+03");
    f.Line("    1.0X    2.0");
    EXPECT_FALSE(Load(f.text, project));
    EXPECT_EQ(messages.size(), 1u);
    // Counts far beyond what the file holds, and a negative count.
    EXPECT_FALSE(Load(" 2000000000\r\n", project));
    EXPECT_EQ(g.pltTZcurves.List(TLineKind::Main).LineCount(), 0);
    PlotFileText q;
    AddTZ(q, {2}, 12);
    q.Counts({2000000000});
    q.QWPoint(1, 2);
    EXPECT_FALSE(Load(q.text, project));
    EXPECT_EQ(g.PltQW.List(TLineKind::Main).Count(), 0);
    PlotFileText t;
    AddTZ(t, {2}, 12);
    AddQW(t);
    t.Counts({2000000, 2000000, 1});
    EXPECT_FALSE(Load(t.text, project));
    EXPECT_FALSE(Load(" -1\r\n", project));
    EXPECT_FALSE(Load("", project));
    // No file at all.
    messages.clear();
    EXPECT_FALSE(ReadPlotData(g, dir / "missing.dv4p", true, project,
                              [this](const std::string& m) { messages.push_back(m); }));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(PltDataTest, NoOverlayWhenBothCurveKindsAreUserEntered) {
    ASSERT_TRUE(Load(FullFile(1, false), EnglishProject()));
    ASSERT_EQ(g.pltLoad.List(TLineKind::Layers).LineCount(), 2);
    PlotProjectInfo project = EnglishProject();
    project.userTz = true;
    project.userQw = true;
    ASSERT_TRUE(Load(FullFile(1, false), project));
    EXPECT_EQ(g.pltLoad.List(TLineKind::Layers).LineCount(), 0); // the earlier overlay is gone too
    project.userQw = false;
    ASSERT_TRUE(Load(FullFile(1, false), project));
    EXPECT_EQ(g.pltLoad.List(TLineKind::Layers).LineCount(), 2);
}

TEST_F(PltDataTest, ReloadStartsFromFreshLines) {
    ASSERT_TRUE(Load(FullFile(1, false), EnglishProject()));
    g.pltLoad.List(TLineKind::Main).Line(0).SetLineName("renamed");
    g.pltLoad.List(TLineKind::Main).Line(1).Active = false;
    g.pltLoad.Markers = 5;
    ASSERT_TRUE(Load(FullFile(1, false), EnglishProject()));
    EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Line(0).LineName(), "w = 0.02 in, Q = 27 kips");
    EXPECT_TRUE(g.pltLoad.List(TLineKind::Main).Line(1).Active);
    EXPECT_EQ(g.pltLoad.Markers, 1);
}

} // namespace
} // namespace dorvek
