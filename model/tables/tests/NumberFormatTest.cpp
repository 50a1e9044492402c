#include "model/tables/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace dorvek;

TEST(FormatGeneral, FileFormOfEightDigits) {
    EXPECT_EQ(FormatGeneral(2.5L), "2.5");
    EXPECT_EQ(FormatGeneral(0.0001L), "0.0001");           // 0.1E-3: exponent -3, still fixed
    EXPECT_EQ(FormatGeneral(0.00001L), "1E-5");            // 0.1E-4: scientific
    EXPECT_EQ(FormatGeneral(123456789.0L), "1.2345679E8"); // 0.123456789E9, 9 > 8
    EXPECT_EQ(FormatGeneral(12345678.0L), "12345678");     // exponent 8: fixed
    EXPECT_EQ(FormatGeneral(-0.5L), "-0.5");
    EXPECT_EQ(FormatGeneral(0.0L), "0");
    EXPECT_EQ(FormatGeneral(-0.0L), "0");
    EXPECT_EQ(FormatGeneral(1e-300L), "1E-300");
    EXPECT_EQ(FormatGeneral(0.123456789L), "0.12345679");
    EXPECT_EQ(FormatGeneral(99999999.5L), "1E8"); // rounds up to 100000000 = 0.1E9
    EXPECT_EQ(FormatGeneral(12345678.9L), "12345679");
    EXPECT_EQ(FormatGeneral(-1234.5678L), "-1234.5678");
    EXPECT_EQ(FormatGeneral(0.000123L), "0.000123");
    EXPECT_EQ(FormatGeneral(0.0000123L), "1.23E-5");
    EXPECT_EQ(FormatGeneral(1e20L), "1E20");
    EXPECT_EQ(FormatGeneral(-2.5e-7L), "-2.5E-7");
    EXPECT_EQ(FormatGeneral(10.0L), "10");
    EXPECT_EQ(FormatGeneral(2.0L / 3.0L), "0.66666667");
}

TEST(FormatGeneral, TiesRoundAwayFromZero) {
    EXPECT_EQ(FormatGeneral(0.125L, 2), "0.13");
    EXPECT_EQ(FormatGeneral(-0.125L, 2), "-0.13");
    EXPECT_EQ(FormatGeneral(2.5L, 1), "3");
    EXPECT_EQ(FormatGeneral(12345.0L, 4), "1.235E4");
    EXPECT_EQ(FormatGeneral(0.15L, 1), "0.2"); // stored a hair below 0.15
    EXPECT_EQ(FormatGeneral(9.96L, 2), "10");
}

TEST(FormatGeneral, EighteenDigitsAndSeparator) {
    EXPECT_EQ(FormatGeneral(1.0L / 3.0L, 18), "0.333333333333333333");
    EXPECT_EQ(FormatGeneral(3.1415926535897932385L, 18), "3.14159265358979324");
    EXPECT_EQ(FormatGeneral(1e17L, 18), "100000000000000000");
    EXPECT_EQ(FormatGeneral(1e19L, 18), "1E19");
    EXPECT_EQ(FormatGeneral(-1.5e-4000L, 18), "-1.5E-4000");
    EXPECT_EQ(FormatGeneral(2.5L, 8, ','), "2,5");
    EXPECT_EQ(FormatGeneral(1.5e-9L, 8, ','), "1,5E-9");
}

TEST(FormatGeneral, NonFiniteAndOddPrecisions) {
    EXPECT_EQ(FormatGeneral(INFINITY), "INF");
    EXPECT_EQ(FormatGeneral(-INFINITY), "-INF");
    EXPECT_EQ(FormatGeneral(NAN), "NAN");
    EXPECT_EQ(FormatGeneral(123.456L, 0), "1E2"); // precision is at least 1
    EXPECT_EQ(FormatGeneral(123.456L, -5), "1E2");
    EXPECT_EQ(FormatGeneral(0.1L, 100), "0.100000000000000000001"); // at most 21 digits
}

