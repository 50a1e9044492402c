#include "model/plots/ExportWorkbook.h"

#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"
#include "model/tables/UnitCodes.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

std::string ColumnLetter(int column) {
    if (column < 1 || column > MaxExportColumn) return "";
    if (column <= 26) return std::string(1, static_cast<char>('A' + column - 1));
    return {static_cast<char>(64 + (column - 1) / 26), static_cast<char>(65 + (column - 1) % 26)};
}

std::string ExportRefusal(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    if (curves.LineCount() == 0 || curves.Count() == 0)
        return "The graph \"" + plot.Caption + "\" has no points to export.";
    if (curves.LineCount() > MaxExportCurves)
        return "The graph \"" + plot.Caption + "\" has " + std::to_string(curves.LineCount()) +
               " curves; at most " + std::to_string(MaxExportCurves) +
               " curves of a graph can be exported.";
    return "";
}

namespace {

const std::array<const char*, 5> IndexHeadings = {
    "     N    ", "                             Plot Name                             ",
    "  Sheet Name  ", "  Chart Name  ", "          Status          "};

// The workbook while it is built; closing it writes the file.
class Workbook {
public:
    explicit Workbook(const fs::path& file) : fBook(workbook_new(file.string().c_str())) {
        if (!fBook) throw ExportError("Cannot create the workbook " + file.string() + ".");
        fBold = workbook_add_format(fBook);
        format_set_bold(fBold);
        format_set_align(fBold, LXW_ALIGN_VERTICAL_CENTER);
    }
    ~Workbook() {
        if (fBook) workbook_close(fBook); // only after a failure: the file is discarded
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* Book() const { return fBook; }
    lxw_format* Bold() const { return fBold; }

    lxw_worksheet* AddWorksheet(const std::string& name) {
        lxw_worksheet* sheet = workbook_add_worksheet(fBook, name.c_str());
        if (!sheet) throw ExportError("Cannot add the sheet " + name + " to the workbook.");
        return sheet;
    }

    void Close() {
        const lxw_error error = workbook_close(fBook);
        fBook = nullptr;
        if (error != LXW_NO_ERROR)
            throw ExportError(std::string("Cannot write the workbook: ") + lxw_strerror(error));
    }

private:
    lxw_workbook* fBook;
    lxw_format* fBold = nullptr;
};

void Check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw ExportError(std::string("Cannot build the workbook: ") + lxw_strerror(error));
}

void Text(lxw_worksheet* sheet, int row, int column, const std::string& text,
          lxw_format* format = nullptr) {
    Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                 text.c_str(), format));
}

void Number(lxw_worksheet* sheet, int row, int column, long double value) {
    Check(worksheet_write_number(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                 static_cast<double>(value), nullptr));
}

// Cells are 0-based below; the comments name them as a spreadsheet shows them.
void WriteIndexHeader(Workbook& book, lxw_worksheet* index) {
    for (size_t i = 0; i < IndexHeadings.size(); ++i)
        Text(index, 1, static_cast<int>(i) + 1, IndexHeadings[i], book.Bold()); // B2..F2
}

// Columns B..F as wide as their longest text.
void FitIndexColumns(lxw_worksheet* index, const std::vector<std::array<std::string, 5>>& rows) {
    for (size_t i = 0; i < IndexHeadings.size(); ++i) {
        size_t width = std::string(IndexHeadings[i]).size();
        for (const auto& row : rows) width = std::max(width, row[i].size());
        Check(worksheet_set_column(index, static_cast<lxw_col_t>(i + 1),
                                   static_cast<lxw_col_t>(i + 1), static_cast<double>(width) + 1,
                                   nullptr));
    }
}

void WriteDataSheet(lxw_worksheet* sheet, const TGraphPlot& plot) {
    Text(sheet, 0, 0, plot.Caption);
    Text(sheet, 1, 0, "X");
    Text(sheet, 1, 1, plot.XTitle());
    Text(sheet, 2, 0, "Y");
    Text(sheet, 2, 1, plot.YTitle());
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int j = 0; j < curves.LineCount(); ++j) {
        const TLine& line = curves.Line(j);
        const int c = 2 * j; // column 2j - 1, 0-based
        Text(sheet, 3, c, line.LineName());
        Text(sheet, 4, c, "X");
        Text(sheet, 4, c + 1, "Y");
        for (int p = 0; p < line.Count(); ++p) {
            Number(sheet, 5 + p, c, line.Point(p).x);
            Number(sheet, 5 + p, c + 1, line.Point(p).y);
        }
    }
}

