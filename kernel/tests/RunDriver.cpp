// The run driver: files, console messages, result codes and the fault messages that end
// the report, for good and bad inputs.

#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CapturedRun;
using test::FilesIn;
using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kExample =
    std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d";

const std::string kConsoleStart = " PROGRAM DORVEK FOR COMPUTING LOAD VS. SETTLEMENT\n"
                                  " FOR AN AXIALLY LOADED PILE\n"
                                  " VERSION 2021.4.4\n\n\n\n";
const std::string kProceeding = "\n\n\n         COMPUTATION IS PROCEEDING.......\n";

// The last lines of a report, after the echo: the fault block.
std::vector<std::string> Tail(const std::string& report, std::size_t count) {
    auto lines = Lines(report);
    if (lines.size() < count) return lines;
    return {lines.end() - static_cast<std::ptrdiff_t>(count), lines.end()};
}

TEST(RunDriver, ExampleProjectCompletes) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    CapturedRun run;
    EXPECT_EQ(run.run(files), 0);
    // The example has pile-head loads: the banner again when their solution starts.
    EXPECT_EQ(run.console.str(), kConsoleStart + kProceeding + kConsoleStart);
    EXPECT_TRUE(run.store.diagnostic.empty());

    const std::string report = ReadFile(files.report);
    EXPECT_EQ(report.rfind(std::string(5, ' ') + std::string(73, '=') + "\r\n", 0), 0u);
    EXPECT_NE(report.find(" 60 ft driven steel pipe pile"), std::string::npos);
    // Every line ends with CR LF.
    EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1);
    EXPECT_TRUE(fs::exists(files.plot));
    EXPECT_TRUE(fs::exists(files.notes));
    EXPECT_EQ(fs::file_size(files.notes), 0u);

    // The store holds the example's data.
    const Store& s = run.store;
    EXPECT_EQ(s.ninc, 50);
    EXPECT_EQ(s.iunit, 1);
    ASSERT_EQ(s.layers.size(), 2u);
    EXPECT_EQ(s.layers[1].type, 2);
    EXPECT_EQ(s.strength[2].xstr, 360.0f);
    EXPECT_EQ(s.strength[3].xstr, 960.0f);
    EXPECT_EQ(s.length, 720.0f);
    EXPECT_EQ(s.diameter, 18.0f);
    EXPECT_EQ(s.loads, (std::vector<float>{100000, 200000, 300000}));
    EXPECT_EQ(s.positiveLoads, 3);
    EXPECT_EQ(s.ntipRead, 0);
}

TEST(RunDriver, FixedClockGivesIdenticalReports) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    CapturedRun first, second;
    first.run(files);
    const std::string report = ReadFile(files.report);
    second.run(files);
    EXPECT_EQ(ReadFile(files.report), report);
}

TEST(RunDriver, TwoRunsDifferOnlyInTheTimeLine) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    RunOptions quiet;
    std::ostringstream console;
    quiet.console = &console;
    ASSERT_EQ(RunAnalysis(files, {}, quiet), 0);
    const auto first = Lines(ReadFile(files.report));
    ASSERT_EQ(RunAnalysis(files, {}, quiet), 0);
    const auto second = Lines(ReadFile(files.report));
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t k = 0; k < first.size(); ++k) {
        if (first[k].find("Date:  ") != std::string::npos) continue;
        EXPECT_EQ(first[k], second[k]) << k;
    }
}

TEST(RunDriver, OldReportIsRewrittenFromItsStart) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    WriteFile(files.report, std::string(100000, '~'));
    WriteFile(files.plot, std::string(100000, '~'));
    CapturedRun run;
    run.run(files);
    EXPECT_EQ(ReadFile(files.report).find('~'), std::string::npos);
    EXPECT_EQ(ReadFile(files.plot).find('~'), std::string::npos);
}

// The outputs are replaced as a whole: a longer and a shorter old file both end up with
// exactly the bytes of the first run, which created them.
TEST(RunDriver, OldOutputsAreReplacedByExactlyTheNewBytes) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    ASSERT_EQ(CapturedRun().run(files), 0);
    const std::string report = ReadFile(files.report), plot = ReadFile(files.plot);

    for (const std::string& old : {std::string(report.size() + 5000, '~'), std::string("~")}) {
        WriteFile(files.report, old);
        WriteFile(files.plot, old);
        EXPECT_EQ(CapturedRun().run(files), 0);
        EXPECT_EQ(ReadFile(files.report), report) << old.size() << " bytes before";
        EXPECT_EQ(ReadFile(files.plot), plot) << old.size() << " bytes before";
    }
    // The new report is put in place by renaming it over the old one, so a second (hard)
    // name of the report keeps the older report, whole.
    const std::string link = (dir.path() / "linked.dv4r").string();
    fs::create_hard_link(files.report, link);
    const std::string older(report.size() * 2, '~');
    WriteFile(files.report, older);
    EXPECT_EQ(CapturedRun().run(files), 0);
    EXPECT_EQ(ReadFile(files.report), report);
    EXPECT_EQ(ReadFile(link), older);
}

