// The arithmetic of the plot window: extent, ticks, layout, mapping, zoom, colours, markers,
// legend box and title text, with numbers worked out by hand.

#include "model/plots/PlotView.h"
#include "model/plots/PlotLayout.h"
#include "model/plots/PlotStyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dorvek {
namespace {

void Fill(TGraphPlot& plot, int lines, std::initializer_list<TFloatPoint> points) {
    plot.List(TLineKind::Main).SetLineCount(lines);
    plot.List(TLineKind::Main).SetCount(static_cast<int>(points.size()));
    for (int i = 0; i < lines; ++i) {
        int j = 0;
        for (const TFloatPoint& p : points)
            plot.List(TLineKind::Main).Point(i, j++) = {p.x + i, p.y};
    }
}

TEST(PlotExtent, RoundsOutwardAndAlwaysHoldsZero) {
    TGraphPlot plot;
    Fill(plot, 1, {{3, 1}, {7.3L, 42}});
    const auto b = FullExtent(plot);
    ASSERT_TRUE(b);
    // x 0..7.3: log10 7.3 = 0.863 >= log10 3, step 1 -> 0..8; y 0..42: step 10 -> 0..50.
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Left), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Right), 8);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Top), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Bottom), 50);
    // Below log10 3 the step drops a decade: 0..2.5 has step 0.1.
    const TAxisRange r = RoundAxisRange(0, 2.5L);
    EXPECT_NEAR(static_cast<double>(r.Step), 0.1, 1e-12);
    EXPECT_NEAR(static_cast<double>(r.Max), 2.5, 1e-12);
    const TAxisRange neg = RoundAxisRange(-0.37L, 0);
    EXPECT_NEAR(static_cast<double>(neg.Min), -0.4, 1e-12); // step 0.1 (0.37 >= 0.3)
}

TEST(PlotExtent, ReversedAxisExchangesAndStartsAtTheFirstPoint) {
    TGraphPlot plot;
    plot.Yreversed = true;
    Fill(plot, 1, {{1, 12}, {2, 18}});
    const auto b = FullExtent(plot);
    ASSERT_TRUE(b);
    // y 12..18: range 6, step 1 -> 12..18, exchanged.
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Top), 18);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->Bottom), 12);
}

TEST(PlotExtent, FlatDataIsWidenedAndBadDataGivesNoExtent) {
    TGraphPlot zeros;
    Fill(zeros, 1, {{0, 0}, {0, 0}});
    const auto b = FullExtent(zeros);
    ASSERT_TRUE(b); // -0.01..0.01, step 0.001 (log10 0.02 = -1.7, fraction 0.3 < 0.477)
    EXPECT_NEAR(static_cast<double>(b->Left), -0.01, 1e-12);
    EXPECT_NEAR(static_cast<double>(b->Right), 0.01, 1e-12);

    TGraphPlot huge;
    Fill(huge, 1, {{1e30L, -1e30L}, {2e30L, 1e30L}});
    EXPECT_TRUE(FullExtent(huge));

    TGraphPlot inf;
    Fill(inf, 1, {{std::numeric_limits<long double>::infinity(), 1}, {1, 2}});
    EXPECT_FALSE(FullExtent(inf));
    EXPECT_FALSE(TPlotView::Create(inf));
}

TEST(PlotTicks, WorkedExampleOfASixHundredPixelAxis) {
    // n = 600 div 84 = 7, raw = 0.357, e = 0.1, d = 3 -> major 0.2, minor 0.04.
    const auto t = TAxisTicks::For(0, 2.5L, 600, 14);
    ASSERT_TRUE(t);
    EXPECT_NEAR(static_cast<double>(t->Major), 0.2, 1e-15);
    EXPECT_NEAR(static_cast<double>(t->Minor), 0.04, 1e-15);
    EXPECT_EQ(t->Start, 0);
    EXPECT_EQ(t->Finish, 62);
    std::vector<std::string> labels;
    for (long long i = t->Start; i <= t->Finish; ++i)
        if (TAxisTicks::IsMajor(i)) labels.push_back(TickLabel(t->Value(i)));
    ASSERT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels.front(), "0");
    EXPECT_EQ(labels[1], "0.2");
    EXPECT_EQ(labels[3], "0.6");
    EXPECT_EQ(labels.back(), "2.4");
}

