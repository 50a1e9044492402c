#include "kernel/DecimalDigits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace dorvek::fixed {
namespace {

struct Rounded {
    bool ok = false;
    std::uint64_t digits = 0;
    int exponent = 0;
};

Rounded significant(double value, int count) {
    Rounded r;
    r.ok = SignificantDigits(value, count, r.digits, r.exponent);
    return r;
}

std::uint64_t scaledOrMax(double value, int decimals) {
    std::uint64_t scaled = 0;
    return ScaledInteger(value, decimals, scaled) ? scaled : UINT64_MAX;
}

// "d.ddde+xx" of the exact path, spelled as std::to_chars spells it.
std::string scientific(double value, int count) {
    const Rounded r = significant(value, count);
    if (!r.ok) return "fallback";
    char digits[24] = {};
    WriteDigits(digits, r.digits, count);
    std::string text(1, digits[0]);
    if (count > 1) {
        text += '.';
        text.append(digits + 1, static_cast<std::size_t>(count - 1));
    }
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", r.exponent < 0 ? '-' : '+',
                  std::abs(r.exponent));
    return text + exponent;
}

std::string referenceScientific(double value, int count) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                             count - 1)
                   .ptr;
    return std::string(buffer, end);
}

// The digits of std::to_chars's fixed form, without the point and leading zeros.
std::string referenceFixed(double value, int decimals) {
    char buffer[64];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    std::string digits;
    for (const char* c = buffer; c != end; ++c)
        if (*c != '.' && !(digits.empty() && *c == '0')) digits += *c;
    return digits.empty() ? "0" : digits;
}

TEST(DecimalDigits, RoundingAtTheLastDigit) {
    // 9.9995f is 9.999500274658203125: past the tie, so 1.000e+01.
    EXPECT_EQ(scientific(9.9995f, 4), "1.000e+01");
    // The double 9.9995 is 9.99949999999999938...: below the tie, 9.999e+00.
    EXPECT_EQ(scientific(9.9995, 4), "9.999e+00");
    // Exact ties go to the even digit: 0.125 -> 1.2e-01, 0.375 -> 3.8e-01, 2.5 -> 2, 3.5 -> 4.
    EXPECT_EQ(scientific(0.125, 2), "1.2e-01");
    EXPECT_EQ(scientific(0.375, 2), "3.8e-01");
    EXPECT_EQ(scientific(2.5, 1), "2e+00");
    EXPECT_EQ(scientific(3.5, 1), "4e+00");
    // 1.2345e-7f is 1.23449993338...e-7.
    EXPECT_EQ(scientific(1.2345e-7f, 4), "1.234e-07");
    // Powers of ten sit on the boundary of the exponent estimate.
    EXPECT_EQ(scientific(1000.0, 3), "1.00e+03");
    EXPECT_EQ(scientific(999.5, 3), "1.00e+03");
    EXPECT_EQ(scientific(999.4, 3), "9.99e+02");
    EXPECT_EQ(scientific(1e-5, 1), "1e-05");
    EXPECT_EQ(scientific(3.0e38f, 7), "3.000000e+38");
    // Zero: all digits zero, exponent 0; the sign is the caller's.
    EXPECT_EQ(scientific(-0.0, 4), "0.000e+00");
    EXPECT_EQ(scientific(-2.5e-3, 3), "2.50e-03");
}

// Between 10 and 16 the first estimate of the exponent is one low, so the digit past the last
// one is computed too and must join what is left, not be rounded twice.
TEST(DecimalDigits, DigitPastTheLastOne) {
    EXPECT_EQ(scientific(12.5, 2), "1.2e+01"); // a tie: to even
    EXPECT_EQ(scientific(13.5, 2), "1.4e+01");
    EXPECT_EQ(scientific(10.5, 2), "1.0e+01");
    EXPECT_EQ(scientific(12.5078125, 2), "1.3e+01"); // past the tie by 2^-7
    EXPECT_EQ(scientific(15.875, 3), "1.59e+01");    // 1587.5: the dropped 7 rounds up
    EXPECT_EQ(scientific(15.5, 1), "2e+01");
    EXPECT_EQ(scientific(10.0, 4), "1.000e+01");
}

