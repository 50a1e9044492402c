// Graphs for a design report: legend placement, label collisions, marker size, the safe
// palette, axis ranges, the t-z rising part and the additions block of the settings file.

#include "model/plots/AxisRanges.h"
#include "model/plots/GraphSettings.h"
#include "model/plots/LegendPlacement.h"
#include "model/plots/PlotLayout.h"
#include "model/plots/PlotStyle.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvek {
namespace {

TEST(ReportGraphsTest, MarkersGrowOnlyUnderThickLines) {
    EXPECT_DOUBLE_EQ(MarkerRadius(96, 1), 3.0);    // 1/32 inch at the default width
    EXPECT_DOUBLE_EQ(MarkerRadius(300, 2), 9.375); // default width at 300 dpi
    EXPECT_DOUBLE_EQ(MarkerRadius(96, 4), 8.0);    // 4 x default: twice the pen width
    EXPECT_DOUBLE_EQ(MarkerRadius(96, 10), 20.0);
}

TEST(ReportGraphsTest, SafePaletteKeepsTwentyEightCurvesApart) {
    std::set<std::pair<std::uint32_t, int>> seen;
    for (int c = 0; c < 28; ++c) {
        const TCurveStyle s = CurveStyle(c, 1);
        EXPECT_TRUE(seen.insert({s.Rgb, static_cast<int>(s.Style)}).second) << c;
        // Nothing light enough to vanish on white paper (yellow and silver are out).
        const int r = s.Rgb >> 16, g = (s.Rgb >> 8) & 0xFF, b = s.Rgb & 0xFF;
        EXPECT_LT(0.299 * r + 0.587 * g + 0.114 * b, 180) << c;
    }
    EXPECT_EQ(CurveStyle(2, 1).Style, TLineStyle::Solid);
    EXPECT_EQ(CurveStyle(7, 1).Style, TLineStyle::Dashed);
    EXPECT_EQ(CurveStyle(7, 1).Rgb, CurveStyle(0, 1).Rgb);
    // The classic palette stays the Part's, always solid.
    EXPECT_EQ(CurveStyle(2, 0).Rgb, 0xFF0000u);
    EXPECT_EQ(CurveStyle(13, 0).Style, TLineStyle::Solid);
}

TEST(ReportGraphsTest, LegendGoesToTheCornerWithFewestPoints) {
    const TPixelRect area{100, 50, 700, 450};
    // A curve from upper left to lower right: the other two corners are free.
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i <= 600; i += 5) pts.emplace_back(100 + i, 50 + i * 400.0 / 600);
    TLegendSpot spot = LeastCoveredCorner(area, 120, 60, 4, pts);
    EXPECT_FALSE(spot.Outside);
    EXPECT_EQ(spot.Where, TLegendSpot::UpperRight);
    EXPECT_EQ(spot.Left, 700 - 4 - 120);
    EXPECT_EQ(spot.Top, 54);
    EXPECT_EQ(spot.Points, 0);
    // Points in every corner: outside.
    pts = {{110, 60}, {690, 60}, {110, 440}, {690, 440}};
    spot = LeastCoveredCorner(area, 120, 60, 4, pts);
    EXPECT_TRUE(spot.Outside);
    // Upper left alone is free.
    pts = {{690, 60}, {110, 440}, {690, 440}};
    spot = LeastCoveredCorner(area, 120, 60, 4, pts);
    EXPECT_EQ(spot.Where, TLegendSpot::UpperLeft);
    EXPECT_EQ(spot.Left, 104);
    // A box larger than the area never fits.
    EXPECT_TRUE(LeastCoveredCorner(area, 600, 60, 4, {}).Outside);
}

TEST(ReportGraphsTest, CurvePointsCountLongSegments) {
    TGraphPlot plot;
    plot.List(TLineKind::Main).SetLineCount(1);
    plot.List(TLineKind::Main).SetCount(2);
    plot.List(TLineKind::Main).Point(0, 0) = {0, 0};
    plot.List(TLineKind::Main).Point(0, 1) = {10, 10};
    const TPlotMapping map({0, 0, 100, 100}, {0, 10, 0, 10}, true);
    const auto pts = CurvePixelPoints(plot, map, 10);
    // Two end points and the points every 10 pixels along the 141-pixel diagonal.
    EXPECT_EQ(pts.size(), 2u + 13u);
    plot.List(TLineKind::Main).Line(0).Visible = false;
    EXPECT_TRUE(CurvePixelPoints(plot, map, 10).empty());
}

