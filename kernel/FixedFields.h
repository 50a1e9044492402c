#pragma once
// Single fields of the fixed-layout writer, each appended to a line. A value that does not fit
// its width, or is not finite, fills the field with asterisks. Digits are produced with
// std::to_chars so the output never depends on the process locale.

#include <string>
#include <string_view>

namespace dorvek::fixed {

// Aw (width >= 0): exactly width characters, padded with blanks or cut on the right;
// A (width < 0): the text as it is.
void appendText(std::string& out, std::string_view text, int width);

// Iw.m: right-aligned with at least minDigits digits (leading zeros); Iw.0 of 0 is all blanks.
void appendInteger(std::string& out, long long value, int width, int minDigits);

// Fw.d: fixed notation, correctly rounded; "0." loses its zero only when the field is too
// narrow for it; a value that rounds to zero is written without a minus sign.
void appendFixed(std::string& out, double value, int width, int decimals);

// Ew.d (scaled false): 0.ddddE+xx with d significant digits (d >= 1).
// 1PEw.d (scaled true): d.ddddE+xx with d digits after the point.
// Exponents beyond +-99 are written as a sign and three digits without the E.
void appendExponent(std::string& out, double value, int width, int digits, bool scaled);

} // namespace dorvek::fixed
