#pragma once
// --graphs-csv: each project's results loaded into the result graphs as the desktop program
// loads them, then one CSV file per graph written into a folder (for several projects, into
// a folder per project inside it).

#include "cli/Pipeline.h"

#include <string>

namespace dorvek::cli {

// noRun: the plot data file of an earlier run is used, with the saved graph settings (curve
// names), as when the program opens a project; after a run the graphs start afresh.
FileOutput GraphsCsvOutput(const std::string& folder, bool noRun);

} // namespace dorvek::cli