TEST(ReportGraphsTest, FirstLabelsAtTheCornerNeverOverlap) {
    // x axis on top at 96 ppi, h = 14, text height 16: graph area top-left at (47, 47).
    // First x label "-50" (22 wide) centred on x = 47 above the frame; first y label "-10"
    // rotated, centred on y = 47, left of the frame.
    const double gl = 47, gt = 47, th = 16, ppi = 96;
    const TLabelBox x{gl - 12, gt - ppi / 32 - th, gl + 12, gt - ppi / 32};
    const TLabelBox y{gl - ppi / 32 - th, gt - 12, gl - ppi / 32, gt + 12};
    ASSERT_TRUE(x.Overlaps(y));
    const TLabelBox moved = ClearCornerLabel(y, x, true);
    EXPECT_FALSE(moved.Overlaps(x));
    EXPECT_DOUBLE_EQ(moved.Top, x.Bottom + 1);
    EXPECT_DOUBLE_EQ(moved.Bottom - moved.Top, y.Bottom - y.Top);
    EXPECT_DOUBLE_EQ(moved.Left, y.Left);
    // x axis at the bottom: the y label moves up.
    const TLabelBox xb{gl - 12, 400 + 6, gl + 12, 400 + 6 + th};
    const TLabelBox yb{gl - 3 - th, 400 - 12, gl - 3, 400 + 12};
    const TLabelBox up = ClearCornerLabel(yb, xb, false);
    EXPECT_FALSE(up.Overlaps(xb));
    EXPECT_DOUBLE_EQ(up.Bottom, xb.Top - 1);
    // Apart already: unchanged.
    const TLabelBox far{0, 200, 10, 220};
    EXPECT_DOUBLE_EQ(ClearCornerLabel(far, x, true).Top, 200);
}

std::vector<TLegendEntry> Entries(int n) {
    std::vector<TLegendEntry> e;
    for (int i = 0; i < n; ++i) e.push_back({i, i, i + 1, true, "Curve"});
    return e;
}

TEST(ReportGraphsTest, LegendBoxStaysInsideTheFrameAtEveryResolution) {
    for (int ppi : {96, 100, 150, 300}) {
        TLayoutInput in;
        in.Target = {0, 0, 10 * ppi, 7 * ppi};
        in.PpiX = in.PpiY = ppi;
        in.H = TextHeight(ppi, 10);
        in.ShowLayers = true;
        const TPlotLayout layout = ComputeLayout(in);
        const std::vector<int> widths(5, 2 * ppi);
        // Where the window's legend sat near the lower-right corner.
        const TLegendBox box =
            LayoutLegendBox(Entries(5), widths, in.H, ppi, ppi, layout, std::pair{0.85, 0.8});
        const TPixelRect& g = layout.GraphArea;
        EXPECT_GT(box.Box.Left, g.Left) << ppi;
        EXPECT_LT(box.Box.Right, g.Right) << ppi;   // never over the soil strip
        EXPECT_LT(box.Box.Bottom, g.Bottom) << ppi; // never below the plot area
        EXPECT_GT(box.Box.Top, g.Top) << ppi;
        // Width: text + 3/16 inch + the quarter-inch line sample.
        EXPECT_EQ(box.Box.Width(), 2 * ppi + 3 * ppi / 16 + ppi / 4) << ppi;
        const TLegendRow& row = box.Rows[0];
        EXPECT_LT(row.SampleLeft, row.MarkerX);
        EXPECT_GT(row.SampleRight, row.MarkerX);
        EXPECT_GT(row.TextX, row.SampleRight);
    }
}

