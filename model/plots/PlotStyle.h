#pragma once
// Colours and point markers of a plot's curves, free of any toolkit:
//   CurveColours(plot)[i]   -> palette index of main curve i, -1 for an inactive curve
//   PaletteRgb(index)       -> 0xRRGGBB
//   MarkerKind(i)           -> 1..10 for curve position i; MarkerPolygon(kind, x, y, r) corners
//   HasMarker(j, markers)   -> whether point j carries a marker

#include "model/plots/GraphPlot.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace dorvek {

inline constexpr int PaletteSize = 17;

// Curve colour of a colour-counter value (taken modulo the palette size).
std::uint32_t PaletteRgb(int counter);

// The colour-blind-safe palette: seven colours that stay apart for the common colour-vision
// deficiencies, each used with four line styles in turn (28 distinct curves).
inline constexpr int SafePaletteSize = 7;
enum class TLineStyle { Solid, Dashed, Dotted, DashDot };
struct TCurveStyle {
    std::uint32_t Rgb = 0;
    TLineStyle Style = TLineStyle::Solid;
};
// Colour and line style of a colour-counter value for a palette kind (0 classic: always solid).
TCurveStyle CurveStyle(int counter, int paletteKind);

// Marker radius in pixels: 1/32 inch, grown with thick lines so that a line never hides its
// markers (at least twice the pen width).
double MarkerRadius(int ppi, double penWidth);

// The colour counter advances for every active curve, visible or not: hiding a curve keeps
// every colour, deactivating one shifts the colours of the curves after it.
std::vector<int> CurveColours(const TGraphPlot& plot);

// Marker of the curve at position p among all main curves: p + 1 reduced to 1..10.
int MarkerKind(int position);

// Corners of an outline marker of radius r around (x, y), pixel y growing downward: kind 1 a
// triangle with a corner pointing left, 2 a square with horizontal and vertical sides, k >= 3
// a regular k-gon whose first corner lies at angle 0.
std::vector<std::pair<double, double>> MarkerPolygon(int kind, double x, double y, double r);

// Markers sit on the first point and every point whose index is a multiple of `markers`;
// none when markers <= 0.
bool HasMarker(int pointIndex, int markers);

} // namespace dorvek
