#include "cli/OptionRanges.h"

#include <charconv>
#include <cmath>

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

std::string FiniteNumberFault(const std::string& text) {
    double value = 0;
    const char* first = text.data();
    const char* end = text.data() + text.size();
    if (first != end && *first == '+') ++first;
    const auto [stop, ec] = std::from_chars(first, end, value);
    if (first == end || ec != std::errc() || stop != end || !std::isfinite(value))
        return "expected a finite number";
    return {};
}

} // namespace dorvek::cli
