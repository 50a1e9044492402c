// Down-drag: the solution relative to a settling soil, and how it is reported.
//
// Hand pile (SolverEdgeCasesTest) in soil settling 0.4 at depth 0 and nothing at depth 210:
// s(x) = 0.4 (1 - x / 210), so s = 0.2 at the tip (105), 0.247619 at 80, 0.342857 at 30.
#include "kernel/Phases.h"
#include "kernel/Solver.h"
#include "kernel/tests/SolverTestStores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace dorvek;

namespace {

Store SettlingSoil() {
    Store s = dorvek::testing::HandPile();
    s.title = std::string(72, ' ');
    s.settleDepth = {0.0f, 210.0f};
    s.settlement = {0.4f, 0.0f};
    return s;
}

void ExpectClose(float actual, double expected) {
    EXPECT_NEAR(actual, expected, 2e-6 * std::fabs(expected) + 1e-7) << "expected " << expected;
}

} // namespace

TEST(SolverDownDrag, SoilSettlingPastThePileDragsItDown) {
    // wt = 0.3: relative tip movement 0.1, tip load 200. Along the whole pile the soil moves
    // down more than the pile, so the friction 10 acts downward (t = -10, F = -1570.8):
    // increment 1: Pt = -1370.8, shortening 50 * (200 - 785.4) / 1e6 = -0.02927,
    //   mid movement 0.1 + (200 - 585.4) * 12.5 / 1e6 = 0.0951825;
    // increment 2: Pt = -2941.6, shortening 50 * (-1370.8 - 785.4) / 1e6 = -0.10781,
    //   mid movement 0.07073 + (-1370.8 - 2156.2) * 12.5 / 1e6 = 0.0266425.
    const Store s = SettlingSoil();
    const SolverSetup setup = MakeSolverSetup(s);
    ExpectClose(setup.tipSettlement, 0.2);
    PileSolution sol;
    SolveForTipMovement(setup, 0.3f, sol);
    EXPECT_FALSE(sol.mirrored);
    ExpectClose(sol.relTipMove, 0.1);
    ExpectClose(sol.tipLoad, 200.0);
    ExpectClose(sol.transfer[0], -10.0);
    ExpectClose(sol.transfer[1], -10.0);
    ExpectClose(sol.headLoad, -2941.6);
    ExpectClose(sol.headMove, -0.03708); // in the frame of the relative tip movement
    ExpectClose(sol.avgMove[0], 0.0951825);
    ExpectClose(sol.avgMove[1], 0.0266425);
}

TEST(SolverDownDrag, SoilSettlingPastTheTipMirrorsTheSolution) {
    // wt = 0.1 < 0.2: SF = 1, no tip load; the settlement is added to the pile movement, so
    // the friction acts in the mirrored sense as for the upward movement 0.1 without soil.
    const Store s = SettlingSoil();
    const SolverSetup setup = MakeSolverSetup(s);
    PileSolution sol;
    SolveForTipMovement(setup, 0.1f, sol);
    EXPECT_TRUE(sol.mirrored);
    EXPECT_EQ(sol.tipLoad, 0.0f);
    ExpectClose(sol.relTipMove, 0.1);
    ExpectClose(sol.transfer[0], 10.0);
    ExpectClose(sol.headLoad, 3141.6);
    ExpectClose(sol.headMove, 0.25708);
}

TEST(SolverDownDrag, ReportAddsTheTipSettlementBack) {
    Store s = SettlingSoil();
    s.iprint = 0;
    s.ntipRead = 2;
    s.tipMovements = {0.1f, 0.3f};
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    const std::string text = report.str();

    // Mirrored (0.1): printed reversed, without the settlement.
    // Downward (0.3): node movements 0.1 / 0.07073 / -0.03708 printed as 0.3 / 0.27073 /
    // 0.16292, mid movements as 0.2951825 and 0.2266425.
    const auto b = [](int n) { return std::string(static_cast<std::size_t>(n), ' '); };
    const std::string heading = "\r\n" + b(8) + "USER DEFINED" + b(8) + "   SOIL     " + b(8) +
                                "     NET    " + b(8) + "    TIP     \r\n" + b(8) + "TIP MOVEMENT" +
                                b(8) + " SETTLEMENT " + b(8) + "TIP MOVEMENT" + b(8) +
                                "    LOAD    \r\n" + b(14) + "IN." + b(17) + "IN." + b(17) + "IN." +
                                b(17) + "LBS\r\n";
    // 4(1PE20.4): given tip movement, soil settlement at the tip, net movement, tip load.
    const std::string mirrored = heading + b(10) + "1.0000E-01" + b(10) + "2.0000E-01" + b(9) +
                                 "-1.0000E-01" + b(10) + "0.0000E+00\r\n";
    const std::string downward = heading + b(10) + "3.0000E-01" + b(10) + "2.0000E-01" + b(10) +
                                 "1.0000E-01" + b(10) + "2.0000E+02\r\n";
    EXPECT_NE(text.find(mirrored), std::string::npos);
    EXPECT_NE(text.find(downward), std::string::npos);
    const std::string downRows =
        "  105.0                       2.000E+02                      3.000E-01\r\n"
        "   80.0 -1.000E+01 -1.571E+03          -5.854E+02 -2.927E-02           2.952E-01\r\n"
        "   55.0                      -1.371E+03                      2.707E-01\r\n"
        "   30.0 -1.000E+01 -1.571E+03          -2.156E+03 -1.078E-01           2.266E-01\r\n"
        "    5.0                      -2.942E+03                      1.629E-01\r\n";
    EXPECT_NE(text.find(downRows), std::string::npos);
    EXPECT_NE(text.find("  105.0                       0.000E+00                     -1.000E-01"
                        "\r\n"),
              std::string::npos);
    // Summary in the solution frame: the downward row's head movement is -0.03708.
    EXPECT_NE(text.find("      -2.9416E+03     -3.7080E-02      3.0000E-01      2.0000E+02\r\n"),
              std::string::npos);

    // The plot file shows the printed values.
    const std::string plotText = plot.str();
    EXPECT_NE(plotText.find("  8.000E+01   -5.854E+02    2.952E-01\r\n"
                            "  3.000E+01   -2.156E+03    2.266E-01\r\n"),
              std::string::npos);
}