TEST(PlotTicks, StepsAndShortOrReversedAxes) {
    // 0..100 on 300 px with h 14: n 3, raw 33.3, e 10, d 3 -> 20.
    EXPECT_NEAR(static_cast<double>(TAxisTicks::For(0, 100, 300, 14)->Major), 20, 1e-12);
    // 0..1 on 84 px: n 1, raw 1, d 1 -> 1; 0..9 on 84: d 9 -> 10; 0..6 -> 5.
    EXPECT_NEAR(static_cast<double>(TAxisTicks::For(0, 1, 84, 14)->Major), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(TAxisTicks::For(0, 9, 84, 14)->Major), 10, 1e-12);
    EXPECT_NEAR(static_cast<double>(TAxisTicks::For(0, 6, 84, 14)->Major), 5, 1e-12);
    EXPECT_FALSE(TAxisTicks::For(0, 1, 83, 14));       // under 6h
    const auto rev = TAxisTicks::For(-1, -3, 600, 14); // reversed view: same ticks
    ASSERT_TRUE(rev);
    EXPECT_LT(rev->Start, rev->Finish);
    EXPECT_FALSE(TAxisTicks::For(1, 1, 600, 14));
    EXPECT_FALSE(TAxisTicks::For(1e30L, 1e30L + 1e15L, 600, 14)); // indexes beyond 1e15
    EXPECT_TRUE(TAxisTicks::For(1e30L, 3e30L, 600, 14));
}

TEST(PlotLayoutTest, WindowFormulas) {
    TLayoutInput in;
    in.Target = {0, 0, 800, 600};
    in.H = 14;
    in.XOnTop = true;
    TPlotLayout l = ComputeLayout(in);
    // Left = 28 + 12 + 1, Right = 800 - 24 - 7, Top = 28 + 12 + 1, Bottom = 600 - 24 - 7.
    EXPECT_EQ(l.GraphArea, (TPixelRect{41, 41, 769, 569}));
    EXPECT_TRUE(l.BigEnough);
    EXPECT_TRUE(l.RoomForTicks);

    in.XOnTop = false;
    in.UserCaption = true; // at the bottom: Bottom up by h
    l = ComputeLayout(in);
    EXPECT_EQ(l.GraphArea.Top, 7 + 24);
    EXPECT_EQ(l.GraphArea.Bottom, 600 - 28 - 12 - 1 - 14);

    in.XOnTop = true;
    in.UserCaptionOnTop = true; // on top: Top down by h/8 + h
    in.ShowLayers = true;
    l = ComputeLayout(in);
    EXPECT_EQ(l.GraphArea.Top, 41 + 1 + 14);
    EXPECT_EQ(l.GraphArea.Right, 769 - 96);
    EXPECT_EQ(l.LayersArea, (TPixelRect{769 - 96 + 19, 56, 769, 569}));
}

TEST(PlotLayoutTest, PrinterPageAndTinyTargets) {
    TLayoutInput in;
    in.Target = {100, 100, 2500, 3100};
    in.PpiX = in.PpiY = 300;
    in.H = TextHeight(300, 10);
    EXPECT_EQ(in.H, 44); // 14 * 300 / 96 = 43.75
    in.Page = true;
    in.XOnTop = false;
    in.UserCaption = true; // half an inch at the bottom
    TPlotLayout l = ComputeLayout(in);
    EXPECT_EQ(l.GraphArea.Right, 2500);
    EXPECT_EQ(l.GraphArea.Top, 100);
    EXPECT_EQ(l.GraphArea.Bottom, 3100 - 88 - 37 - 5 - 150);
    in.XOnTop = true;
    in.UserCaptionOnTop = true; // a quarter inch at the top
    l = ComputeLayout(in);
    EXPECT_EQ(l.GraphArea.Bottom, 3100);
    EXPECT_EQ(l.GraphArea.Top, 100 + 88 + 37 + 5 + 75);

    TLayoutInput tiny;
    tiny.Target = {0, 0, 90, 400};
    EXPECT_FALSE(ComputeLayout(tiny).BigEnough);
    EXPECT_EQ(TextHeight(96, 20), 28);
}

