#pragma once
// dorvek-run's spreadsheet export: the workbook of a project's result graphs (index, data and
// chart sheets) with the load-settlement summary sheet last.

#include "GraphsCommand.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

struct XlsxOptions {
    std::string output;             // OUT.xlsx; may hold "{name}"
    std::vector<std::string> files; // the .dv4d files
    bool noRun = false;             // take the existing plot data files
    bool markers = true;            // lines with markers
    bool quiet = false;
};

// False when this build has no spreadsheet export.
bool XlsxAvailable();

// The workbook's name for one project of a run of `count` projects: "{name}" in OUT becomes
// the project's name without extension; with several projects and no "{name}", "-<name>" is
// put before OUT's extension ("out.xlsx" -> "out-pile.xlsx").
std::filesystem::path XlsxFileName(const std::string& output, const std::string& project,
                                   size_t count);

// The graphs of the export that have results, in export order: the displacement/soil-
// settlement graph only with down-drag.
std::vector<const TGraphPlot*> XlsxGraphs(LoadedResults& results);

// Writes the workbook of already-loaded results to target; callable from any thread. Throws
// ExportError (a std::runtime_error) with a message for the user.
void WriteResultsWorkbook(LoadedResults& results, const std::filesystem::path& target,
                          bool markers);

// Loads and writes every project; prints each written file on `out`. 0 when all were written.
int ExportWorkbooks(const XlsxOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
