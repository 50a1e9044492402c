#pragma once
// --table: one CSV row per result of every analysis (the tip-movement summary and the
// applied-load results, the column "kind" saying which), with the file, the result code and
// its meaning, one column per varied name of a study, and the project's units in the header.
// A job without results (a failed run) still has one row, with its code.

#include "cli/Pipeline.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dorvek::cli {

class ResultTable {
public:
    explicit ResultTable(std::vector<std::string> variedNames);
    // Main thread, in job order.
    void Add(const AnalysedFile& file);
    // The whole CSV text. The units come from the results' own unit system; when the files
    // of the run differ in it, a "units" column gives each row's.
    std::string Text() const;
    // Replaces the file with Text() (raises EInOutError on failure).
    void Write(const std::filesystem::path& file) const;

private:
    struct Row {
        std::vector<std::string> cells; // file, values..., result, meaning, kind, numbers...
        int units = 0;                  // 0 unknown (no run)
    };
    std::vector<std::string> varied_;
    std::vector<Row> rows_;
};

// Checks on the main thread before anything runs that the table's folder exists or can be
// made and that the file can be written; false after saying why on `err`.
bool TableWritable(const std::filesystem::path& file, std::ostream& err);

} // namespace dorvek::cli
