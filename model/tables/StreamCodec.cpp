#include "model/tables/StreamCodec.h"

#include <cmath>

namespace dorvek {

namespace {

constexpr int kExponentBias = 16383;
constexpr std::uint16_t kMaxExponent = 0x7FFF;

// Decodes one code point; invalid or truncated sequences yield U+FFFD and consume one byte.
char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1, cp = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2, cp = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3, cp = c & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char d = byte(i + static_cast<std::size_t>(k));
        if ((d & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

void EncodeExtended(long double value, std::uint8_t out[10]) {
    bool negative = std::signbit(value);
    long double magnitude = std::fabs(value);
    std::uint64_t mantissa = 0;
    std::uint16_t exponent = 0;
    if (std::isnan(value)) {
        exponent = kMaxExponent, mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = kMaxExponent, mantissa = 0x8000000000000000ULL;
    } else if (magnitude != 0) {
        int e = 0;
        long double fraction = std::frexp(magnitude, &e); // magnitude = fraction * 2^e
        int biased = e - 1 + kExponentBias;
        if (biased >= kMaxExponent) {
            exponent = kMaxExponent, mantissa = 0x8000000000000000ULL;
        } else if (biased <= 0) {
            // Denormal: value = mantissa * 2^(1 - bias - 63).
            mantissa = static_cast<std::uint64_t>(std::ldexp(magnitude, kExponentBias - 1 + 63));
        } else {
            exponent = static_cast<std::uint16_t>(biased);
            mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        }
    }
    if (negative) exponent |= 0x8000;
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    out[8] = static_cast<std::uint8_t>(exponent & 0xFF);
    out[9] = static_cast<std::uint8_t>(exponent >> 8);
}

long double DecodeExtended(const std::uint8_t in[10]) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | in[i];
    std::uint16_t signExponent = static_cast<std::uint16_t>(in[8] | (in[9] << 8));
    bool negative = (signExponent & 0x8000) != 0;
    int exponent = signExponent & kMaxExponent;
    long double value;
    if (exponent == kMaxExponent) {
        value = (mantissa << 1) == 0 ? INFINITY : NAN;
    } else {
        int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - 63;
        value = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -value : value;
}

std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) units += NextCodePoint(utf8, i) >= 0x10000 ? 2 : 1;
    return units;
}

std::u16string Utf8ToUtf16(const std::string& utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = NextCodePoint(utf8, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string Latin1ToUtf8(const std::string& bytes) {
    std::string out;
    for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

} // namespace dorvek
