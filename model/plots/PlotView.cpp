#include "model/plots/PlotView.h"

#include "model/plots/AxisRanges.h"

#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

// Lower and upper end of an axis whatever its direction.
struct Interval {
    long double lo, hi;
    long double Width() const { return hi - lo; }
};

Interval Sorted(long double a, long double b) {
    return a <= b ? Interval{a, b} : Interval{b, a};
}

// Keeps a zoomed interval of at least a twentieth of the full one and shifts it inside.
Interval KeepInside(Interval v, const Interval& full) {
    const long double minWidth = full.Width() / TPlotView::MaxZoom;
    if (v.Width() < minWidth) {
        const long double c = (v.lo + v.hi) / 2;
        v = {c - minWidth / 2, c + minWidth / 2};
    }
    if (v.Width() >= full.Width()) return full;
    if (v.lo < full.lo) v = {full.lo, full.lo + v.Width()};
    if (v.hi > full.hi) v = {full.hi - v.Width(), full.hi};
    return v;
}

// Writes an interval back with the direction of the axis (Top > Bottom for a reversed y).
void Assign(long double& first, long double& second, const Interval& v, bool descending) {
    first = descending ? v.hi : v.lo;
    second = descending ? v.lo : v.hi;
}

} // namespace

TAxisRange RoundAxisRange(long double min, long double max) {
    if (max == min) {
        min -= 0.01L;
        max += 0.01L;
    }
    const long double l = std::log10(max - min);
    const long double f = std::floor(l);
    long double s = std::pow(10.0L, f);
    if (l - f < std::log10(3.0L)) s /= 10;
    if (!std::isfinite(s) || s == 0) return {min, max, 0};
    return {std::floor(min / s) * s, std::ceil(max / s) * s, s};
}

std::optional<TLogicBounds> FullExtent(const TGraphPlot& plot) {
    long double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const TLineList& curves = plot.List(TLineKind::Main);
    if (plot.Yreversed && curves.LineCount() > 0 && curves.Line(0).Count() > 0)
        minY = maxY = curves.Point(0, 0).y;
    for (int i = 0; i < curves.LineCount(); ++i)
        for (const TFloatPoint& p : curves.Line(i).Points()) {
            // Not-a-number values extend nothing.
            if (p.x < minX) minX = p.x;
            if (p.x > maxX) maxX = p.x;
            if (p.y < minY) minY = p.y;
            if (p.y > maxY) maxY = p.y;
        }
    const TAxisRange x = RoundAxisRange(minX, maxX);
    const TAxisRange y = RoundAxisRange(minY, maxY);
    if (x.Step == 0 || y.Step == 0) return std::nullopt;
    const bool finite = std::isfinite(x.Min) && std::isfinite(x.Max) && std::isfinite(y.Min) &&
                        std::isfinite(y.Max) && x.Max > x.Min && y.Max > y.Min;
    if (!finite) return std::nullopt;
    TLogicBounds b{x.Min, x.Max, y.Min, y.Max};
    if (plot.Yreversed) std::swap(b.Top, b.Bottom);
    return b;
}

namespace {

// Rounded offset, limited so that far-away points still give drawable coordinates.
double Offset(long double fraction, int length) {
    long double v = std::round(fraction * length);
    const long double limit = 8.0L * (std::abs(length) + 1);
    if (!(v >= -limit)) v = -limit; // also catches not-a-number
    if (v > limit) v = limit;
    return static_cast<double>(v);
}

} // namespace

double TPlotMapping::PixelX(long double x) const {
    return fArea.Left + Offset((x - fView.Left) / (fView.Right - fView.Left), fArea.Width());
}

double TPlotMapping::PixelY(long double y) const {
    const double d = Offset((y - fView.Top) / (fView.Bottom - fView.Top), fArea.Height());
    return fXOnTop ? fArea.Top + d : fArea.Bottom - d;
}

long double TPlotMapping::ValueX(int px) const {
    px = std::clamp(px, fArea.Left, fArea.Right);
    if (fArea.Width() == 0) return fView.Left;
    return fView.Left +
           static_cast<long double>(px - fArea.Left) / fArea.Width() * (fView.Right - fView.Left);
}

long double TPlotMapping::ValueY(int py) const {
    py = std::clamp(py, fArea.Top, fArea.Bottom);
    if (fArea.Height() == 0) return fView.Top;
    const int d = fXOnTop ? py - fArea.Top : fArea.Bottom - py;
    return fView.Top + static_cast<long double>(d) / fArea.Height() * (fView.Bottom - fView.Top);
}