TEST(RunDriver, RunNotesFileIsLeftUntouched) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    WriteFile(files.notes, "my notes\r\n");
    CapturedRun run;
    EXPECT_EQ(run.run(files), 0);
    EXPECT_EQ(ReadFile(files.notes), "my notes\r\n");
}

TEST(RunDriver, NoRunNotesNameCreatesNone) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    files.notes.clear();
    CapturedRun run;
    EXPECT_EQ(run.run(files), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 3);
}

// A bad input: result code 3, and the report ends with the fault block.
struct BadInput {
    std::string text;
    std::vector<std::string> message; // lines after "File: ..."
};

TEST(RunDriver, BadInputsEndTheReportWithTheirMessage) {
    const std::string model = "T\r\n50 0 1\r\n1 1 \r\n";
    const std::vector<BadInput> cases = {
        {"", {"The file is empty; expected the title line."}},
        {"T\r\n50 zero 1\r\n", {"Line 2: expected an integer (print option), found \"zero\"."}},
        {model + "1\r\n1 1 0.0  1.00000000000000E+0003\r\n",
         {"The file ends after line 5; expected a number (unit weight GAM1 of property line 1 "
          "(top of layer 1))."}},
        {model + "2000000000\r\n1 2\r\n",
         {"Line 4: expected an integer (number of soil layers), found 2000000000, but the rest "
          "of the file holds only 2 values where 44000000000 are needed."}},
        {"T\r\n0 0 1\r\n1 1 \r\n",
         {"Line 2: expected an integer from 1 to 10000 (number of pile increments), found "
          "\"0\"."}},
    };
    for (const BadInput& bad : cases) {
        TempDir dir;
        RunFiles files = FilesIn(dir);
        WriteFile(files.input, bad.text);
        CapturedRun run;
        EXPECT_EQ(run.run(files), 3) << bad.text;
        std::vector<std::string> expected = {"", "", " **** FATAL INPUT ERROR ****",
                                             " File: " + files.input};
        for (const auto& line : bad.message) expected.push_back(" " + line);
        expected.push_back(" The analysis was stopped.");
        EXPECT_EQ(Tail(ReadFile(files.report), expected.size()), expected);
        EXPECT_EQ(run.store.diagnostic, "File: " + files.input + "\n" + bad.message[0]);
        // The files were all opened, so the plot file exists (empty).
        EXPECT_TRUE(fs::exists(files.plot));
    }
}

TEST(RunDriver, FaultKeepsTheEchoUpToTheLastCompleteRecord) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    // The stiffness block is cut: the layer echo stands, the stiffness table does not.
    std::string text = ReadFile(kExample);
    text = text.substr(0, text.find("7.972E8 720"));
    WriteFile(files.input, text);
    CapturedRun run;
    EXPECT_EQ(run.run(files), 3);
    const std::string report = ReadFile(files.report);
    EXPECT_NE(report.find("  Driven Pile in Sand   "), std::string::npos);
    EXPECT_NE(report.find("UNIT TIP"), std::string::npos);
    EXPECT_EQ(report.find("AE PILE"), std::string::npos);
}

// A zero axial stiffness cannot be solved: it stops the run as an input error right after
// the pile line, before any curve is generated.
TEST(RunDriver, ZeroAxialStiffnessIsAnInputError) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    std::string text = ReadFile(kExample);
    const std::size_t at = text.find("7.972E8 720");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 7, "0");
    WriteFile(files.input, text);
    CapturedRun run;
    EXPECT_EQ(run.run(files), 3);
    const std::string report = ReadFile(files.report);
    EXPECT_NE(report.find("**** FATAL INPUT ERROR ****"), std::string::npos);
    EXPECT_EQ(report.find("INTERNALLY GENERATED T-Z CURVES"), std::string::npos);
    EXPECT_NE(run.store.diagnostic.find("AE"), std::string::npos) << run.store.diagnostic;
}