void TzPlot(TGraphPlot& plot) {
    plot.XOnTop = false;
    plot.List(TLineKind::Main).SetLineCount(2);
    plot.List(TLineKind::Main).SetCount(5);
    // Rising to 0.3 in, flat to 10 in.
    const long double xs[] = {0, 0.1L, 0.3L, 5, 10};
    const long double a[] = {0, 1.0L, 1.5L, 1.5L, 1.5L};
    const long double b[] = {0, 0.5L, 0.5L, 0.502L, 0.502L}; // 0.4 % after 0.1 in
    for (int j = 0; j < 5; ++j) {
        plot.List(TLineKind::Main).Point(0, j) = {xs[j], a[j]};
        plot.List(TLineKind::Main).Point(1, j) = {xs[j], b[j]};
    }
}

TEST(ReportGraphsTest, RisingPartOfTzCurves) {
    TGraphPlot plot;
    TzPlot(plot);
    ASSERT_TRUE(RisingPartEnd(plot));
    EXPECT_DOUBLE_EQ(static_cast<double>(*RisingPartEnd(plot)), 0.3);
    ASSERT_TRUE(ZoomToRisingPart(plot));
    EXPECT_TRUE(plot.XRange.Set);
    EXPECT_DOUBLE_EQ(static_cast<double>(plot.XRange.From), 0);
    EXPECT_NEAR(static_cast<double>(plot.XRange.To), 0.3, 1e-12);
    // Headroom: 10 % above the peak of 1.5.
    EXPECT_NEAR(static_cast<double>(plot.YRange.To), 1.7, 1e-12);
    EXPECT_TRUE(plot.AnyChange);
    const auto view = RangedView(plot);
    ASSERT_TRUE(view);
    EXPECT_NEAR(static_cast<double>(view->Right), 0.3, 1e-12);
    EXPECT_NEAR(static_cast<double>(view->Bottom), 1.7, 1e-12);
    // Flat curves: nothing to zoom to.
    TGraphPlot flat;
    flat.List(TLineKind::Main).SetLineCount(1);
    flat.List(TLineKind::Main).SetCount(3);
    EXPECT_FALSE(ZoomToRisingPart(flat));
    EXPECT_FALSE(flat.XRange.Set);
}

TEST(ReportGraphsTest, AxisRangesAndSteps) {
    TGraphPlot plot;
    TzPlot(plot);
    const auto full = FullExtent(plot);
    plot.XRange = {true, 2, 0.5L, 0.25L}; // given backwards: still 0.5 .. 2
    const auto view = RangedView(plot);
    EXPECT_EQ(view->Left, 0.5L);
    EXPECT_EQ(view->Right, 2);
    EXPECT_EQ(view->Top, full->Top); // y untouched
    const auto ticks = RangedTicks(plot.XRange, view->Left, view->Right, 600, 14);
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->Major, 0.25L);
    EXPECT_EQ(ticks->Start, 10); // 0.5 / 0.05
    EXPECT_EQ(ticks->Finish, 40);
    // An empty or absurd range is no range.
    plot.XRange = {true, 1, 1, 0};
    EXPECT_EQ(RangedView(plot)->Left, full->Left);
    plot.XRange = {true, 0, 1e6L, 1e-6L}; // a trillion ticks: automatic spacing instead
    EXPECT_GT(RangedTicks(plot.XRange, 0, 1e6L, 600, 14)->Major, 1e4L);
    // The window's first view and how far it may zoom out.
    plot.XRange = {true, 0, 20, 0};
    const auto pv = TPlotView::Create(plot);
    EXPECT_EQ(pv->LogicBounds.Right, 20);
    EXPECT_EQ(pv->MaxLogicBounds.Right, 20);
    EXPECT_EQ(pv->MaxLogicBounds.Left, full->Left);
}

