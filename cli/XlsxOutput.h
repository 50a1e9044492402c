#pragma once
// --xlsx: each project's results loaded into the result graphs, then the workbook of the
// spreadsheet export written: an index sheet, a data and a chart sheet per graph with results,
// and the load-settlement summary sheet last.

#include "cli/Pipeline.h"

#include <filesystem>
#include <string>

namespace dorvek::cli {

// output: the workbook's file name; see OutputFile for several projects.
FileOutput XlsxOutput(const std::string& output, bool markers, bool noRun);

} // namespace dorvek::cli
