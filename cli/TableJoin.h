#pragma once
// --join OUT.csv TABLE...: the --table (or --stats) files of a study's shards joined into one
// table, rows in the order of the shards. Refused before anything is written: a shard
// missing (it names which K of N), a shard given twice, a shard of another study (another
// fingerprint or another N), tables of different headers, and a file that is not such a
// table. OUT is replaced only when complete; "-" writes to standard output.

#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

// Exit status: 0 when joined, 1 when OUT could not be written, 2 when the tables were refused.
int JoinTables(const std::string& output, const std::vector<std::string>& tables, std::ostream& out,
               std::ostream& err);

} // namespace dorvek::cli
