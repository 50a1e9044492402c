#pragma once
// Number texts of the front end, always with "." unless a separator is given.

#include <string>
#include <string_view>

namespace dorvek {

// General form: at most `precision` significant digits (ties rounded away from zero),
// trailing zeros dropped, fixed notation when the decimal exponent (value = 0.d1d2... * 10^e)
// lies in -3..precision, otherwise d.dddE-x (no "+", no leading zeros in the exponent).
// 0.00001 -> "1E-5", 123456789 at precision 8 -> "1.2345679E8", 0 -> "0".
std::string FormatGeneral(long double value, int precision = 8, char decimalSeparator = '.');

// Shortest text with up to 15 significant digits that reads back as the value.
std::string FormatShortest(long double value, char decimalSeparator = '.');

// Strict conversion of a whole text as a number ("." decimal point unless given);
// returns false when the text is not exactly one number.
bool ParseNumber(const std::string& text, long double& value, char decimalSeparator = '.');

enum class NumberParse { Ok, Invalid, Overflow };

// As ParseNumber, but tells a malformed text from a well-formed number beyond the range of
// long double. Numbers too small for the range read as zero of their sign.
NumberParse ParseNumberChecked(std::string_view text, long double& value,
                               char decimalSeparator = '.');

} // namespace dorvek
