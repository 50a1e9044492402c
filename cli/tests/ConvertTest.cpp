// dorvek-run --convert: projects of every generation brought to the current form.

#include "cli/tests/CliTestSupport.h"

#include <string>

namespace {

using namespace dorvek::test;

// Standard error joined: the messages are checked.
Output RunJoined(const std::string& arguments) {
    return RunProgram(arguments, StandardError::Joined);
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

using DorvekConvert = CliTest;

TEST_F(DorvekConvert, EveryExampleIsReproducedByteForByte) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".dv4d") continue;
        ++examples;
        const fs::path output = dir_ / entry.path().filename();
        Output out = RunJoined("--convert " + Quote(entry.path()) + " -o " + Quote(output));
        EXPECT_EQ(out.status, 0) << out.text;
        EXPECT_EQ(out.text, entry.path().string() + " -> " + output.string() + "\n");
        EXPECT_EQ(ReadBytes(output), ReadBytes(entry.path())) << entry.path();
    }
    EXPECT_GE(examples, 1);
}

TEST_F(DorvekConvert, OlderProjectBecomesTheCurrentFormAndAnalyses) {
    const fs::path old = write("pile.dv3d", kExample2014);
    Output out = RunJoined("--convert " + Quote(old));
    EXPECT_EQ(out.status, 0) << out.text;
    const fs::path converted = dir_ / "pile.dv4d";
    EXPECT_EQ(ReadBytes(converted), ReadBytes(kExamples / "driven-pile-clay-over-sand.dv4d"));
    EXPECT_EQ(ReadBytes(old), kExample2014);

    Output run = RunJoined("-q " + Quote(converted));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.text, converted.string() + ": result 0, run completed\n");
}

TEST_F(DorvekConvert, InputIsOverwrittenOnlyWithForce) {
    const std::string original = ReadBytes(kExamples / "driven-pile-clay-over-sand.dv4d");
    // Same content, spacing of an older writer: the conversion would change the file.
    std::string loose = original;
    loose.replace(loose.find("50 0 1"), 6, "50   0\t1");
    const fs::path input = write("p.dv4d", loose);

    Output refused = RunJoined("--convert " + Quote(input));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.text.find("--force"), std::string::npos) << refused.text;
    EXPECT_EQ(ReadBytes(input), loose);

    Output named = RunJoined("--convert " + Quote(input) + " -o " + Quote(dir_ / "." / "p.dv4d"));
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(ReadBytes(input), loose);

    Output forced = RunJoined("--convert " + Quote(input) + " --force");
    EXPECT_EQ(forced.status, 0) << forced.text;
    EXPECT_EQ(ReadBytes(input), original);
}

TEST_F(DorvekConvert, ReadingErrorPrintsTheReadersMessage) {
    const fs::path truncated = write("short.dv3d", kExample2014.substr(0, 120));
    Output out = RunJoined("--convert " + Quote(truncated));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("This file either invalid or incomplete."), std::string::npos)
        << out.text;
    EXPECT_FALSE(fs::exists(dir_ / "short.dv4d"));

    const fs::path letters = write("letters.dvd", "T\r\n50 x 1\r\n");
    out = RunJoined("--convert " + Quote(letters));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("Error on Line 2 Item 2\nAn integer was expected but not found."),
              std::string::npos)
        << out.text;
    EXPECT_FALSE(fs::exists(dir_ / "letters.dv4d"));
}

TEST_F(DorvekConvert, UsageErrors) {
    const fs::path text = write("notes.txt", "x");
    Output out = RunJoined("--convert " + Quote(text));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("not a project file"), std::string::npos) << out.text;

    out = RunJoined("--convert " + Quote(dir_ / "absent.dv3d"));
    EXPECT_EQ(out.status, 1);

    // -o and --force belong to the conversion; the conversion takes no analysis files.
    EXPECT_NE(RunJoined("-o " + Quote(dir_ / "x.dv4d")).status, 0);
    EXPECT_NE(RunJoined("--force").status, 0);
    const fs::path old = write("pile.dv3d", kExample2014);
    EXPECT_NE(RunJoined("--convert " + Quote(old) + " " + Quote(old)).status, 0);
    EXPECT_FALSE(fs::exists(dir_ / "pile.dv4d"));

    // An unwritable output is reported.
    out = RunJoined("--convert " + Quote(old) + " -o " + Quote(dir_ / "no" / "such.dv4d"));
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("such.dv4d"), std::string::npos) << out.text;
}

TEST_F(DorvekConvert, HelpNamesTheConversion) {
    Output out = RunJoined("--help");
    EXPECT_EQ(out.status, 0);
    for (const char* text : {"--convert", "-o,--output", "--force", ".dv3d"})
        EXPECT_NE(out.text.find(text), std::string::npos) << text;
}

} // namespace
