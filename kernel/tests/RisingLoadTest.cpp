// Applied pile-head loads as the first equilibrium of a load rising from zero, on piles whose
// side curves soften after their peak.
//
// The softening pile (English units): L = 100 in, D = 1 in, AE = 1e12 lb (rigid: the head
// moves with the tip), one increment, one user t-z curve (0, 0), (10 psi, 0.02 in), (5, 0.04),
// (5.5, 100) and a user Q-w curve (0, 0), (2000 lb, 1 in), (2000, 100). The side area is
// 3.1416 * 1 * 100 = 314.16 in^2, so up to the side peak at 0.02 in the head load in
// compression is 314.16 * 500 w + 2000 w = 159080 w (peak 3181.6 at w = 0.02) and in uplift
// (no tip load) 157080 w (peak 3141.6); on the residual branch the side carries 1570.8 and a
// little more, and the tip hardens to 2000 at 1 in. The generated tip movements 0.01, 0.03,
// 0.07, ... straddle the peak, so no row of the run shows it.
#include "kernel/RisingLoad.h"
#include "kernel/tests/SolverTestStores.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace dorvek {
namespace {

using test::CapturedRun;
using test::FilesIn;
using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string SofteningInput(const std::string& tipBlock, const std::string& loadBlock) {
    return test::CrLf({"Softening side curve, hardening tip",
                       "1 0 1",
                       "2 2 ",
                       "1",
                       "1 0 4",
                       "0 0",
                       "10 0.02",
                       "5 0.04",
                       "5.5 100",
                       "3",
                       "0 0",
                       "2000 1",
                       "2000 100",
                       "2",
                       "1E12 0",
                       "1E12 100",
                       "1E-6 100 0 1 0.7854",
                       tipBlock,
                       loadBlock,
                       " 0",
                       " 0",
                       " 0"});
}

// The report's applied-load rows (after the column units) up to the end of the file.
struct LoadRows {
    std::vector<std::string> rows;  // the table's lines as written
    std::vector<std::string> after; // everything after the table
};

LoadRows AppliedLoadRows(const std::string& report) {
    const std::vector<std::string> lines = Lines(report);
    LoadRows out;
    std::size_t k = 0;
    while (k < lines.size() && lines[k].find("RESULTS DUE TO APPLIED LOADS") == std::string::npos)
        ++k;
    k += 6; // dashes, two empty lines, heading, units
    for (; k < lines.size() && !lines[k].empty(); ++k) out.rows.push_back(lines[k]);
    for (; k < lines.size(); ++k) out.after.push_back(lines[k]);
    return out;
}

std::vector<double> Numbers(const std::string& row) {
    std::istringstream in(row);
    std::vector<double> values;
    double v;
    while (in >> v) values.push_back(v);
    return values;
}

struct SofteningRun {
    TempDir dir;
    CapturedRun run;
    LoadRows loads;
    explicit SofteningRun(const std::string& loadBlock, const std::string& tipBlock = " 0") {
        const RunFiles files = FilesIn(dir);
        WriteFile(files.input, SofteningInput(tipBlock, loadBlock));
        EXPECT_EQ(run.run(files), kRunCompleted);
        loads = AppliedLoadRows(ReadFile(files.report));
    }
};

TEST(RisingLoad, EachLoadLandsOnTheFirstEquilibrium) {
    const SofteningRun r("6\r\n3000\r\n3500\r\n1000\r\n-2000\r\n-1575\r\n-3500");
    ASSERT_EQ(r.loads.rows.size(), 6u);
    const std::vector<HeadLoadResult>& res = r.run.store.loadResults;
    ASSERT_EQ(res.size(), 6u);

    // 3000 in compression: the plain search ends near 0.71 in on the hardening tip; a load
    // rising from zero stops before the side peak, at 3000 / 159080 = 0.018858 in.
    ASSERT_TRUE(res[0].converged);
    EXPECT_NEAR(res[0].tipMove, 3000.0 / 159080.0, 1.5e-5);
    EXPECT_NEAR(res[0].topMove, 3000.0 / 159080.0, 1.5e-5);
    EXPECT_NEAR(res[0].tipLoad, 2000.0 * 3000.0 / 159080.0, 0.05);
    // 3500 lies above the side peak: its only equilibrium is on the hardening tip, near
    // w = (3500 - 1578.6) / 2000 = 0.96 in, as the plain search finds it.
    ASSERT_TRUE(res[1].converged);
    EXPECT_GT(res[1].tipMove, 0.9f);
    EXPECT_LT(res[1].tipMove, 1.0f);
    // 1000 on the rising branch: 1000 / 159080 = 0.0062862.
    ASSERT_TRUE(res[2].converged);
    EXPECT_NEAR(res[2].topMove, 1000.0 / 159080.0, 5e-6);
    // Uplift 2000, below the uplift peak 3141.6: the plain search starts on the residual
    // plateau (1578.6 at -5 in) and never converges; rising, 2000 / 157080 = 0.012732 up.
    ASSERT_TRUE(res[3].converged);
    EXPECT_NEAR(res[3].tipMove, -2000.0 / 157080.0, 1.5e-5);
    EXPECT_NEAR(res[3].topMove, -2000.0 / 157080.0, 1.5e-5);
    EXPECT_EQ(res[3].tipLoad, 0.0f);
    // Uplift 1575 converges on the plateau when searched from its end (near -2.7 in);
    // rising, 1575 / 157080 = 0.010027 up.
    ASSERT_TRUE(res[4].converged);
    EXPECT_NEAR(res[4].topMove, -1575.0 / 157080.0, 1.5e-5);
    // Uplift 3500 exceeds the peak: no equilibrium at all.
    EXPECT_FALSE(res[5].converged);
    EXPECT_NE(r.loads.rows[5].find("NOT ABLE TO GET CONVERGENCE"), std::string::npos);

    // The rows print what is stored; the note names loads 1, 4 and 5.
    const std::vector<double> first = Numbers(r.loads.rows[0]);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0], 3000.0);
    EXPECT_NEAR(first[1], res[0].topMove, 1e-4 * res[0].topMove);
    const std::vector<std::string> note = {
        "", " NOTE: LOADS 1, 4 AND 5 WERE SOLVED AGAIN IN THE FIRST BRACKET OF TIP MOVEMENTS",
        "       THAT CARRIES THEM: THE FIRST EQUILIBRIUM OF A LOAD RISING FROM ZERO (THE",
        "       SEARCH FROM THE NEAREST ROW OF THE TIP-MOVEMENT RESULTS HAD PASSED A PEAK",
        "       OF THE LOAD-SETTLEMENT CURVE OR HAD NOT CONVERGED)."};
    EXPECT_EQ(r.loads.after, note);
}

