// Plot data file blocks 3 and 4, byte for byte, on the hand pile (values as in
// SolverReportTest and HeadLoadTest).
#include "kernel/Phases.h"
#include "kernel/tests/SolverTestStores.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dorvek;

namespace {

using dorvek::test::CrLf;

// The plot lines do not depend on the print option.
Store HandRun() {
    return dorvek::testing::HandTipRun(1);
}

} // namespace

TEST(SolverPlot, TipMovementBlock) {
    Store s = HandRun();
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    // Count line NTIP, NINC, IUNIT; per movement the increments' mid-depth, average load and
    // average movement from the tip upward (reversed for the mirrored one); the summary.
    EXPECT_EQ(
        plot.str(),
        CrLf({"           2           2           1", "  8.000E+01   -7.854E+02   -1.098E-01",
              "  3.000E+01   -2.356E+03   -1.884E-01", "  8.000E+01    9.854E+02    1.148E-01",
              "  3.000E+01    2.556E+03    2.034E-01",
              "      -3.1416E+03     -2.5708E-01     -1.0000E-01      0.0000E+00",
              "       3.3416E+03      2.7708E-01      1.0000E-01      2.0000E+02"}));
}

TEST(SolverPlot, NoTipMovements) {
    // NTIP < 0: the count line alone.
    Store s = HandRun();
    s.ntipRead = -1;
    s.tipMovements.clear();
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    EXPECT_EQ(plot.str(), CrLf({"           0           2           1"}));
    EXPECT_TRUE(s.tipResults.empty());
}

TEST(SolverPlot, AppliedLoadBlock) {
    // 3350 converges at trial 3 (tip movement 0.10404: tip load 208.08, mid loads 993.48 and
    // 2564.28, mid movements 0.1190595 and 0.2080035). 10000 never converges: trial n solves
    // 0.1 * 1.02^(n - 1), so the last one 0.7101 (tip load 463.76, mid loads 1249.16 and
    // 2819.96, mid movements 0.73153 and 0.83324) is written after its flag 0 and zeros.
    // -3141.6 matches the mirrored row and is written with reversed signs.
    Store s = HandRun();
    s.loads = {3350.0f, 10000.0f, -3141.6f};
    std::ostringstream report, plot, console;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    plot.str("");
    RunHeadLoads(s, r, p, console);
    EXPECT_EQ(
        plot.str(),
        CrLf({"           3           2           1", "    1",
              "       3.3500E+03      2.8193E-01      1.0612E-01      2.0808E+02",
              "    0.800E+02    0.993E+03    0.119E+00", "    0.300E+02    0.256E+04    0.208E+00",
              "    0", "       1.0000E+04      0.0000E+00      0.0000E+00      0.0000E+00",
              "    0.800E+02    0.125E+04    0.732E+00", "    0.300E+02    0.282E+04    0.833E+00",
              "    1", "      -3.1416E+03     -2.5708E-01     -1.0000E-01      0.0000E+00",
              "    0.800E+02   -0.785E+03   -0.110E+00",
              "    0.300E+02   -0.236E+04   -0.188E+00"}));
}

TEST(SolverPlot, GeneratedMovementsForBothSignsGiveEighteen) {
    Store s = HandRun();
    s.ntipRead = 0;
    s.negativeLoads = 1;
    s.positiveLoads = 2;
    GenerateTipMovements(s);
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    const std::string text = plot.str();
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "          18           2           1");
    // 18 movements of 2 lines each and 18 summary lines after the count line.
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 1u + 18u * 2u + 18u);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find('*'), std::string::npos);
}