TEST(ReportGraphsTest, AxisRangesDialogStartsAtTheDrawnAxesAndRefusesBadRanges) {
    TGraphPlot plot;
    TzPlot(plot);
    const auto full = FullExtent(plot);
    // Nothing set: the axes as drawn, automatic ticks.
    TAxisRangesChoice start = AxisRangesStart(plot);
    EXPECT_EQ(start.X.From, full->Left);
    EXPECT_EQ(start.X.To, full->Right);
    EXPECT_EQ(start.Y.From, full->Top);
    EXPECT_EQ(start.Y.To, full->Bottom);
    EXPECT_EQ(start.X.Step, 0);
    // A range the user set comes back as set.
    plot.XRange = {true, 0, 0.5L, 0.1L};
    start = AxisRangesStart(plot);
    EXPECT_EQ(start.X, plot.XRange);
    EXPECT_EQ(start.Y.From, full->Top);

    EXPECT_EQ(AxisRangeProblem({true, 0, 0.5L, 0.1L}, "x"), "");
    EXPECT_EQ(AxisRangeProblem({true, 2, 0, 0}, "y"), ""); // backwards is allowed
    EXPECT_EQ(AxisRangeProblem({true, 1, 1, 0}, "x"),
              "The x range needs two different values for From and To.");
    EXPECT_EQ(AxisRangeProblem({true, 0, 1, -0.1L}, "y"),
              "The tick step of the y axis cannot be negative.");
    EXPECT_EQ(AxisRangeProblem({true, 0, 1, 0.0001L}, "x"),
              "The tick step of the x axis gives more than 1000 ticks: make it larger.");
}

TEST(ReportGraphsTest, AdditionsBlockSavedReadBackAndSkippedByOlderReaders) {
    TGraphPlot a, b;
    for (TGraphPlot* p : {&a, &b}) {
        p->List(TLineKind::Main).SetLineCount(2);
        p->List(TLineKind::Main).SetCount(3);
    }
    a.Caption = "Load Distribution";
    b.Caption = "t-z Curves";
    const std::string plain = GraphParamsText({&a, &b});
    EXPECT_EQ(plain.find(":Display Additions"), std::string::npos); // unchanged when unused

    b.LegendOffCurves = true;
    b.PaletteKind = 1;
    b.XRange = {true, 0, 0.5L, 0.1L};
    b.YRange = {true, -1.25L, 3, 0};
    const std::string text = GraphParamsText({&a, &b});
    // Everything before the additions is the plain file: a reader that stops after the last
    // graph block never sees them.
    ASSERT_EQ(text.compare(0, plain.size(), plain), 0);
    EXPECT_EQ(text.substr(plain.size()), ":Display Additions\n"
                                         ":Graph 1\n"
                                         "0 0   :Legend Off the Curves, Palette\n"
                                         "0 0 0 0   :X Range Set, From, To, Step\n"
                                         "0 0 0 0   :Y Range Set, From, To, Step\n"
                                         ":Graph 2\n"
                                         "1 1   :Legend Off the Curves, Palette\n"
                                         "1 0 0.5 0.1   :X Range Set, From, To, Step\n"
                                         "1 -1.25 3 0   :Y Range Set, From, To, Step\n");

    TGraphPlot c, d;
    for (TGraphPlot* p : {&c, &d}) {
        p->List(TLineKind::Main).SetLineCount(2);
        p->List(TLineKind::Main).SetCount(3);
    }
    c.Caption = a.Caption;
    d.Caption = b.Caption;
    EXPECT_EQ(ApplyGraphParamsText(text, {&c, &d}), GraphParamsResult::Read);
    EXPECT_TRUE(d.LegendOffCurves);
    EXPECT_EQ(d.PaletteKind, 1);
    EXPECT_EQ(d.XRange, b.XRange);
    EXPECT_EQ(d.YRange, b.YRange);
    EXPECT_FALSE(c.LegendOffCurves);

    // A damaged additions block loses only the additions.
    TGraphPlot e, f;
    for (TGraphPlot* p : {&e, &f}) {
        p->List(TLineKind::Main).SetLineCount(2);
        p->List(TLineKind::Main).SetCount(3);
    }
    e.Caption = a.Caption;
    f.Caption = b.Caption;
    std::string damaged = text;
    damaged.replace(damaged.find("1 0 0.5"), 7, "1 zero ");
    EXPECT_EQ(ApplyGraphParamsText(damaged, {&e, &f}), GraphParamsResult::Read);
    EXPECT_FALSE(f.XRange.Set);
    EXPECT_FALSE(f.LegendOffCurves);
    // A graph whose results changed (other counts) takes no additions either.
    d.List(TLineKind::Main).SetCount(4);
    d.LegendOffCurves = false;
    ApplyGraphParamsText(text, {&c, &d});
    EXPECT_FALSE(d.LegendOffCurves);
}

} // namespace
} // namespace dorvek
