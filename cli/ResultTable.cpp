#include "cli/ResultTable.h"

#include "cli/LoadTests.h"
#include "cli/Study.h"
#include "model/plots/GraphCsv.h"
#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <charconv>

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

std::string Units(int system) {
    return ColumnUnitLabel("F", system) + ", " + ColumnUnitLabel("L", system);
}

std::string Capacity(const TCriterion& c) {
    return c.reached ? ResultNumber(static_cast<float>(c.load)) : std::string();
}

void AddCapacities(std::vector<std::string>& cells, const TCapacities* c) {
    if (!c) {
        cells.resize(cells.size() + 3);
        return;
    }
    for (const TCriterion* k : {&c->davisson, &c->tenPercent, &c->chin})
        cells.push_back(Capacity(*k));
}

// Rows are held in memory until this many bytes, at most, before the header is settled.
constexpr std::size_t kPendingBytes = 1 << 20;

} // namespace

std::string ResultNumber(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string UnitSuffix(const char* dimension, int units) {
    return units ? " (" + ColumnUnitLabel(dimension, units) + ")" : "";
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) text += ',';
        text += CsvField(cells[i]);
    }
    text += '\n';
    return text;
}

ResultTable::ResultTable(const fs::path& file, std::vector<std::string> variedNames,
                         const std::vector<TMeasuredCurve>* given)
    : path_(file), varied_(std::move(variedNames)), given_(given),
      file_(std::make_unique<TReplacingFile>(file)) {}

std::string ResultTable::Header(int units, bool mixed) const {
    const int shown = mixed ? 0 : units;
    std::vector<std::string> header = {"file"};
    for (const std::string& name : varied_) header.push_back(name);
    for (const std::string& name :
         {std::string("result"), std::string("meaning"), std::string("kind"),
          "head load" + UnitSuffix("F", shown), "head movement" + UnitSuffix("L", shown),
          "tip movement" + UnitSuffix("L", shown), "tip load" + UnitSuffix("F", shown),
          std::string("converged"), "Davisson capacity" + UnitSuffix("F", shown),
          "capacity at 10 % D" + UnitSuffix("F", shown),
          "Chin-Kondner capacity" + UnitSuffix("F", shown)})
        header.push_back(name);
    if (mixed) header.push_back("units");
    return CsvLine(header);
}

void ResultTable::Row(const std::vector<std::string>& cells, int units) {
    if (rowUnits_.empty() || rowUnits_.back().second != units) rowUnits_.emplace_back(0, units);
    ++rowUnits_.back().first;
    if (units != 0) {
        if (known_ == 0)
            known_ = units;
        else if (units != known_)
            mixed_ = true;
    }
    const std::string line = CsvLine(cells);
    if (!headerWritten_) {
        // Rows wait for the first one whose units are known, which settles the header (unless
        // too many wait: then the header is mended at the end if it was wrong).
        if (units == 0 && pending_.size() + line.size() <= kPendingBytes) {
            pending_ += line;
            return;
        }
        WriteHeader();
    }
    file_->Write(line);
}

void ResultTable::WriteHeader() {
    written_ = Header(known_, false);
    file_->Write(written_);
    file_->Write(pending_);
    pending_.clear();
    pending_.shrink_to_fit();
    headerWritten_ = true;
}

