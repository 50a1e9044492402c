#pragma once
// Byte forms of the values of the column-definition stream: 80-bit extended floats and
// UTF-16LE / Latin-1 texts, independent of the host's long double and byte order.

#include <cstdint>
#include <string>

namespace dorvek {

// Ten bytes, little-endian: 64-bit mantissa with explicit integer bit, then sign and
// 15-bit exponent.
void EncodeExtended(long double value, std::uint8_t out[10]);
long double DecodeExtended(const std::uint8_t in[10]);

// Number of UTF-16 code units of a UTF-8 text (invalid bytes count as one unit each).
std::size_t Utf16Length(const std::string& utf8);
std::u16string Utf8ToUtf16(const std::string& utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& utf16);
// 8-bit texts of the stream: bytes above 127 are taken as Latin-1.
std::string Latin1ToUtf8(const std::string& bytes);

} // namespace dorvek