std::optional<TAxisTicks> TAxisTicks::For(long double a, long double b, int lengthPx, int h) {
    if (h <= 0 || lengthPx < 6 * h) return std::nullopt;
    const Interval v = Sorted(a, b);
    if (!std::isfinite(v.lo) || !std::isfinite(v.hi) || !(v.Width() > 0)) return std::nullopt;
    const int n = lengthPx / (6 * h);
    const long double raw = v.Width() / n;
    const long double e = std::pow(10.0L, std::floor(std::log10(raw)));
    if (!std::isfinite(e) || e == 0) return std::nullopt;
    const long long d = static_cast<long long>(raw / e);
    TAxisTicks t;
    t.Major = d < 2 ? e : d < 5 ? 2 * e : d < 9 ? 5 * e : 10 * e;
    t.Minor = t.Major / 5;
    // Tick indexes must fit their integer type (a narrow view far from zero).
    const long double far = std::max(std::abs(v.lo), std::abs(v.hi)) / t.Minor;
    if (!(far < 1e15L)) return std::nullopt;
    // A hair of tolerance so that an end lying on a tick keeps it.
    t.Start = static_cast<long long>(std::ceil(v.lo / t.Minor - 1e-9L));
    t.Finish = static_cast<long long>(std::floor(v.hi / t.Minor + 1e-9L));
    return t;
}

std::string TickLabel(long double value) {
    return FormatGeneral(value, 4);
}

std::string CoordinateTitle(const std::string& caption, long double x, long double y) {
    return caption + " X: " + FormatGeneral(x, 5) + " Y: " + FormatGeneral(y, 5);
}

std::optional<TPlotView> TPlotView::Create(const TGraphPlot& plot) {
    const auto full = FullExtent(plot);
    if (!full) return std::nullopt;
    // The user's axis ranges are the first view; zooming may reach them and the full extent.
    const auto ranged = RangedView(plot);
    TPlotView view(Union(*full, *ranged));
    view.LogicBounds = *ranged;
    return view;
}

bool TPlotView::ZoomToRect(const TPlotMapping& mapping, int x0, int y0, int x1, int y1) {
    const TPixelRect& a = mapping.Area();
    x0 = std::clamp(x0, a.Left, a.Right);
    x1 = std::clamp(x1, a.Left, a.Right);
    y0 = std::clamp(y0, a.Top, a.Bottom);
    y1 = std::clamp(y1, a.Top, a.Bottom);
    if (x0 == x1 || y0 == y1) return false;
    const Interval fx = Sorted(MaxLogicBounds.Left, MaxLogicBounds.Right);
    const Interval fy = Sorted(MaxLogicBounds.Top, MaxLogicBounds.Bottom);
    const Interval x = KeepInside(Sorted(mapping.ValueX(x0), mapping.ValueX(x1)), fx);
    const Interval y = KeepInside(Sorted(mapping.ValueY(y0), mapping.ValueY(y1)), fy);
    Assign(LogicBounds.Left, LogicBounds.Right, x, MaxLogicBounds.Left > MaxLogicBounds.Right);
    Assign(LogicBounds.Top, LogicBounds.Bottom, y, MaxLogicBounds.Top > MaxLogicBounds.Bottom);
    return true;
}

void TPlotView::ZoomOut(long double x, long double y) {
    auto widen = [](const Interval& cur, const Interval& full, long double c) {
        const long double half = std::min(cur.Width(), full.Width() / 2);
        return KeepInside({c - half, c + half}, full);
    };
    const Interval fx = Sorted(MaxLogicBounds.Left, MaxLogicBounds.Right);
    const Interval fy = Sorted(MaxLogicBounds.Top, MaxLogicBounds.Bottom);
    const Interval nx = widen(Sorted(LogicBounds.Left, LogicBounds.Right), fx, x);
    const Interval ny = widen(Sorted(LogicBounds.Top, LogicBounds.Bottom), fy, y);
    Assign(LogicBounds.Left, LogicBounds.Right, nx, MaxLogicBounds.Left > MaxLogicBounds.Right);
    Assign(LogicBounds.Top, LogicBounds.Bottom, ny, MaxLogicBounds.Top > MaxLogicBounds.Bottom);
}

} // namespace dorvek
