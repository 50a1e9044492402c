// Free-format reading: separators, continuation over lines, leftovers, value forms and the
// faults with their line numbers.

#include "kernel/FreeFormat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvek {
namespace {

TEST(FreeFormatValues, IntegerTakesOnlySignAndDigits) {
    EXPECT_EQ(ParseInteger("50"), 50);
    EXPECT_EQ(ParseInteger("-7"), -7);
    EXPECT_EQ(ParseInteger("+3"), 3);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInteger("1.5"));
    EXPECT_FALSE(ParseInteger("1."));
    EXPECT_FALSE(ParseInteger("1E2"));
    EXPECT_FALSE(ParseInteger("abc"));
    EXPECT_FALSE(ParseInteger("-"));
    EXPECT_FALSE(ParseInteger("2147483648"));
    EXPECT_FALSE(ParseInteger("99999999999999999999999999"));
}

TEST(FreeFormatValues, RealTakesFixedAndExponentForms) {
    EXPECT_EQ(ParseReal("2.5"), 2.5f);
    EXPECT_EQ(ParseReal("12"), 12.0f);
    EXPECT_EQ(ParseReal("-.5"), -0.5f);
    EXPECT_EQ(ParseReal("3."), 3.0f);
    EXPECT_EQ(ParseReal("+4"), 4.0f);
    EXPECT_EQ(ParseReal("1E-5"), 1e-5f);
    EXPECT_EQ(ParseReal("1.2345679E8"), 1.2345679e8f);
    EXPECT_EQ(ParseReal("2e3"), 2000.0f);
    // The 23-character depth form of the data file, as one value.
    EXPECT_EQ(ParseReal("1.00000000000000E+0001"), 10.0f);
    EXPECT_EQ(ParseReal("-3.60000000000000E+0002"), -360.0f);
    // Beneath the float range: the nearest float.
    EXPECT_EQ(ParseReal("1E-50"), 0.0f);
}

TEST(FreeFormatValues, RealRefusesOtherTexts) {
    for (const char* text : {"", ".", "E5", "1E", "1E+", "abc", "1.2.3", "1,5", "nan", "inf",
                             "0x10", "1D3", "--1", "1e400", "3.5E38"}) {
        EXPECT_FALSE(ParseReal(text)) << text;
    }
}

TEST(FreeFormatReading, BlanksCommasAndBothSeparate) {
    FreeFormatReader in("1,2  3 ,4\t5 , , 6\n");
    in.beginRead();
    for (int expected = 1; expected <= 6; ++expected) EXPECT_EQ(in.integer("v"), expected);
}

TEST(FreeFormatReading, ReadContinuesOverLinesAndSkipsEmptyOnes) {
    FreeFormatReader in("1 2\r\n\r\n   \r\n3\r\n4 5\r\n");
    in.beginRead();
    EXPECT_EQ(in.integer("a"), 1);
    EXPECT_EQ(in.integer("b"), 2);
    EXPECT_EQ(in.integer("c"), 3);
    EXPECT_EQ(in.integer("d"), 4);
    // The next read starts on the line after the last one used: 5 is left over.
    EXPECT_FALSE(in.nextLine());
}

TEST(FreeFormatReading, LeftoverValuesAreIgnored) {
    FreeFormatReader in("1 2 3 extra words\n7\n");
    in.beginRead();
    EXPECT_EQ(in.integer("a"), 1);
    EXPECT_EQ(in.readInteger("b"), 7);
}

TEST(FreeFormatReading, ReadStartsAfterEmptyLines) {
    FreeFormatReader in("\n\n  \n42\n");
    EXPECT_EQ(in.readInteger("count"), 42);
}

TEST(FreeFormatReading, PlaceholderReadsAsZero) {
    // A property line with the "0.0  " placeholders of the data file.
    FreeFormatReader in("0.07 10 0.0  0.01 0 0.0  0.0  5 90\n");
    in.beginRead();
    const float expected[] = {0.07f, 10, 0, 0.01f, 0, 0, 0, 5, 90};
    for (float value : expected) EXPECT_EQ(in.real("p"), value);
}

