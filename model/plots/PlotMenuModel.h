#pragma once
// The choices of the plot window's menu that set a stored number, and which of its entries
// a plot offers.

#include "model/plots/GraphPlot.h"

#include <vector>

namespace dorvek {

struct TMenuChoice {
    const char* Text;
    int Value;
};

// "Show &Markers": the marker spacing stored in Markers (0 = never).
const std::vector<TMenuChoice>& MarkerChoices();
// "&Font Size": the font size index stored in SizeFont (10 = default).
const std::vector<TMenuChoice>& FontSizeChoices();
// "&Line Width": the line width index stored in WidthLine (1 = default).
const std::vector<TMenuChoice>& LineWidthChoices();

struct TPlotMenuState {
    bool LayersVisible = false;    // the plot has a soil-layer overlay
    bool WallVisible = false;      // the plot has wall lines
    bool WallEnabled = false;      // ... and the layers are shown
    bool FontWidthVisible = false; // font-size and line-width menus offered
};

TPlotMenuState PlotMenuState(const TGraphPlot& plot);

// Legend font size (points) for the plot's font size index: SizeFont x LegendFont / 10.
int ScaledLegendFont(const TGraphPlot& plot);

} // namespace dorvek
