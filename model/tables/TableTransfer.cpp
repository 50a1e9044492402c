#include "model/tables/TableTransfer.h"

#include "model/tables/FloatColumn.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/NumberScan.h"
#include "model/tables/Table.h"
#include "model/tables/TableColumn.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableSnapshot.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dorvek {

int ReadRowsFromLines(TGridTable& table, const std::vector<std::string>& lines,
                      char decimalSeparator) {
    const auto columns = static_cast<std::size_t>(table.VisibleColumnCount());
    int accepted = 0;
    for (const auto& line : lines) {
        if (columns == 0 || (table.MaxRows() > 0 && accepted >= table.MaxRows())) break;
        std::vector<long double> numbers = ScanNumbers(line, decimalSeparator);
        if (numbers.size() != columns) continue;
        if (accepted >= table.RowCount()) table.AddRowGroup();
        table.SetChanged(true);
        for (std::size_t j = 0; j < columns; ++j)
            table.VisibleColumn(static_cast<int>(j))
                .SetStringValue(accepted, FormatGeneral(numbers[j], 15));
        ++accepted;
    }
    if (accepted == 0) return 0;
    // Whole groups stay: the group holding the last accepted row is kept.
    int group = table.RowGroup();
    int keep = (accepted + group - 1) / group * group;
    while (table.RowCount() > keep) table.DeleteRowGroup(keep);
    return accepted;
}

int ReadValuesFromText(TGridTable& table, const std::string& text, char decimalSeparator) {
    return ReadRowsFromLines(table, SplitLines(text), decimalSeparator);
}

int ReadValuesFromFile(TGridTable& table, const std::string& path, char decimalSeparator) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw TableIOError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) throw TableIOError("Read error on file \"" + path + "\".");
    return ReadValuesFromText(table, text.str(), decimalSeparator);
}

std::string PasteValuesFromClipboard(TGridTable& table, const std::optional<std::string>& text,
                                     char decimalSeparator) {
    if (!text) return kNoClipboardText;
    int accepted = ReadValuesFromText(table, *text, decimalSeparator);
    if (accepted == 0) return kNothingPasted;
    return std::to_string(accepted) + " row(s) were copied from the Clipboard";
}

bool HoldsSeveralCells(const std::string& text) {
    const std::string body = WithoutLastLineEnd(text);
    return body.find_first_of("\r\n\t") != std::string::npos;
}

std::string WithoutLastLineEnd(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

int PasteCells(TGridTable& table, int visibleColumn, int row, const std::string& text,
               char decimalSeparator) {
    std::vector<TColumn*> targets;
    for (int p = std::max(visibleColumn, 0); p < table.VisibleColumnCount(); ++p) {
        TColumn& column = table.VisibleColumn(p);
        if (!dynamic_cast<TTableColumn*>(&column)) targets.push_back(&column);
    }
    std::vector<std::string> lines = SplitLines(text);
    // Heading lines before the numbers and empty lines after them take no row.
    auto numberless = [&](const std::string& line) {
        return ScanNumbers(line, decimalSeparator).empty();
    };
    while (!lines.empty() && numberless(lines.back())) lines.pop_back();
    lines.erase(lines.begin(), std::find_if_not(lines.begin(), lines.end(), numberless));
    if (targets.empty() || row < 0 || lines.empty()) return 0;
    int pasted = 0;
    RecordTableEdit(table, [&] {
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const int target = row + static_cast<int>(k);
            if (table.MaxRows() > 0 && target >= table.MaxRows()) break;
            const std::vector<long double> numbers = ScanNumbers(lines[k], decimalSeparator);
            if (numbers.empty()) continue;
            while (target >= table.RowCount()) table.AddRowGroup();
            const std::size_t count = std::min(numbers.size(), targets.size());
            for (std::size_t j = 0; j < count; ++j)
                targets[j]->SetStringValue(target, FormatGeneral(numbers[j], 15));
            table.SetChanged(true);
            ++pasted;
        }
    });
    return pasted;
}

std::string CopyValuesText(const TGridTable& table, char decimalSeparator) {
    std::string text;
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int col = 0; col < table.ColCount(); ++col) {
            if (col > 0) text += ListSeparator(decimalSeparator);
            const TColumn& column = table.GetColumn(col);
            if (dynamic_cast<const TFloatColumn*>(&column))
                text += FormatGeneral(column.GetFloatValue(row), 8, decimalSeparator);
            else
                text += column.GetStringValue(row);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace dorvek
