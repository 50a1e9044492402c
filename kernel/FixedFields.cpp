#include "kernel/FixedFields.h"

#include "kernel/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace dorvek::fixed {
namespace {

// Room for any double in fixed notation (309 integer digits) plus the largest precision the
// layout parser accepts.
constexpr int kMaxPrecision = 255;
constexpr std::size_t kBufferSize = 640;

std::size_t FieldWidth(int width) {
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

char* writeStars(char* out, int width) {
    return std::fill_n(out, FieldWidth(width), '*');
}

// Right-aligns sign + body in the field, or writes asterisks when it does not fit.
char* writeAligned(char* out, bool negative, std::string_view body, int width) {
    const std::size_t length = body.size() + (negative ? 1 : 0);
    if (width < 0 || length > static_cast<std::size_t>(width)) return writeStars(out, width);
    char* end = out + width;
    char* p = writeBlanks(out, static_cast<std::size_t>(width) - length);
    if (negative) *p++ = '-';
    std::memcpy(p, body.data(), body.size());
    return end;
}

// Appends a field of `width` characters written by `write`.
template <class Write> void appendField(std::string& out, int width, Write write) {
    const std::size_t start = out.size();
    out.resize(start + FieldWidth(width));
    try {
        write(out.data() + start);
    } catch (...) {
        out.resize(start);
        throw;
    }
}

void checkPrecision(int precision) {
    if (precision < 0 || precision > kMaxPrecision)
        throw std::logic_error("fixed layout: number of digits out of range");
}

// The `count` significant digits of |value| and its exponent in the d.ddde+xx form, through
// std::to_chars (for digits or magnitudes beyond the exact integer path).
bool scientificDigits(double value, int count, char* mantissa, int& exponent) {
    char buffer[kBufferSize];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                   std::chars_format::scientific, count - 1);
    if (ec != std::errc{}) return false;
    // buffer holds "d[.ddd]e+xx".
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    std::size_t n = 0;
    for (char c : text.substr(0, e))
        if (c != '.') mantissa[n++] = c;
    exponent = 0;
    for (char c : text.substr(e + 2)) exponent = exponent * 10 + (c - '0');
    if (text[e + 1] == '-') exponent = -exponent;
    return true;
}

} // namespace

char* writeInteger(char* out, long long value, int width, int minDigits) {
    if (minDigits < 0 || minDigits > kMaxPrecision)
        throw std::logic_error("fixed layout: minimum digits out of range");
    char digits[32];
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
    std::string_view text(digits, static_cast<std::size_t>(end - digits));
    if (magnitude == 0 && minDigits == 0) text = {};

    char body[kMaxPrecision + 32];
    std::size_t length = 0;
    for (std::size_t n = text.size(); n < static_cast<std::size_t>(minDigits); ++n)
        body[length++] = '0';
    for (char c : text) body[length++] = c;
    return writeAligned(out, value < 0, std::string_view(body, length), width);
}

void appendInteger(std::string& out, long long value, int width, int minDigits) {
    appendField(out, width, [&](char* at) { writeInteger(at, value, width, minDigits); });
}

char* writeFixed(char* out, double value, int width, int decimals) {
    checkPrecision(decimals);
    if (!std::isfinite(value)) return writeStars(out, width);
    char buffer[kBufferSize];
    char* end = buffer;
    std::uint64_t scaled = 0;
    if (ScaledInteger(value, decimals, scaled)) {
        // At least one digit before the point, as std::to_chars writes it.
        char digits[32];
        char* last = std::to_chars(digits, digits + sizeof digits, scaled).ptr;
        const auto length = static_cast<int>(last - digits);
        const int whole = length > decimals ? length - decimals : 0;
        if (whole == 0) *end++ = '0';
        end = std::copy(digits, digits + whole, end);
        if (decimals > 0) {
            *end++ = '.';
            end = std::fill_n(end, decimals - (length - whole), '0');
            end = std::copy(digits + whole, last, end);
        }
    } else {
        auto [last, ec] = std::to_chars(buffer, buffer + sizeof buffer - 1, std::abs(value),
                                        std::chars_format::fixed, decimals);
        if (ec != std::errc{}) return writeStars(out, width);
        end = last;
    }
    if (decimals == 0) *end++ = '.'; // Fw.0 still shows its point
    std::string_view body(buffer, static_cast<std::size_t>(end - buffer));

    bool negative = std::signbit(value);
    if (negative && body.find_first_not_of("0.") == std::string_view::npos) negative = false;

    const std::size_t length = body.size() + (negative ? 1 : 0);
    if (decimals > 0 && length > static_cast<std::size_t>(width) && body.starts_with("0."))
        body.remove_prefix(1);
    return writeAligned(out, negative, body, width);
}

