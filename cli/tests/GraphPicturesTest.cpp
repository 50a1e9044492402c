// dorvek-run --graphs: pictures of every graph the program offers, drawn without a display.

#include "cli/tests/CliTestSupport.h"

#include <cstdint>

using namespace dorvek::test;

namespace {

class GraphPictures : public CliTest {
protected:
    fs::path copyExample(const std::string& name) {
        const fs::path project = dir_ / name;
        fs::copy_file(kExamples / name, project);
        return project;
    }
};

std::uint32_t BigEndian(const std::string& bytes, size_t at) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

size_t Count(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

#ifdef DORVEK_HAVE_PICTURES
#define SKIP_WITHOUT_PICTURES()
#else
#define SKIP_WITHOUT_PICTURES() GTEST_SKIP() << "dorvek-run was built without pictures"
#endif

TEST_F(GraphPictures, PngOfEveryOfferedGraphAtTheDefaultSize) {
    SKIP_WITHOUT_PICTURES();
    const fs::path project = copyExample("driven-pile-clay-over-sand.dv4d");
    const fs::path folder = dir_ / "pictures";
    const Output out = RunProgram("-q --graphs " + Quote(folder) + " " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    // This project loads by pile-head loads too: eight graphs.
    EXPECT_EQ(Count(out.text, ".png\n"), 8u) << out.text;
    const std::string png = ReadBytes(folder / "Load_Distribution.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian(png, 16), 1000u); // 10 in at 100 pixels per inch
    EXPECT_EQ(BigEndian(png, 20), 750u);
}

TEST_F(GraphPictures, SvgAndPdfAndOneFolderPerProject) {
    SKIP_WITHOUT_PICTURES();
    const fs::path a = copyExample("driven-pile-clay-over-sand.dv4d");
    const fs::path b = copyExample("si-api-clay-over-sand-downdrag.dv4d");
    const fs::path folder = dir_ / "svg";
    ASSERT_EQ(
        RunProgram("-q --graphs " + Quote(folder) + " --format svg " + Quote(a) + " " + Quote(b))
            .status,
        0);
    const std::string svg =
        ReadBytes(folder / "si-api-clay-over-sand-downdrag" / "Displacement_Soil_Settlement.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder / "driven-pile-clay-over-sand" / "t-z_Curves.svg"));

    const fs::path pdfs = dir_ / "pdf";
    ASSERT_EQ(
        RunProgram("-q --no-run --graphs " + Quote(pdfs) + " --format pdf " + Quote(a)).status, 0);
    const std::string pdf = ReadBytes(pdfs / "Tip_Resistance_Curve.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(Count(pdf, "/Type /Page") - Count(pdf, "/Type /Pages"), 1u);
}

// What the help and the options say agrees with what the build was made with.
TEST_F(GraphPictures, HelpAndOptionsTellWhetherPicturesAreDrawn) {
    const std::string help = RunProgram("--help").text;
    ASSERT_NE(help.find("--graphs DIR"), std::string::npos);
    const fs::path project = copyExample("driven-pile-clay-over-sand.dv4d");
#ifdef DORVEK_HAVE_PICTURES
    EXPECT_EQ(help.find("built without Qt"), std::string::npos);
#else
    // --graphs, --format, --size, --dpi, --palette, --legend and --profile.
    EXPECT_EQ(Count(help, "(not in this build: built without Qt)"), 7u) << help;
    for (const std::string& option :
         {"--graphs " + Quote(dir_ / "x"), "--profile " + Quote(dir_ / "p.png")}) {
        const Output out = RunProgram(option + " " + Quote(project), StandardError::Joined);
        EXPECT_EQ(out.status, 2) << option;
        EXPECT_NE(out.text.find(": this build has no picture output (built without Qt)"),
                  std::string::npos)
            << out.text;
    }
    // Refused before anything ran.
    EXPECT_FALSE(fs::exists(dir_ / "driven-pile-clay-over-sand.dv4o"));
#endif
}

TEST_F(GraphPictures, WrongUseIsRefused) {
    const fs::path project = copyExample("driven-pile-clay-over-sand.dv4d");
    EXPECT_NE(
        RunProgram("--graphs " + Quote(dir_ / "x") + " --format gif " + Quote(project)).status, 0);
    EXPECT_NE(RunProgram("--format svg " + Quote(project)).status, 0);
    // No plot data file yet and no run: nothing is written.
    EXPECT_NE(RunProgram("--no-run --graphs " + Quote(dir_ / "x") + " " + Quote(project)).status,
              0);
    EXPECT_FALSE(fs::exists(dir_ / "x" / "Load_Distribution.png"));
}

} // namespace

namespace {

TEST_F(GraphPictures, ReportSizeResolutionAndBadSizes) {
    SKIP_WITHOUT_PICTURES();
    const fs::path project = copyExample("si-api-clay-over-sand-downdrag.dv4d");
    const fs::path folder = dir_ / "report";
    const Output out = RunProgram("-q --graphs " + Quote(folder) +
                                  " --size 6.5x4.5 --dpi 300 --palette safe " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    const std::string png = ReadBytes(folder / "Axial_Load_vs_Settlement.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(BigEndian(png, 16), 1950u); // 6.5 in at 300 pixels per inch
    EXPECT_EQ(BigEndian(png, 20), 1350u);
    for (const char* bad : {"6.5", "0x4", "6.5x", "ax4", "6.5x4.5x2", "500x4"}) {
        const Output refused = RunProgram("-q --graphs " + Quote(dir_ / "bad") + " --size " + bad +
                                          " " + Quote(project));
        EXPECT_NE(refused.status, 0) << bad;
        EXPECT_FALSE(fs::exists(dir_ / "bad")) << bad;
    }
    EXPECT_NE(RunProgram("-q --graphs " + Quote(folder) + " --dpi 5 " + Quote(project)).status, 0);
    EXPECT_NE(
        RunProgram("-q --graphs " + Quote(folder) + " --legend nowhere " + Quote(project)).status,
        0);
}

TEST_F(GraphPictures, ProfileAndWorkbookCreateTheirFolders) {
    SKIP_WITHOUT_PICTURES();
    const fs::path project = copyExample("driven-pile-clay-over-sand.dv4d");
    const Output profile = RunProgram(
        "-q --profile " + Quote(dir_ / "pics" / "deeper" / "{name}.png") + " " + Quote(project));
    ASSERT_EQ(profile.status, 0) << profile.text;
    EXPECT_TRUE(fs::exists(dir_ / "pics" / "deeper" / "driven-pile-clay-over-sand.png"));
    const Output book =
        RunProgram("-q --xlsx " + Quote(dir_ / "newdir" / "w.xlsx") + " " + Quote(project));
    if (book.text.find("no spreadsheet export") != std::string::npos) return; // not built in
    ASSERT_EQ(book.status, 0) << book.text;
    EXPECT_TRUE(fs::exists(dir_ / "newdir" / "w.xlsx"));
}

} // namespace
