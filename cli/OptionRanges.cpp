#include "cli/OptionRanges.h"

#include <charconv>

namespace dorvek::cli {

std::optional<std::uint64_t> WholeNumber(const std::string& text) {
    const char* first = text.data();
    const char* end = text.data() + text.size();
    if (first != end && *first == '+') ++first;
    // from_chars takes no sign for an unsigned type: "-1" is refused, not wrapped around.
    std::uint64_t value = 0;
    const auto [stop, ec] = std::from_chars(first, end, value);
    if (first == end || ec != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string WholeNumberFault(const std::string& text, std::uint64_t low, std::uint64_t high) {
    const std::optional<std::uint64_t> value = WholeNumber(text);
    if (value && *value >= low && *value <= high) return {};
    return "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

} // namespace dorvek::cli
