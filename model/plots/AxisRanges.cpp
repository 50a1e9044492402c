#include "model/plots/AxisRanges.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

// Smallest of 1, 2, 5 x 10^k at least v / 10, and v rounded up to a multiple of it.
long double NiceCeil(long double v) {
    if (!(v > 0)) return v;
    const long double e = std::pow(10.0L, std::floor(std::log10(v)) - 1);
    return std::ceil(v / e - 1e-9L) * e;
}

} // namespace

bool UsableRange(const TGraphPlot::TAxisRange& r) {
    return r.Set && std::isfinite(r.From) && std::isfinite(r.To) && r.From != r.To &&
           std::isfinite(r.Step) && r.Step >= 0;
}

std::optional<TLogicBounds> RangedView(const TGraphPlot& plot) {
    auto view = FullExtent(plot);
    if (!view) return view;
    if (UsableRange(plot.XRange)) {
        view->Left = std::min(plot.XRange.From, plot.XRange.To);
        view->Right = std::max(plot.XRange.From, plot.XRange.To);
    }
    if (UsableRange(plot.YRange)) {
        view->Top = plot.YRange.From;
        view->Bottom = plot.YRange.To;
    }
    return view;
}

TLogicBounds Union(const TLogicBounds& a, const TLogicBounds& b) {
    TLogicBounds u = a;
    u.Left = std::min({a.Left, b.Left, b.Right});
    u.Right = std::max({a.Right, b.Left, b.Right});
    const long double lo = std::min({a.Top, a.Bottom, b.Top, b.Bottom});
    const long double hi = std::max({a.Top, a.Bottom, b.Top, b.Bottom});
    if (a.Top <= a.Bottom) {
        u.Top = lo;
        u.Bottom = hi;
    } else {
        u.Top = hi;
        u.Bottom = lo;
    }
    return u;
}

std::optional<TAxisTicks> RangedTicks(const TGraphPlot::TAxisRange& range, long double lo,
                                      long double hi, int lengthPx, int h) {
    if (!UsableRange(range) || !(range.Step > 0)) return TAxisTicks::For(lo, hi, lengthPx, h);
    if (h <= 0 || lengthPx < 6 * h) return std::nullopt;
    const long double a = std::min(lo, hi), b = std::max(lo, hi);
    if (!((b - a) / range.Step <= 1000)) return TAxisTicks::For(lo, hi, lengthPx, h);
    TAxisTicks t;
    t.Major = range.Step;
    t.Minor = range.Step / 5;
    const long double far = std::max(std::abs(a), std::abs(b)) / t.Minor;
    if (!(far < 1e15L)) return std::nullopt;
    t.Start = static_cast<long long>(std::ceil(a / t.Minor - 1e-9L));
    t.Finish = static_cast<long long>(std::floor(b / t.Minor + 1e-9L));
    return t;
}

std::optional<long double> RisingPartEnd(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    std::optional<long double> end;
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine& line = curves.Line(i);
        if (!line.Active || line.Count() < 2) continue;
        long double peak = 0;
        for (const TFloatPoint& p : line.Points()) peak = std::max(peak, std::abs(p.y));
        if (!(peak > 0)) continue;
        for (int j = 1; j < line.Count(); ++j)
            if (std::abs(line.Point(j).y - line.Point(j - 1).y) > 0.01L * peak)
                end = std::max(end.value_or(line.Point(j).x), line.Point(j).x);
    }
    return end;
}

bool ZoomToRisingPart(TGraphPlot& plot) {
    const auto full = FullExtent(plot);
    const auto end = RisingPartEnd(plot);
    if (!full || !end || !(*end > full->Left)) return false;
    long double top = 0;
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount(); ++i)
        if (curves.Line(i).Active)
            for (const TFloatPoint& p : curves.Line(i).Points()) top = std::max(top, std::abs(p.y));
    plot.XRange = {true, full->Left, full->Left + NiceCeil(*end - full->Left), 0};
    const long double low = std::min(full->Top, full->Bottom);
    if (top > 0 && top * 1.1L > low) plot.YRange = {true, low, NiceCeil(top * 1.1L), 0};
    plot.AnyChange = true;
    return true;
}

TAxisRangesChoice AxisRangesStart(const TGraphPlot& plot) {
    TAxisRangesChoice choice;
    choice.X = plot.XRange;
    choice.Y = plot.YRange;
    const auto view = RangedView(plot);
    if (!choice.X.Set && view) choice.X = {true, view->Left, view->Right, 0};
    if (!choice.Y.Set && view) choice.Y = {true, view->Top, view->Bottom, 0};
    return choice;
}

std::string AxisRangeProblem(const TGraphPlot::TAxisRange& range, const std::string& axis) {
    if (!std::isfinite(range.From) || !std::isfinite(range.To) || !std::isfinite(range.Step))
        return "The " + axis + " range must be given by numbers.";
    if (range.From == range.To)
        return "The " + axis + " range needs two different values for From and To.";
    if (range.Step < 0) return "The tick step of the " + axis + " axis cannot be negative.";
    if (range.Step > 0 && std::fabs(range.To - range.From) / range.Step > 1000)
        return "The tick step of the " + axis + " axis gives more than 1000 ticks: make it larger.";
    return "";
}

} // namespace dorvek
