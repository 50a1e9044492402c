#pragma once
// --table: one CSV row per result of every analysis (the tip-movement summary and the
// applied-load results, the column "kind" saying which), with the file, the result code and
// its meaning, one column per varied name of a study, the capacities of the computed curve by
// Davisson's offset limit, at a settlement of 10 % of D and by Chin-Kondner (empty when not
// reached), and last the row's units, the study's fingerprint and the shard (TableTag). The
// measured curves of each project (its side file and --measured) add a row of kind
// "measured: NAME" with their capacities, once per project. The header is one line, the same for
// every shard and every unit system, so that the tables of a study's shards join. A job without
// results (a failed run) still has one row, with its code; a table without any row gets one that
// only names its study and shard (its file cell empty), so that even an empty shard is counted.
//
// The rows go to the file as they come (a temporary file beside it, put in place at the end),
// or to a stream (standard output), so a table of any length costs no memory.

#include "cli/Pipeline.h"
#include "cli/TableTag.h"
#include "model/io/AtomicFile.h"
#include "model/plots/MeasuredCurves.h"

#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace dorvek::cli {

class ResultTable {
public:
    // Starts the table's temporary file (raises EInOutError); the table replaces `file` only
    // when Finish() succeeds. `given`: the curves of --measured (taken in each project's
    // units), or null.
    ResultTable(const std::filesystem::path& file, std::vector<std::string> variedNames,
                TableTag tag, const std::vector<TMeasuredCurve>* given = nullptr);
    // Writes to `stream` as the rows come.
    ResultTable(std::ostream& stream, std::vector<std::string> variedNames, TableTag tag,
                const std::vector<TMeasuredCurve>* given = nullptr);
    // Main thread, in job order.
    void Add(const AnalysedFile& file);
    // The file in place (raises EInOutError).
    void Finish();

private:
    void Row(std::vector<std::string> cells, int units);
    void Write(const std::string& text);

    std::vector<std::string> varied_;
    TableTag tag_;
    const std::vector<TMeasuredCurve>* given_;
    // The measured curves of each project given (read once), and the projects whose
    // measured rows are written.
    std::map<std::string, TMeasuredCurves> measured_;
    std::set<std::string> measuredRows_;
    std::unique_ptr<TReplacingFile> file_;
    std::ostream* stream_ = nullptr;
    std::string name_; // for messages
    bool rows_ = false;
};

// The units cell of a row: "lbs, in" or "kN, m" for the unit system 1 or 2, else empty.
std::string UnitsCell(int units);

// Checks on the main thread before anything runs that the table's folder exists or can be
// made and that the file can be written; false after saying why on `err`. `option` names the
// option in the message.
bool TableWritable(const std::filesystem::path& file, std::ostream& err,
                   const std::string& option = "--table");

// The text of a result in the tables: the shortest that reads back to the single-precision
// value, without an exponent.
std::string ResultNumber(float value);

// The cells of CSV line, joined and ended by a line feed.
std::string CsvLine(const std::vector<std::string>& cells);

} // namespace dorvek::cli