TEST(FreeFormatReading, FixedLineReadTakesTheWholeLine) {
    FreeFormatReader in("  Title, with commas  \r\n5\n");
    EXPECT_EQ(in.line("title"), "  Title, with commas  ");
    EXPECT_EQ(in.readInteger("n"), 5);
    EXPECT_FALSE(in.nextLine());
}

TEST(FreeFormatReading, IntegerItemRefusesDecimalValue) {
    FreeFormatReader in("title\n1.5 0 1\n");
    in.line("title");
    in.beginRead();
    try {
        in.integer("number of pile increments");
        FAIL() << "1.5 was taken as an integer";
    } catch (const InputError& e) {
        EXPECT_EQ(e.line(), 2);
        EXPECT_STREQ(e.what(),
                     "Line 2: expected an integer (number of pile increments), found \"1.5\".");
    }
}

TEST(FreeFormatReading, LettersWhereNumberExpected) {
    FreeFormatReader in("1\n\n2 abc\n");
    in.beginRead();
    in.integer("a");
    in.real("b");
    try {
        in.real("depth of t-z curve 1");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_EQ(e.line(), 3);
        EXPECT_FALSE(e.endOfFile());
        EXPECT_EQ(e.expected(), "a number (depth of t-z curve 1)");
    }
}

TEST(FreeFormatReading, EndOfFileNamesTheLastLine) {
    FreeFormatReader in("3\n1 2\n");
    in.readInteger("n");
    in.beginRead();
    in.real("x");
    in.real("y");
    try {
        in.real("z");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_TRUE(e.endOfFile());
        EXPECT_EQ(e.line(), 2);
        EXPECT_STREQ(e.what(), "The file ends after line 2; expected a number (z).");
    }
}

TEST(FreeFormatReading, EmptyFileSaysSo) {
    FreeFormatReader in("");
    EXPECT_EQ(in.lineCount(), 0);
    try {
        in.line("the title line");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "The file is empty; expected the title line.");
    }
}

TEST(FreeFormatReading, LastLineWithoutLineEndAndBareLf) {
    FreeFormatReader in("a\nb\r\nc");
    EXPECT_EQ(in.lineCount(), 3);
    EXPECT_EQ(in.line("1"), "a");
    EXPECT_EQ(in.line("2"), "b");
    EXPECT_EQ(in.line("3"), "c");
}

TEST(FreeFormatReading, CountIsCheckedAgainstTheRestOfTheFile) {
    // Three lines with 2 + 3 + 1 values follow the count.
    FreeFormatReader in("7\n1 2\n3,4 5\n\n6\n");
    const int n = in.readInteger("number of points");
    EXPECT_EQ(in.valuesLeft(), 6);
    try {
        in.checkCount(n, 2, "number of points");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_EQ(e.line(), 1);
        EXPECT_STREQ(e.what(), "Line 1: expected an integer (number of points), found 7, but "
                               "the rest of the file holds only 6 values where 14 are needed.");
    }
    // A count up to the values left passes: a shortfall is then found where the file ends.
    EXPECT_NO_THROW(in.checkCount(6, 2, "number of points"));
}

TEST(FreeFormatReading, HugeCountFailsWithoutOverflow) {
    FreeFormatReader in("2000000000\n1 2 3\n");
    const int n = in.readInteger("number of soil layers");
    EXPECT_THROW(in.checkCount(n, 22, "number of soil layers"), InputError);
    EXPECT_NO_THROW(in.checkCount(0, 22, "number of soil layers"));
    EXPECT_NO_THROW(in.checkCount(-5, 22, "number of soil layers"));
}

TEST(FreeFormatReading, LongGarbageIsShownCut) {
    FreeFormatReader in(std::string(500, 'x') + "\n");
    try {
        in.readInteger("n");
        FAIL();
    } catch (const InputError& e) {
        const std::string text = e.what();
        EXPECT_LT(text.size(), 120u);
        EXPECT_NE(text.find("xxx...\""), std::string::npos);
    }
}

} // namespace
} // namespace dorvek
