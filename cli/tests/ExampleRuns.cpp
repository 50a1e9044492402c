// Every example project runs through dorvek-run to the end: result 0, a report that ends
// with its results and a plot data file whose blocks are all present and complete.

#include "cli/tests/CliTestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace dorvek::test;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The counts of a plot data file read as the desktop program reads it: a stream of words.
struct PlotCounts {
    bool complete = false;
    std::string fault;
    int curves = 0, qwPoints = 0, tipMovements = 0, increments = 0, loads = -1;
};

PlotCounts ReadPlotCounts(const std::string& text) {
    std::istringstream in(text);
    PlotCounts c;
    auto fail = [&](const std::string& what) {
        c.fault = what;
        return c;
    };
    auto skip = [&](long long words) {
        std::string word;
        for (long long k = 0; k < words; ++k)
            if (!(in >> word)) return false;
        return true;
    };
    if (!(in >> c.curves) || c.curves < 1) return fail("t-z block count");
    for (int j = 0; j < c.curves; ++j) {
        int number = 0, points = 0;
        std::string depth;
        if (!(in >> number >> points >> depth) || points < 1) return fail("t-z curve header");
        if (!skip(2LL * points)) return fail("t-z curve points");
    }
    if (!(in >> c.qwPoints) || !skip(2LL * c.qwPoints)) return fail("Q-w block");
    int unit = 0;
    if (!(in >> c.tipMovements >> c.increments >> unit)) return fail("tip-movement count line");
    if (!skip(3LL * c.tipMovements * c.increments + 4LL * c.tipMovements))
        return fail("tip-movement results");
    std::string word;
    if (in >> word) {
        c.loads = std::stoi(word);
        int ninc = 0;
        if (!(in >> ninc >> unit) || ninc != c.increments) return fail("load count line");
        if (!skip(static_cast<long long>(c.loads) * (1 + 4 + 3LL * ninc)))
            return fail("load results");
        if (in >> word) return fail("words after the last block");
    }
    c.complete = true;
    return c;
}

using ExampleRuns = CliTest;

TEST_F(ExampleRuns, EveryExampleWritesACompleteReportAndPlotFile) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".dv4d") continue;
        ++examples;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const fs::path input = copyExample(entry.path());

        const Output out = RunProgram("-q " + Quote(input));
        ASSERT_NE(out.status, -1) << "not started, or did not exit";
        EXPECT_EQ(out.status, 0);
        EXPECT_EQ(out.text, input.string() + ": result 0, run completed\n");

        const PlotCounts plot = ReadPlotCounts(ReadBytes(dir_ / (name + ".dv4p")));
        ASSERT_TRUE(plot.complete) << plot.fault;
        EXPECT_GT(plot.qwPoints, 0);

        // The report: the summary has one row per tip movement; with loads, the results due
        // to applied loads follow with one row per load and end the report.
        const std::string report = ReadBytes(dir_ / (name + ".dv4o"));
        ASSERT_GE(report.size(), 2u);
        EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
        const auto lines = LinesOf(report);
        ASSERT_FALSE(lines.empty());
        std::size_t summary = 0, loads = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] == "        TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD") {
                if (summary == 0)
                    summary = k;
                else
                    loads = k;
            }
        }
        ASSERT_GT(summary, 0u);
        const std::size_t end =
            (plot.loads < 0 ? summary + 2 + static_cast<std::size_t>(plot.tipMovements)
                            : loads + 2 + static_cast<std::size_t>(plot.loads));
        EXPECT_EQ(lines.size(), end);
        if (plot.loads >= 0) {
            EXPECT_GT(loads, summary);
            EXPECT_EQ(loads - summary, 2u + static_cast<std::size_t>(plot.tipMovements) + 8u)
                << "summary rows, then the opening of the load results";
        }
    }
    EXPECT_GE(examples, 4);
}

TEST(PlotCounts, IncompleteFilesAreRecognised) {
    // One curve of two points, a Q-w curve of one point, one tip movement of one increment.
    const std::string whole = " 1\r\n 1 2 0.0E+00\r\n 0 0\r\n 1 1\r\n 1\r\n 0 0\r\n 1 1 1\r\n"
                              " 1 2 3\r\n 4 5 6 7\r\n";
    EXPECT_TRUE(ReadPlotCounts(whole).complete);
    EXPECT_FALSE(ReadPlotCounts(whole.substr(0, whole.size() - 4)).complete);
    EXPECT_FALSE(ReadPlotCounts(whole + " 1 2 1\r\n").complete);
    EXPECT_TRUE(ReadPlotCounts(whole + " 1 1 1\r\n 1\r\n 1 2 3 4\r\n 1 2 3\r\n").complete);
    EXPECT_FALSE(ReadPlotCounts(whole + " 1 1 1\r\n 1\r\n 1 2 3 4\r\n 1 2 3\r\n 9\r\n").complete);
}

} // namespace