// Dyadic values n / 2^j put exact ties at many last digits.
TEST(DecimalDigits, AgreesWithToCharsOnTies) {
    for (int n = 1; n <= 4000; ++n)
        for (int j = 0; j <= 10; ++j)
            for (int count = 1; count <= 8; ++count) {
                const double value = std::ldexp(n, -j);
                ASSERT_EQ(scientific(value, count), referenceScientific(value, count))
                    << value << " count " << count;
            }
}

// Decimal ties are not binary ones: the values next to them, a few units in the last place
// either way, are where a rounded product could decide wrongly.
TEST(DecimalDigits, AgreesWithToCharsNextToDecimalTies) {
    for (int n = 1; n <= 1000; ++n)
        for (int d = 0; d <= 6; ++d) {
            const double tie = (n + 0.5) / std::pow(10.0, d);
            double below = tie, above = tie;
            float belowF = static_cast<float>(tie), aboveF = belowF;
            for (int step = 0; step < 4; ++step) {
                for (const double value : {below, above, double(belowF), double(aboveF)})
                    for (int count = 1; count <= 9; ++count) {
                        ASSERT_EQ(scientific(value, count), referenceScientific(value, count))
                            << value << " count " << count;
                        ASSERT_EQ(std::to_string(scaledOrMax(value, d)), referenceFixed(value, d))
                            << value << " decimals " << d;
                    }
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, 1e9);
                belowF = std::nextafter(belowF, 0.0f);
                aboveF = std::nextafter(aboveF, 1e9f);
            }
        }
}

TEST(DecimalDigits, ScaledIntegers) {
    EXPECT_EQ(scaledOrMax(0.125, 2), 12u); // tie to even
    EXPECT_EQ(scaledOrMax(0.375, 2), 38u);
    EXPECT_EQ(scaledOrMax(2.5, 0), 2u);
    EXPECT_EQ(scaledOrMax(-3.75, 1), 38u);
    // 2.675f is 2.67499995231...: 267.
    EXPECT_EQ(scaledOrMax(2.675f, 2), 267u);
    EXPECT_EQ(scaledOrMax(0.0, 3), 0u);
    EXPECT_EQ(scaledOrMax(1234567.0f, 3), 1234567000u);
    EXPECT_EQ(scaledOrMax(1e-30, 18), 0u);
    EXPECT_EQ(scaledOrMax(4.9e-19, 18), 0u);
    EXPECT_EQ(scaledOrMax(5.1e-19, 18), 1u);
    // Beyond 64 bits, or beyond the supported places, the caller takes the general path.
    EXPECT_EQ(scaledOrMax(1e20, 0), UINT64_MAX);
    EXPECT_EQ(scaledOrMax(1.0, 19), UINT64_MAX);
}

TEST(DecimalDigits, OutOfRangeFallsBack) {
    std::uint64_t digits = 0;
    int exponent = 0;
    EXPECT_FALSE(SignificantDigits(1.234e100, 4, digits, exponent));
    EXPECT_FALSE(SignificantDigits(5e-324, 4, digits, exponent));
    EXPECT_FALSE(SignificantDigits(1.0, 18, digits, exponent));
    EXPECT_FALSE(SignificantDigits(1.0, 0, digits, exponent));
}

TEST(DecimalDigits, WritesLeadingZeros) {
    char buffer[8] = {};
    EXPECT_EQ(WriteDigits(buffer, 42, 5), buffer + 5);
    EXPECT_EQ(std::string(buffer, 5), "00042");
}

// Every value the exact path accepts must agree with std::to_chars digit for digit.
TEST(DecimalDigits, AgreesWithToCharsOnRandomValues) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> logMagnitude(-30.0, 30.0);
    std::uniform_int_distribution<int> counts(1, 17);
    std::uniform_int_distribution<int> places(0, 6);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, logMagnitude(random));
        if (i % 2 == 0) value = static_cast<float>(value); // the kernel's values are floats
        const int count = counts(random);
        const std::string fast = scientific(value, count);
        if (fast != "fallback") {
            ASSERT_EQ(fast, referenceScientific(value, count)) << value << " count " << count;
            ++checked;
        }
        const int decimals = places(random);
        if (value < 1e12) {
            const std::uint64_t scaled = scaledOrMax(value, decimals);
            ASSERT_NE(scaled, UINT64_MAX) << value;
            ASSERT_EQ(std::to_string(scaled), referenceFixed(value, decimals))
                << value << " decimals " << decimals;
        }
    }
    // The exact path takes most values of these magnitudes.
    EXPECT_GT(checked, 150000);
}

} // namespace
} // namespace dorvek::fixed
