#include "model/plots/ResultGraphs.h"

#include <string>
#include <utility>

namespace dorvek {

namespace {

void Setup(TGraphPlot& plot, std::string caption, std::string xCaption, std::string xUnits,
           std::string yCaption, std::string yUnits, bool xOnTop) {
    plot.Caption = std::move(caption);
    plot.XCaption = std::move(xCaption);
    plot.XUnits = std::move(xUnits);
    plot.YCaption = std::move(yCaption);
    plot.YUnits = std::move(yUnits);
    plot.XOnTop = xOnTop;
    plot.Yreversed = false; // XOnTop alone makes y grow downward from 0
}

} // namespace

// English values of the distribution and load-settlement graphs are loaded in feet and kips
// (F1, L2); movements stay in inches or metres (L); the curves keep the kernel's units.
TResultGraphs::TResultGraphs() {
    Setup(pltLoad, "Load Distribution", "Axial Load", "F1", "Depth", "L2", true);
    Setup(pltDisp, "Displacement Distribution", "Pile Movement", "L", "Depth", "L2", true);
    Setup(pltDispDown, "Displacement/Soil Settlement", "Pile Movement and Soil Settlement", "L",
          "Depth", "L2", true);
    Setup(pltAxial, "Axial Load vs Settlement", "Pile-Head Load", "F1", "Pile-Head Settlement", "L",
          true);
    Setup(pltAxialLoads, "Axial Load vs Settlement (Applied Loads)", "Pile-Head Load", "F1",
          "Pile-Head Settlement", "L", true);
    Setup(pltLoadLoads, "Load Distribution (Applied Load)", "Axial Load", "F1", "Depth", "L2",
          true);
    Setup(pltDispLoads, "Displacement Distribution (Applied Loads)", "Pile Movement", "L", "Depth",
          "L2", true);
    Setup(pltTZcurves, "t-z Curves", "Pile Movement", "L", "Load Transfer", "F/L^2", false);
    Setup(PltQW, "Tip Resistance Curve", "Tip Load", "F", "Tip Movement", "L", true);
}

std::vector<TGraphPlot*> TResultGraphs::All() {
    return {&pltLoad, &pltDisp,      &pltDispDown,  &pltAxial,     &pltTZcurves,
            &PltQW,   &pltLoadLoads, &pltDispLoads, &pltAxialLoads};
}

std::vector<TGraphPlot*> TResultGraphs::SettingsGraphs(int downdrag) {
    if (downdrag == 1) return {&pltLoad, &pltDisp, &pltDispDown, &pltAxial, &pltTZcurves, &PltQW};
    return {&pltLoad, &pltDisp, &pltAxial, &pltTZcurves, &PltQW};
}

std::vector<TGraphPlot*> TResultGraphs::Available(int downdrag, int nloadmethod) {
    std::vector<TGraphPlot*> graphs = SettingsGraphs(downdrag);
    if (nloadmethod == 2)
        graphs.insert(graphs.end(), {&pltLoadLoads, &pltDispLoads, &pltAxialLoads});
    return graphs;
}

std::vector<TGraphPlot*> TResultGraphs::ExportGraphs() {
    return {&pltLoad, &pltDisp, &pltDispDown, &pltAxial, &pltTZcurves, &PltQW};
}

void TResultGraphs::SetUnits(int units) {
    for (TGraphPlot* plot : All()) plot->SetUnits(units);
}

} // namespace dorvek
