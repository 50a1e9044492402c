#pragma once
// The arithmetic of a plot window's view, free of any toolkit:
//   auto view = TPlotView::Create(plot);          // nullopt: degenerate extent, close the window
//   TPlotMapping map(layout.GraphArea, view->LogicBounds, plot.XOnTop);
//   map.PixelX(x), map.PixelY(y)                  // data to pixels, map.ValueX(px) back
//   view->ZoomToRect(map, x0, y0, x1, y1);        // left-button rubber band
//   view->ZoomOut(map.ValueX(px), map.ValueY(py)); // right button
//   TAxisTicks::For(lo, hi, lengthPx, h)          // tick spacing of one axis
// LogicBounds: Left/Right are the x range; Top is the y value at the x-axis edge and Bottom the
// y value at the opposite edge (Top > Bottom when the plot's y axis is reversed).

#include "model/plots/GraphPlot.h"

#include <optional>
#include <string>

namespace dorvek {

struct TLogicBounds {
    long double Left = 0;
    long double Right = 1;
    long double Top = 0;
    long double Bottom = 1;
    bool operator==(const TLogicBounds&) const = default;
};

// Pixel rectangle; Right and Bottom are the last pixel column and row.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
    bool operator==(const TPixelRect&) const = default;
};

// Full extent of the main curves (active or not), rounded outward to the step of its range;
// it always holds x = 0, and y = 0 unless the y axis is reversed. Nullopt when no step can be
// found (a range that vanishes or overflows).
std::optional<TLogicBounds> FullExtent(const TGraphPlot& plot);

// Rounding of one axis range: the step, and the range rounded away from the data with it.
// Exposed for tests; step 0 (or not finite) means no usable range.
struct TAxisRange {
    long double Min = 0;
    long double Max = 0;
    long double Step = 0;
};
TAxisRange RoundAxisRange(long double min, long double max);

// Data <-> pixel mapping of panel 1.
class TPlotMapping {
public:
    TPlotMapping(const TPixelRect& area, const TLogicBounds& view, bool xOnTop)
        : fArea(area), fView(view), fXOnTop(xOnTop) {}

    // Rounded pixel positions; values far outside the view are limited to a few area sizes
    // beyond its edges so that they stay drawable.
    double PixelX(long double x) const;
    double PixelY(long double y) const;
    // Data value under a pixel; the pixel is first clamped to the graph area.
    long double ValueX(int px) const;
    long double ValueY(int py) const;

    const TPixelRect& Area() const { return fArea; }
    const TLogicBounds& View() const { return fView; }
    bool XOnTop() const { return fXOnTop; }

private:
    TPixelRect fArea;
    TLogicBounds fView;
    bool fXOnTop;
};

// Tick spacing of one axis: minor ticks are Index * Minor for Index in [Start, Finish]; every
// index divisible by 5 is a major tick with a grid line and a label.
struct TAxisTicks {
    long double Major = 0;
    long double Minor = 0;
    long long Start = 0;
    long long Finish = -1;
    long double Value(long long index) const { return static_cast<long double>(index) * Minor; }
    static bool IsMajor(long long index) { return index % 5 == 0; }
    // Nullopt when the axis is shorter than 6h or the range is empty or not finite.
    static std::optional<TAxisTicks> For(long double a, long double b, int lengthPx, int h);
};

// Label text of a tick value: general format, 4 significant digits.
std::string TickLabel(long double value);

// Window title while the pointer is over the plot: Caption " X: " x " Y: " y (5 digits).
std::string CoordinateTitle(const std::string& caption, long double x, long double y);

// The current view of a plot window and its zoom commands; the view never leaves the full
// extent.
class TPlotView {
public:
    static std::optional<TPlotView> Create(const TGraphPlot& plot);
    TPlotView(const TLogicBounds& full) : LogicBounds(full), MaxLogicBounds(full) {}

    TLogicBounds LogicBounds;
    TLogicBounds MaxLogicBounds;

    // Rubber band from (x0, y0) to (x1, y1) in pixels of the mapping's area (corners clamped
    // to it). False, and the view unchanged, when both points share an x or a y.
    bool ZoomToRect(const TPlotMapping& mapping, int x0, int y0, int x1, int y1);
    // Zoom out around a data point: each axis twice as wide, at most the full extent, kept
    // inside it.
    void ZoomOut(long double x, long double y);
    void Reset() { LogicBounds = MaxLogicBounds; }
    bool IsFull() const { return LogicBounds == MaxLogicBounds; }

    // A zoomed axis never gets narrower than this fraction of the full extent.
    static constexpr int MaxZoom = 20;
};

} // namespace dorvek
