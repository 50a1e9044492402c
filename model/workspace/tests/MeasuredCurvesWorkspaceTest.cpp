// The project's measured curves in the workspace: read with the project, saved beside it,
// counted as a change, converted with the units, and a damaged side file.
#include "model/tables/Table.h"
#include "model/workspace/ProjectWorkspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

class MeasuredWorkspace : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dorvek-measured-ws-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(fs::path(DORVEK_SOURCE_DIR) / "examples" / "driven-pile-clay-over-sand.dv4d",
                      dir_ / "pile.dv4d");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir_;
};

const char* kSideFile = "DORVEK MEASURED CURVES 1\r\nUNITS 1\r\nCURVE Test 1\r\n0 0\r\n"
                        "100000 0.1\r\n200000 0.35\r\n";

TEST_F(MeasuredWorkspace, ReadWithTheProjectAndSavedBesideIt) {
    Write("pile.dv4m", kSideFile);
    TProjectWorkspace w;
    EXPECT_FALSE(w.LoadFromFile((dir_ / "pile.dv4d").string(), 1));
    ASSERT_EQ(w.Measured().curves.size(), 1u);
    EXPECT_EQ(w.Measured().curves[0].name, "Test 1");
    EXPECT_FALSE(w.Changed());

    TMeasuredCurves more = w.Measured();
    more.curves.push_back({"Test 2", {{0, 0}, {50000, 0.02}}});
    w.SetMeasured(more);
    EXPECT_TRUE(w.Changed());
    w.Data().FileName = (dir_ / "copy.dv4d").string(); // Save As
    w.Save();
    EXPECT_FALSE(w.Changed());
    EXPECT_EQ(Read("copy.dv4m"), MeasuredFileText(more));
    EXPECT_EQ(Read("pile.dv4m"), kSideFile); // the original's side file stays

    // No curves: the side file goes.
    w.SetMeasured({});
    w.Save();
    EXPECT_FALSE(fs::exists(dir_ / "copy.dv4m"));
    EXPECT_TRUE(fs::exists(dir_ / "copy.dv4d"));
}

TEST_F(MeasuredWorkspace, CurvesFollowTheUnitsAndANewProjectHasNone) {
    Write("pile.dv4m", kSideFile);
    TProjectWorkspace w;
    w.LoadFromFile((dir_ / "pile.dv4d").string(), 1);
    w.SetUnits(2);
    ASSERT_EQ(w.Measured().units, 2);
    // 200000 lb = 889.64 kN, 0.35 in = 0.00889 m.
    EXPECT_NEAR(static_cast<double>(w.Measured().curves[0].points[2].load), 889.644, 1e-2);
    EXPECT_NEAR(static_cast<double>(w.Measured().curves[0].points[2].settlement), 0.00889, 1e-9);
    // Curves given in other units are taken into the project's.
    TMeasuredCurves english;
    english.units = 1;
    english.curves.push_back({"E", {{0, 0}, {1000, 1}}});
    w.SetMeasured(english);
    EXPECT_EQ(w.Measured().units, 2);
    EXPECT_NEAR(static_cast<double>(w.Measured().curves[0].points[1].settlement), 0.0254, 1e-9);
    w.CreateNew();
    EXPECT_TRUE(w.Measured().empty());
    EXPECT_FALSE(w.Changed());
}

TEST_F(MeasuredWorkspace, DamagedSideFileIsToldAndTheProjectStillOpens) {
    Write("pile.dv4m", "DORVEK MEASURED CURVES 1\r\nUNITS 1\r\nCURVE x\r\n0 0\r\n7 y\r\n");
    TProjectWorkspace w;
    const auto error = w.LoadFromFile((dir_ / "pile.dv4d").string(), 1);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, (dir_ / "pile.dv4m").string() +
                          ", line 5: the settlement \"y\" is not a number\n"
                          "The measured load-settlement curves were not read.");
    EXPECT_TRUE(w.Measured().empty());
    EXPECT_EQ(w.Data().Title, "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand");
    // Saving the project leaves the damaged file for the user to mend.
    const std::string damaged = Read("pile.dv4m");
    w.Save();
    w.Save();
    EXPECT_EQ(Read("pile.dv4m"), damaged);
}

} // namespace
} // namespace dorvek

namespace dorvek {
namespace {

// A workspace whose results were read in English units (kips on the graphs).
class ShownResults : public TProjectWorkspace {
public:
    void Show() {
        fGraphs.Summary.units = 1;
        fGraphs.Summary.tipMovements = {
            {100000, 0.2, 0.1, 0}, {200000, 0.5, 0.4, 0}, {300000, 1.2, 1, 0}};
        ShowOutput = true;
    }
};

TEST(MeasuredWorkspaceText, CapacitiesInTheUnitsOfTheResults) {
    ShownResults w;
    w.CreateNew();
    EXPECT_EQ(w.CapacityText(), "No results: run the analysis first.");
    w.Data().OD = 12;
    w.Data().PLength = 600;
    TGridTable& ae = w.Tables().TblAE2();
    ae.SetRowCount(2);
    ae.SetFloatValue(0, 0, 0);
    ae.SetFloatValue(1, 0, 6e8);
    ae.SetFloatValue(0, 1, 600);
    ae.SetFloatValue(1, 1, 6e8);
    w.Show();
    const std::string english = w.CapacityText();
    EXPECT_NE(english.find("D = 12 in, Davisson offset 0.25 in"), std::string::npos) << english;
    EXPECT_NE(english.find("Davisson offset limit:   175 kips at 0.425 in"), std::string::npos);
    // Switched to S.I. after the run: the results stay in kips and inches, and so does the text.
    w.SetUnits(2);
    EXPECT_EQ(w.CapacityText(), english);
}

} // namespace
} // namespace dorvek
