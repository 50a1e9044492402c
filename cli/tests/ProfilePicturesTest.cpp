// dorvek-run --profile: the soil profile of each project as a PNG, SVG or PDF picture drawn
// without a display, with or without the analysis, named per project for several files.

#include "cli/tests/CliTestSupport.h"

#include <fstream>

#include <string>

namespace {

using namespace dorvek::test;

const fs::path kClayOverSand = kExamples / "driven-pile-clay-over-sand.dv4d";
const fs::path kSI = kExamples / "si-api-clay-over-sand-downdrag.dv4d";

unsigned BigEndian(const std::string& bytes, size_t at) {
    unsigned value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

class ProfilePictures : public CliTest {
protected:
    void SetUp() override {
#ifndef DORVEK_HAVE_PICTURES
        GTEST_SKIP() << "dorvek-run was built without pictures";
#endif
        CliTest::SetUp();
    }
};

TEST_F(ProfilePictures, EachKindWithoutAnalysis) {
    const fs::path project = copyExample(kClayOverSand);
    for (const char* name : {"p.png", "p.svg", "p.pdf"}) {
        const fs::path picture = dir_ / name;
        const Output out =
            RunProgram("--no-run --profile " + Quote(picture) + " " + Quote(project));
        EXPECT_EQ(out.status, 0) << name;
        EXPECT_EQ(out.text, picture.string() + "\n");
    }
    // Only pictures: nothing analysed.
    EXPECT_FALSE(fs::exists(dir_ / "driven-pile-clay-over-sand.dv4o"));
    const std::string png = ReadBytes(dir_ / "p.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian(png, 16), 1754u); // A4 landscape at 150 dpi
    EXPECT_EQ(BigEndian(png, 20), 1240u);
    const std::string svg = ReadBytes(dir_ / "p.svg");
    // The example's layers, in feet, with their soil methods.
    EXPECT_NE(svg.find("depth= 0 - 30; Clay"), std::string::npos);
    EXPECT_NE(svg.find("depth= 30 - 80; Sand"), std::string::npos);
    EXPECT_NE(svg.find("Driven Pile in Sand (Mosher)"), std::string::npos);
    EXPECT_NE(svg.find("Tip: 60 ft"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir_ / "p.pdf").substr(0, 5), "%PDF-");
}

TEST_F(ProfilePictures, WithTheAnalysis) {
    const fs::path project = copyExample(kSI);
    const Output out = RunProgram("-q --profile " + Quote(dir_ / "si.svg") + " " + Quote(project));
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "si-api-clay-over-sand-downdrag.dv4o"));
    const std::string svg = ReadBytes(dir_ / "si.svg");
    EXPECT_NE(svg.find("depth= 3 - 10; Sand"), std::string::npos);
    EXPECT_NE(svg.find("Tip: 6 m"), std::string::npos);
}

TEST_F(ProfilePictures, SeveralProjectsNamedEach) {
    const fs::path a = copyExample(kClayOverSand), b = copyExample(kSI);
    Output out = RunProgram("--no-run --profile " + Quote(dir_ / "profile.png") + " " + Quote(a) +
                            " " + Quote(b));
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "profile-driven-pile-clay-over-sand.png"));
    EXPECT_TRUE(fs::exists(dir_ / "profile-si-api-clay-over-sand-downdrag.png"));
    EXPECT_FALSE(fs::exists(dir_ / "profile.png"));
    out = RunProgram("--no-run --profile " + Quote(dir_ / "{name}.pdf") + " " + Quote(a) + " " +
                     Quote(b));
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "driven-pile-clay-over-sand.pdf"));
    EXPECT_TRUE(fs::exists(dir_ / "si-api-clay-over-sand-downdrag.pdf"));
}

TEST_F(ProfilePictures, BadTargetsAndProjects) {
    const fs::path project = copyExample(kClayOverSand);
    Output out = RunProgram("--no-run --profile " + Quote(dir_ / "p.bmp") + " " + Quote(project),
                            StandardError::Joined);
    EXPECT_EQ(out.status, 2);
    EXPECT_NE(out.text.find("the picture type is not known"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "p.bmp"));
    // A missing project fails; the other one is still drawn.
    out = RunProgram("--no-run --profile " + Quote(dir_ / "{name}.png") + " " +
                         Quote(dir_ / "missing.dv4d") + " " + Quote(project),
                     StandardError::Joined);
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("missing.dv4d: no such file"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir_ / "driven-pile-clay-over-sand.png"));
    // A folder that cannot be made (a file stands in its way); a missing one is created.
    std::ofstream(dir_ / "plain") << "x";
    out = RunProgram("--no-run --profile " + Quote(dir_ / "plain" / "p.png") + " " + Quote(project),
                     StandardError::Joined);
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.text.find("--profile"), std::string::npos);
    out = RunProgram("--no-run --profile " + Quote(dir_ / "none" / "p.png") + " " + Quote(project),
                     StandardError::Joined);
    EXPECT_EQ(out.status, 0) << out.text;
    EXPECT_TRUE(fs::exists(dir_ / "none" / "p.png"));
    // --no-run alone has nothing to do.
    EXPECT_EQ(RunProgram("--no-run " + Quote(project)).status, 2);
}

} // namespace
