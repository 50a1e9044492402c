#pragma once
// What ties the tables of one run's shards together: the study's fingerprint and the shard,
// in the "study" and "shard" columns of every row of --table and --stats, so that --join can
// tell a missing, repeated or foreign shard.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvek::cli {

struct BatchOptions;

struct TableTag {
    std::string study = "0000000000000000"; // 16 hexadecimal digits
    std::string shard = "1/1";              // K/N
};

// FNV-1a of 64 bits: the same number on every machine and build (std::hash is not).
class Fnv1a64 {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 14695981039346656037ull;
};

// The fingerprint of a run: its study options (--vary in order, --sample, --seed with
// --sample, --limit), its input files in order and the --measured files, each by name (without
// its folder, which differs between machines) and content. A file that cannot be read counts
// by its name alone.
std::string StudyFingerprint(const BatchOptions& options);

// The last columns of every table row.
inline const std::vector<std::string> kTagColumns = {"units", "study", "shard"};

} // namespace dorvek::cli
