#include "kernel/FixedFormat.h"
#include "kernel/FixedFields.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

namespace dorvek {
namespace {

const std::string kEnd = "\r\n";

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

std::string written(std::string_view layout, const std::vector<FieldValue>& values = {}) {
    std::ostringstream out;
    FixedWriter writer(out);
    writer.write(layout, values);
    return out.str();
}

std::string exponent(double value, int width, int digits, bool scaled) {
    std::string out;
    fixed::appendExponent(out, value, width, digits, scaled);
    return out;
}

TEST(FixedFields, ExponentForms) {
    // 123.4f = 123.4000015...: 0.123E+03 in E10.3, 1.2340E+02 in 1PE18.4.
    EXPECT_EQ(written("E10.3", {123.4f}), " 0.123E+03" + kEnd);
    EXPECT_EQ(written("1PE18.4", {123.4f}), blanks(8) + "1.2340E+02" + kEnd);
    // -0.05f = -0.0500000007...: exactly fills ten columns.
    EXPECT_EQ(written("1PE10.3", {-0.05f}), "-5.000E-02" + kEnd);
    EXPECT_EQ(written("1PE10.3", {0.0f}), " 0.000E+00" + kEnd);
    EXPECT_EQ(written("E10.3", {0.0f}), " 0.000E+00" + kEnd);
    EXPECT_EQ(written("1PE10.3", {-0.0f}), " 0.000E+00" + kEnd);
    // 1P belongs to its own field only.
    EXPECT_EQ(written("1PE10.3,E10.3", {123.4f, 123.4f}), " 1.234E+02 0.123E+03" + kEnd);
    // The leading zero of Ew.d goes only when the field is too narrow; then asterisks.
    EXPECT_EQ(written("E9.3", {123.4f}), "0.123E+03" + kEnd);
    EXPECT_EQ(written("E8.3", {123.4f}), ".123E+03" + kEnd);
    EXPECT_EQ(written("E9.3", {-123.4f}), "-.123E+03" + kEnd);
    EXPECT_EQ(written("E7.3", {123.4f}), std::string(7, '*') + kEnd);
    // Rounding carries into the exponent: 0.99996 -> 1.000E+00, 0.100E+01.
    EXPECT_EQ(written("1PE10.3", {0.99996f}), " 1.000E+00" + kEnd);
    EXPECT_EQ(written("E10.3", {0.99996f}), " 0.100E+01" + kEnd);
    // Denormal 1e-40f is 71362 * 2^-149 = 9.99994610...e-41: rounds up to 1.000E-40.
    EXPECT_EQ(written("1PE10.3", {1e-40f}), " 1.000E-40" + kEnd);
    EXPECT_EQ(written("1PE11.4", {1e-40f}), " 9.9999E-41" + kEnd);
    EXPECT_EQ(written("E10.3", {1e-40f}), " 0.100E-39" + kEnd);
}

// Every count of blanks in front of a right-aligned number, and of an nX before a field.
TEST(FixedFields, BlanksOfEveryCount) {
    for (int w = 10; w <= 40; ++w) {
        const std::string width = std::to_string(w);
        EXPECT_EQ(exponent(-1.5, w, 3, true), blanks(w - 10) + "-1.500E+00") << w;
        EXPECT_EQ(exponent(-1.5, w, 3, false), blanks(w - 10) + "-0.150E+01") << w;
        EXPECT_EQ(written(std::string("F").append(width).append(".2"), {-1.5f}),
                  blanks(w - 5) + "-1.50" + kEnd);
        EXPECT_EQ(written(std::string("I").append(width), {-15}), blanks(w - 3) + "-15" + kEnd);
    }
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(written(std::to_string(n) + "X,I2", {7}), blanks(n) + " 7" + kEnd) << n;
}

TEST(FixedFields, FailedFieldLeavesTheTextAsItWas) {
    std::string out = "ab";
    EXPECT_THROW(fixed::appendExponent(out, 1.0, 10, 300, true), std::logic_error);
    EXPECT_THROW(fixed::appendExponent(out, 1.0, 10, 0, false), std::logic_error);
    EXPECT_THROW(fixed::appendFixed(out, 1.0, 10, -1), std::logic_error);
    EXPECT_EQ(out, "ab");
}

TEST(FixedFields, ThreeDigitExponents) {
    EXPECT_EQ(exponent(1.234e100, 10, 3, true), " 1.234+100");
    EXPECT_EQ(exponent(-1.234e-100, 10, 3, true), "-1.234-100");
    EXPECT_EQ(exponent(1.234e100, 10, 3, false), " 0.123+101");
    // 9.9996e99 rounds to 1.000e+100; 9.996e98 is 0.9996e99 -> 0.100e+100.
    EXPECT_EQ(exponent(9.9996e99, 10, 3, true), " 1.000+100");
    EXPECT_EQ(exponent(9.996e98, 10, 3, false), " 0.100+100");
    // 9.9e98 = 0.99e99 keeps two digits; 9.9e99 = 0.99e100 needs three.
    EXPECT_EQ(exponent(9.9e98, 10, 3, false), " 0.990E+99");
    EXPECT_EQ(exponent(9.9e99, 10, 3, false), " 0.990+100");
    EXPECT_EQ(exponent(1e-300, 10, 3, true), " 1.000-300");
    // Smallest denormal 4.9406564584124654e-324.
    EXPECT_EQ(exponent(5e-324, 10, 3, true), " 4.941-324");
}

TEST(FixedFields, FixedNotationRounding) {
    // 0.125 is exact and nearer 0.1 than 0.2.
    EXPECT_EQ(written("F6.1", {0.125f}), "   0.1" + kEnd);
    // 0.25 is an exact tie between 0.2 and 0.3: round half to even gives 0.2.
    EXPECT_EQ(written("F6.1", {0.25f}), "   0.2" + kEnd);
    // 0.35f = 0.34999999403... lies below the tie, so 0.3 (not 0.4).
    EXPECT_EQ(written("F6.1", {0.35f}), "   0.3" + kEnd);
    // 1.005f = 1.00499999523...: 1.00.
    EXPECT_EQ(written("F5.2", {1.005f}), " 1.00" + kEnd);
    EXPECT_EQ(written("F6.1", {-3.75f}), "  -3.8" + kEnd);
    EXPECT_EQ(written("F5.0", {7.0f}), "   7." + kEnd);
    // Leading zero only when there is room for it.
    EXPECT_EQ(written("F6.3", {0.5f}), " 0.500" + kEnd);
    EXPECT_EQ(written("F4.3", {0.5f}), ".500" + kEnd);
    EXPECT_EQ(written("F5.3", {-0.5f}), "-.500" + kEnd);
    EXPECT_EQ(written("F4.3", {-0.5f}), "****" + kEnd);
    // Negative values that round to zero, and negative zero, lose their sign.
    EXPECT_EQ(written("F6.1", {-0.04f}), "   0.0" + kEnd);
    EXPECT_EQ(written("F6.1", {-0.0f}), "   0.0" + kEnd);
    // 1234567.000 needs eleven columns.
    EXPECT_EQ(written("F10.3", {1234567.0f}), std::string(10, '*') + kEnd);
    EXPECT_EQ(written("F11.3", {1234567.0f}), "1234567.000" + kEnd);
    EXPECT_EQ(written("F10.3", {3.0e38f}), std::string(10, '*') + kEnd);
}

TEST(FixedFields, NonFiniteValuesGiveAsterisks) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(written("F6.1", {nan}), "******" + kEnd);
    EXPECT_EQ(written("1PE10.3,E9.2", {-inf, inf}), std::string(19, '*') + kEnd);
}

TEST(FixedFields, Integers) {
    EXPECT_EQ(written("I2.2", {5}), "05" + kEnd);
    EXPECT_EQ(written("I4.2", {-5}), " -05" + kEnd);
    EXPECT_EQ(written("I3.0", {0}), "   " + kEnd);
    EXPECT_EQ(written("I10", {INT_MAX}), "2147483647" + kEnd);
    EXPECT_EQ(written("I10", {INT_MIN}), std::string(10, '*') + kEnd);
    EXPECT_EQ(written("I11", {INT_MIN}), "-2147483648" + kEnd);
    EXPECT_EQ(written("I4", {12345}), "****" + kEnd);
}

TEST(FixedFields, Texts) {
    EXPECT_EQ(written("A3,A5,A2,A", {" M.", "ab", "abc", "as is"}), " M.ab   abas is" + kEnd);
    EXPECT_EQ(written("A", {""}), kEnd);
}

TEST(FixedWriterLayout, LinesAndPositions) {
    // Blanks an nX leaves at the end of a line are not written; literal blanks are.
    EXPECT_EQ(written("5X,\"AB\",10X"), "     AB" + kEnd);
    EXPECT_EQ(written("/,\"  \""), kEnd + "  " + kEnd);
    EXPECT_EQ(written("20X"), kEnd);
    EXPECT_EQ(written("/,/,1X,\"T\""), kEnd + kEnd + " T" + kEnd);
    EXPECT_EQ(written("1X,\"T\",/"), " T" + kEnd + kEnd);
    EXPECT_EQ(written("/"), kEnd + kEnd);
    EXPECT_EQ(written("/,/"), kEnd + kEnd + kEnd);
    EXPECT_EQ(written("//"), kEnd + kEnd + kEnd);
    EXPECT_EQ(written("\"A\"2/\"B\""), "A" + kEnd + kEnd + "B" + kEnd);
    EXPECT_EQ(written(""), kEnd);
    // A slash needs no comma around it.
    EXPECT_EQ(written("5X, A /", {"x"}), "     x" + kEnd + kEnd);
    // An empty text of its own length writes nothing, so the blanks before it stay unwritten
    // at the end of a line, and are written when more text follows.
    EXPECT_EQ(written("5X,A", {""}), kEnd);
    EXPECT_EQ(written("5X,A,A", {"", "x"}), "     x" + kEnd);
    EXPECT_EQ(written("5X,A3", {""}), "        " + kEnd);
}

TEST(FixedWriterLayout, RepeatGroupsAndLiterals) {
    EXPECT_EQ(written("5X,73(\"=\"),/,/"), blanks(5) + std::string(73, '=') + kEnd + kEnd + kEnd);
    EXPECT_EQ(written("2(\"a,(b) \")"), "a,(b) a,(b) " + kEnd);
    EXPECT_EQ(written("\"say \"\"hi\"\"\""), "say \"hi\"" + kEnd);
    EXPECT_EQ(written("2(1X,2(I2))", {1, 2, 3, 4}), "  1 2  3 4" + kEnd);
    EXPECT_EQ(written("10X,2(1PE10.3, 2X)", {1.0f, 2.0f}),
              blanks(10) + " 1.000E+00" + blanks(2) + " 2.000E+00" + kEnd);
    EXPECT_EQ(written("3I3", {1, 2, 3}), "  1  2  3" + kEnd);
    // Adjacent texts from a group and around it join: the joined text is copied to the end of
    // the layout's texts and grows there, the group's own text staying as it was.
    EXPECT_EQ(written("\"a\",2(\"bc\"),\"d\",2(\"e\",I1)", {1, 2}), "abcbcde1e2" + kEnd);
    EXPECT_EQ(written("2(\"<\",2(\"-\"),\">\")"), "<--><-->" + kEnd);
}

// One call that writes more than the writer holds makes its buffer grow and keeps every byte.
TEST(FixedWriterLayout, CallLongerThanWhatIsHeld) {
    std::ostringstream out;
    std::vector<FieldValue> values(20000, 1.5f);
    {
        FixedWriter writer(out, 1024);
        writer.write("I3", {7});
        writer.write("1PE10.3", values);
    }
    std::string expected = "  7" + kEnd;
    for (int i = 0; i < 20000; ++i) expected += " 1.500E+00" + kEnd;
    EXPECT_EQ(out.str(), expected);
}

TEST(FixedWriterLayout, ValuesAgainstFields) {
    // A two-field layout used for three pairs gives three lines.
    EXPECT_EQ(written("1X,I3,1X,I3", {1, 2, 3, 4, 5, 6}),
              "   1   2" + kEnd + "   3   4" + kEnd + "   5   6" + kEnd);
    // Fewer values: the literal before the next field is still written, the rest is not.
    EXPECT_EQ(written("I3,\" mm\",I3,\"end\"", {5}), "  5 mm" + kEnd);
    EXPECT_EQ(written("I3,\",\",/,\"x\",I3", {7}), "  7," + kEnd + "x" + kEnd);
    EXPECT_EQ(written("I2,\",\"", {1, 2}), " 1," + kEnd + " 2," + kEnd);
    // No values: everything up to the first field.
    EXPECT_EQ(written("/,\"Head\",I5,\"tail\""), kEnd + "Head" + kEnd);
    EXPECT_EQ(written("1PE17.4, 5X, \"NOT ABLE TO GET CONVERGENCE\"", {1000.0f}),
              blanks(7) + "1.0000E+03" + blanks(5) + "NOT ABLE TO GET CONVERGENCE" + kEnd);
}

TEST(FixedWriterLayout, ReportLines) {
    EXPECT_EQ(written("15X,\"Date:  \",A,1X,I2.2,\", \",I4,5X,\"Time:  \",I2.2,\":\",I2.2,\":\","
                      "I2.2",
                      {"March", 7, 2024, 9, 5, 3}),
              blanks(15) + "Date:  March 07, 2024     Time:  09:05:03" + kEnd);
    // Increment line: depth 0.125 -> 0.1; gaps of 10 blanks under the TOTAL columns.
    EXPECT_EQ(written("1X,F6.1,1X,1PE10.3,1X,1PE10.3,10X,1PE10.3,1X,1PE10.3,10X,1PE10.3",
                      {0.125f, 12.5f, -3.75f, 100.0f, 0.001f, 2e-5f}),
              "    0.1  1.250E+01 -3.750E+00" + blanks(10) + " 1.000E+02  1.000E-03" + blanks(10) +
                  " 2.000E-05" + kEnd);
    // Node line: 8X,14X put TOTAL LOAD at column 29.
    EXPECT_EQ(written("1X, F6.1, 8X, 14X, 1PE10.3, 21X, 1PE10.3", {0.75f, 100.0f, -0.5f}),
              "    0.8" + blanks(22) + " 1.000E+02" + blanks(21) + "-5.000E-01" + kEnd);
}

TEST(FixedWriterLayout, ProgrammingErrorsThrowAndWriteNothing) {
    std::ostringstream out;
    FixedWriter writer(out);
    EXPECT_THROW(writer.write("I5", {1.0f}), std::logic_error);
    EXPECT_THROW(writer.write("F5.1", {1}), std::logic_error);
    EXPECT_THROW(writer.write("1PE10.3", {std::string("x")}), std::logic_error);
    EXPECT_THROW(writer.write("A", {1}), std::logic_error);
    EXPECT_THROW(writer.write("\"no fields\"", {1}), std::logic_error);
    EXPECT_THROW(writer.write("\"before\",I3,I3", {1, 2.0f}), std::logic_error);
    for (const char* bad :
         {"I",  "F5",  "F5.", "E10", "E10.0", "5Q",      "\"abc",  "(I5", "I5)",  "I5,,I5", "I5 I5",
          "0X", ",I5", "I5,", "2(",  "()",    "2PE10.3", "1PF6.1", "A0",  "I3.4", "999X"})
        EXPECT_THROW(writer.write(bad), std::logic_error) << bad;
    EXPECT_EQ(out.str(), "");
}

TEST(FixedWriterLayout, ParsedLayoutIsReused) {
    std::ostringstream out;
    FixedWriter writer(out);
    std::string layout = "I3,1X,A";
    writer.write(layout, {1, "a"});
    layout = "I3,1X,A2"; // same object, other text: must not hit the first entry
    writer.write(layout, {2, "bcd"});
    writer.write("I3,1X,A", {3, "e"});
    EXPECT_EQ(out.str(), "  1 a" + kEnd + "  2 bc" + kEnd + "  3 e" + kEnd);
}

TEST(FixedWriterLayout, HeldLinesReachTheStreamInPieces) {
    std::ostringstream out;
    const std::string first = "  1" + kEnd + " abc" + kEnd + "x" + blanks(19) + kEnd;
    {
        FixedWriter writer(out, 20);
        writer.write("I3", {1}); // 5 bytes held
        writer.list("abc");      // 11
        EXPECT_EQ(out.str(), "");
        writer.write("A20", {std::string("x")}); // 33: all of it goes out
        EXPECT_EQ(out.str(), first);
        writer.write("I3", {2});
        // A failing call drops only its own part of what is held.
        EXPECT_THROW(writer.write("\"before\",I3,I3", {1, 2.0f}), std::logic_error);
        EXPECT_EQ(out.str(), first);
        writer.flush();
        EXPECT_EQ(out.str(), first + "  2" + kEnd);
        writer.listValues({7});
        EXPECT_EQ(out.str(), first + "  2" + kEnd);
    } // the rest goes out when the writer ends
    EXPECT_EQ(out.str(), first + "  2" + kEnd + " " + blanks(10) + "7" + kEnd);
}

TEST(FixedWriterList, ListLines) {
    std::ostringstream out;
    FixedWriter writer(out);
    writer.list("    USER-DEFINED T-Z CURVES");
    writer.list();
    writer.list("");
    // Integers in 11 columns, 1.5 as 1PE14.6 "  1.500000E+00", texts as they are.
    writer.listValues({3, INT_MIN, 1.5f, std::string("x")});
    writer.listValues({});
    EXPECT_EQ(out.str(), "     USER-DEFINED T-Z CURVES" + kEnd + kEnd + kEnd + " " + blanks(10) +
                             "3 -2147483648   1.500000E+00 x" + kEnd + " " + kEnd);
}

} // namespace
} // namespace dorvek