TEST(RisingLoad, OneSolvedLoadIsNamedAlone) {
    const SofteningRun r("2\r\n1000\r\n-2000");
    ASSERT_GE(r.loads.after.size(), 2u);
    EXPECT_EQ(r.loads.after[1],
              " NOTE: LOAD 2 WAS SOLVED AGAIN IN THE FIRST BRACKET OF TIP MOVEMENTS THAT");
}

TEST(RisingLoad, AgreesWithTipMovementsThatStopBeforeThePeak) {
    // Given tip movements that end before the peak, the plain search finds the rising
    // equilibrium by itself; the mended result of the generated run is the same equilibrium.
    const SofteningRun mended("1\r\n3000");
    const SofteningRun before("1\r\n3000", "4\r\n0.001\r\n0.005\r\n0.01\r\n0.019");
    EXPECT_TRUE(before.loads.after.empty()); // nothing solved again
    ASSERT_TRUE(before.run.store.loadResults[0].converged);
    EXPECT_NEAR(mended.run.store.loadResults[0].topMove, before.run.store.loadResults[0].topMove,
                1.5e-5);
}

TEST(RisingLoad, PlotFileCarriesTheSolvedDistribution) {
    TempDir dir;
    CapturedRun run;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input, SofteningInput(" 0", "1\r\n3000"));
    ASSERT_EQ(run.run(files), kRunCompleted);
    // Block 4's last line: the one increment's depth, load and movement of the equilibrium.
    const std::vector<std::string> lines = Lines(ReadFile(files.plot));
    ASSERT_GE(lines.size(), 2u);
    const std::vector<double> distribution = Numbers(lines.back());
    ASSERT_EQ(distribution.size(), 3u);
    EXPECT_NEAR(distribution[2], 3000.0 / 159080.0, 7e-5); // E10.3: 0.189E-01
    const std::vector<double> result = Numbers(lines[lines.size() - 2]);
    ASSERT_EQ(result.size(), 4u);
    EXPECT_NEAR(result[2], 3000.0 / 159080.0, 1.5e-5);
}