void appendFixed(std::string& out, double value, int width, int decimals) {
    appendField(out, width, [&](char* at) { writeFixed(at, value, width, decimals); });
}

namespace {

// Lays out an E (scaled false) or 1PE field around `count` digits that putDigits(at) writes at
// `at`, with the exponent of the field's form (|exponent| <= 999): right-aligned, 0.dddd only
// when the field has room for the zero, asterisks when it has no room for the rest.
template <class PutDigits>
char* layExponent(char* out, int width, int count, bool scaled, bool negative, int exponent,
                  PutDigits putDigits) {
    // d.ddd or .dddd, and four characters of exponent.
    std::size_t length = static_cast<std::size_t>(count) + 5 + (negative ? 1 : 0);
    const bool leadingZero = !scaled && width >= 0 && length < static_cast<std::size_t>(width);
    if (leadingZero) ++length;
    if (width < 0 || length > static_cast<std::size_t>(width)) return writeStars(out, width);

    char* const end = out + width;
    char* p = writeBlanks(out, static_cast<std::size_t>(width) - length);
    if (negative) *p++ = '-';
    char* const digitsAt = scaled ? p + 1 : p + (leadingZero ? 2 : 1);
    putDigits(digitsAt);
    if (scaled) {
        p[0] = p[1];
        p[1] = '.';
    } else {
        if (leadingZero) *p++ = '0';
        *p = '.';
    }
    p = digitsAt + count;
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude <= 99) *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    if (magnitude > 99) *p++ = static_cast<char>('0' + magnitude / 100);
    *p++ = static_cast<char>('0' + magnitude / 10 % 10);
    *p = static_cast<char>('0' + magnitude % 10);
    return end;
}

// The usual field in few steps: a normal value of at most 9 digits that one rounded product
// decides; nullptr for any other.
char* shortExponent(char* out, double value, int width, int digits, bool scaled) {
    const int count = scaled ? digits + 1 : digits;
    std::uint64_t decimal = 0;
    int exponent = 0;
    if (!digits::QuickSignificantDigits(value, count, decimal, exponent)) return nullptr;
    return layExponent(out, width, count, scaled, std::signbit(value),
                       scaled ? exponent : exponent + 1,
                       [&](char* at) { WriteDigits(at, decimal, count); });
}

// Every other field: all checks, the exact integer path, std::to_chars and asterisks. Kept out
// of line, so the short path does not pay for its frame.
[[gnu::noinline]] char* generalExponent(char* out, double value, int width, int digits,
                                        bool scaled) {
    checkPrecision(digits);
    if (!scaled && digits < 1) throw std::logic_error("fixed layout: Ew.d needs d >= 1");
    if (!std::isfinite(value)) return writeStars(out, width);
    const int count = scaled ? digits + 1 : digits;
    std::uint64_t decimal = 0;
    int exponent = 0;
    char text[kMaxPrecision + 2]; // the digits, when they come from std::to_chars
    const bool exact = SignificantDigits(value, count, decimal, exponent);
    if (!exact && !scientificDigits(value, count, text, exponent)) return writeStars(out, width);
    const bool zero = value == 0.0;
    if (zero)
        exponent = 0;
    else if (!scaled)
        exponent += 1;
    if (std::abs(exponent) > 999) return writeStars(out, width);
    return layExponent(out, width, count, scaled, !zero && std::signbit(value), exponent,
                       [&](char* at) {
                           if (exact)
                               WriteDigits(at, decimal, count);
                           else
                               std::copy_n(text, count, at);
                       });
}

} // namespace

char* writeExponent(char* out, double value, int width, int digits, bool scaled) {
    if (digits <= 9 && (scaled || digits >= 1))
        if (char* end = shortExponent(out, value, width, digits, scaled)) return end;
    return generalExponent(out, value, width, digits, scaled);
}

void appendExponent(std::string& out, double value, int width, int digits, bool scaled) {
    appendField(out, width, [&](char* at) { writeExponent(at, value, width, digits, scaled); });
}

} // namespace dorvek::fixed
