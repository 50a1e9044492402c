#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace dorvek {

namespace {

constexpr int MaxPrecision = 21; // beyond this long double has no more digits to show

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Significant digits (no point) and scientific exponent of |value| rounded to `precision`
// digits. Ties round away from zero, as a user rounding by hand expects: the value is first
// taken to 20 digits (all that long double holds), so 0.125 and 0.15 both round up.
void RoundedDigits(long double magnitude, int precision, std::string& digits, int& sciExp) {
    constexpr int Held = 20;
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                             std::chars_format::scientific, std::max(precision, Held) - 1);
    const std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const auto ePos = text.find('e');
    digits.clear();
    for (char c : text.substr(0, ePos))
        if (IsDigit(c)) digits += c;
    sciExp = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    const auto keep = static_cast<std::size_t>(precision);
    if (digits.size() > keep) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            std::size_t i = keep;
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++sciExp;
            } else {
                ++digits[i - 1];
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

} // namespace

std::string FormatGeneral(long double value, int precision, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    precision = std::clamp(precision, 1, MaxPrecision);

    std::string digits;
    int sciExp = 0;
    RoundedDigits(std::fabs(value), precision, digits, sciExp);
    const int e = sciExp + 1; // exponent of the 0.d1d2... form
    const int n = static_cast<int>(digits.size());

    std::string out = value < 0 ? "-" : "";
    if (e >= -3 && e <= precision) {
        if (e <= 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-e), '0');
            out += digits;
        } else if (e >= n) {
            out += digits;
            out.append(static_cast<std::size_t>(e - n), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(e));
            out += decimalSeparator;
            out += digits.substr(static_cast<std::size_t>(e));
        }
    } else {
        out += digits[0];
        if (n > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(sciExp);
    }
    return out;
}

std::string FormatShortest(long double value, char decimalSeparator) {
    // Trailing zeros are dropped, so 15 rounded digits already give the shortest text
    // whenever a shorter one reads back as the value.
    return FormatGeneral(value, 15, decimalSeparator);
}

NumberParse ParseNumberChecked(std::string_view text, long double& value, char decimalSeparator) {
    // Grammar: [+-] digits [sep digits] [(e|E) [+-] digits], at least one mantissa digit.
    std::string normal;
    normal.reserve(text.size());
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        if (negative) normal += '-';
        ++i;
    }
    long long magnitude = 0; // decimal position of the first significant digit
    bool seenSignificant = false;
    bool afterPoint = false;
    int mantissaDigits = 0;
    long long leadingFractionZeros = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
            if (c != '0' && !seenSignificant) {
                seenSignificant = true;
                magnitude = afterPoint ? -leadingFractionZeros : 1;
            } else if (!afterPoint && seenSignificant) {
                ++magnitude;
            } else if (afterPoint && !seenSignificant) {
                ++leadingFractionZeros;
            }
            normal += c;
        } else if (c == decimalSeparator && !afterPoint) {
            afterPoint = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return NumberParse::Invalid;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            normal += text[i];
            ++i;
        }
        int expDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++expDigits) {
            normal += text[i];
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
        }
        if (expDigits == 0) return NumberParse::Invalid;
        if (expNegative) exponent = -exponent;
    }
    if (i != text.size()) return NumberParse::Invalid;

    long double result = 0;
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), result,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        if (seenSignificant && magnitude + exponent > 0) return NumberParse::Overflow;
        value = negative ? -0.0L : 0.0L; // below the smallest normal number
        return NumberParse::Ok;
    }
    if (res.ec != std::errc() || res.ptr != normal.data() + normal.size())
        return NumberParse::Invalid;
    value = result;
    return NumberParse::Ok;
}

bool ParseNumber(const std::string& text, long double& value, char decimalSeparator) {
    return ParseNumberChecked(text, value, decimalSeparator) == NumberParse::Ok;
}

} // namespace dorvek