TEST(FormatShortest, FifteenDigits) {
    EXPECT_EQ(FormatShortest(0.1L), "0.1");
    EXPECT_EQ(FormatShortest(static_cast<long double>(0.1)), "0.1");
    // A single-precision 0.1 is 0.100000001490116119384765625.
    EXPECT_EQ(FormatShortest(static_cast<long double>(0.1f)), "0.100000001490116");
    EXPECT_EQ(FormatShortest(123456.5L), "123456.5");
    EXPECT_EQ(FormatShortest(1e14L), "100000000000000"); // 0.1E15: fixed
    EXPECT_EQ(FormatShortest(1e15L), "1E15");            // 0.1E16: scientific
    EXPECT_EQ(FormatShortest(-2.25L, ','), "-2,25");
}

TEST(ParseNumber, AcceptsExactlyOneNumber) {
    struct Case {
        const char* text;
        long double value;
    };
    for (const Case& c :
         {Case{"1.5", 1.5L}, Case{"-1.5", -1.5L}, Case{"+2", 2.0L}, Case{".5", 0.5L},
          Case{"5.", 5.0L}, Case{"1E-5", 1e-5L}, Case{"1e5", 1e5L},
          Case{"1.00000000000000E+0001", 10.0L}, Case{"007", 7.0L},
          Case{"0.333333333333333333", 0.333333333333333333L}, Case{"-0", 0.0L}}) {
        long double v = -99;
        EXPECT_TRUE(ParseNumber(c.text, v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
    for (const char* bad : {"", " 1", "1 ", "1e", "1e+", "e5", ".", "-", "+-1", "1..2", "1.2.3",
                            "1,5", "inf", "nan", "INF", "0x10", "1e5x", "--1", "1-"}) {
        long double v = 42;
        EXPECT_FALSE(ParseNumber(bad, v)) << bad;
        EXPECT_EQ(v, 42) << "value untouched on failure: " << bad;
    }
}

TEST(ParseNumber, SeparatorAndRange) {
    long double v = 0;
    EXPECT_TRUE(ParseNumber("1,5", v, ','));
    EXPECT_EQ(v, 1.5L);
    EXPECT_FALSE(ParseNumber("1.5", v, ','));

    EXPECT_EQ(ParseNumberChecked("1e5000", v), NumberParse::Overflow);
    EXPECT_EQ(ParseNumberChecked("-1e5000", v), NumberParse::Overflow);
    EXPECT_EQ(ParseNumberChecked("1e99999999999999999999", v), NumberParse::Overflow);
    EXPECT_FALSE(ParseNumber("1e5000", v));
    // Too small for the range: zero of the sign.
    ASSERT_EQ(ParseNumberChecked("-1e-5000", v), NumberParse::Ok);
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(std::signbit(v));
    // 5000 digits after the point, then 1e5000 of scale: 0.0...01e5000 is 1e0.
    std::string longZero = "0." + std::string(4999, '0') + "1e5000";
    ASSERT_EQ(ParseNumberChecked(longZero, v), NumberParse::Ok);
    EXPECT_NEAR(static_cast<double>(v), 1.0, 1e-15);
    EXPECT_EQ(ParseNumberChecked("1x", v), NumberParse::Invalid);
}

TEST(ParseNumber, ReadsBackWhatFormatGeneralWrites) {
    std::mt19937_64 rng(20210404);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-4000, 4000);
    for (int i = 0; i < 3000; ++i) {
        const long double v = std::ldexp(static_cast<long double>(mantissa(rng)), exponent(rng));
        long double back = 0;
        // 21 digits identify every long double.
        ASSERT_TRUE(ParseNumber(FormatGeneral(v, 21), back)) << FormatGeneral(v, 21);
        EXPECT_EQ(back, v) << FormatGeneral(v, 21);
        // 18 digits: within half a unit of the 18th digit.
        ASSERT_TRUE(ParseNumber(FormatGeneral(v, 18), back));
        EXPECT_LE(std::fabs(back - v), std::fabs(v) * 5e-18L) << FormatGeneral(v, 18);
    }
}