// Bit for bit the plain iteration wherever it settles on the rising branch.
void ExpectPlain(const Store& s, float load) {
    const SolverSetup setup = MakeSolverSetup(s);
    PileSolution plainLast, risingLast;
    const HeadLoadResult plain = SolveForHeadLoad(setup, s.tipResults, load, plainLast);
    bool again = true;
    const HeadLoadResult rising =
        SolveForRisingHeadLoad(setup, s.tipResults, load, risingLast, again);
    EXPECT_FALSE(again) << load;
    EXPECT_EQ(rising.converged, plain.converged) << load;
    EXPECT_EQ(rising.load, plain.load);
    EXPECT_EQ(rising.topMove, plain.topMove) << load;
    EXPECT_EQ(rising.tipMove, plain.tipMove) << load;
    EXPECT_EQ(rising.tipLoad, plain.tipLoad) << load;
    EXPECT_EQ(risingLast.tipMove, plainLast.tipMove) << load;
    EXPECT_EQ(risingLast.avgMove, plainLast.avgMove) << load;
}

TEST(RisingLoad, MonotonicCurvesKeepThePlainResult) {
    // The hand pile of the head-load tests hardens everywhere: every load, including loads
    // equal to a row's head load and loads within the tolerance of one, keeps its result.
    TempDir dir;
    CapturedRun run;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input,
              test::CrLf({"Hand pile", "2 1 1",    "2 2 ",   "1",       "1 0 3",
                          "0 0",       "10 0.001", "10 100", "2",       "400 0.2",
                          "500 1",     "2",        "1E6 0",  "1E6 100", "1E-6 100 5 1 1",
                          " 0",        "3",        "3500",   "-2000",   "1E6",
                          " 0",        " 0",       " 0"}));
    ASSERT_EQ(run.run(files), kRunCompleted);
    const Store& s = run.store;
    for (const TipMovementResult& r : s.tipResults) {
        ExpectPlain(s, r.topLoad);
        ExpectPlain(s, r.topLoad * 1.0004f);
        ExpectPlain(s, r.topLoad * 0.9996f);
    }
    for (float load : {10.0f, 500.0f, 3200.0f, 3300.0f, 3600.0f, -100.0f, -3000.0f, 1e6f, 0.0f})
        ExpectPlain(s, load);
    // The report has no note after the table.
    const LoadRows rows = AppliedLoadRows(ReadFile(files.report));
    EXPECT_EQ(rows.rows.size(), 3u);
    EXPECT_TRUE(rows.after.empty());
}

TEST(RisingLoad, SofteningCurvesKeepTheirRisingBranchResults) {
    const SofteningRun r("1\r\n1000");
    ExpectPlain(r.run.store, 1000.0f);
    ExpectPlain(r.run.store, 3500.0f); // past the peak, but the only equilibrium
    ExpectPlain(r.run.store, -3500.0f);
    ExpectPlain(r.run.store, 100.0f);
}

TEST(RisingLoad, FirstCarryingBracket) {
    const SofteningRun r("1\r\n1000");
    const SolverSetup setup = MakeSolverSetup(r.run.store);
    CarriedLoad lower, upper;
    // 2000 in compression: rows 0.01 (1590.8) and 0.03 (2416.2) bracket it.
    ASSERT_TRUE(FirstCarryingBracket(setup, r.run.store.tipResults, 2000.0f, lower, upper));
    EXPECT_FLOAT_EQ(lower.tipMove, 0.01f);
    EXPECT_FLOAT_EQ(upper.tipMove, 0.03f);
    EXPECT_NEAR(upper.carried, 314.16 * 7.5 + 60, 0.05);
    // 3000: no row before 5 in carries it, the peak between 0.01 and 0.07 does.
    ASSERT_TRUE(FirstCarryingBracket(setup, r.run.store.tipResults, 3000.0f, lower, upper));
    EXPECT_FLOAT_EQ(lower.tipMove, 0.01f);
    EXPECT_GT(upper.tipMove, 0.01f);
    EXPECT_LT(upper.tipMove, 0.07f);
    EXPECT_GE(upper.carried, 3000.0f * 1.0005f);
    // Uplift 3500: more than any movement carries.
    EXPECT_FALSE(FirstCarryingBracket(setup, r.run.store.tipResults, -3500.0f, lower, upper));
    // No rows at all, or a load of 0: nothing to bracket with.
    EXPECT_FALSE(FirstCarryingBracket(setup, {}, 100.0f, lower, upper));
    EXPECT_FALSE(FirstCarryingBracket(setup, r.run.store.tipResults, 0.0f, lower, upper));
}

} // namespace
} // namespace dorvek
