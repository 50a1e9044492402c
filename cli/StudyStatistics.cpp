#include "cli/StudyStatistics.h"

#include "cli/ResultTable.h"
#include "model/io/AtomicFile.h"
#include "model/tables/UnitCodes.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/statistics/univariate_statistics.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dorvek::cli {

namespace {

// A statistic in the file: seven significant digits (four on the terminal).
std::string Number(std::optional<double> value, int digits = 7) {
    if (!value) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, *value);
    return text;
}

double Percentile(const std::vector<double>& sorted, double p) {
    const double rank = static_cast<double>(sorted.size() - 1) * p;
    const auto below = static_cast<std::size_t>(std::floor(rank));
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] +
           (rank - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

} // namespace

RowStatistics Describe(std::vector<float>& values, std::size_t variants, std::size_t exceeding,
                       bool limited) {
    RowStatistics s;
    s.variants = variants;
    s.converged = values.size();
    s.exceeding = exceeding;
    if (!values.empty()) {
        std::sort(values.begin(), values.end());
        const std::vector<double> sorted(values.begin(), values.end());
        if (sorted.size() >= 2) {
            const auto [mean, variance] =
                boost::math::statistics::mean_and_sample_variance(sorted.begin(), sorted.end());
            s.mean = mean;
            s.sd = std::sqrt(variance);
        } else {
            s.mean = sorted[0];
        }
        s.p5 = Percentile(sorted, 0.05);
        s.p50 = Percentile(sorted, 0.50);
        s.p95 = Percentile(sorted, 0.95);
    }
    if (limited && variants > 0) {
        using Binomial = boost::math::binomial_distribution<double>;
        const auto n = static_cast<double>(variants), k = static_cast<double>(exceeding);
        s.share = k / n;
        s.shareLow = Binomial::find_lower_bound_on_p(n, k, 0.025);
        s.shareHigh = Binomial::find_upper_bound_on_p(n, k, 0.025);
    }
    return s;
}

StudyStatistics::StudyStatistics(std::optional<double> limit) : limit_(limit) {}

void StudyStatistics::AddRow(Row& row, float value, float movement, bool converged) {
    row.valueSum += value;
    ++row.variants;
    if (converged) row.movements.push_back(movement);
    if (limit_ && (!converged || std::fabs(movement) > *limit_)) ++row.exceeding;
}

void StudyStatistics::Add(const AnalysedFile& file) {
    if (file.code == kNotAnalysed || !file.job.refusal.empty()) return;
    ++analysed_;
    if (file.code != kRunCompleted) {
        ++failed_;
        return;
    }
    const std::string& name = file.job.origin.empty() ? file.job.name : file.job.origin;
    if (projects_.empty() || projects_.back().name != name) {
        projects_.push_back({name, file.results.units, {}, {}});
    }
    Project& project = projects_.back();
    const AnalysisResult& r = file.results;
    for (std::size_t i = 0; i < r.loadResults.size(); ++i) {
        if (project.loads.size() <= i) {
            Row row;
            row.load = true;
            row.number = static_cast<int>(i + 1);
            project.loads.push_back(std::move(row));
        }
        const HeadLoadResult& h = r.loadResults[i];
        AddRow(project.loads[i], h.load, h.topMove, h.converged);
    }
    // Tip movements are matched by value: a variant's generated list may be shorter.
    for (const TipMovementResult& t : r.tipResults) {
        auto row = std::find_if(project.tips.begin(), project.tips.end(),
                                [&](const Row& row) { return row.key == t.tipMove; });
        if (row == project.tips.end()) {
            Row added;
            added.number = static_cast<int>(project.tips.size() + 1);
            added.key = t.tipMove;
            project.tips.push_back(std::move(added));
            row = project.tips.end() - 1;
        }
        AddRow(*row, t.tipMove, t.topMove, true);
    }
}

