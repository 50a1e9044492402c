// Menu choices, legend entries and sizes, and the dialog models of the plot window.

#include "model/plots/PlotDialogModels.h"
#include "model/plots/PlotLegendModel.h"
#include "model/plots/PlotMenuModel.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

std::vector<std::pair<std::string, int>> Flat(const std::vector<TMenuChoice>& choices) {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& c : choices) out.emplace_back(c.Text, c.Value);
    return out;
}

void ThreeCurves(TGraphPlot& plot) {
    plot.List(TLineKind::Main).SetLineCount(3);
    plot.List(TLineKind::Main).SetCount(2);
}

} // namespace

TEST(PlotMenuChoices, TextsAndStoredValuesAsTheUserSeesThem) {
    using V = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(Flat(MarkerChoices()), (V{{"&Never", 0},
                                        {"Every &Increment", 1},
                                        {"Every &2 Increments", 2},
                                        {"Every &3 Incrments", 3},
                                        {"Every &5 Increments", 5},
                                        {"Every &10 Incements", 10}}));
    EXPECT_EQ(Flat(FontSizeChoices()), (V{{"&Default", 10},
                                          {"1.5 * Default", 15},
                                          {"2 * Default", 20},
                                          {"2.5 * Default", 25},
                                          {"3 * Default", 30},
                                          {"4 * Default", 40}}));
    EXPECT_EQ(Flat(LineWidthChoices()), (V{{"&Default", 1},
                                           {"2 * Default", 2},
                                           {"4 * Default", 4},
                                           {"6 * Default", 6},
                                           {"10 * Default", 10}}));
}

TEST(PlotMenuState, EntriesFollowTheOverlayAndTheFontSwitch) {
    TGraphPlot plot;
    ThreeCurves(plot);
    TPlotMenuState s = PlotMenuState(plot);
    EXPECT_FALSE(s.LayersVisible);
    EXPECT_FALSE(s.WallVisible);
    EXPECT_TRUE(s.FontWidthVisible);

    plot.List(TLineKind::Layers).SetLineCount(2);
    plot.WallLineCount = 1;
    plot.ShowFontWidth = false;
    s = PlotMenuState(plot);
    EXPECT_TRUE(s.LayersVisible);
    EXPECT_TRUE(s.WallVisible);
    EXPECT_FALSE(s.WallEnabled); // only while layers are shown
    EXPECT_FALSE(s.FontWidthVisible);
    plot.ShowLayers = true;
    EXPECT_TRUE(PlotMenuState(plot).WallEnabled);
}

TEST(PlotMenuState, LegendFontScalesWithTheFontIndex) {
    TGraphPlot plot;
    EXPECT_EQ(ScaledLegendFont(plot), 11);
    plot.SizeFont = 25;
    EXPECT_EQ(ScaledLegendFont(plot), 27); // 25 * 11 / 10
    plot.SizeFont = 40;
    EXPECT_EQ(ScaledLegendFont(plot), 44);
}

TEST(PlotLegend, EntriesAreTheActiveCurvesWithAStarWhileVisible) {
    TGraphPlot plot;
    ThreeCurves(plot);
    plot.List(TLineKind::Main).Line(1).Active = false;
    plot.List(TLineKind::Main).Line(2).SetLineName("Tip");
    TPlotLegendModel legend;
    legend.Rebuild(plot);
    ASSERT_EQ(legend.Count(), 2);
    EXPECT_EQ(legend.Entry(0).Curve, 0);
    EXPECT_EQ(legend.Entry(1).Curve, 2);
    EXPECT_EQ(legend.Entry(1).Colour, 1); // the colour counter skips the inactive curve
    EXPECT_EQ(legend.Text(plot, 0), "Curve #1 *");
    EXPECT_EQ(legend.Text(plot, 1), "Tip *");

    EXPECT_TRUE(legend.Toggle(plot, 1));
    EXPECT_FALSE(plot.List(TLineKind::Main).Line(2).Visible);
    EXPECT_TRUE(plot.AnyChange);
    EXPECT_EQ(legend.Text(plot, 1), "Tip");
    EXPECT_TRUE(legend.Toggle(plot, 1));
    EXPECT_EQ(legend.Text(plot, 1), "Tip *");
    EXPECT_FALSE(legend.Toggle(plot, 2));
    EXPECT_FALSE(legend.Toggle(plot, -1));

    // A plot emptied by a new load of results while its window is open.
    plot.List(TLineKind::Main).SetLineCount(0);
    EXPECT_FALSE(legend.Toggle(plot, 0));
    EXPECT_EQ(legend.Text(plot, 0), "Curve #1");
}

