#include "cli/Shard.h"

#include "cli/Study.h"

#include <charconv>

namespace dorvek::cli {

namespace {

bool Count(const std::string& text, std::size_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && stop == end;
}

} // namespace

Shard ParseShard(const std::string& text) {
    const std::size_t slash = text.find('/');
    Shard shard;
    if (slash == std::string::npos || !Count(text.substr(0, slash), shard.k) ||
        !Count(text.substr(slash + 1), shard.n))
        throw StudyError("--shard " + text + ": expected K/N, two whole numbers");
    if (shard.n < 1 || shard.k < 1 || shard.k > shard.n)
        throw StudyError("--shard " + text + ": K must be in 1.." +
                         (shard.n < 1 ? std::string("N with N >= 1") : std::to_string(shard.n)));
    if (shard.n > 1000000) throw StudyError("--shard " + text + ": at most 1000000 slices");
    return shard;
}

Slice ShardSlice(std::size_t total, const Shard& shard) {
    // floor(total k / n) without forming total * k (N is at most a million).
    const auto at = [&](std::size_t k) {
        return total / shard.n * k + total % shard.n * k / shard.n;
    };
    return {at(shard.k - 1), at(shard.k)};
}

} // namespace dorvek::cli
