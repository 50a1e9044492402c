#include "cli/ResultTable.h"

#include "cli/LoadTests.h"
#include "cli/OutputClaims.h"
#include "cli/Study.h"
#include "model/io/ReadError.h"
#include "model/plots/GraphCsv.h"
#include "model/tables/UnitCodes.h"

#include <charconv>
#include <utility>

namespace dorvek::cli {

namespace fs = std::filesystem;

std::string ResultNumber(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string UnitsCell(int units) {
    if (units != 1 && units != 2) return {};
    return ColumnUnitLabel("F", units) + ", " + ColumnUnitLabel("L", units);
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

namespace {

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

std::vector<std::string> Header(const std::vector<std::string>& varied) {
    std::vector<std::string> header = {"file"};
    header.insert(header.end(), varied.begin(), varied.end());
    for (const char* name :
         {"result", "meaning", "kind", "head load", "head movement", "tip movement", "tip load",
          "converged", "Davisson capacity", "capacity at 10 % D", "Chin-Kondner capacity"})
        header.emplace_back(name);
    header.insert(header.end(), kTagColumns.begin(), kTagColumns.end());
    return header;
}

} // namespace

ResultTable::ResultTable(const fs::path& file, std::vector<std::string> variedNames, TableTag tag,
                         const std::vector<TMeasuredCurve>* given)
    : varied_(std::move(variedNames)), tag_(std::move(tag)), given_(given),
      file_(std::make_unique<TReplacingFile>(file, FileSync::None)), name_(file.string()) {
    Write(CsvLine(Header(varied_)));
}

ResultTable::ResultTable(std::ostream& stream, std::vector<std::string> variedNames, TableTag tag,
                         const std::vector<TMeasuredCurve>* given)
    : varied_(std::move(variedNames)), tag_(std::move(tag)), given_(given), stream_(&stream),
      name_("standard output") {
    Write(CsvLine(Header(varied_)));
}

void ResultTable::Write(const std::string& text) {
    if (file_) {
        file_->Write(text);
        return;
    }
    stream_->write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!*stream_) throw EInOutError("Cannot write the table to " + name_);
}

void ResultTable::Row(std::vector<std::string> cells, int units) {
    cells.push_back(UnitsCell(units));
    cells.push_back(tag_.study);
    cells.push_back(tag_.shard);
    Write(CsvLine(cells));
    rows_ = true;
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
        Row(std::move(row), units);
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
        Row(std::move(row), units);
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
            Row(std::move(row), units);
        }
    }
    if (!any) {
        base.resize(base.size() + 9);
        Row(std::move(base), units);
    }
}

void ResultTable::Finish() {
    // An empty shard still says which it is.
    if (!rows_) Row(std::vector<std::string>(Header(varied_).size() - kTagColumns.size()), 0);
    if (file_) {
        file_->Commit();
        return;
    }
    stream_->flush();
    if (!*stream_) throw EInOutError("Cannot write the table to " + name_);
}

bool TableWritable(const fs::path& file, std::ostream& err, const std::string& option) {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        err << "dorvek-run: " << option << " " << file.string() << ": the folder cannot be created"
            << (ec ? " (" + ec.message() + ")" : std::string()) << "\n";
        return false;
    }
    return RegularOutput(file, option, err);
}

} // namespace dorvek::cli
