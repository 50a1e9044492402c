#pragma once
// Placement arithmetic of pictures and printouts, free of any toolkit:
//   auto pts = CurvePixelPoints(plot, map, spacing);     // where the curves run, in pixels
//   TLegendSpot spot = LeastCoveredCorner(area, w, h, inset, pts);
//   yLabel = ClearCornerLabel(yLabel, xLabel, xOnTop);   // first y label off the first x label

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotView.h"

#include <utility>
#include <vector>

namespace dorvek {

// Points along every active, visible main curve mapped to pixels: the curve's own points plus
// points every `spacing` pixels along its segments, so that long segments count too. Points
// outside the mapping's area are left out.
std::vector<std::pair<double, double>> CurvePixelPoints(const TGraphPlot& plot,
                                                        const TPlotMapping& map, double spacing);

// The corner of the graph area for a box of w x h pixels, `inset` pixels inside the frame,
// with the fewest points under it (ties: lower right, upper right, lower left, upper left).
// Outside is set when every corner covers at least one point or the box does not fit.
struct TLegendSpot {
    enum Corner { LowerRight, UpperRight, LowerLeft, UpperLeft };
    Corner Where = LowerRight;
    int Left = 0, Top = 0; // the box's top-left for that corner
    int Points = 0;        // points under it
    bool Outside = false;
};
TLegendSpot LeastCoveredCorner(const TPixelRect& area, int w, int h, int inset,
                               const std::vector<std::pair<double, double>>& points);

// An axis label's box in pixels (edges inclusive).
struct TLabelBox {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Overlaps(const TLabelBox& o) const {
        return Left <= o.Right && o.Left <= Right && Top <= o.Bottom && o.Top <= Bottom;
    }
};

// The y label nearest the x axis moved along the y axis, away from the x axis, until it clears
// the first x label; unchanged when they do not overlap.
TLabelBox ClearCornerLabel(const TLabelBox& yLabel, const TLabelBox& xLabel, bool xOnTop);

} // namespace dorvek
