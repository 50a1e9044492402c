#include "model/plots/LegendPlacement.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

std::vector<std::pair<double, double>> CurvePixelPoints(const TGraphPlot& plot,
                                                        const TPlotMapping& map, double spacing) {
    std::vector<std::pair<double, double>> out;
    const TPixelRect& a = map.Area();
    auto keep = [&](double x, double y) {
        if (x >= a.Left && x <= a.Right && y >= a.Top && y <= a.Bottom) out.emplace_back(x, y);
    };
    spacing = std::max(1.0, spacing);
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine& line = curves.Line(i);
        if (!line.Active || !line.Visible) continue;
        double px = 0, py = 0;
        for (int j = 0; j < line.Count(); ++j) {
            const double x = static_cast<double>(map.PixelX(line.Point(j).x));
            const double y = static_cast<double>(map.PixelY(line.Point(j).y));
            if (!std::isfinite(x) || !std::isfinite(y)) continue;
            if (j > 0) {
                const double len = std::hypot(x - px, y - py);
                // A segment far longer than the area is clipped work; a thousand steps will do.
                const int steps = static_cast<int>(std::min(1000.0, std::floor(len / spacing)));
                for (int k = 1; k < steps; ++k)
                    keep(px + (x - px) * k / steps, py + (y - py) * k / steps);
            }
            keep(x, y);
            px = x;
            py = y;
        }
    }
    return out;
}

TLegendSpot LeastCoveredCorner(const TPixelRect& area, int w, int h, int inset,
                               const std::vector<std::pair<double, double>>& points) {
    TLegendSpot best;
    best.Outside = true;
    if (w + 2 * inset > area.Width() || h + 2 * inset > area.Height()) return best;
    const int left = area.Left + inset, right = area.Right - inset - w;
    const int top = area.Top + inset, bottom = area.Bottom - inset - h;
    const TLegendSpot corners[] = {{TLegendSpot::LowerRight, right, bottom},
                                   {TLegendSpot::UpperRight, right, top},
                                   {TLegendSpot::LowerLeft, left, bottom},
                                   {TLegendSpot::UpperLeft, left, top}};
    bool first = true;
    for (TLegendSpot c : corners) {
        c.Points = static_cast<int>(std::count_if(points.begin(), points.end(), [&](const auto& p) {
            return p.first >= c.Left && p.first <= c.Left + w && p.second >= c.Top &&
                   p.second <= c.Top + h;
        }));
        if (first || c.Points < best.Points) best = c;
        first = false;
    }
    best.Outside = best.Points > 0;
    return best;
}

TLabelBox ClearCornerLabel(const TLabelBox& yLabel, const TLabelBox& xLabel, bool xOnTop) {
    if (!yLabel.Overlaps(xLabel)) return yLabel;
    TLabelBox moved = yLabel;
    const double shift = xOnTop ? xLabel.Bottom + 1 - yLabel.Top : xLabel.Top - 1 - yLabel.Bottom;
    moved.Top += shift;
    moved.Bottom += shift;
    return moved;
}

} // namespace dorvek
