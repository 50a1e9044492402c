#pragma once
// --table: one CSV row per result of every analysis (the tip-movement summary and the
// applied-load results, the column "kind" saying which), with the file, the result code and
// its meaning, one column per varied name of a study, and the project's units in the header.
// The last three columns hold the capacities of the computed curve by Davisson's offset limit,
// at a settlement of 10 % of D and by Chin-Kondner (empty when not reached); the measured
// curves of each project (its side file and --measured) add a row of kind "measured: NAME"
// with their capacities, once per project.
// A job without results (a failed run) still has one row, with its code.
//
// The rows go to the file as they come (a temporary file beside it, put in place at the end),
// so a table of any length costs no memory.

#include "cli/Pipeline.h"
#include "model/io/AtomicFile.h"
#include "model/plots/MeasuredCurves.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dorvek::cli {

class ResultTable {
public:
    // Starts the table's temporary file (raises EInOutError); the table replaces `file` only
    // when Finish() succeeds.
    // `given`: the curves of --measured (taken in each project's units), or null.
    ResultTable(const std::filesystem::path& file, std::vector<std::string> variedNames,
                const std::vector<TMeasuredCurve>* given = nullptr);
    // Main thread, in job order.
    void Add(const AnalysedFile& file);
    // The header and the file in place (raises EInOutError). The units come from the results'
    // own unit system; when the files of the run differ in it, a "units" column gives each
    // row's.
    void Finish();

private:
    std::string Header(int units, bool mixed) const;
    void Row(const std::vector<std::string>& cells, int units);
    void WriteHeader();

    std::filesystem::path path_;
    std::vector<std::string> varied_;
    const std::vector<TMeasuredCurve>* given_;
    // The measured curves of each project given (read once), and the projects whose
    // measured rows are written.
    std::map<std::string, TMeasuredCurves> measured_;
    std::set<std::string> measuredRows_;
    std::unique_ptr<TReplacingFile> file_;
    std::string pending_; // rows held until the first row whose units are known
    bool headerWritten_ = false;
    std::string written_; // the header written
    int known_ = 0;       // the units of the first row whose units are known
    bool mixed_ = false;  // rows of other units followed
    // The units of every row, as runs of (rows, units).
    std::vector<std::pair<std::size_t, int>> rowUnits_;
};

// Checks on the main thread before anything runs that the table's folder exists or can be
// made and that the file can be written; false after saying why on `err`. `option` names the
// option in the message.
bool TableWritable(const std::filesystem::path& file, std::ostream& err,
                   const std::string& option = "--table");

// The text of a result in the tables: the shortest that reads back to the single-precision
// value, without an exponent.
std::string ResultNumber(float value);

// A header's unit suffix, " (lbs)" or " (m)", for the dimension "F" or "L" of `units` (1 or 2).
std::string UnitSuffix(const char* dimension, int units);

// The cells of CSV line, joined and ended by a line feed.
std::string CsvLine(const std::vector<std::string>& cells);

} // namespace dorvek::cli
