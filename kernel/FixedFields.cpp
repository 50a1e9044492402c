#include "FixedFields.h"

#include "DecimalDigits.h"

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

void appendStars(std::string& out, int width) {
    if (width > 0) out.append(static_cast<std::size_t>(width), '*');
}

// Right-aligns sign + body in the field, or writes asterisks when it does not fit.
void appendAligned(std::string& out, bool negative, std::string_view body, int width) {
    const std::size_t length = body.size() + (negative ? 1 : 0);
    if (width < 0 || length > static_cast<std::size_t>(width)) {
        appendStars(out, width);
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(width), ' ');
    char* end = out.data() + out.size();
    std::memcpy(end - body.size(), body.data(), body.size());
    if (negative) *(end - length) = '-';
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

void appendText(std::string& out, std::string_view text, int width) {
    if (width < 0) {
        out.append(text);
        return;
    }
    const auto w = static_cast<std::size_t>(width);
    if (text.size() >= w) {
        out.append(text.substr(0, w));
    } else {
        out.append(text);
        out.append(w - text.size(), ' ');
    }
}

void appendInteger(std::string& out, long long value, int width, int minDigits) {
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
    appendAligned(out, value < 0, std::string_view(body, length), width);
}

void appendFixed(std::string& out, double value, int width, int decimals) {
    checkPrecision(decimals);
    if (!std::isfinite(value)) {
        appendStars(out, width);
        return;
    }
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
        if (ec != std::errc{}) {
            appendStars(out, width);
            return;
        }
        end = last;
    }
    if (decimals == 0) *end++ = '.'; // Fw.0 still shows its point
    std::string_view body(buffer, static_cast<std::size_t>(end - buffer));

    bool negative = std::signbit(value);
    if (negative && body.find_first_not_of("0.") == std::string_view::npos) negative = false;

    const std::size_t length = body.size() + (negative ? 1 : 0);
    if (decimals > 0 && length > static_cast<std::size_t>(width) && body.starts_with("0."))
        body.remove_prefix(1);
    appendAligned(out, negative, body, width);
}

void appendExponent(std::string& out, double value, int width, int digits, bool scaled) {
    checkPrecision(digits);
    if (!scaled && digits < 1) throw std::logic_error("fixed layout: Ew.d needs d >= 1");
    if (!std::isfinite(value)) {
        appendStars(out, width);
        return;
    }
    // The significant digits and the exponent of the d.ddde+xx form.
    const int count = scaled ? digits + 1 : digits;
    char mantissa[kMaxPrecision + 2];
    int exponent = 0;
    std::uint64_t decimal = 0;
    if (SignificantDigits(value, count, decimal, exponent)) {
        WriteDigits(mantissa, decimal, count);
    } else if (!scientificDigits(value, count, mantissa, exponent)) {
        appendStars(out, width);
        return;
    }
    const auto digitCount = static_cast<std::size_t>(count);
    const bool zero = value == 0.0;
    if (zero)
        exponent = 0;
    else if (!scaled)
        exponent += 1;
    if (std::abs(exponent) > 999) {
        appendStars(out, width);
        return;
    }

    char body[kMaxPrecision + 16];
    std::size_t length = 0;
    if (scaled) {
        body[length++] = mantissa[0];
        body[length++] = '.';
        for (std::size_t i = 1; i < digitCount; ++i) body[length++] = mantissa[i];
    } else {
        body[length++] = '0';
        body[length++] = '.';
        for (std::size_t i = 0; i < digitCount; ++i) body[length++] = mantissa[i];
    }
    const int magnitude = std::abs(exponent);
    if (magnitude <= 99) body[length++] = 'E';
    body[length++] = exponent < 0 ? '-' : '+';
    if (magnitude > 99) body[length++] = static_cast<char>('0' + magnitude / 100);
    body[length++] = static_cast<char>('0' + magnitude / 10 % 10);
    body[length++] = static_cast<char>('0' + magnitude % 10);

    const bool negative = !zero && std::signbit(value);
    std::string_view result(body, length);
    if (!scaled && result.size() + (negative ? 1 : 0) > static_cast<std::size_t>(width))
        result.remove_prefix(1);
    appendAligned(out, negative, result, width);
}

} // namespace dorvek::fixed
