#pragma once
// User axis ranges of a plot on top of its full extent, and the t-z "rising part" range:
//   auto view = RangedView(plot);          // the full extent with the user's ranges applied
//   auto ticks = RangedTicks(range, lo, hi, lengthPx, h);
//   RisingPartRanges(plot);                // sets XRange (and YRange with headroom)

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotView.h"

#include <optional>
#include <string>

namespace dorvek {

// A range is usable when set, finite and not empty.
bool UsableRange(const TGraphPlot::TAxisRange& range);

// The full extent with each usable user range in place of its axis (x: Left..Right; y: From
// at the x-axis edge, To at the opposite edge). Nullopt for a degenerate extent.
std::optional<TLogicBounds> RangedView(const TGraphPlot& plot);

// Smallest bounds holding both a and b (each axis keeps a's direction).
TLogicBounds Union(const TLogicBounds& a, const TLogicBounds& b);

// Ticks of an axis: the user's step (minor = step / 5) when the range has one, else the
// automatic spacing. Nullopt as TAxisTicks::For, or when the step would give over 1000 majors.
std::optional<TAxisTicks> RangedTicks(const TGraphPlot::TAxisRange& range, long double lo,
                                      long double hi, int lengthPx, int h);

// Largest x at which any active curve still changes by more than 1 % of its peak |y| from the
// point before; nullopt when no curve rises.
std::optional<long double> RisingPartEnd(const TGraphPlot& plot);

// Sets the x range from the extent's left to the rising part's end (rounded up to a nice
// step) and the y range from the extent's low end to 10 % above the highest |y|. False, with
// the plot unchanged, when there is nothing rising.
bool ZoomToRisingPart(TGraphPlot& plot);

// What the "Axis Ranges" dialog edits: both ranges, or a return to the full extent.
struct TAxisRangesChoice {
    TGraphPlot::TAxisRange X, Y;
    bool FullExtent = false;
};
// The dialog's first values: the user's ranges where set, else the axes as drawn now.
TAxisRangesChoice AxisRangesStart(const TGraphPlot& plot);
// Why a typed range cannot be used ("" when it can); axis is "x" or "y".
std::string AxisRangeProblem(const TGraphPlot::TAxisRange& range, const std::string& axis);

} // namespace dorvek