TEST(PlotMappingTest, DepthGrowsDownwardFromTheTopAndValuesAreClamped) {
    const TPixelRect area{100, 50, 700, 450};
    const TLogicBounds view{0, 2.5L, 0, 40};
    const TPlotMapping depth(area, view, true);
    EXPECT_EQ(depth.PixelY(0), 50);
    EXPECT_EQ(depth.PixelY(10), 150);
    EXPECT_EQ(depth.PixelX(1), 100 + 240);
    const TPlotMapping up(area, view, false);
    EXPECT_EQ(up.PixelY(0), 450);
    EXPECT_EQ(up.PixelY(10), 350);
    EXPECT_DOUBLE_EQ(static_cast<double>(depth.ValueY(150)), 10);
    EXPECT_DOUBLE_EQ(static_cast<double>(up.ValueY(350)), 10);
    EXPECT_DOUBLE_EQ(static_cast<double>(depth.ValueX(0)), 0);      // clamped to the left
    EXPECT_DOUBLE_EQ(static_cast<double>(depth.ValueX(5000)), 2.5); // and the right edge
    // Far-away values stay drawable.
    EXPECT_LT(std::abs(depth.PixelX(1e30L)), 1e5);
    EXPECT_EQ(CoordinateTitle("Load Distribution", 1.234567L, 10),
              "Load Distribution X: 1.2346 Y: 10");
}

TEST(PlotZoom, RubberBandKeepsATwentiethAndStaysInside) {
    TPlotView view(TLogicBounds{0, 100, 0, 40});
    const TPlotMapping map(TPixelRect{0, 0, 1000, 400}, view.LogicBounds, true);
    EXPECT_FALSE(view.ZoomToRect(map, 10, 10, 10, 200)); // same x: no zoom
    ASSERT_TRUE(view.ZoomToRect(map, 500, 200, 510, 300));
    // x 50..51 is narrower than 100/20: 5 wide around 50.5; y 20..30 stays.
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Right - view.LogicBounds.Left), 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Left), 48);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Top), 20);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Bottom), 30);

    TPlotView edge(TLogicBounds{0, 100, 0, 40});
    ASSERT_TRUE(edge.ZoomToRect(map, -50, 200, 2, 210));             // clamped to the left edge
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.LogicBounds.Left), 0); // shifted back inside
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.LogicBounds.Right), 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.LogicBounds.Bottom - edge.LogicBounds.Top), 2);
}

TEST(PlotZoom, RightClickDoublesUntilFullAndKeepsAReversedAxis) {
    TPlotView view(TLogicBounds{0, 100, 0, 40});
    view.LogicBounds = {40, 45, 10, 12};
    view.ZoomOut(42.5L, 11);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Left), 37.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Right), 47.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(view.LogicBounds.Bottom - view.LogicBounds.Top), 4);
    for (int i = 0; i < 10; ++i) view.ZoomOut(95, 1);
    EXPECT_TRUE(view.IsFull());

    TPlotView rev(TLogicBounds{0, 10, 50, 10}); // Top > Bottom
    rev.LogicBounds = {2, 4, 30, 28};
    rev.ZoomOut(3, 29);
    EXPECT_DOUBLE_EQ(static_cast<double>(rev.LogicBounds.Top), 31);
    EXPECT_DOUBLE_EQ(static_cast<double>(rev.LogicBounds.Bottom), 27);
}

