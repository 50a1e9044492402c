#pragma once
// The result graphs of the main window, with their captions, axis captions and unit codes.
// Depths and settlements grow downward from an x axis drawn at the top; the curve graphs
// (t-z curves) are ordinary graphs with the x axis at the bottom.

#include "model/plots/GraphPlot.h"

#include <vector>

namespace dorvek {

// One solved case as the plot data file gives it, in the run's units (lb and in, or kN and m):
// the pile-head load (the applied load for a pile-head-load case), the pile-head movement,
// the tip movement and the tip load.
struct TPileResult {
    long double headLoad = 0;
    long double headMove = 0;
    long double tipMove = 0;
    long double tipLoad = 0;
    bool converged = true; // false for an applied load whose iteration did not converge
};

// The load-settlement results of a run: one row per tip movement and one per applied load.
struct TLoadSettlementSummary {
    int units = 0; // 1 English, 2 S.I.; 0 while nothing was read
    std::vector<TPileResult> tipMovements;
    std::vector<TPileResult> appliedLoads;
};

struct TResultGraphs {
    TResultGraphs();
    TResultGraphs(const TResultGraphs&) = delete;
    TResultGraphs& operator=(const TResultGraphs&) = delete;

    TGraphPlot pltLoad;       // axial load (F1) against depth (L2)
    TGraphPlot pltDisp;       // pile movement (L) against depth (L2)
    TGraphPlot pltDispDown;   // as pltDisp, plus the soil settlement with down-drag
    TGraphPlot pltAxial;      // pile-head load (F1) against pile-head movement (L)
    TGraphPlot pltAxialLoads; // as pltAxial, plus the applied loads
    TGraphPlot pltLoadLoads;  // as pltLoad, one line per converged applied load
    TGraphPlot pltDispLoads;  // as pltDisp, one line per converged applied load
    TGraphPlot pltTZcurves;   // load transfer (F/L^2) against movement (L)
    TGraphPlot PltQW;         // tip movement (L) against tip load (F)
    // The results in the run's units, filled by the plot-data loading with the graphs.
    TLoadSettlementSummary Summary;

    // Every graph, in the order of the Graphics menu.
    std::vector<TGraphPlot*> All();
    // The graphs kept in the graph settings file, in file order.
    std::vector<TGraphPlot*> SettingsGraphs(int downdrag);
    // The graphs whose menu commands are offered for the project's options, in menu order.
    std::vector<TGraphPlot*> Available(int downdrag, int nloadmethod);

    // The graphs of the spreadsheet export, in its order.
    std::vector<TGraphPlot*> ExportGraphs();

    // Switches every graph to a unit system, which selects the unit labels of its axes.
    void SetUnits(int units);
};

} // namespace dorvek
