#pragma once
// The ranges of dorvek-run's numeric options, checked on the text as given: a count or a seed
// read into an unsigned type would otherwise take "-3" for 18446744073709551613, and one
// beyond the type's range for its largest value.

#include <cstdint>
#include <optional>
#include <string>

namespace dorvek::cli {

inline constexpr std::uint64_t kMaxThreads = 1024;

// The value of a whole number written in decimal digits, with an optional leading "+" (a
// leading 0 is not octal, as it is to the option parser); nothing for any other text.
std::optional<std::uint64_t> WholeNumber(const std::string& text);

// Empty when `text` is a whole number from `low` to `high`, otherwise the message: "expected
// a whole number from 1 to 1024".
std::string WholeNumberFault(const std::string& text, std::uint64_t low, std::uint64_t high);

} // namespace dorvek::cli
