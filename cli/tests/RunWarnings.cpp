// Warnings a run gives at once, while the console text of its analyses waits for their turn:
// a report or plot file of unusual size, announced before it is written (its estimate against
// the file the run then writes), and fewer threads than asked when some could not start.

#include "cli/Pipeline.h"
#include "cli/ResultLines.h"
#include "cli/tests/CliTestSupport.h"

#include <gmock/gmock.h>

#include <regex>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

using namespace dorvek::test;
using ::testing::HasSubstr;

const fs::path kExample = kExamples / "driven-pile-clay-over-sand.dv4d";

using RunWarnings = CliTest;

TEST(WarningText, SizesAndTheirCauseInOneLine) {
    EXPECT_EQ(dorvek::cli::SizeText(0), "1 kB");
    EXPECT_EQ(dorvek::cli::SizeText(120'400), "120 kB");
    EXPECT_EQ(dorvek::cli::SizeText(999'499), "999 kB");
    EXPECT_EQ(dorvek::cli::SizeText(999'500), "1 MB");
    EXPECT_EQ(dorvek::cli::SizeText(154'065'893), "154 MB");
    EXPECT_EQ(dorvek::cli::SizeText(1'540'640'000), "1.5 GB");

    dorvek::OutputEstimate estimate;
    estimate.report = 1'540'640'000;
    estimate.plot = 390'067'500;
    estimate.ninc = 10000;
    estimate.tipMovements = 1000;
    estimate.distributionsListed = true;
    EXPECT_EQ(dorvek::cli::LargeOutputWarning("pile.dv4d", estimate),
              "dorvek-run: pile.dv4d: the report will be about 1.5 GB and the plot data file "
              "about 390 MB (NINC 10000, 1000 tip movements; print option 1 leaves the "
              "distributions along the pile out of the report)\n");
    estimate.tipMovements = 1;
    estimate.loads = 1;
    estimate.distributionsListed = false;
    EXPECT_EQ(dorvek::cli::LargeOutputWarning("p", estimate),
              "dorvek-run: p: the report will be about 1.5 GB and the plot data file about "
              "390 MB (NINC 10000, 1 tip movement, 1 head load)\n");
}

// With the limit lowered to a byte the example's run is large: the line comes before the
// run's own console text, even when that is hidden, and its sizes are those written.
TEST_F(RunWarnings, LargeOutputsAreAnnouncedWithTheSizesTheyReach) {
    const fs::path project = copyExample(kExample);
    dorvek::cli::PipelineOptions options;
    options.largeOutputBytes = 1;
    options.quiet = true;
    std::ostringstream out, err;
    const dorvek::cli::Job job = dorvek::cli::JobForFile(project.string());
    ASSERT_TRUE(dorvek::cli::RunPipeline({job}, {}, options, out, err));

    const std::regex line("^dorvek-run: (.*): the report will be about ([0-9]+) kB and the plot "
                          "data file about ([0-9]+) kB \\(NINC 50, 9 tip movements, 3 head "
                          "loads; print option 1 .*\\)\n$");
    std::smatch parts;
    const std::string text = err.str();
    ASSERT_TRUE(std::regex_match(text, parts, line)) << text;
    EXPECT_EQ(parts[1], project.string());
    const double report =
        static_cast<double>(fs::file_size(dir_ / "driven-pile-clay-over-sand.dv4o"));
    const double plot =
        static_cast<double>(fs::file_size(dir_ / "driven-pile-clay-over-sand.dv4p"));
    EXPECT_NEAR(std::stod(parts[2]) * 1000, report, 0.2 * report);
    EXPECT_NEAR(std::stod(parts[3]) * 1000, plot, 0.2 * plot);

    // Under the limit, nothing; the report is the same either way.
    const std::string written = ReadBytes(dir_ / "driven-pile-clay-over-sand.dv4o");
    options.largeOutputBytes = dorvek::kLargeOutputBytes;
    std::ostringstream quiet;
    ASSERT_TRUE(dorvek::cli::RunPipeline({job}, {}, options, out, quiet));
    EXPECT_EQ(quiet.str(), "");
    const std::string again = ReadBytes(dir_ / "driven-pile-clay-over-sand.dv4o");
    EXPECT_EQ(again.size(), written.size());
}

// The third thread cannot be started: one line says so, and the two threads that did start
// with the calling thread analyse every file, results in their order.
TEST_F(RunWarnings, FewerThreadsThanAskedStillRunEveryFile) {
    std::vector<dorvek::cli::Job> jobs;
    std::string expected;
    for (int i = 0; i < 12; ++i) {
        const fs::path input = write("pile" + std::to_string(i) + ".dv4d", ReadBytes(kExample));
        jobs.push_back(dorvek::cli::JobForFile(input.string()));
        expected += input.string() + ": result 0, run completed\n";
    }
    dorvek::cli::PipelineOptions options;
    options.threads = 8;
    options.quiet = true;
    int starts = 0;
    options.startThread = [&](std::function<void()> body) {
        if (++starts == 3)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::jthread(std::move(body));
    };
    std::ostringstream out, err;
    EXPECT_TRUE(dorvek::cli::RunPipeline(jobs, {}, options, out, err));
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(),
              "dorvek-run: only 3 of 8 threads could be started (" +
                  std::make_error_code(std::errc::resource_unavailable_try_again).message() +
                  "); the run goes on with 3\n");
}

} // namespace
