#include "model/plots/PlotMenuModel.h"

namespace dorvek {

const std::vector<TMenuChoice>& MarkerChoices() {
    static const std::vector<TMenuChoice> choices = {{"&Never", 0},
                                                     {"Every &Increment", 1},
                                                     {"Every &2 Increments", 2},
                                                     {"Every &3 Incrments", 3},
                                                     {"Every &5 Increments", 5},
                                                     {"Every &10 Incements", 10}};
    return choices;
}

const std::vector<TMenuChoice>& FontSizeChoices() {
    static const std::vector<TMenuChoice> choices = {{"&Default", 10},    {"1.5 * Default", 15},
                                                     {"2 * Default", 20}, {"2.5 * Default", 25},
                                                     {"3 * Default", 30}, {"4 * Default", 40}};
    return choices;
}

const std::vector<TMenuChoice>& LineWidthChoices() {
    static const std::vector<TMenuChoice> choices = {{"&Default", 1},
                                                     {"2 * Default", 2},
                                                     {"4 * Default", 4},
                                                     {"6 * Default", 6},
                                                     {"10 * Default", 10}};
    return choices;
}

TPlotMenuState PlotMenuState(const TGraphPlot& plot) {
    TPlotMenuState state;
    state.LayersVisible = plot.List(TLineKind::Layers).LineCount() > 0;
    state.WallVisible = plot.WallLineCount > 0;
    state.WallEnabled = state.WallVisible && plot.ShowLayers;
    state.FontWidthVisible = plot.ShowFontWidth;
    return state;
}

int ScaledLegendFont(const TGraphPlot& plot) {
    return plot.SizeFont * plot.LegendFont / 10;
}

} // namespace dorvek
