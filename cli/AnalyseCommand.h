#pragma once
// dorvek-run's analysis mode: each input file is analysed by the kernel and its report,
// plot data and run-notes files are written beside it.

#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

struct AnalyseOptions {
    std::vector<std::string> files;
    bool summary = false; // print the load-settlement summary and the output paths
    bool quiet = false;   // hide the kernel's console messages
};

// Runs every file; one result line per file on `out`. Returns 0 when every run completed.
int AnalyseFiles(const AnalyseOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
