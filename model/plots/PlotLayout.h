#pragma once
// Where the parts of a plot go on a drawing target, free of any toolkit:
//   TLayoutInput in{target, ppiX, ppiY, TextHeight(ppiY, plot.SizeFont), ...};
//   in.Page = true for a printer page;      TPlotLayout layout = ComputeLayout(in);
//   LayoutLegendBox(entries, widthOf, textHeight, ppiX, ppiY, target, layout, position)
// Text measurement is passed in (a width per entry and one text height) so the arithmetic
// stays testable without fonts.

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotView.h"

#include <optional>
#include <string>
#include <vector>

namespace dorvek {

// Base text height h in pixels: 14 pixels at 96 pixels per inch, times SizeFont / 10.
int TextHeight(int ppiY, int sizeFont);

struct TLayoutInput {
    TPixelRect Target; // the whole drawing target (window client area or page inside margins)
    int PpiX = 96;
    int PpiY = 96;
    int H = 14;         // base text height
    bool XOnTop = true; // x axis with its caption and labels at the top
    bool UserCaption = false;
    bool UserCaptionOnTop = false;
    bool ShowLayers = false; // soil-layer strip to the right of the graph
    bool Page = false;       // printer page: the graph reaches the target's edges
    int ReserveRight = 0;    // pixels kept free at the right (a legend box beside the graph)
};

struct TPlotLayout {
    TPixelRect Target;
    TPixelRect GraphArea;
    TPixelRect LayersArea; // meaningful when HasLayers
    bool HasLayers = false;
    // The target is at least one inch both ways (else only the white fill and captions).
    bool BigEnough = false;
    // The graph area is at least 6h both ways (else no ticks, grid or labels).
    bool RoomForTicks = false;
};

TPlotLayout ComputeLayout(const TLayoutInput& in);

// One legend entry: a main curve that is active.
struct TLegendEntry {
    int Curve = 0;  // position among the main curves
    int Colour = 0; // colour counter value
    int Marker = 1; // marker kind the curve is drawn with
    bool Visible = true;
    std::string Name;
};

// The legend entries in curve order: every active curve with its legend name (" *" is not
// appended; the on-screen list adds it for visible curves).
std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot);

// Legend box of a printout or picture: visible entries only; width = widest text + 3/16 inch;
// rows spaced by text height + 1/32 inch; marker, then the name 1/16 inch right of it.
struct TLegendRow {
    TLegendEntry Entry;
    int MarkerX = 0; // marker centre
    int MarkerY = 0;
    int SampleLeft = 0; // the line sample through the marker, at MarkerY
    int SampleRight = 0;
    int TextX = 0;   // left of the name
    int TextTop = 0; // top of the name's text box (text height high)
};
struct TLegendBox {
    TPixelRect Box;
    std::vector<TLegendRow> Rows;
    bool Empty() const { return Rows.empty(); }
};

// A line sample a quarter inch long runs through each marker; the box is that much wider.
// `position`: the on-screen legend's top-left relative to the window (0..1 each), applied to
// the target; without one the box sits at the lower-right corner of the graph area. The box is
// kept inside the graph frame (moved as needed, never beyond the frame's top-left), so it
// covers neither the frame, the labels nor the soil strip at any resolution.
// textWidths[i] belongs to entries[i].
TLegendBox LayoutLegendBox(const std::vector<TLegendEntry>& entries,
                           const std::vector<int>& textWidths, int textHeight, int ppiX, int ppiY,
                           const TPlotLayout& layout,
                           std::optional<std::pair<double, double>> position);

// The same box with its top-left at (left, top), unconstrained.
TLegendBox LayoutLegendBoxAt(const std::vector<TLegendEntry>& entries,
                             const std::vector<int>& textWidths, int textHeight, int ppiX, int ppiY,
                             int left, int top);

} // namespace dorvek