std::vector<std::string> StudyStatistics::Cells(const Project& project, Row& row,
                                                const TableTag& tag) {
    const RowStatistics s =
        Describe(row.movements, row.variants, row.exceeding, limit_.has_value());
    const double value = Mean(row);
    std::vector<std::string> cells = {project.name,
                                      row.load ? "head load" : "tip movement",
                                      std::to_string(row.number),
                                      row.load ? Number(value) : "",
                                      row.load ? "" : Number(value),
                                      std::to_string(s.variants),
                                      std::to_string(s.converged),
                                      Number(s.mean),
                                      Number(s.sd),
                                      Number(s.p5),
                                      Number(s.p50),
                                      Number(s.p95)};
    if (limit_) {
        for (const std::string& cell : {Number(*limit_), std::to_string(s.exceeding),
                                        Number(s.share), Number(s.shareLow), Number(s.shareHigh)})
            cells.push_back(cell);
    }
    for (const std::string& cell : {UnitsCell(project.units), tag.study, tag.shard})
        cells.push_back(cell);
    return cells;
}

std::string StudyStatistics::Text(const TableTag& tag) {
    std::vector<std::string> header = {"file",
                                       "kind",
                                       "number",
                                       "applied load",
                                       "tip movement",
                                       "variants",
                                       "converged",
                                       "head movement mean",
                                       "head movement sd",
                                       "head movement 5%",
                                       "head movement 50%",
                                       "head movement 95%"};
    if (limit_)
        for (const char* name : {"limit", "exceeding", "share", "share 95% low", "share 95% high"})
            header.emplace_back(name);
    header.insert(header.end(), kTagColumns.begin(), kTagColumns.end());
    std::string text = CsvLine(header);
    bool any = false;
    for (Project& p : projects_) {
        for (auto* rows : {&p.loads, &p.tips}) {
            for (Row& row : *rows) {
                text += CsvLine(Cells(p, row, tag));
                any = true;
            }
        }
    }
    // An empty shard still says which it is (its file cell empty).
    if (!any) {
        std::vector<std::string> mark(header.size() - kTagColumns.size() + 1);
        mark.push_back(tag.study);
        mark.push_back(tag.shard);
        text += CsvLine(mark);
    }
    return text;
}

void StudyStatistics::Write(const std::filesystem::path& file, const TableTag& tag) {
    ReplaceFile(file, Text(tag), FileSync::None);
}

void StudyStatistics::PrintSummary(const std::string& statsFile, std::ostream& out) {
    for (Project& p : projects_) {
        const std::string length = ColumnUnitLabel("L", p.units);
        Row* row = nullptr;
        for (Row& load : p.loads)
            if (!row || std::fabs(Mean(load)) > std::fabs(Mean(*row))) row = &load;
        for (Row& tip : p.tips)
            if (p.loads.empty() && (!row || tip.key > row->key)) row = &tip;
        if (!row) continue;
        std::vector<float> movements = row->movements; // the file is written from the rows
        const RowStatistics s =
            Describe(movements, row->variants, row->exceeding, limit_.has_value());
        const double value = Mean(*row);
        auto brief = [](std::optional<double> v) { return Number(v, 4); };
        const char* converged = row->load ? " that converged" : "";
        out << p.name << ": "
            << (row->load ? "the largest load, load " : "the largest tip movement, number ")
            << row->number << " of " << Number(value) << " "
            << ColumnUnitLabel(row->load ? "F" : "L", p.units) << "\n"
            << "  head movement (" << length << ") of the " << s.converged << " of " << s.variants
            << " variants" << converged << ":\n"
            << "    mean " << brief(s.mean) << ", sd " << brief(s.sd) << ", 5% " << brief(s.p5)
            << ", 50% " << brief(s.p50) << ", 95% " << brief(s.p95) << "\n";
        if (limit_)
            out << "  above " << Number(*limit_) << " " << length
                << (row->load ? " or not converged: " : ": ") << s.exceeding << " of " << s.variants
                << ", share " << brief(s.share) << "\n"
                << "    (95% confidence interval " << brief(s.shareLow) << " to "
                << brief(s.shareHigh) << ")\n";
    }
    out << "Statistics of every load and tip movement: " << statsFile << "\n";
}

} // namespace dorvek::cli