std::string RangeFormula(const std::string& sheet, int column, int lastRow) {
    const std::string letter = ColumnLetter(column);
    return "=" + sheet + "!$" + letter + "$6:$" + letter + "$" + std::to_string(lastRow);
}

lxw_chart* BuildChart(Workbook& book, const TGraphPlot& plot, const std::string& dataSheet,
                      const TExportOptions& options) {
    lxw_chart* chart = workbook_add_chart(book.Book(), LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    if (!chart) throw ExportError("Cannot add a chart to the workbook.");
    // The series of the computed curves end where the first curve's points end; measured
    // points and reference lines added over them end where their own points end.
    const TLineList& curves = plot.List(TLineKind::Main);
    const int firstLastRow = 5 + curves.Count();
    for (int j = 0; j < curves.LineCount(); ++j) {
        const TLineRole role = curves.Line(j).Role;
        const int lastRow = role == TLineRole::Curve ? firstLastRow : 5 + curves.Line(j).Count();
        const int c = 2 * j + 1;
        const std::string x = RangeFormula(dataSheet, c, lastRow);
        const std::string y = RangeFormula(dataSheet, c + 1, lastRow);
        lxw_chart_series* series = chart_add_series(chart, x.c_str(), y.c_str());
        if (!series) throw ExportError("Cannot add a series to the chart of " + plot.Caption + ".");
        const std::string name = curves.Line(j).LineName();
        // A name beginning with "=" would be read as a formula: take it from its cell instead.
        if (!name.empty() && name.front() == '=')
            chart_series_set_name_range(series, dataSheet.c_str(), 3,
                                        static_cast<lxw_col_t>(c - 1));
        else
            chart_series_set_name(series, name.c_str());
        if (role == TLineRole::Markers) {
            lxw_chart_line none = {};
            none.none = LXW_TRUE;
            chart_series_set_line(series, &none);
        } else if (role == TLineRole::Reference) {
            lxw_chart_line dashed = {};
            dashed.dash_type = LXW_CHART_LINE_DASH_DASH;
            chart_series_set_line(series, &dashed);
            chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
        } else if (!options.markers) {
            chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
        }
    }
    chart_title_off(chart);
    chart_axis_set_name(chart->x_axis, plot.XTitle().c_str());
    chart_axis_set_name(chart->y_axis, plot.YTitle().c_str());
    chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    // Depths and settlements grow downward from an x axis at the top.
    if (plot.XOnTop) chart_axis_set_reverse(chart->y_axis);
    // Each axis crosses the other at its minimum (the top of a reversed depth axis), so with
    // negative values the tick labels stay at the chart's edge instead of over the data.
    chart->x_axis->crossing_min = LXW_TRUE;
    chart->y_axis->crossing_min = LXW_TRUE;
    return chart;
}

int WriteResultTable(Workbook& book, lxw_worksheet* sheet, int row, const std::string& title,
                     const std::string& firstHeading, const std::vector<TPileResult>& results,
                     int units, bool withConvergence) {
    const std::string force = " (" + PlotUnitLabel("F", units) + ")";
    const std::string length = " (" + PlotUnitLabel("L", units) + ")";
    Text(sheet, row, 0, title, book.Bold());
    std::vector<std::string> headings = {firstHeading + force, "Pile-Head Movement" + length,
                                         "Tip Movement" + length, "Tip Load" + force};
    if (withConvergence) headings.push_back("Converged");
    for (size_t i = 0; i < headings.size(); ++i)
        Text(sheet, row + 1, static_cast<int>(i), headings[i], book.Bold());
    row += 2;
    for (const TPileResult& r : results) {
        Number(sheet, row, 0, r.headLoad);
        Number(sheet, row, 1, r.headMove);
        Number(sheet, row, 2, r.tipMove);
        Number(sheet, row, 3, r.tipLoad);
        if (withConvergence) Text(sheet, row, 4, r.converged ? "Yes" : "No");
        ++row;
    }
    return row;
}

void WriteSummarySheet(Workbook& book, const TLoadSettlementSummary& summary) {
    lxw_worksheet* sheet = book.AddWorksheet("Summary");
    const int units = std::clamp(summary.units, 1, 2);
    Text(sheet, 0, 0, "Load-Settlement Summary", book.Bold());
    Text(sheet, 1, 0, units == 1 ? "English units" : "S.I. units");
    int row = 3;
    if (!summary.tipMovements.empty())
        row = WriteResultTable(book, sheet, row, "Results for Tip Movements", "Pile-Head Load",
                               summary.tipMovements, units, false) +
              1;
    if (!summary.appliedLoads.empty())
        WriteResultTable(book, sheet, row, "Results for Applied Loads", "Applied Load",
                         summary.appliedLoads, units, true);
    Check(worksheet_set_column(sheet, 0, 4, 24, nullptr));
}

// A file of our own in the system's temporary folder, removed when done.
class TemporaryFile {
public:
    TemporaryFile() {
        std::error_code ec;
        const fs::path folder = fs::temp_directory_path(ec);
        if (ec) throw ExportError("No temporary folder for the workbook: " + ec.message());
#ifndef _WIN32
        const std::string process = std::to_string(::getpid());
#else
        const std::string process = "0";
#endif
        const std::string thread =
            std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
        for (int n = 0; n < 1000; ++n) {
            const fs::path candidate = folder / ("dorvek-export-" + process + "-" + thread + "-" +
                                                 std::to_string(n) + ".xlsx");
            if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
                std::fclose(file);
                fPath = candidate;
                return;
            }
        }
        throw ExportError("Cannot create a temporary file for the workbook in " + folder.string());
    }
    ~TemporaryFile() {
        std::error_code ec;
        fs::remove(fPath, ec);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const fs::path& Path() const {
        return fPath;
    }

    std::string Bytes() const {
        std::ifstream in(fPath, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) throw ExportError("Cannot read back the workbook from " + fPath.string());
        return bytes.str();
    }

private:
    fs::path fPath;
};

} // namespace

