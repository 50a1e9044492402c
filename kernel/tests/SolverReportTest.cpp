// Report sections of the solution, byte for byte: tip-movement results with their
// distributions, the load-settlement summary and the results due to applied loads.
//
// Values are those of the hand pile (SolverEdgeCasesTest, HeadLoadTest): tip movement 0.1
// gives tip load 200, node loads 200 / 1770.8 / 3341.6 and node movements
// 0.1 / 0.14927 / 0.27708; tip movement -0.1 is solved mirrored (loads 0 / 1570.8 / 3141.6,
// movements 0.1 / 0.13927 / 0.25708) and printed with reversed signs.
#include "kernel/Phases.h"
#include "kernel/tests/SolverTestStores.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dorvek;

namespace {

using dorvek::test::CrLf;

Store HandRun(int iprint) {
    Store s = dorvek::testing::HandTipRun(iprint);
    s.title = "HAND PILE";
    s.title.resize(72, ' ');
    return s;
}

std::string TipReport(Store& s) {
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    return report.str();
}

const std::string kTitleLine = " HAND PILE" + std::string(63, ' ');

const std::vector<std::string> kOpening = {"",
                                           "",
                                           kTitleLine,
                                           "",
                                           "",
                                           "        RESULTS DUE TO TIP MOVEMENTS",
                                           "        ----------------------------",
                                           ""};

const std::vector<std::string> kTableHeading = {
    "",
    "",
    "",
    " DEPTH     LOAD       LOAD      TOTAL      AVG      DEFORM     TOTAL     AVG",
    "         TRANSFER     INCR      LOAD       LOAD     OF INCR    MVMNT     MVMNT",
    "  IN.     PSI          LBS       LBS        LBS      IN.        IN.       IN."};

const std::vector<std::string> kSummaryHeading = {
    "", "        TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD",
    "           LBS             IN.              IN.            LBS"};

const std::vector<std::string> kSummary = {
    "      -3.1416E+03     -2.5708E-01     -1.0000E-01      0.0000E+00",
    "       3.3416E+03      2.7708E-01      1.0000E-01      2.0000E+02"};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(SolverReport, TipMovementsWithDistributions) {
    Store s = HandRun(0);
    const std::vector<std::string> upward = {" ",
                                             "",
                                             "",
                                             "        APPLIED TIP MOVEMENT        TIP   LOAD",
                                             "                 IN.                    LBS",
                                             "            -1.0000E-01             0.0000E+00"};
    const std::vector<std::string> upwardRows = {
        "  105.0                       0.000E+00                     -1.000E-01",
        "   80.0 -1.000E+01 -1.571E+03          -7.854E+02 -3.927E-02          -1.098E-01",
        "   55.0                      -1.571E+03                     -1.393E-01",
        "   30.0 -1.000E+01 -1.571E+03          -2.356E+03 -1.178E-01          -1.884E-01",
        "    5.0                      -3.142E+03                     -2.571E-01"};
    const std::vector<std::string> downward = {" ",
                                               "",
                                               "",
                                               "        APPLIED TIP MOVEMENT        TIP   LOAD",
                                               "                 IN.                    LBS",
                                               "             1.0000E-01             2.0000E+02"};
    const std::vector<std::string> downwardRows = {
        "  105.0                       2.000E+02                      1.000E-01",
        "   80.0  1.000E+01  1.571E+03           9.854E+02  4.927E-02           1.148E-01",
        "   55.0                       1.771E+03                      1.493E-01",
        "   30.0  1.000E+01  1.571E+03           2.556E+03  1.278E-01           2.034E-01",
        "    5.0                       3.342E+03                      2.771E-01"};
    const std::vector<std::string> summary = {" ",
                                              kTitleLine,
                                              "",
                                              "",
                                              "        RESULTS DUE TO TIP MOVEMENTS",
                                              "        ----------------------------",
                                              ""};
    EXPECT_EQ(TipReport(s),
              CrLf(Join({kOpening, upward, kTableHeading, upwardRows, downward, kTableHeading,
                         downwardRows, summary, kSummaryHeading, kSummary})));
    // From the summary on the table is signed.
    ASSERT_EQ(s.tipResults.size(), 2u);
    EXPECT_FLOAT_EQ(s.tipResults[0].topLoad, -3141.6f);
    EXPECT_FLOAT_EQ(s.tipResults[0].topMove, -0.25708f);
    EXPECT_EQ(s.tipResults[0].tipMove, -0.1f);
    EXPECT_TRUE(s.tipResults[0].mirrored);
    EXPECT_FLOAT_EQ(s.tipResults[1].topLoad, 3341.6f);
}

TEST(SolverReport, LoadSettlementDataOnly) {
    // IPRINT = 1: from the opening straight to the summary.
    Store s = HandRun(1);
    const std::vector<std::string> summary = {" ",
                                              kTitleLine,
                                              "",
                                              "",
                                              "        RESULTS DUE TO TIP MOVEMENTS",
                                              "        ----------------------------",
                                              ""};
    EXPECT_EQ(TipReport(s), CrLf(Join({kOpening, summary, kSummaryHeading, kSummary})));
}

TEST(SolverReport, SIHeadingsAndDepthsOfOneDecimal) {
    // S.I. pile of 1 m in 4 increments, head at depth 0: the top increment's mid-depth 0.125
    // prints as 0.1.
    Store s = dorvek::testing::Pile(4, 1.0f, 0.0f, 0.3f, 1.0e6f, 1.0e-6f,
                                    {dorvek::testing::Curve(0.0f, {{0.0f, 0.0f}, {5.0f, 1.0f}})},
                                    {{100.0f, 1.0f}});
    s.iunit = 2;
    s.labelL = " M.";
    s.labelF = "KN.";
    s.labelP = "KPA";
    s.tipMovements = {0.01f};
    s.ntipRead = 1;
    const std::string report = TipReport(s);
    const auto blanks = [](int n) { return std::string(static_cast<std::size_t>(n), ' '); };
    // 17X, A3, 20X, A3 with L and F.
    EXPECT_NE(report.find("\r\n" + blanks(17) + " M." + blanks(20) + "KN.\r\n"), std::string::npos);
    // 2X, A3, 5X, A3, 10X, A3, 7X, A3, 8X, A3, 6X, A3, 8X, A3, 7X, A3 with L, P, F, F, F, L, L, L.
    EXPECT_NE(report.find("\r\n" + blanks(2) + " M." + blanks(5) + "KPA" + blanks(10) + "KN." +
                          blanks(7) + "KN." + blanks(8) + "KN." + blanks(6) + " M." + blanks(8) +
                          " M." + blanks(7) + " M.\r\n"),
              std::string::npos);
    // 11X, A3, 13X, A3, 14X, A3, 12X, A3 with F, L, L, F.
    EXPECT_NE(report.find("\r\n" + blanks(11) + "KN." + blanks(13) + " M." + blanks(14) + " M." +
                          blanks(12) + "KN.\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\n    0.1 "), std::string::npos);
    EXPECT_NE(report.find("\r\n    0.0      "), std::string::npos); // the head node
}

TEST(SolverReport, AppliedLoads) {
    // Loads 3350 (converged at trial 3, HeadLoadTest), 10000 (beyond the capacity of 3641.6)
    // and -3141.6 (exactly the mirrored row of the table: tip movement -0.1 kept).
    Store s = HandRun(1);
    s.loads = {3350.0f, 10000.0f, -3141.6f};
    std::ostringstream report, plot, console;
    FixedWriter r(report), p(plot);
    RunTipMovements(s, r, p);
    report.str("");
    RunHeadLoads(s, r, p, console);
    const std::vector<std::string> opening = {
        "1", "        HAND PILE" + std::string(63, ' '), "",
        "",  "        RESULTS DUE TO APPLIED LOADS",     "        ----------------------------",
        ""};
    const std::vector<std::string> rows = {
        "       3.3500E+03      2.8193E-01      1.0612E-01      2.0808E+02",
        "       1.0000E+04     NOT ABLE TO GET CONVERGENCE",
        "      -3.1416E+03     -2.5708E-01     -1.0000E-01      0.0000E+00"};
    EXPECT_EQ(report.str(), CrLf(Join({opening, kSummaryHeading, rows})));
    EXPECT_EQ(console.str(), " PROGRAM DORVEK FOR COMPUTING LOAD VS. SETTLEMENT\n"
                             " FOR AN AXIALLY LOADED PILE\n"
                             " VERSION 2021.4.4\n\n\n\n");
    ASSERT_EQ(s.loadResults.size(), 3u);
    EXPECT_TRUE(s.loadResults[0].converged);
    EXPECT_FALSE(s.loadResults[1].converged);
    EXPECT_TRUE(s.loadResults[2].converged);
}

TEST(SolverReport, NoLoadsWritesNothing) {
    Store s = HandRun(1);
    std::ostringstream report, plot, console;
    FixedWriter r(report), p(plot);
    RunHeadLoads(s, r, p, console);
    EXPECT_EQ(report.str(), "");
    EXPECT_EQ(plot.str(), "");
    EXPECT_EQ(console.str(), "");
}
