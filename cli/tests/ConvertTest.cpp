// dorvek-run --convert: projects of every generation brought to the current form.

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
const fs::path kExamples = fs::path(DORVEK_SOURCE_DIR) / "examples";

struct Output {
    int status = -1;
    std::string text; // standard output and standard error
};

Output RunProgram(const std::string& arguments) {
    Output out;
    FILE* pipe = popen((kProgram + " " + arguments + " 2>&1").c_str(), "r");
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

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The example project in the 2014 form: one method switch, six-value property lines (unit
// weight, strength, -, e50 for clay; unit weight, -, angle, blow count for sand; then side
// friction and tip resistance) and the pile line without the head coordinate.
const std::string kExample2014 =
    "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand\r\n"
    "50 0 1\r\n"
    "2\r\n"
    "2\r\n"
    "1 1 0.0 360\r\n"
    "2 2 360 960\r\n"
    "0.0318 3.47 0 0.01 3.47 31.2\r\n"
    "0.0318 6.94 0 0.007 5.5 62.5\r\n"
    "0.0365 0 36 30 6 1000\r\n"
    "0.0365 0 38 45 11.5 1400\r\n"
    "2\r\n"
    "7.972E8 0\r\n"
    "7.972E8 720\r\n"
    "1E-5 720 18 254.469\r\n"
    " 0\r\n"
    "3\r\n"
    "100000\r\n"
    "200000\r\n"
    "300000\r\n"
    " 0\r\n"
    " 0\r\n"
    " 0\r\n";

class DorvekConvert : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("dorvek-convert-" +
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
    fs::path dir_;
};

TEST_F(DorvekConvert, EveryExampleIsReproducedByteForByte) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".dv4d") continue;
        ++examples;
        const fs::path output = dir_ / entry.path().filename();
        Output out = RunProgram("--convert " + Quote(entry.path()) + " -o " + Quote(output));
        EXPECT_EQ(out.status, 0) << out.text;
        EXPECT_EQ(out.text, entry.path().string() + " -> " + output.string() + "\n");
        EXPECT_EQ(ReadBytes(output), ReadBytes(entry.path())) << entry.path();
    }
    EXPECT_GE(examples, 1);
}

TEST_F(DorvekConvert, OlderProjectBecomesTheCurrentFormAndAnalyses) {
    const fs::path old = write("pile.dv3d", kExample2014);
    Output out = RunProgram("--convert " + Quote(old));
    EXPECT_EQ(out.status, 0) << out.text;
    const fs::path converted = dir_ / "pile.dv4d";
    EXPECT_EQ(ReadBytes(converted), ReadBytes(kExamples / "driven-pile-clay-over-sand.dv4d"));
    EXPECT_EQ(ReadBytes(old), kExample2014);

    Output run = RunProgram("-q " + Quote(converted));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.text, converted.string() + ": result 0, run completed\n");
}

TEST_F(DorvekConvert, InputIsOverwrittenOnlyWithForce) {
    const std::string original = ReadBytes(kExamples / "driven-pile-clay-over-sand.dv4d");
    // Same content, spacing of an older writer: the conversion would change the file.
    std::string loose = original;
    loose.replace(loose.find("50 0 1"), 6, "50   0\t1");
    const fs::path input = write("p.dv4d", loose);

    Output refused = RunProgram("--convert " + Quote(input));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.text.find("--force"), std::string::npos) << refused.text;
    EXPECT_EQ(ReadBytes(input), loose);

    Output named = RunProgram("--convert " + Quote(input) + " -o " + Quote(dir_ / "." / "p.dv4d"));
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(ReadBytes(input), loose);

    Output forced = RunProgram("--convert " + Quote(input) + " --force");
    EXPECT_EQ(forced.status, 0) << forced.text;
    EXPECT_EQ(ReadBytes(input), original);
}

TEST_F(DorvekConvert, ReadingErrorPrintsTheReadersMessage) {
    const fs::path truncated = write("short.dv3d", kExample2014.substr(0, 120));
    Output out = RunProgram("--convert " + Quote(truncated));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("This file either invalid or incomplete."), std::string::npos)
        << out.text;
    EXPECT_FALSE(fs::exists(dir_ / "short.dv4d"));

    const fs::path letters = write("letters.dvd", "T\r\n50 x 1\r\n");
    out = RunProgram("--convert " + Quote(letters));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("Error on Line 2 Item 2\nAn integer was expected but not found."),
              std::string::npos)
        << out.text;
    EXPECT_FALSE(fs::exists(dir_ / "letters.dv4d"));
}

TEST_F(DorvekConvert, UsageErrors) {
    const fs::path text = write("notes.txt", "x");
    Output out = RunProgram("--convert " + Quote(text));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("not a project file"), std::string::npos) << out.text;

    out = RunProgram("--convert " + Quote(dir_ / "absent.dv3d"));
    EXPECT_EQ(out.status, 1);

    // -o and --force belong to the conversion; the conversion takes no analysis files.
    EXPECT_NE(RunProgram("-o " + Quote(dir_ / "x.dv4d")).status, 0);
    EXPECT_NE(RunProgram("--force").status, 0);
    const fs::path old = write("pile.dv3d", kExample2014);
    EXPECT_NE(RunProgram("--convert " + Quote(old) + " " + Quote(old)).status, 0);
    EXPECT_FALSE(fs::exists(dir_ / "pile.dv4d"));

    // An unwritable output is reported.
    out = RunProgram("--convert " + Quote(old) + " -o " + Quote(dir_ / "no" / "such.dv4d"));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("such.dv4d"), std::string::npos) << out.text;
}

TEST_F(DorvekConvert, HelpNamesTheConversion) {
    Output out = RunProgram("--help");
    EXPECT_EQ(out.status, 0);
    for (const char* text : {"--convert", "-o,--output", "--force", ".dv3d"})
        EXPECT_NE(out.text.find(text), std::string::npos) << text;
}

} // namespace
