#pragma once
// Single fields of the fixed-layout writer. A value that does not fit its width, or is not
// finite, fills the field with asterisks. Digits never depend on the process locale.
//
// Each number field has two forms: writeX puts exactly `width` characters (none for a width
// below 0) at `out`, which must have room for them, and returns their end; appendX appends
// them to a string.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace dorvek::fixed {

// `count` blanks at `out`; returns their end. Fields have a few blanks in front, for which a
// call of memset costs more than the stores themselves.
inline char* writeBlanks(char* out, std::size_t count) {
    constexpr char kBlanks[] = "        ";
    for (; count >= 8; count -= 8, out += 8) std::memcpy(out, kBlanks, 8);
    if (count & 4) std::memcpy(out, kBlanks, 4), out += 4;
    if (count & 2) std::memcpy(out, kBlanks, 2), out += 2;
    if (count & 1) *out++ = ' ';
    return out;
}

// Iw.m: right-aligned with at least minDigits digits (leading zeros); Iw.0 of 0 is all blanks.
char* writeInteger(char* out, long long value, int width, int minDigits);
void appendInteger(std::string& out, long long value, int width, int minDigits);

// Fw.d: fixed notation, correctly rounded; "0." loses its zero only when the field is too
// narrow for it; a value that rounds to zero is written without a minus sign.
char* writeFixed(char* out, double value, int width, int decimals);
void appendFixed(std::string& out, double value, int width, int decimals);

// Ew.d (scaled false): 0.ddddE+xx with d significant digits (d >= 1).
// 1PEw.d (scaled true): d.ddddE+xx with d digits after the point.
// Exponents beyond +-99 are written as a sign and three digits without the E.
char* writeExponent(char* out, double value, int width, int digits, bool scaled);
void appendExponent(std::string& out, double value, int width, int digits, bool scaled);

} // namespace dorvek::fixed
