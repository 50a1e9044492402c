#pragma once
// dorvek-run's graph export: a project's results loaded into the result graphs as the desktop
// program loads them, then one CSV file per graph and/or one picture per graph (drawn by the
// program's renderer with the saved graph settings) written into folders.

#include <ostream>
#include <string>

namespace dorvek::cli {

struct GraphsOptions {
    std::string folder;         // where the CSV files go (created when missing); empty: none
    std::string pictureFolder;  // where the pictures go (created when missing); empty: none
    std::string format = "png"; // picture format: png, svg, pdf or bmp
    std::string project;        // the .dv4d file
    bool noRun = false;         // take the existing plot data file instead of analysing first
    bool quiet = false;         // hide the kernel's progress messages
};

// Whether this build can draw pictures (it needs Qt).
bool PicturesAvailable();

// Prints the written files on `out`, one per line. Returns 0 when the results were loaded and
// written; otherwise prints why on `err` and returns 1.
int ExportGraphs(const GraphsOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