TEST(RunDriver, MissingInputFile) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
    EXPECT_FALSE(fs::exists(files.input)); // never created
    EXPECT_FALSE(fs::exists(files.plot));
    const std::vector<std::string> expected = {"",
                                               "",
                                               " **** FILE ERROR ****",
                                               " File: " + files.input,
                                               " The input data file could not be opened or read.",
                                               " The analysis was stopped."};
    EXPECT_EQ(Tail(ReadFile(files.report), expected.size()), expected);
    // Without the input no computation starts.
    EXPECT_EQ(run.console.str(), kConsoleStart);
}

TEST(RunDriver, InputThatIsAFolder) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    files.input = dir.path().string();
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
}

TEST(RunDriver, ReportInAMissingFolder) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    files.report = dir.file("no-such-folder/pile.dv4o");
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
    EXPECT_EQ(run.store.diagnostic, "File: " + files.report +
                                        "\nThe report file could not be created: No such file or "
                                        "directory.");
    // The message goes to the console instead, and nothing else is written.
    EXPECT_EQ(run.console.str(),
              kConsoleStart + " File: " + files.report +
                  "\n The report file could not be created: No such file or directory.\n");
    EXPECT_FALSE(fs::exists(files.plot));
    EXPECT_FALSE(fs::exists(files.notes));
}

TEST(RunDriver, PlotFileInAMissingFolder) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    files.plot = dir.file("no-such-folder/pile.dv4p");
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
    const std::vector<std::string> expected = {" **** FILE ERROR ****", " File: " + files.plot,
                                               " The plot data file could not be created: No "
                                               "such file or directory.",
                                               " The analysis was stopped."};
    EXPECT_EQ(Tail(ReadFile(files.report), expected.size()), expected);
}

TEST(RunDriver, EmptyReportNameIsAFileError) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    files.report.clear();
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
    EXPECT_NE(run.store.diagnostic.find("(no name given)"), std::string::npos);
}

TEST(RunDriver, ReportThatCannotBeWrittenIsNotASuccess) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that is always full";
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    // The null device takes the report (a way of throwing it away); other devices are not
    // outputs.
    files.report = "/dev/null";
    EXPECT_EQ(CapturedRun().run(files), 0);
    files.report = "/dev/full";
    CapturedRun run;
    EXPECT_EQ(run.run(files), 2);
    EXPECT_EQ(run.store.diagnostic, "File: /dev/full\nThe report file could not be created: Not "
                                    "a regular file (a device, pipe or socket).");
}

TEST(RunDriver, ParallelRunsAreIndependent) {
    // Two projects analysed at once give the reports they give one after the other.
    TempDir dir;
    RunFiles a = FilesIn(dir, "a");
    RunFiles b = FilesIn(dir, "b");
    WriteFile(a.input, ReadFile(kExample));
    WriteFile(b.input, "Other\r\n20 1 2\r\n2 2 \r\n1\r\n1 0 2\r\n0 0\r\n10 0.01\r\n"
                       "2\r\n0 0\r\n500 0.05\r\n2\r\n2E6 0\r\n2E6 15\r\n"
                       "1E-5 15 0 0.6 0.28\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    CapturedRun sequentialA, sequentialB;
    ASSERT_EQ(sequentialA.run(a), 0);
    ASSERT_EQ(sequentialB.run(b), 0);
    const std::string reportA = ReadFile(a.report);
    const std::string reportB = ReadFile(b.report);
    for (int round = 0; round < 5; ++round) {
        CapturedRun parallelA, parallelB;
        std::thread first([&] { parallelA.run(a); });
        std::thread second([&] { parallelB.run(b); });
        first.join();
        second.join();
        EXPECT_EQ(parallelA.code, 0);
        EXPECT_EQ(parallelB.code, 0);
        EXPECT_EQ(ReadFile(a.report), reportA);
        EXPECT_EQ(ReadFile(b.report), reportB);
    }
}

TEST(RunDriver, ResultCodeMeanings) {
    EXPECT_STREQ(ResultCodeMeaning(0), "run completed");
    EXPECT_STREQ(ResultCodeMeaning(2), "a file could not be opened or written");
    EXPECT_STREQ(ResultCodeMeaning(3), "fatal input error");
    EXPECT_STREQ(ResultCodeMeaning(42), "unknown result code");
    for (int code = 0; code <= 9; ++code) {
        EXPECT_STRNE(ResultCodeMeaning(code), "unknown result code") << code;
    }
}

} // namespace
} // namespace dorvek
