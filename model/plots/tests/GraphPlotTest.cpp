// The graph model: line lists and their counts, names, unit labels, the layer overlay and the
// window attachment with its 20-curve limit.

#include "model/plots/GraphPlot.h"
#include "model/plots/ResultGraphs.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

TEST(GraphPlotTest, DefaultsOfANewPlot) {
    TGraphPlot plot;
    EXPECT_EQ(plot.CurveName, "Curve #");
    EXPECT_TRUE(plot.ShowLegend);
    EXPECT_FALSE(plot.ShowLayers);
    EXPECT_TRUE(plot.ShowFontWidth);
    EXPECT_EQ(plot.Markers, 1);
    EXPECT_EQ(plot.SizeFont, 10);
    EXPECT_EQ(plot.LegendFont, 11);
    EXPECT_EQ(plot.WidthLine, 1);
    EXPECT_EQ(plot.Units(), 1);
    EXPECT_TRUE(plot.XOnTop);
    EXPECT_TRUE(plot.LimitActive);
    EXPECT_FALSE(plot.FormExists());
    EXPECT_FALSE(plot.HasSomethingToDraw());
    EXPECT_EQ(plot.List(TLineKind::Main).Count(), 0);
    EXPECT_EQ(plot.List(TLineKind::Layers).Count(), 0);
}

TEST(GraphPlotTest, CountSettersActOnEveryLineOfTheirList) {
    TGraphPlot plot;
    TLineList& curves = plot.List(TLineKind::Main);
    curves.SetCount(5); // no lines: nothing happens
    EXPECT_EQ(curves.Count(), 0);
    curves.SetLineCount(2);
    EXPECT_EQ(curves.Line(1).Count(), 0);
    curves.SetCount(4);
    EXPECT_EQ(curves.Line(0).Count(), 4);
    EXPECT_EQ(curves.Line(1).Count(), 4);
    curves.Point(0, 3) = {7, 8};
    // New lines get as many zero points as the first line, and Value = position + 1.
    curves.SetLineCount(3);
    EXPECT_EQ(curves.Line(2).Count(), 4);
    EXPECT_EQ(curves.Line(2).Value, 3);
    EXPECT_EQ(curves.Point(2, 3).x, 0);
    EXPECT_TRUE(curves.Line(2).Visible);
    EXPECT_TRUE(curves.Line(2).Active);
    EXPECT_EQ(curves.Line(2).Owner(), &plot);
    // Shrinking frees from the end and keeps the rest.
    curves.SetCount(-3);
    EXPECT_EQ(curves.Count(), 0);
    curves.SetCount(4);
    EXPECT_EQ(curves.Point(0, 3).x, 0); // freed points come back as zeros
    curves.SetLineCount(-1);
    EXPECT_EQ(curves.LineCount(), 0);
    EXPECT_EQ(curves.Count(), 0);
    EXPECT_THROW(curves.Line(0), std::out_of_range);

    // The other lists are separate.
    plot.List(TLineKind::Layers).SetLineCount(3);
    plot.List(TLineKind::Layers).SetCount(1);
    plot.List(TLineKind::Panel2).SetLineCount(1);
    plot.List(TLineKind::Panel2).SetCount(6);
    plot.List(TLineKind::Panel3).SetLineCount(2);
    EXPECT_EQ(curves.LineCount(), 0);
    EXPECT_EQ(plot.List(TLineKind::Layers).LineCount(), 3);
    EXPECT_EQ(plot.List(TLineKind::Layers).Count(), 1);
    EXPECT_EQ(plot.List(TLineKind::Panel2).Count(), 6);
    EXPECT_EQ(plot.List(TLineKind::Panel3).LineCount(), 2);
    EXPECT_EQ(plot.List(TLineKind::Panel3).Count(), 0);
    plot.List(TLineKind::Layers).Point(2, 0).y = 4;
    EXPECT_EQ(plot.List(TLineKind::Layers).Line(2).Point(0).y, 4);
}

