#pragma once
// dorvek-run's graph export: a project's results loaded into the result graphs as the desktop
// program loads them, then one CSV file per graph written into a folder.

#include "ResultGraphs.h"

#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

struct GraphsOptions {
    std::string folder;  // where the CSV files go (created when missing)
    std::string project; // the .dv4d file
    bool noRun = false;  // take the existing plot data file instead of analysing first
    bool quiet = false;  // hide the kernel's progress messages
};

// A project's results loaded into the result graphs, with the options that choose the
// graphs the program shows.
struct LoadedResults {
    TResultGraphs graphs;
    int downdrag = 0;
    int nloadmethod = 0;
};

// Reads the project, analyses it unless noRun, and loads its plot data file (and, with noRun,
// its saved graph settings). False after a message on `err` when that fails.
bool LoadResults(const std::string& project, bool noRun, bool quiet, LoadedResults& results,
                 std::ostream& err);

// Prints the written files on `out`, one per line. Returns 0 when the results were loaded and
// written; otherwise prints why on `err` and returns 1.
int ExportGraphs(const GraphsOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
