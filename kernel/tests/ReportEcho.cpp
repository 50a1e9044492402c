// The report's echo of the input: layer, unit-weight, strength and z-peak tables, stiffness,
// pile, tip movements, loads, settlement and factors, in English, S.I. and other units.

#include "kernel/InputReader.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dorvek {
namespace {

std::string B(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// Report lines written while `input` is read (no header; the curve phases write nothing
// here).
std::vector<std::string> EchoOf(const std::string& input) {
    Store s;
    std::ostringstream text;
    FixedWriter report(text);
    FreeFormatReader in(input);
    ReadModelInput(in, s, report);
    ReadLoadingInput(in, s, report);
    return test::Lines(text.str());
}

std::string EchoInput(int units) {
    return "Echo test\r\n"
           "20 0 " +
           std::to_string(units) +
           "\r\n"
           "1 1 \r\n"
           "2\r\n"
           "1 1 0.0  3.60000000000000E+0002\r\n"
           "2 6  3.60000000000000E+0002  9.60000000000000E+0002\r\n"
           "0.03 3.5 0.0  0.01 0 0.0  0.0  3.5 31.5\r\n"
           "0.03 7 0.0  0.007 0 0.0  0.0  5.5 63\r\n"
           "0.04 0.0  36 0 30 0.1  0.0  6 1000\r\n"
           "0.04 0.0  38 0 45 0.2  0.0  11.5 1400\r\n"
           "2\r\n"
           "8E8 0\r\n"
           "8E8 720\r\n"
           "1E-5 720 0 18 254.5\r\n"
           "2\r\n"
           "0.5 0.1\r\n"
           "2\r\n"
           "1234567\r\n"
           "-50\r\n"
           "2\r\n"
           "0 0.5\r\n"
           "720 0\r\n"
           " 1\r\n"
           "2\r\n"
           "0 1 1\r\n"
           "720 0.8 1.2\r\n"
           " 1\r\n"
           "1.5 2\r\n";
}

TEST(ReportEcho, EnglishRunByteForByte) {
    // Hand-formatted: 1PE10.3 of 360 is " 3.600E+02", 1PE18.4 of 8E8 is 8 blanks and
    // "8.0000E+08", E10.3 of 720 is " 0.720E+03", F10.3 of 1234567 overflows to asterisks.
    const std::vector<std::string> expected = {
        // 5: title block.
        " ",
        " Echo test" + B(63),
        "",
        "",
        "",
        "  AXIALLY LOADED PILE, CONSTANT OD",
        "",
        // 6: layers.
        "",
        "",
        B(12) + "LAYER" + B(12) + "SOIL TYPE          XTOP        XBOT",
        B(29) + B(20) + "IN." + B(9) + "IN.",
        B(10) + "    1" + B(4) + "  Driven Pile in Clay   " + B(2) + " 0.000E+00" + B(2) +
            " 3.600E+02",
        B(10) + "    2" + B(4) + "Driven Pile in Sand, API" + B(2) + " 3.600E+02" + B(2) +
            " 9.600E+02",
        // 7: unit weights.
        "",
        "",
        B(10) + "    XG1        GAM1",
        B(10) + "    IN.       LB/IN**3",
        B(10) + " 0.000E+00   3.000E-02",
        B(10) + " 3.600E+02   3.000E-02",
        B(10) + " 3.600E+02   4.000E-02",
        B(10) + " 9.600E+02   4.000E-02",
        // 8: strength table.
        "",
        "",
        B(7) + "XSTR         C1          EE50        PHI1   BLOW COUNT   UNIT SIDE    UNIT TIP",
        B(7) + " IN.      LB/IN**2                   DEG.     " + B(12) + "LB/IN**2    LB/IN**2",
        B(3) + " 0.000E+00   3.500E+00   1.000E-02   0.000E+00   0.000E+00   3.500E+00   3.150E+01",
        B(3) + " 3.600E+02   7.000E+00   7.000E-03   0.000E+00   0.000E+00   5.500E+00   6.300E+01",
        B(3) + " 3.600E+02   0.000E+00   0.000E+00   3.600E+01   3.000E+01   6.000E+00   1.000E+03",
        B(3) + " 9.600E+02   0.000E+00   0.000E+00   3.800E+01   4.500E+01   1.150E+01   1.400E+03",
        // 9: z-peak table (layer 2 has code 6).
        "",
        "",
        B(7) + "XSTR       ZPEAK     tres/tmax",
        B(7) + " IN.        IN.      ",
        B(3) + " 0.000E+00   0.000E+00   0.000E+00",
        B(3) + " 3.600E+02   0.000E+00   0.000E+00",
        B(3) + " 3.600E+02   1.000E-01   0.000E+00",
        B(3) + " 9.600E+02   2.000E-01   0.000E+00",
        // 10: end of the layer block.
        "",
        "  ",
        // 11: stiffness, depth first.
        "",
        B(9) + "  DEPTH" + B(13) + "AE PILE",
        B(12) + "IN." + B(16) + "LBS",
        B(8) + "0.0000E+00" + B(9) + "8.0000E+08",
        B(8) + "7.2000E+02" + B(9) + "8.0000E+08",
        // 12: pile.
        "",
        "",
        "",
        B(8) + "PILE LENGTH" + B(7) + "HEAD COORD." + B(6) + "OUTER DIAMETER" + B(7) + "TOLERANCE",
        B(12) + "IN." + B(16) + "IN." + B(16) + "IN." + B(15) + "IN.",
        B(8) + "7.2000E+02" + B(8) + "0.0000E+00" + B(9) + "1.8000E+01" + B(8) + "1.0000E-05",
        // 16: user tip movements, sorted.
        "",
        "",
        "",
        B(8) + "USER-DEFINED TIP MOVEMENTS",
        B(12) + "IN.",
        B(8) + "1.0000E-01",
        B(8) + "5.0000E-01",
        // 17: loads.
        "",
        "",
        B(10) + "   LOADS      ",
        B(10) + "    LB.       ",
        B(4) + "**********",
        B(4) + "   -50.000",
        // 18: settlement profile.
        "",
        "",
        B(10) + "   SOIL SETTLEMENT PROFILE",
        "",
        B(10) + "   DEPTH     SETTLEMENT",
        B(10) + "    IN.         IN",
        B(10) + " 0.000E+00   5.000E-01",
        B(10) + " 7.200E+02   0.000E+00",
        // 19: t-z factors.
        "",
        "",
        B(10) + "DEPTH" + B(20) + "t-Multiplier  " + B(10) + "z-Multiplier  ",
        B(10) + "IN.",
        B(7) + " 0.000E+00" + B(18) + " 0.100E+01" + B(15) + " 0.100E+01",
        B(7) + " 0.720E+03" + B(18) + " 0.800E+00" + B(15) + " 0.120E+01",
        // 20: Q-w factors.
        "",
        "",
        B(10) + "PILE TIP" + B(17) + "Q-Multiplier  " + B(10) + "w-Multiplier ",
        B(32) + " 1.500E+00" + B(13) + " 2.000E+00",
    };
    const auto lines = EchoOf(EchoInput(1));
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(lines[k], expected[k]) << k;
}

TEST(ReportEcho, SiHeadings) {
    const auto lines = EchoOf(EchoInput(2));
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(B(30) + B(20) + "M." + B(10) + "M."));
    EXPECT_TRUE(has(B(10) + "     M        kN/M**3"));
    EXPECT_TRUE(has(B(7) + "  M.       kN/M**2                   DEG.     " + B(13) +
                    "kN/M**2     kN/M**2"));
    EXPECT_TRUE(has(B(7) + "  M.         M.      "));
    EXPECT_TRUE(has(B(10) + "    KN        "));
    EXPECT_TRUE(has(B(10) + "     M           M"));
    EXPECT_TRUE(has(B(12) + " M." + B(16) + "KN."));
    EXPECT_FALSE(has(B(10) + "    LB.       "));
}

TEST(ReportEcho, OtherUnitSystemLeavesOutTheTwoVersionHeadings) {
    const auto lines = EchoOf(EchoInput(3));
    const auto english = EchoOf(EchoInput(1));
    auto has = [&](const std::string& part) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    for (const char* heading : {"LAYER", "XG1", "BLOW COUNT", "tres/tmax", "LOADS",
                                "SOIL SETTLEMENT PROFILE", "SETTLEMENT"}) {
        EXPECT_FALSE(has(heading)) << heading;
    }
    // Their value lines stay; the A3 labels take the S.I. texts.
    EXPECT_TRUE(has("Driven Pile in Sand, API"));
    EXPECT_TRUE(has("-50.000"));
    EXPECT_TRUE(has("AE PILE"));
    EXPECT_TRUE(has(B(12) + " M." + B(16) + "KN."));
    EXPECT_TRUE(has("t-Multiplier"));
    // Six headings are left out: five of four lines and the settlement heading of six.
    EXPECT_EQ(english.size() - lines.size(), 4u + 4 + 4 + 4 + 4 + 6);
}

TEST(ReportEcho, NoZPeakTableWithoutApiLayers) {
    std::string input = EchoInput(1);
    input.replace(input.find("2 6  3.6"), 3, "2 4 ");
    const auto lines = EchoOf(input);
    for (const auto& line : lines) EXPECT_EQ(line.find("ZPEAK"), std::string::npos);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        B(10) + "    2" + B(4) + " Drilled Shaft in Sand  " + B(2) + " 3.600E+02" +
                            B(2) + " 9.600E+02"),
              lines.end());
}

TEST(ReportEcho, UnknownSoilTypeStillPrintsAName) {
    std::string input = EchoInput(1);
    input.replace(input.find("2 6  3.6"), 3, "2 9 ");
    const auto lines = EchoOf(input);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        B(10) + "    2" + B(4) + "   Unknown Soil Type    " + B(2) + " 3.600E+02" +
                            B(2) + " 9.600E+02"),
              lines.end());
}

} // namespace
} // namespace dorvek