TEST(GraphPlotTest, LineNameRule) {
    TGraphPlot plot;
    TLineList& curves = plot.List(TLineKind::Main);
    curves.SetLineCount(3);
    EXPECT_EQ(curves.Line(0).LineName(), "Curve #1");
    EXPECT_EQ(curves.Line(2).LineName(), "Curve #3");
    curves.Line(2).Value = 2.5;
    EXPECT_EQ(curves.Line(2).LineName(), "Curve #2.5");
    plot.DefLineNames = {"first", "second"};
    EXPECT_EQ(curves.Line(0).LineName(), "first");
    EXPECT_EQ(curves.Line(1).LineName(), "second");
    EXPECT_EQ(curves.Line(2).LineName(), "Curve #2.5");
    plot.CurveName = "Load ";
    EXPECT_EQ(curves.Line(2).LineName(), "Load 2.5");
    curves.Line(0).SetLineName("mine");
    EXPECT_EQ(curves.Line(0).LineName(), "mine");
    curves.Line(0).SetLineName("");
    EXPECT_EQ(curves.Line(0).LineName(), "first");
    // Default names belong to the main list only.
    plot.List(TLineKind::Layers).SetLineCount(1);
    EXPECT_EQ(plot.List(TLineKind::Layers).Line(0).LineName(), "Load 1");
    plot.onGetCaption = [](const TGraphPlot&, int index, std::string& caption) {
        caption += " #" + std::to_string(index);
    };
    EXPECT_EQ(plot.LegendName(1), "second #1");
}

TEST(GraphPlotTest, UnitLabelsFollowThePlotRule) {
    TGraphPlot plot;
    EXPECT_EQ(plot.UnitLabel("F1/L2^2"), "kips/ft^2");
    EXPECT_EQ(plot.UnitLabel("F2"), "tons");
    EXPECT_EQ(plot.UnitLabel("F/L^2"), "lbs/in^2");
    EXPECT_EQ(plot.UnitLabel("L1"), "in");
    plot.SetUnits(2);
    EXPECT_EQ(plot.UnitLabel("F1/L2^2"), "kN/m^2");
    EXPECT_EQ(plot.UnitLabel("L1"), "mm");
    EXPECT_EQ(plot.UnitLabel("L"), "m");
    plot.SetUnits(7); // clamped
    EXPECT_EQ(plot.Units(), 3);
    EXPECT_EQ(plot.UnitLabel("F1/L2^2"), "F1/L2^2");
    plot.SetUnits(0);
    EXPECT_EQ(plot.Units(), 1);

    plot.XCaption = "Axial Load";
    plot.XUnits = "F1";
    plot.YCaption = "Ratio";
    EXPECT_EQ(plot.XTitle(), "Axial Load (kips)");
    EXPECT_EQ(plot.YTitle(), "Ratio");
}

TEST(GraphPlotTest, ResetKeepsTheCaptionsAndClearsTheLines) {
    TGraphPlot plot;
    plot.Caption = "Load Distribution";
    plot.List(TLineKind::Main).SetLineCount(4);
    plot.Markers = 5;
    plot.SizeFont = 30;
    plot.WidthLine = 6;
    plot.ShowLegend = false;
    ResetGraphPlot(plot);
    EXPECT_EQ(plot.List(TLineKind::Main).LineCount(), 0);
    EXPECT_EQ(plot.Markers, 1);
    EXPECT_EQ(plot.SizeFont, 10);
    EXPECT_EQ(plot.WidthLine, 1);
    EXPECT_EQ(plot.Caption, "Load Distribution");
    EXPECT_FALSE(plot.ShowLegend);
}

