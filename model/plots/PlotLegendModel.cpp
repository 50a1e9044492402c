#include "model/plots/PlotLegendModel.h"

#include <algorithm>

namespace dorvek {

void TPlotLegendModel::Rebuild(const TGraphPlot& plot) {
    fEntries = LegendEntries(plot);
}

void TPlotLegendModel::Rename(const TGraphPlot& plot) {
    for (TLegendEntry& e : fEntries)
        if (e.Curve < plot.List(TLineKind::Main).LineCount()) e.Name = plot.LegendName(e.Curve);
}

std::string TPlotLegendModel::Text(const TGraphPlot& plot, int i) const {
    const TLegendEntry& e = Entry(i);
    const TLineList& curves = plot.List(TLineKind::Main);
    const bool visible = e.Curve < curves.LineCount() && curves.Line(e.Curve).Visible;
    return visible ? e.Name + " *" : e.Name;
}

bool TPlotLegendModel::Toggle(TGraphPlot& plot, int i) const {
    if (i < 0 || i >= Count()) return false;
    const int line = Entry(i).Curve;
    TLineList& curves = plot.List(TLineKind::Main);
    if (line >= curves.LineCount()) return false;
    curves.Line(line).Visible = !curves.Line(line).Visible;
    plot.AnyChange = true;
    return true;
}

int LegendHeight(int entries, int itemHeight) {
    return entries * itemHeight + 3;
}

int LegendWidth(int current, int widestText, int ppiX) {
    return std::max(current, widestText + ppiX / 4);
}

TLegendPlace KeepLegendInside(TLegendPlace place, int legendWidth, int legendHeight,
                              int clientWidth, int clientHeight) {
    place.X = std::max(0, std::min(place.X, clientWidth - legendWidth));
    place.Y = std::max(0, std::min(place.Y, clientHeight - legendHeight));
    return place;
}

} // namespace dorvek
