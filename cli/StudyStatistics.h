#pragma once
// --stats: statistics of a study's head movements. Per project, per applied pile-head load
// and per tip movement: the number of variants, how many converged, the mean, the standard
// deviation and the 5th, 50th and 95th percentiles of the head movement of the converged
// ones; with a settlement limit (--limit), the share of variants whose head movement exceeds
// it in magnitude or whose load did not converge, with its 95 % confidence interval.
// Variants that did not run to completion have no results and count in none of the rows.
//
// Only the head movements are kept (what the percentiles need), never the rows of the table.

#include "cli/Pipeline.h"
#include "cli/TableTag.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

// The numbers of one row. Percentiles interpolate linearly between the sorted values (the
// value at rank (n - 1) p, counted from 0); the standard deviation is the sample's (n - 1).
struct RowStatistics {
    std::size_t variants = 0, converged = 0;
    std::optional<double> mean, sd, p5, p50, p95; // of the head movement of the converged
    std::size_t exceeding = 0;
    std::optional<double> share, shareLow, shareHigh; // with a limit, of `variants`
};

// Mean, standard deviation and percentiles of `values` (sorted in place), and the share
// `exceeding` / `variants` with its two-sided 95 % Clopper-Pearson interval.
RowStatistics Describe(std::vector<float>& values, std::size_t variants, std::size_t exceeding,
                       bool limited);

class StudyStatistics {
public:
    explicit StudyStatistics(std::optional<double> limit);
    // Main thread, in job order.
    void Add(const AnalysedFile& file);
    // The CSV text: a row per project and load, then per project and tip movement, each
    // ending with its units, study and shard (see ResultTable).
    std::string Text(const TableTag& tag = {});
    void Write(const std::filesystem::path& file, const TableTag& tag);
    // The same for the largest applied load of each project (or its largest tip movement
    // when it applies none), as lines for the terminal, to four digits.
    void PrintSummary(const std::string& statsFile, std::ostream& out);
    std::size_t Analysed() const { return analysed_; }
    std::size_t Failed() const { return failed_; }

private:
    struct Row {
        bool load = false;
        int number = 0;      // 1-based position in the project's list
        float key = 0;       // a tip movement row's movement
        double valueSum = 0; // of the applied loads (their mean is shown), or tip movements
        std::size_t variants = 0, exceeding = 0;
        std::vector<float> movements; // head movements of the converged variants
    };
    struct Project {
        std::string name;
        int units = 0;
        std::vector<Row> loads, tips;
    };
    void AddRow(Row& row, float value, float movement, bool converged);
    static double Mean(const Row& row) {
        return row.variants ? row.valueSum / static_cast<double>(row.variants) : 0;
    }
    std::vector<std::string> Cells(const Project& project, Row& row, const TableTag& tag);

    std::optional<double> limit_;
    std::vector<Project> projects_;
    std::size_t analysed_ = 0, failed_ = 0;
};

} // namespace dorvek::cli