void WriteExportWorkbook(const std::vector<const TGraphPlot*>& graphs,
                         const TLoadSettlementSummary* summary, const fs::path& target,
                         const TExportOptions& options) {
    if (graphs.empty()) throw ExportError("No graph was chosen for the export.");
    for (const TGraphPlot* plot : graphs)
        if (const std::string why = ExportRefusal(*plot); !why.empty()) throw ExportError(why);

    TemporaryFile temp;
    {
        Workbook book(temp.Path());
        lxw_worksheet* index = book.AddWorksheet("Legend");
        WriteIndexHeader(book, index);
        std::vector<std::array<std::string, 5>> rows;
        for (size_t i = 0; i < graphs.size(); ++i) {
            const TGraphPlot& plot = *graphs[i];
            const std::string k = std::to_string(i + 1);
            const std::string page = "Page_" + k;
            const std::string chartName = "Plot_" + k;
            const int r = static_cast<int>(i) + 2; // row k + 2
            rows.push_back({k, plot.Caption, page, chartName, ExportStatusComplete});
            Text(index, r, 1, k); // the number as text
            Text(index, r, 2, plot.Caption);
            const std::string link = "internal:" + page + "!A1";
            Check(worksheet_write_url_opt(index, static_cast<lxw_row_t>(r), 3, link.c_str(),
                                          nullptr, page.c_str(), nullptr));
            Text(index, r, 4, chartName);
            Text(index, r, 5, ExportStatusComplete);

            WriteDataSheet(book.AddWorksheet(page), plot);
            lxw_chartsheet* chartSheet = workbook_add_chartsheet(book.Book(), chartName.c_str());
            if (!chartSheet) throw ExportError("Cannot add the chart sheet " + chartName + ".");
            Check(chartsheet_set_chart(chartSheet, BuildChart(book, plot, page, options)));
        }
        FitIndexColumns(index, rows);
        if (summary && (!summary->tipMovements.empty() || !summary->appliedLoads.empty()))
            WriteSummarySheet(book, *summary);
        worksheet_activate(index);
        book.Close();
    }
    try {
        ReplaceFile(target, temp.Bytes());
    } catch (const EInOutError& e) {
        throw ExportError(e.what());
    }
}

} // namespace dorvek
