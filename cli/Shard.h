#pragma once
// --shard K/N: the K-th of N fixed, contiguous slices of a run's jobs, so that N machines
// given the same command with K = 1 .. N share the work exactly and their tables, joined in
// the order of K, give the table of the whole run.

#include <cstddef>
#include <string>

namespace dorvek::cli {

struct Shard {
    std::size_t k = 1, n = 1;
};

// "K/N" with 1 <= K <= N; raises StudyError otherwise.
Shard ParseShard(const std::string& text);

struct Slice {
    std::size_t begin = 0, end = 0; // jobs [begin, end)
};

// Slice k of n of `total` jobs: [floor((k-1) total / n), floor(k total / n)).
Slice ShardSlice(std::size_t total, const Shard& shard);

} // namespace dorvek::cli
