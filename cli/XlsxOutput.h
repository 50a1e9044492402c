#pragma once
// --xlsx: each project's results loaded into the result graphs, then the workbook of the
// spreadsheet export written: an index sheet, a data and a chart sheet per graph with results,
// and the load-settlement summary sheet last.

#include "Pipeline.h"

#include <filesystem>
#include <string>

namespace dorvek::cli {

// False when this build has no spreadsheet export (libxlsxwriter was not found).
bool XlsxAvailable();

// The workbook's name for one project: "{name}" in OUT becomes the project's name without
// extension; with several projects and no "{name}", "-<name>" goes before OUT's extension
// ("out.xlsx" -> "out-pile.xlsx").
std::filesystem::path XlsxFileName(const std::string& output, const std::string& stem,
                                   bool several);

FileOutput XlsxOutput(const std::string& output, bool markers, bool noRun);

} // namespace dorvek::cli
