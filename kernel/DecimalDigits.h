#pragma once
// Correctly rounded decimal digits of a finite double, ties to even (as std::to_chars rounds),
// computed exactly with 128-bit integers. Much faster than a general shortest-or-precision
// conversion for the few digits a fixed-layout field shows. Each function returns false when
// the value lies beyond what the integers hold; the caller then uses std::to_chars.

#include <cstdint>

namespace dorvek::fixed {

// |value| rounded to `count` significant digits (1 <= count <= 17):
// |value| ~ digits * 10^(exponent - count + 1) with 10^(count-1) <= digits < 10^count,
// so exponent is that of d.ddd...e+xx. A zero gives digits 0 and exponent 0.
bool SignificantDigits(double value, int count, std::uint64_t& digits, int& exponent);

// |value| * 10^decimals rounded to an integer (0 <= decimals <= 18).
bool ScaledInteger(double value, int decimals, std::uint64_t& scaled);

// Writes exactly `count` digits of `value`, with leading zeros, at `out`; returns the end.
char* WriteDigits(char* out, std::uint64_t value, int count);

} // namespace dorvek::fixed
