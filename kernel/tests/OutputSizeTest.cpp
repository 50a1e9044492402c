// The size the solution gives the report and the plot file, and the console warning before a
// run writes more than anyone expects.

#include "kernel/OutputSize.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvek {
namespace {

using test::CapturedRun;
using test::FilesIn;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

Store Counts(int ninc, int iprint, int movements, int loads) {
    Store s;
    s.ninc = ninc;
    s.iprint = iprint;
    s.tipMovements.assign(static_cast<std::size_t>(movements), 0.1f);
    s.loads.assign(static_cast<std::size_t>(loads), 1000.0f);
    return s;
}

TEST(OutputSize, CountedFromTheLinesOfEachIncrement) {
    // NINC 10000 and 1000 tip movements listed: per movement 10000 node lines of 72 bytes and
    // increment lines of 82, the head's node line and 500 for the headings, plus a summary row
    // of 67; 1000 for the two section headings: 1000 * 1540639 + 1000 = 1 540 640 000.
    // Plot file: 10000 lines of 39 and a summary row per movement, 500 for the heading.
    const OutputSizes listed = SolutionOutputSizes(Counts(10000, 0, 1000, 0));
    EXPECT_EQ(listed.report, 1'540'640'000u);
    EXPECT_EQ(listed.plot, 390'067'500u);
    // Print option 1: the summary alone. Head loads: a row each, and in the plot file the
    // converged flag (7), the row and 41 bytes per increment.
    const OutputSizes summary = SolutionOutputSizes(Counts(100, 1, 10, 4));
    EXPECT_EQ(summary.report, 1000u + 10 * 67 + 500 + 4 * 67);
    EXPECT_EQ(summary.plot, 500u + 10 * (100 * 39 + 67) + 500 + 4 * (7 + 67 + 100 * 41));
}

TEST(OutputSize, LineLengthsAreThoseOfARealReport) {
    // Between print options 0 and 1 only the distributions differ: each holds 2000 node and
    // increment lines, the head's node line and headings within the 500 allowed for them.
    TempDir dir;
    RunFiles files = FilesIn(dir);
    std::string text =
        ReadFile(std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d");
    text.replace(text.find("\r\n50 0 1\r\n"), 10, "\r\n2000 0 1\r\n");
    WriteFile(files.input, text);
    CapturedRun listed;
    ASSERT_EQ(listed.run(files), 0);
    const std::uint64_t withLists = ReadFile(files.report).size();
    const std::uint64_t plotOf2000 = ReadFile(files.plot).size();
    const std::uint64_t movements = listed.store.tipMovements.size();
    const std::uint64_t loads = listed.store.loads.size();
    ASSERT_GT(movements, 0u);

    text.replace(text.find("\r\n2000 0 1\r\n"), 12, "\r\n2000 1 1\r\n");
    WriteFile(files.input, text);
    ASSERT_EQ(CapturedRun().run(files), 0);
    const std::uint64_t lists = withLists - ReadFile(files.report).size();
    const std::uint64_t lines = movements * (2000 * (72 + 82) + 72);
    EXPECT_GE(lists, lines);
    EXPECT_LE(lists, lines + movements * 500);
    EXPECT_EQ((lists - lines) % movements, 0u);

    // A thousand increments fewer take exactly 39 bytes per tip movement and 41 per head load
    // each from the plot file.
    text.replace(text.find("\r\n2000 1 1\r\n"), 12, "\r\n1000 1 1\r\n");
    WriteFile(files.input, text);
    ASSERT_EQ(CapturedRun().run(files), 0);
    EXPECT_EQ(plotOf2000 - ReadFile(files.plot).size(), 1000 * (movements * 39 + loads * 41));
}

TEST(OutputSize, WarningBeforeALargeReport) {
    std::ostringstream console;
    WarnLargeOutputs(console, Counts(10000, 0, 1000, 0), 20'000, 5'000);
    EXPECT_EQ(console.str(),
              " WARNING: the report will take about 1541 MB and the plot data file about 390 MB\n"
              " (1000 tip movements, each listed over 10000 increments; a print option of 1 "
              "leaves these lists out of the report).\n");
}

TEST(OutputSize, WarningBeforeALargePlotFile) {
    // 300 * (390000 + 67) + 50 * (7 + 67 + 410000) + 1000 = 137 524 800 bytes of plot data.
    std::ostringstream console;
    WarnLargeOutputs(console, Counts(10000, 1, 300, 50), 20'000, 5'000);
    EXPECT_EQ(console.str(),
              " WARNING: the report will take about 1 MB and the plot data file about 138 MB\n"
              " (300 tip movements and 50 head loads over 10000 increments).\n");
}

TEST(OutputSize, NoWarningUpToTheLimit) {
    std::ostringstream console;
    WarnLargeOutputs(console, Counts(50, 0, 18, 3), 80'000, 30'000);
    // What the report holds already counts: 100 MB of curves and a small solution pass it.
    EXPECT_EQ(console.str(), "");
    WarnLargeOutputs(console, Counts(50, 0, 18, 3), kLargeOutputBytes, 30'000);
    EXPECT_NE(console.str().find("the report will take about 100 MB"), std::string::npos);
}

// A caller that holds the console text back is called instead, with the estimate, before
// the solution is written; the report is the same either way.
TEST(OutputSize, CallerToldInsteadOfTheConsole) {
    TempDir dir;
    const RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(std::string(DORVEK_SOURCE_DIR) +
                                    "/examples/driven-pile-clay-over-sand.dv4d"));
    std::ostringstream console;
    std::vector<OutputEstimate> told;
    RunOptions options;
    options.console = &console;
    options.clock = test::FixedTime;
    options.largeOutputBytes = 1000;
    options.largeOutputs = [&](const OutputEstimate& e) {
        // Nothing of the solution is written yet.
        EXPECT_LT(ReadFile(files.report).size(), e.report / 2);
        told.push_back(e);
    };
    ASSERT_EQ(RunAnalysis(files, RunHeader{}, options), 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(console.str().find("WARNING"), std::string::npos) << console.str();
    EXPECT_EQ(told[0].ninc, 50);
    const std::string report = ReadFile(files.report);

    // Without a caller the console gets the warning (the sizes against the written files and
    // the quiet run under the limit: RunWarnings, through dorvek-run's pipeline).
    options.largeOutputs = nullptr;
    options.largeOutputBytes = 1000;
    ASSERT_EQ(RunAnalysis(files, RunHeader{}, options), 0);
    EXPECT_NE(console.str().find(" WARNING: the report will take about 1 MB"), std::string::npos)
        << console.str();
    EXPECT_EQ(ReadFile(files.report), report);
}

} // namespace
} // namespace dorvek