void ResultTable::Add(const AnalysedFile& file) {
    std::vector<std::string> base;
    base.push_back(file.job.name);
    for (std::size_t k = 0; k < varied_.size(); ++k)
        base.push_back(k < file.job.values.size() ? ValueText(file.job.values[k]) : "");
    const bool ran = file.code != kNotAnalysed && file.job.refusal.empty();
    base.push_back(ran ? std::to_string(file.code) : "");
    base.push_back(
        ran ? ResultCodeMeaning(file.code)
            : (file.job.refusal.empty() ? "not analysed" : "not run, " + file.job.refusal));
    const AnalysisResult& s = file.results;
    const int units = ran && (s.units == 1 || s.units == 2) ? s.units : 0;

    // Capacities of the computed curve (first) and of each measured curve of the project
    // given, whose side file is read once.
    std::vector<TCurveCapacities> capacities;
    const std::string origin = file.job.origin.empty() ? file.job.files.input : file.job.origin;
    if (units != 0 && !s.tipResults.empty()) {
        const std::string key = std::to_string(units) + origin;
        auto found = measured_.find(key);
        if (found == measured_.end())
            found = measured_
                        .emplace(key,
                                 MeasuredCurvesFor(origin, units,
                                                   given_ ? *given_ : std::vector<TMeasuredCurve>{},
                                                   nullptr))
                        .first;
        capacities = LoadTestCapacities(SummaryOf(s), s.pile.settlementProfile, found->second,
                                        CapacityPileOf(s));
    }
    const TCapacities* computed = !capacities.empty() && !capacities.front().measured
                                      ? &capacities.front().capacities
                                      : nullptr;

    bool any = false;
    std::vector<std::string> row;
    for (const TipMovementResult& r : s.tipResults) {
        row = base;
        for (const std::string& cell :
             {std::string("tip movement"), ResultNumber(r.topLoad), ResultNumber(r.topMove),
              ResultNumber(r.tipMove), ResultNumber(r.tipLoad), std::string()})
            row.push_back(cell);
        AddCapacities(row, computed);
        Row(row, units);
        any = true;
    }
    for (const HeadLoadResult& r : s.loadResults) {
        row = base;
        for (const std::string& cell :
             {std::string("head load"), ResultNumber(r.load), ResultNumber(r.topMove),
              ResultNumber(r.tipMove), ResultNumber(r.tipLoad),
              std::string(r.converged ? "yes" : "no")})
            row.push_back(cell);
        AddCapacities(row, computed);
        Row(row, units);
        any = true;
    }
    // A study's variants share their project's measured curves: their rows come once.
    if (!capacities.empty() && (file.job.values.empty() || measuredRows_.insert(origin).second)) {
        for (const TCurveCapacities& c : capacities) {
            if (!c.measured) continue;
            row = base;
            row.push_back("measured: " + c.name);
            row.resize(row.size() + 5);
            AddCapacities(row, &c.capacities);
            Row(row, units);
        }
    }
    if (!any) {
        base.resize(base.size() + 9);
        Row(base, units);
    }
}

void ResultTable::Finish() {
    if (!headerWritten_) WriteHeader();
    const std::string header = Header(known_, mixed_);
    if (header == written_) {
        file_->Commit();
        return;
    }
    // The header written first was not the table's (several unit systems, or units known
    // only after many rows without): the table again, and with several unit systems each
    // row's units in a column of their own.
    TReplacingFile mended(path_);
    mended.Write(header);
    bool first = true;
    std::size_t run = 0, left = rowUnits_.empty() ? 0 : rowUnits_[0].first;
    std::string row;
    file_->ReadBack([&](std::string_view line) {
        row += line;
        // A quoted cell may hold a line break: the row goes on until the quotes close.
        if (std::count(row.begin(), row.end(), '"') % 2 != 0) {
            row += '\n';
            return;
        }
        if (first) { // the header written first
            first = false;
            row.clear();
            return;
        }
        if (mixed_) {
            while (left == 0 && run + 1 < rowUnits_.size()) left = rowUnits_[++run].first;
            const int units = run < rowUnits_.size() ? rowUnits_[run].second : 0;
            row += ',';
            row += CsvField(units ? Units(units) : "");
            if (left > 0) --left;
        }
        row += '\n';
        mended.Write(row);
        row.clear();
    });
    mended.Commit();
    file_.reset(); // the first temporary file goes
}

bool TableWritable(const fs::path& file, std::ostream& err, const std::string& option) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
        err << "dorvek-run: " << option << " " << file.string() << ": is a folder\n";
        return false;
    }
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        err << "dorvek-run: " << option << " " << file.string() << ": the folder cannot be created"
            << (ec ? " (" + ec.message() + ")" : std::string()) << "\n";
        return false;
    }
    return true;
}

} // namespace dorvek::cli
