// dorvek-run as a user calls it: result lines, exit status, output files and help.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kProgram = std::string(DORVEK_BIN_DIR) + "/dorvek-run";
const std::string kExample =
    std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d";

struct Output {
    int status = -1;
    std::string text; // standard output
};

// Runs the program with `arguments` (already quoted); standard error is discarded.
Output RunProgram(const std::string& arguments) {
    Output out;
    FILE* pipe = popen((kProgram + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
    const int raw = pclose(pipe);
    out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

std::string Quote(const fs::path& path) {
    std::string text(1, '\'');
    text += path.string();
    text += '\'';
    return text;
}

class DorvekRun : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("dorvek-cli-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                std::to_string(counter++));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    fs::path example() {
        std::ifstream in(kExample, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return write("example.dv4d", text.str());
    }
    fs::path dir_;
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