TEST(PlotStyleTest, ColoursFollowActiveCurvesOnly) {
    TGraphPlot plot;
    Fill(plot, 4, {{0, 0}, {1, 1}});
    plot.List(TLineKind::Main).Line(1).Visible = false;
    EXPECT_EQ(CurveColours(plot), (std::vector<int>{0, 1, 2, 3}));
    plot.List(TLineKind::Main).Line(1).Active = false;
    EXPECT_EQ(CurveColours(plot), (std::vector<int>{0, -1, 1, 2}));
    EXPECT_EQ(PaletteRgb(2), 0xFF0000u);
    EXPECT_EQ(PaletteRgb(17), 0x000000u);
    EXPECT_EQ(PaletteRgb(16), 0x00FFFFu);
}

TEST(PlotStyleTest, MarkersByPositionAndSpacing) {
    EXPECT_EQ(MarkerKind(0), 1);
    EXPECT_EQ(MarkerKind(10), 1);  // curve 11 like curve 1
    EXPECT_EQ(MarkerKind(19), 10); // curve 20: decagon
    EXPECT_EQ(MarkerPolygon(MarkerKind(19), 0, 0, 3).size(), 10u);
    const auto tri = MarkerPolygon(1, 10, 10, 3);
    ASSERT_EQ(tri.size(), 3u);
    EXPECT_NEAR(tri[0].first, 7, 1e-12); // points left
    EXPECT_NEAR(tri[0].second, 10, 1e-12);
    const auto sq = MarkerPolygon(2, 0, 0, std::sqrt(2.0));
    ASSERT_EQ(sq.size(), 4u);
    EXPECT_NEAR(sq[0].first, 1, 1e-12);
    EXPECT_NEAR(sq[0].second, -1, 1e-12);
    EXPECT_NEAR(sq[1].first, -1, 1e-12);
    const auto pent = MarkerPolygon(5, 0, 0, 2);
    EXPECT_NEAR(pent[0].first, 2, 1e-12); // first corner at angle 0
    std::vector<int> marked;
    for (int j = 0; j < 8; ++j)
        if (HasMarker(j, 3)) marked.push_back(j);
    EXPECT_EQ(marked, (std::vector<int>{0, 3, 6}));
    EXPECT_FALSE(HasMarker(0, 0));
}

TEST(PlotLegendBox, VisibleEntriesSizedAndKeptInside) {
    TGraphPlot plot;
    Fill(plot, 3, {{0, 0}, {1, 1}});
    plot.List(TLineKind::Main).Line(1).Visible = false;
    const auto entries = LegendEntries(plot);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].Name, "Curve #3");
    TPlotLayout layout;
    layout.Target = {0, 0, 960, 720};
    layout.GraphArea = {50, 50, 900, 680};
    // 96 ppi: width = 80 + 18 + a 24-pixel line sample, step = 16 + 3, height = 2 * 19 + 3;
    // inside the frame (one pixel in from its lines).
    TLegendBox box = LayoutLegendBox(entries, {80, 200, 60}, 16, 96, 96, layout, std::nullopt);
    ASSERT_EQ(box.Rows.size(), 2u);
    EXPECT_EQ(box.Box, (TPixelRect{899 - 122, 679 - 41, 899, 679}));
    EXPECT_EQ(box.Rows[1].Entry.Curve, 2);
    EXPECT_EQ(box.Rows[1].TextTop - box.Rows[0].TextTop, 19);
    EXPECT_EQ(box.Rows[0].TextX - box.Rows[0].SampleRight, 3);
    EXPECT_EQ(box.Rows[0].MarkerX - box.Box.Left, 6 + 12);
    box = LayoutLegendBox(entries, {80, 200, 60}, 16, 96, 96, layout, std::pair{0.5, 0.99});
    EXPECT_EQ(box.Box.Left, 480);
    EXPECT_EQ(box.Box.Bottom, 679); // moved up inside the graph frame
}

} // namespace
} // namespace dorvek
