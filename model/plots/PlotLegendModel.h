#pragma once
// The legend of a plot window: one entry per active curve, in curve order. Entry i is drawn
// in palette colour i and carries " *" while its curve is visible.

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotLayout.h"

#include <string>
#include <vector>

namespace dorvek {

class TPlotLegendModel {
public:
    // Entries for the active curves, named by the plot's LegendName, with their colours.
    void Rebuild(const TGraphPlot& plot);
    // Renames the entries after the curves' names changed.
    void Rename(const TGraphPlot& plot);

    int Count() const { return static_cast<int>(fEntries.size()); }
    const TLegendEntry& Entry(int i) const { return fEntries.at(static_cast<size_t>(i)); }
    // The name, with " *" appended while the curve is visible.
    std::string Text(const TGraphPlot& plot, int i) const;
    // Toggles the visibility of the entry's curve; false when the entry does not exist.
    bool Toggle(TGraphPlot& plot, int i) const;

private:
    std::vector<TLegendEntry> fEntries;
};

// Height of the legend list: entries x item height + 3.
int LegendHeight(int entries, int itemHeight);
// Width of the legend list: at least `current` (21 pixels at first), grown to the widest
// entry text (with " *") plus a quarter inch.
int LegendWidth(int current, int widestText, int ppiX);

// The legend's top-left position kept inside a client area: moved left or up as needed,
// never to negative positions.
struct TLegendPlace {
    int X = 0;
    int Y = 0;
};
TLegendPlace KeepLegendInside(TLegendPlace place, int legendWidth, int legendHeight,
                              int clientWidth, int clientHeight);

} // namespace dorvek