TEST(GraphPlotTest, LayerOverlay) {
    const std::vector<LayerRow> layers = {{1, 120}, {2, 240}, {3, 300}, {4, 360},
                                          {5, 420}, {6, 480}, {9, 600}};
    TGraphPlot plot;
    plot.List(TLineKind::Main).SetLineCount(1);
    AddLayersGraphPlot(plot, layers, 1, false, false);
    // A line without points: nothing to overlay.
    EXPECT_EQ(plot.List(TLineKind::Layers).LineCount(), 0);
    plot.List(TLineKind::Main).SetCount(1);
    plot.ShowLayers = true;
    AddLayersGraphPlot(plot, layers, 1, true, true);
    EXPECT_EQ(plot.List(TLineKind::Layers).LineCount(), 0); // both curve kinds user-entered
    AddLayersGraphPlot(plot, layers, 1, true, false);
    ASSERT_EQ(plot.List(TLineKind::Layers).LineCount(), 7);
    EXPECT_FALSE(plot.ShowLayers);
    const char* names[] = {" CLAY ", " SAND ", " CLAY ", " SAND ", " CLAY ", " SAND ", "LAYER 7"};
    const int codes[] = {1, 7, 1, 7, 1, 7, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(plot.List(TLineKind::Layers).Line(i).Count(), 1);
        EXPECT_EQ(plot.List(TLineKind::Layers).Line(i).LineName(), names[i]) << i;
        EXPECT_EQ(plot.List(TLineKind::Layers).Point(i, 0).x, codes[i]) << i;
        // English bottoms in feet: 120 in = 10 ft ... 600 in = 50 ft.
        EXPECT_EQ(plot.List(TLineKind::Layers).Point(i, 0).y,
                  layers[static_cast<size_t>(i)].bottom / 12)
            << i;
    }
    // A second build over the first: the line reused for an unknown method loses its code.
    AddLayersGraphPlot(plot, {{9, 12}, {6, 24}}, 2, false, true);
    ASSERT_EQ(plot.List(TLineKind::Layers).LineCount(), 2);
    EXPECT_EQ(plot.List(TLineKind::Layers).Point(0, 0).x, 0);
    EXPECT_EQ(plot.List(TLineKind::Layers).Line(0).LineName(), "LAYER 1");
    EXPECT_EQ(plot.List(TLineKind::Layers).Point(0, 0).y, 12); // S.I.: unchanged
}

// A handle on a window its toolkit owns: the window is open until the "user" closes it;
// the handle frees it when the plot lets go of it while it is open.
struct FakeWindow : TPlotWindow {
    FakeWindow(int& shows, int& freed) : fShows(shows), fFreed(freed) {}
    ~FakeWindow() override {
        if (open) ++fFreed;
    }
    bool Exists() const override { return open; }
    void ShowWindow() override { ++fShows; }
    bool open = true;
    int& fShows;
    int& fFreed;
};

class WindowTest : public ::testing::Test {
protected:
    void Attach(TGraphPlot& plot) {
        plot.SetWindowFactory([this](TGraphPlot& p) {
            ++created;
            activeAtCreation = 0;
            const TLineList& curves = p.List(TLineKind::Main);
            for (int i = 0; i < curves.LineCount(); ++i) activeAtCreation += curves.Line(i).Active;
            auto window = std::make_unique<FakeWindow>(shows, freed);
            last = window.get();
            return window;
        });
    }
    int created = 0, shows = 0, freed = 0, activeAtCreation = -1;
    FakeWindow* last = nullptr;
};

TEST_F(WindowTest, FirstWindowShowsTwentyOfTwentyFiveCurves) {
    TGraphPlot plot;
    TLineList& curves = plot.List(TLineKind::Main);
    curves.SetLineCount(25);
    plot.Show(); // no factory: no window
    EXPECT_FALSE(plot.FormExists());
    EXPECT_EQ(plot.Window(), nullptr);
    Attach(plot);
    plot.Show();
    ASSERT_TRUE(plot.FormExists());
    EXPECT_EQ(plot.Window(), last);
    EXPECT_EQ(activeAtCreation, 20); // the window sees the limit already applied
    for (int i = 0; i < 25; ++i) EXPECT_EQ(curves.Line(i).Active, i < 20) << i;
    // Showing again reuses the window; a reactivated curve stays active.
    curves.Line(22).Active = true;
    plot.Show();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(curves.Line(22).Active);
    plot.Hide();
    EXPECT_FALSE(plot.FormExists());
    EXPECT_EQ(freed, 1);
    plot.Hide(); // nothing left to free
    EXPECT_EQ(freed, 1);
}

TEST_F(WindowTest, NoLimitWhenClearedOrTwentyCurves) {
    TGraphPlot plot;
    Attach(plot);
    plot.List(TLineKind::Main).SetLineCount(20);
    plot.Show();
    EXPECT_EQ(activeAtCreation, 20);
    plot.Hide();
    plot.List(TLineKind::Main).SetLineCount(25);
    plot.LimitActive = false;
    plot.Show();
    EXPECT_EQ(activeAtCreation, 25);
}

