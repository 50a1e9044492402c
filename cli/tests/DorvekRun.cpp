// dorvek-run as a user calls it: result lines, exit status, output files and help.

#include "cli/tests/CliTestSupport.h"

#include <fstream>
#include <string>

namespace {

using namespace dorvek::test;

const fs::path kExample = kExamples / "driven-pile-clay-over-sand.dv4d";

// Standard error is discarded: the result lines on standard output are checked.
class DorvekRun : public CliTest {
protected:
    fs::path example() { return write("example.dv4d", ReadBytes(kExample)); }
};

TEST_F(DorvekRun, ExampleRunsAndWritesItsFilesBesideTheInput) {
    const fs::path input = example();
    Output out = RunProgram(Quote(input));
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.text, input.string() + ": result 0, run completed\n");
    EXPECT_TRUE(fs::exists(dir_ / "example.dv4o"));
    EXPECT_TRUE(fs::exists(dir_ / "example.dv4p"));
    EXPECT_TRUE(fs::exists(dir_ / "example.dv4r"));
}

TEST_F(DorvekRun, SummaryNamesTheReportAndPlotFiles) {
    const fs::path input = example();
    Output out = RunProgram("--summary " + Quote(input));
    EXPECT_EQ(out.status, 0);
    EXPECT_NE(out.text.find("  Report:    " + (dir_ / "example.dv4o").string() + "\n"),
              std::string::npos);
    EXPECT_NE(out.text.find("  Plot data: " + (dir_ / "example.dv4p").string() + "\n"),
              std::string::npos);
    EXPECT_NE(out.text.find("Load-settlement summary"), std::string::npos);
}

// Letters of several scripts (outside any one ANSI code page on Windows) and blanks in the
// names of the project and of the table.
TEST_F(DorvekRun, NamesWithLettersOfAnyScriptAndBlanks) {
    const fs::path input = dir_ / u8"Pfahl Łódź 東京 1.dv4d";
    std::ofstream(input, std::ios::binary) << ReadBytes(kExample);
    const fs::path table = dir_ / u8"Tabelle ž ψ.csv";
    const Output out = RunProgram("--summary --table " + Quote(table) + " " + Quote(input));
    EXPECT_EQ(out.status, 0) << out.text;
    EXPECT_EQ(out.text.find(input.string() + ": result 0, run completed\n"), 0u) << out.text;
    fs::path report = input;
    report.replace_extension(".dv4o");
    EXPECT_NE(out.text.find("  Report:    " + report.string() + "\n"), std::string::npos);
    // The report's file block names the project.
    EXPECT_NE(ReadBytes(report).find(input.stem().string()), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(input).replace_extension(".dv4p")));
    EXPECT_NE(ReadBytes(table).find(input.string() + ",0,"), std::string::npos);
    // The project read again for the graphs, written into a folder of such a name.
    const fs::path graphs = dir_ / u8"Grafiken ψ";
    const Output csv = RunProgram("--no-run --graphs-csv " + Quote(graphs) + " " + Quote(input));
    EXPECT_EQ(csv.status, 0) << csv.text;
    EXPECT_TRUE(fs::exists(graphs / "Load_Distribution.csv")) << csv.text;
}

TEST_F(DorvekRun, MissingFileIsAFileError) {
    const fs::path input = dir_ / "absent.dv4d";
    Output out = RunProgram(Quote(input));
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.text.rfind(input.string() + ": result 2, a file could not be opened or "
                                              "written\n",
                             0),
              0u);
    EXPECT_NE(out.text.find("The input data file could not be opened or read."), std::string::npos);
    EXPECT_FALSE(fs::exists(input));
}

TEST_F(DorvekRun, LettersWhereANumberIsExpected) {
    const fs::path input = write("letters.dv4d", "Title\r\nfifty 0 1\r\n");
    Output out = RunProgram(Quote(input));
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.text, input.string() + ": result 3, fatal input error\n" +
                            "    File: " + input.string() + "\n" +
                            "    Line 2: expected an integer (number of pile "
                            "increments), found \"fifty\".\n");
}

TEST_F(DorvekRun, OneLinePerFileAndFailureIfAnyFailed) {
    const fs::path good = example();
    const fs::path bad = write("empty.dv4d", "");
    Output out = RunProgram(Quote(bad) + " " + Quote(good));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find(bad.string() + ": result 3, fatal input error\n"), std::string::npos);
    EXPECT_NE(out.text.find(good.string() + ": result 0, run completed\n"), std::string::npos);
}

TEST_F(DorvekRun, OutputFileIsNotTakenAsInput) {
    const fs::path report = write("old.dv4o", "report text");
    Output out = RunProgram(Quote(report));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("not run"), std::string::npos);
    std::ifstream in(report);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "report text");
}

TEST_F(DorvekRun, HelpExplainsFilesAndCodes) {
    Output out = RunProgram("--help");
    EXPECT_EQ(out.status, 0);
    for (const char* text : {".dv4d", ".dv4o", ".dv4p", ".dv4r", "--summary", "0  run completed",
                             "2  a file could not be opened or written", "3  fatal input error"}) {
        EXPECT_NE(out.text.find(text), std::string::npos) << text;
    }
}

TEST_F(DorvekRun, NoFileIsAUsageError) {
    Output out = RunProgram("");
    EXPECT_NE(out.status, 0);
}

} // namespace
