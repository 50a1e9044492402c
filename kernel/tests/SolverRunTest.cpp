// Whole runs through the driver: the plot data file read back word by word as the desktop
// program reads it, and the results sections of the report.
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace dorvek {
namespace {

using test::CapturedRun;
using test::FilesIn;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The plot data file as a stream of words.
class Words {
public:
    explicit Words(const std::string& text) : in_(text) {}
    int integer() {
        std::string word = next();
        std::size_t used = 0;
        const int value = std::stoi(word, &used);
        EXPECT_EQ(used, word.size()) << word;
        return value;
    }
    double real() {
        const double value = std::stod(next());
        EXPECT_TRUE(std::isfinite(value));
        return value;
    }
    bool atEnd() {
        std::string word;
        return !(in_ >> word);
    }

private:
    std::string next() {
        std::string word;
        EXPECT_TRUE(in_ >> word) << "the file ends early";
        return word;
    }
    std::istringstream in_;
};

struct Block4Load {
    int flag;
    double load, topMove, tipMove, tipLoad;
};

// Reads blocks 1 to 4 (block 4 when `loads` is set) and checks the counts against the store.
std::vector<Block4Load> ReadPlotFile(const std::string& text, const Store& s, bool loads) {
    Words w(text);
    const int curves = w.integer();
    for (int c = 0; c < curves; ++c) {
        w.integer();
        const int points = w.integer();
        w.real();
        for (int k = 0; k < 2 * points; ++k) w.real();
    }
    const int nqw = w.integer();
    for (int k = 0; k < 2 * nqw; ++k) w.real();

    const int ntip = w.integer();
    EXPECT_EQ(ntip, static_cast<int>(s.tipMovements.size()));
    EXPECT_EQ(w.integer(), s.ninc);
    EXPECT_EQ(w.integer(), s.iunit);
    for (int k = 0; k < 3 * ntip * s.ninc; ++k) w.real();
    // Summary lines: the stored rows to the five digits printed.
    for (const TipMovementResult& r : s.tipResults) {
        EXPECT_NEAR(w.real(), r.topLoad, 5e-5 * std::fabs(r.topLoad));
        EXPECT_NEAR(w.real(), r.topMove, 5e-5 * std::fabs(r.topMove));
        EXPECT_NEAR(w.real(), r.tipMove, 5e-5 * std::fabs(r.tipMove));
        EXPECT_NEAR(w.real(), r.tipLoad, 5e-5 * std::fabs(r.tipLoad));
    }
    std::vector<Block4Load> results;
    if (loads) {
        const int nload = w.integer();
        EXPECT_EQ(nload, static_cast<int>(s.loads.size()));
        EXPECT_EQ(w.integer(), s.ninc);
        EXPECT_EQ(w.integer(), s.iunit);
        for (int i = 0; i < nload; ++i) {
            Block4Load l{};
            l.flag = w.integer();
            l.load = w.real();
            l.topMove = w.real();
            l.tipMove = w.real();
            l.tipLoad = w.real();
            for (int k = 0; k < 3 * s.ninc; ++k) w.real();
            results.push_back(l);
        }
    }
    EXPECT_TRUE(w.atEnd()) << "nothing follows the last block";
    return results;
}

void ExpectNoBadNumbers(const std::string& text) {
    EXPECT_EQ(text.find('*'), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(SolverRun, ExampleWritesACompletePlotFile) {
    TempDir dir;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(std::string(DORVEK_SOURCE_DIR) +
                                    "/examples/driven-pile-clay-over-sand.dv4d"));
    CapturedRun run;
    ASSERT_EQ(run.run(files), 0);
    const Store& s = run.store;
    ASSERT_EQ(s.tipMovements.size(), 9u); // generated, compression loads only
    const std::string plot = ReadFile(files.plot);
    const auto loads = ReadPlotFile(plot, s, true);
    ASSERT_EQ(loads.size(), 3u);
    for (const auto& l : loads) EXPECT_EQ(l.flag, 1);
    ExpectNoBadNumbers(plot);
    const std::string report = ReadFile(files.report);
    EXPECT_EQ(Count(report, "RESULTS DUE TO TIP MOVEMENTS"), 2u);
    EXPECT_EQ(Count(report, "RESULTS DUE TO APPLIED LOADS"), 1u);
    EXPECT_EQ(Count(report, "APPLIED TIP MOVEMENT"), 9u);
}

// User curves (the first side curve starts away from the origin), 10 increments, generated
// tip movements for loads of both signs, and a load of 0.
const char* kUserCurves = "User curves, loads of both signs\n"
                          "10 0 1\n"
                          "2 2\n"
                          "2\n"
                          "1 0 3\n2 0.02\n5 0.1\n5 2\n"
                          "2 720 3\n4 0.02\n10 0.1\n10 2\n"
                          "3\n20000 0.1 60000 0.5 80000 2\n"
                          "2\n7.972E8 0\n7.972E8 720\n"
                          "1E-5 720 0 18 254.469\n"
                          "0\n"
                          "4\n100000\n-50000\n0\n20000\n"
                          "0\n0\n0\n";

TEST(SolverRun, LoadsOfBothSignsAndAZeroLoad) {
    TempDir dir;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input, kUserCurves);
    CapturedRun run;
    ASSERT_EQ(run.run(files), 0); // a load that does not converge still completes the run
    const Store& s = run.store;
    ASSERT_EQ(s.tipMovements.size(), 18u);
    EXPECT_FLOAT_EQ(s.tipMovements.front(), -5.0f);

    const std::string plot = ReadFile(files.plot);
    const auto loads = ReadPlotFile(plot, s, true);
    ASSERT_EQ(loads.size(), 4u);
    EXPECT_EQ(loads[0].flag, 1);
    EXPECT_EQ(loads[1].flag, 1);
    EXPECT_EQ(loads[2].flag, 0);
    EXPECT_EQ(loads[3].flag, 1);
    EXPECT_EQ(loads[1].load, -50000.0);
    EXPECT_LT(loads[1].topMove, 0.0); // pulled up
    EXPECT_LT(loads[1].tipMove, 0.0);
    EXPECT_EQ(loads[1].tipLoad, 0.0);
    EXPECT_GT(loads[0].topMove, 0.0);
    EXPECT_EQ(loads[2].load, 0.0);
    EXPECT_EQ(loads[2].topMove, 0.0);
    EXPECT_EQ(loads[2].tipMove, 0.0);
    EXPECT_EQ(loads[2].tipLoad, 0.0);
    ExpectNoBadNumbers(plot);

    const std::string report = ReadFile(files.report);
    EXPECT_EQ(Count(report, "\r\n       0.0000E+00     NOT ABLE TO GET CONVERGENCE\r\n"), 1u);
    ExpectNoBadNumbers(report.substr(report.find("RESULTS DUE TO TIP MOVEMENTS")));
    EXPECT_EQ(Count(report, "APPLIED TIP MOVEMENT"), 18u);
}

TEST(SolverRun, NoTipMovementsAndNoLoads) {
    // NTIP < 0 and no loads: block 3 is its count line alone, and nothing follows it.
    std::string input = kUserCurves;
    input.replace(input.find("0\n4\n100000\n-50000\n0\n20000\n"),
                  std::string("0\n4\n100000\n-50000\n0\n20000\n").size(), "-1\n0\n");
    TempDir dir;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input, input);
    CapturedRun run;
    ASSERT_EQ(run.run(files), 0);
    EXPECT_TRUE(run.store.tipMovements.empty());
    const std::string plot = ReadFile(files.plot);
    ReadPlotFile(plot, run.store, false);
    EXPECT_NE(plot.find("\r\n           0          10           1\r\n"), std::string::npos);
    EXPECT_EQ(Count(ReadFile(files.report), "RESULTS DUE TO APPLIED LOADS"), 0u);
}

} // namespace
} // namespace dorvek
