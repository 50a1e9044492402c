#pragma once
// Loading of the kernel's plot data file (".dv4p") into the result graphs: which value goes to
// which graph, line and axis, English results in feet and kips, line names, and a bad file.

#include "model/plots/GraphPlot.h"
#include "model/plots/ResultGraphs.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dorvek {

struct SettlementRow {
    long double depth = 0;
    long double settlement = 0;
};

// What the loading takes from the project; the main window fills it from the project object
// and its tables.
struct PlotProjectInfo {
    int units = 1;       // the project's unit system: 1 English, 2 S.I.
    int downdrag = 0;    // 1: the soil-settlement line is added to pltDispDown
    int nloadmethod = 0; // 2: the pile-head-load block is read
    bool userTz = false; // both curve kinds user-entered: no soil-layer overlay
    bool userQw = false;
    std::vector<SettlementRow> settlement; // the soil-settlement table, project units
    std::vector<LayerRow> layers;          // the soil-layer table, project units
    char decimalSeparator = '.';           // of the numbers in line names
};

// Shows a message to the user (information box with OK).
using PlotErrorReporter = std::function<void(const std::string& message)>;

inline constexpr const char* RunErrorMessage = "An error occured in running the main program.";

// Fills the graphs from the plot data file. True when the file was read to its end; false on an
// input error (unreadable number, premature end, unreadable file), in which case the graphs keep
// what was read so far and, when reportErrors is set, RunErrorMessage is reported once.
bool ReadPlotData(TResultGraphs& graphs, const std::filesystem::path& plotFile, bool reportErrors,
                  const PlotProjectInfo& project, const PlotErrorReporter& report = {});

} // namespace dorvek