TEST(PlotLegend, SizeFromTheEntriesAndTheWidestText) {
    EXPECT_EQ(LegendHeight(3, 17), 54);
    EXPECT_EQ(LegendHeight(0, 17), 3);
    EXPECT_EQ(LegendWidth(21, 80, 96), 104);  // 80 + a quarter inch
    EXPECT_EQ(LegendWidth(21, 0, 96), 24);    // grows beyond 21 even with no text
    EXPECT_EQ(LegendWidth(150, 80, 96), 150); // never narrower than it was
    EXPECT_EQ(LegendWidth(21, 80, 192), 128);
}

TEST(PlotLegend, KeptInsideTheClientArea) {
    auto place = KeepLegendInside({700, 500}, 100, 60, 640, 480);
    EXPECT_EQ(place.X, 540);
    EXPECT_EQ(place.Y, 420);
    place = KeepLegendInside({-5, -9}, 100, 60, 640, 480);
    EXPECT_EQ(place.X, 0);
    EXPECT_EQ(place.Y, 0);
    // Larger than the window: at the origin, never negative.
    place = KeepLegendInside({30, 30}, 900, 600, 640, 480);
    EXPECT_EQ(place.X, 0);
    EXPECT_EQ(place.Y, 0);
}

TEST(LegendNames, EmptyNameRefusedAndOthersStored) {
    TGraphPlot plot;
    ThreeCurves(plot);
    plot.DefLineNames = {"Head"};
    TLegendNamesModel names(plot);
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names.Selected(), 0);
    EXPECT_EQ(names.Name(0), "Head");
    EXPECT_EQ(names.Name(2), "Curve #3");
    EXPECT_FALSE(names.Store(""));
    EXPECT_EQ(names.Name(0), "Head");
    names.Select(2);
    EXPECT_TRUE(names.Store("Tip"));
    names.Select(7); // out of range: the selection stays
    EXPECT_EQ(names.Selected(), 2);
    EXPECT_FALSE(plot.AnyChange);
    names.Apply(plot);
    EXPECT_TRUE(plot.AnyChange);
    // Every name becomes explicit, defaults included.
    EXPECT_EQ(plot.List(TLineKind::Main).Line(0).fValueS, "Head");
    EXPECT_EQ(plot.List(TLineKind::Main).Line(1).fValueS, "Curve #2");
    EXPECT_EQ(plot.List(TLineKind::Main).Line(2).fValueS, "Tip");
}

TEST(LegendNames, PlotWithoutCurvesHasNothingSelected) {
    TGraphPlot plot;
    TLegendNamesModel names(plot);
    EXPECT_EQ(names.Selected(), -1);
    EXPECT_FALSE(names.Store("x"));
}

TEST(ActiveCurves, EntryTextsTogglesAndApply) {
    TGraphPlot plot;
    ThreeCurves(plot);
    plot.List(TLineKind::Main).Line(1).Active = false;
    TActiveCurvesModel model(plot);
    EXPECT_EQ(model.EntryText(0), " yes :    Curve #1");
    EXPECT_EQ(model.EntryText(1), " no  :    Curve #2");
    model.Toggle({0, 1, 9});
    EXPECT_FALSE(model.Active(0));
    EXPECT_TRUE(model.Active(1));
    model.SetAll(false);
    EXPECT_EQ(model.EntryText(2), " no  :    Curve #3");
    model.SetAll(true);
    model.Toggle({2});
    model.Apply(plot);
    EXPECT_TRUE(plot.List(TLineKind::Main).Line(0).Active);
    EXPECT_TRUE(plot.List(TLineKind::Main).Line(1).Active);
    EXPECT_FALSE(plot.List(TLineKind::Main).Line(2).Active);
    EXPECT_TRUE(plot.AnyChange);
}

TEST(SaveAttributes, LimitsAndPixels) {
    TSaveAttributes a;
    EXPECT_TRUE(SaveAttributesValid(a));
    a.HeightIn = 1.99;
    EXPECT_FALSE(SaveAttributesValid(a));
    a.HeightIn = 2.0;
    a.WidthIn = 2.0;
    EXPECT_TRUE(SaveAttributesValid(a));
    a.PixelsPerInch = 9.5;
    EXPECT_FALSE(SaveAttributesValid(a));
    a.PixelsPerInch = 10;
    EXPECT_TRUE(SaveAttributesValid(a));
    EXPECT_EQ(PicturePixels(8.5, 96), 816);
    EXPECT_EQ(PicturePixels(2.0, 10), 20);
    EXPECT_EQ(PicturePixels(6.25, 300), 1875);
    EXPECT_EQ(PictureColorNames().size(), 4u);
}
