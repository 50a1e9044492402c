#include "cli/ResultTable.h"

#include "cli/Study.h"
#include "model/io/AtomicFile.h"
#include "model/plots/GraphCsv.h"
#include "model/tables/UnitCodes.h"

#include <charconv>
#include <fstream>

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

// The shortest text that reads back to the single-precision result, without an exponent.
std::string Number(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string Units(int system) {
    return ColumnUnitLabel("F", system) + ", " + ColumnUnitLabel("L", system);
}

} // namespace

ResultTable::ResultTable(std::vector<std::string> variedNames) : varied_(std::move(variedNames)) {}

void ResultTable::Add(const AnalysedFile& file) {
    Row base;
    base.cells.push_back(file.job.name);
    for (std::size_t k = 0; k < varied_.size(); ++k)
        base.cells.push_back(k < file.job.values.size() ? ValueText(file.job.values[k]) : "");
    const bool ran = file.code != kNotAnalysed && file.job.refusal.empty();
    base.cells.push_back(ran ? std::to_string(file.code) : "");
    base.cells.push_back(
        ran ? ResultCodeMeaning(file.code)
            : (file.job.refusal.empty() ? "not analysed" : "not run, " + file.job.refusal));
    const Store& s = file.results;
    base.units = ran && (s.iunit == 1 || s.iunit == 2) ? s.iunit : 0;

    bool any = false;
    for (const TipMovementResult& r : s.tipResults) {
        Row row = base;
        for (const std::string& cell :
             {std::string("tip movement"), Number(r.topLoad), Number(r.topMove), Number(r.tipMove),
              Number(r.tipLoad), std::string()})
            row.cells.push_back(cell);
        rows_.push_back(std::move(row));
        any = true;
    }
    for (const HeadLoadResult& r : s.loadResults) {
        Row row = base;
        for (const std::string& cell :
             {std::string("head load"), Number(r.load), Number(r.topMove), Number(r.tipMove),
              Number(r.tipLoad), std::string(r.converged ? "yes" : "no")})
            row.cells.push_back(cell);
        rows_.push_back(std::move(row));
        any = true;
    }
    if (!any) {
        base.cells.resize(base.cells.size() + 6);
        rows_.push_back(std::move(base));
    }
}

std::string ResultTable::Text() const {
    int units = 0;
    bool mixed = false;
    for (const Row& row : rows_) {
        if (row.units == 0) continue;
        if (units != 0 && row.units != units) mixed = true;
        units = row.units;
    }
    const std::string force = units && !mixed ? " (" + ColumnUnitLabel("F", units) + ")" : "";
    const std::string length = units && !mixed ? " (" + ColumnUnitLabel("L", units) + ")" : "";

    std::vector<std::string> header = {"file"};
    for (const std::string& name : varied_) header.push_back(name);
    for (const std::string& name :
         {std::string("result"), std::string("meaning"), std::string("kind"), "head load" + force,
          "head movement" + length, "tip movement" + length, "tip load" + force,
          std::string("converged")})
        header.push_back(name);
    if (mixed) header.push_back("units");

    std::string text;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) text += ',';
            text += CsvField(cells[i]);
        }
        text += '\n';
    };
    line(header);
    for (const Row& row : rows_) {
        if (!mixed) {
            line(row.cells);
            continue;
        }
        std::vector<std::string> cells = row.cells;
        cells.push_back(row.units ? Units(row.units) : "");
        line(cells);
    }
    return text;
}

void ResultTable::Write(const fs::path& file) const {
    ReplaceFile(file, Text());
}

bool TableWritable(const fs::path& file, std::ostream& err) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        err << "dorvek-run: --table " << file.string() << ": is a folder\n";
        return false;
    }
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        err << "dorvek-run: --table " << file.string() << ": the folder cannot be created"
            << (ec ? " (" + ec.message() + ")" : std::string()) << "\n";
        return false;
    }
    return true;
}

} // namespace dorvek::cli
