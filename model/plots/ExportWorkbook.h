#pragma once
// The spreadsheet export of result graphs: a workbook with an index sheet ("Legend") linking
// to one data sheet ("Page_k") and one scatter-chart sheet ("Plot_k") per graph, and a
// load-settlement summary sheet last. Plain C++ over libxlsxwriter, callable from any thread
// (each call builds its own workbook).

#include "model/plots/ResultGraphs.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek {

class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Letters of a 1-based column: 1..26 "A".."Z", 27..702 two letters ("AA".."ZZ"); empty
// outside 1..702.
std::string ColumnLetter(int column);

// The widest column that ColumnLetter names, and so the most curves a graph can export.
inline constexpr int MaxExportColumn = 702;
inline constexpr int MaxExportCurves = MaxExportColumn / 2;

// Status texts of the index sheet.
inline constexpr const char* ExportStatusComplete = "Complete";

struct TExportOptions {
    bool markers = true; // lines with markers; lines only when false
};

// Why a graph cannot be exported, or "" when it can: it needs at least one curve whose first
// curve has points, and at most MaxExportCurves curves.
std::string ExportRefusal(const TGraphPlot& plot);

// Writes the workbook of the graphs (in the given order) and, when summary is given and holds
// results, the summary sheet, to a temporary file and then over target. A graph that cannot be
// exported, a workbook that cannot be built and a target that cannot be written raise
// ExportError with a message for the user; an existing target then stays as it was.
void WriteExportWorkbook(const std::vector<const TGraphPlot*>& graphs,
                         const TLoadSettlementSummary* summary, const std::filesystem::path& target,
                         const TExportOptions& options = {});

} // namespace dorvek