TEST_F(WindowTest, PlotDestructionFreesAnOpenWindow) {
    {
        TGraphPlot plot;
        Attach(plot);
        plot.Show();
        EXPECT_EQ(freed, 0);
    }
    EXPECT_EQ(freed, 1);
}

TEST_F(WindowTest, WindowClosedByItsToolkitIsForgottenNotFreedAndShowOpensANewOne) {
    {
        TGraphPlot plot;
        Attach(plot);
        plot.Show();
        last->open = false; // closed by the user: its toolkit frees it
        EXPECT_FALSE(plot.FormExists());
        EXPECT_EQ(plot.Window(), nullptr);
        plot.Show(); // a new window; the old handle goes without freeing anything
        EXPECT_EQ(created, 2);
        EXPECT_EQ(shows, 2);
        EXPECT_EQ(freed, 0);
        EXPECT_TRUE(plot.FormExists());
        last->open = false;
        plot.Hide();
        EXPECT_EQ(freed, 0);
        plot.Show();
        EXPECT_EQ(created, 3);
    }
    EXPECT_EQ(freed, 1); // only the third window was open when the plot went
}

TEST(ResultGraphsTest, CaptionsAxesAndSets) {
    TResultGraphs g;
    EXPECT_EQ(g.pltTZcurves.Caption, "t-z Curves");
    EXPECT_EQ(g.PltQW.Caption, "Tip Resistance Curve");
    EXPECT_EQ(g.pltLoad.Caption, "Load Distribution");
    EXPECT_EQ(g.pltDisp.Caption, "Displacement Distribution");
    EXPECT_EQ(g.pltDispDown.Caption, "Displacement/Soil Settlement");
    EXPECT_EQ(g.pltAxial.Caption, "Axial Load vs Settlement");
    EXPECT_EQ(g.pltAxialLoads.Caption, "Axial Load vs Settlement (Applied Loads)");
    EXPECT_EQ(g.pltLoadLoads.Caption, "Load Distribution (Applied Load)");
    EXPECT_EQ(g.pltDispLoads.Caption, "Displacement Distribution (Applied Loads)");

    // Depth graphs: depth in feet growing downward from the x axis at the top.
    for (TGraphPlot* plot :
         {&g.pltLoad, &g.pltDisp, &g.pltDispDown, &g.pltLoadLoads, &g.pltDispLoads}) {
        EXPECT_EQ(plot->YTitle(), "Depth (ft)") << plot->Caption;
        EXPECT_TRUE(plot->XOnTop);
        EXPECT_FALSE(plot->Yreversed);
    }
    EXPECT_EQ(g.pltLoadLoads.XTitle(), "Axial Load (kips)");
    EXPECT_EQ(g.pltDispLoads.XTitle(), "Pile Movement (in)");
    EXPECT_EQ(g.pltAxialLoads.XTitle(), "Pile-Head Load (kips)");
    EXPECT_FALSE(g.pltTZcurves.XOnTop);
    EXPECT_EQ(g.pltTZcurves.XTitle(), "Pile Movement (in)");
    g.SetUnits(2);
    EXPECT_EQ(g.pltTZcurves.YTitle(), "Load Transfer (kN/m^2)");
    EXPECT_EQ(g.PltQW.XTitle(), "Tip Load (kN)");
    EXPECT_EQ(g.PltQW.YTitle(), "Tip Movement (m)");

    EXPECT_EQ(g.All().size(), 9u);
    const auto five = g.SettingsGraphs(0);
    const auto six = g.SettingsGraphs(1);
    ASSERT_EQ(five.size(), 5u);
    ASSERT_EQ(six.size(), 6u);
    EXPECT_EQ(six[2], &g.pltDispDown);
    EXPECT_EQ(five[2], &g.pltAxial);
    EXPECT_EQ(five[4], &g.PltQW);
    EXPECT_EQ(g.Available(0, 0).size(), 5u);
    const auto all = g.Available(1, 2);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[8], &g.pltAxialLoads);
}

} // namespace
} // namespace dorvek
