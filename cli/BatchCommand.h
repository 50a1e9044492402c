#pragma once
// dorvek-run's analysis mode: the given files, or the variants of a parameter study made
// from them, analysed in a pool of threads with the per-file outputs, results in input order.
// A study's variants are written as files into --out DIR and analysed there, or, with a
// --table or --stats and no --out (or beyond --keep N), analysed in memory: nothing is
// written then but the table and the statistics.

#include "cli/Pipeline.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

struct BatchOptions {
    std::vector<std::string> files;
    unsigned threads = 1;
    bool summary = false;
    bool quiet = false;
    bool progress = false;         // draw the progress line on `err`
    std::string table;             // --table FILE.csv
    std::vector<std::string> vary; // --vary NAME=...
    std::string out;               // --out DIR, where a study's variants are written
    std::optional<long long> keep; // --keep N: only the first N variants of each project
                                   // are written into --out, the others analysed in memory
    std::string stats;             // --stats FILE.csv
    std::optional<double> limit;   // --limit S, a settlement for --stats
    std::optional<std::size_t> sample;
    std::uint64_t seed = 1;
    bool force = false;
    std::string shard;                 // "K/N"; empty: the whole run
    std::string graphsCsv;             // --graphs-csv DIR
    std::vector<std::string> measured; // --measured FILE.csv, each in the projects' units
    bool noRun = false;
    std::function<std::tm()> clock; // for the reports' date; local time when empty
    // More per-file outputs, after those of the options above.
    std::vector<FileOutput> outputs;
};

// Exit status: 0 when every run completed and every output was written, 1 otherwise, 2 for
// bad options found before anything ran.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
