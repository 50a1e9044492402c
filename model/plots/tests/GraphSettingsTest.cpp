// The graph settings file: exact layout, the conditions for writing and reading, settings
// taken over only by graphs whose counts match, and files of the other down-drag setting.

#include "model/plots/GraphSettings.h"
#include "model/plots/tests/TempDir.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;
using test::WriteFile;

// Results as loading leaves them: lines and points in the kept graphs.
void Fill(TResultGraphs& g, int lines = 3, int points = 4) {
    for (TGraphPlot* plot : g.All()) {
        plot->List(TLineKind::Main).SetLineCount(lines);
        plot->List(TLineKind::Main).SetCount(points);
    }
    g.pltAxial.List(TLineKind::Main).SetLineCount(1);
    g.PltQW.List(TLineKind::Main).SetLineCount(1);
}

TEST(GraphSettingsTest, BlockLayoutLineByLine) {
    TGraphPlot plot;
    plot.Caption = "Load Distribution";
    plot.List(TLineKind::Main).SetLineCount(2);
    plot.List(TLineKind::Main).SetCount(3);
    EXPECT_EQ(GraphParamsText({&plot}), ":Plot Caption\n"
                                        "Load Distribution\n"
                                        "2 3   :LineCount, Count\n"
                                        "1 : Show Legend\n"
                                        "0 : Do not Show Soil Layers\n"
                                        "0 : Do not Show Wall Geometry\n"
                                        "1   :Markers Index\n"
                                        "10   :FontSize Index\n"
                                        "1   :LineWidth Index\n"
                                        ":Graph Title\n"
                                        "\n"
                                        "0 : User Caption on Bottom\n"
                                        ":Legend, Line 1\n"
                                        "Curve #1\n"
                                        ":Legend, Line 2\n"
                                        "Curve #2\n"
                                        "1 1 : Active, Visible, Line 1\n"
                                        "1 1 : Active, Visible, Line 2\n");
    plot.ShowLegend = false;
    plot.ShowLayers = true;
    plot.ShowWall = true;
    plot.Markers = 10;
    plot.SizeFont = 25;
    plot.WidthLine = 6;
    plot.UserCaption = "Pile 7, test load";
    plot.UserCaptionOnTop = true;
    plot.List(TLineKind::Main).Line(0).SetLineName("From Applied Loads    ");
    plot.List(TLineKind::Main).Line(1).SetLineName("two\nlines");
    plot.List(TLineKind::Main).Line(0).Active = false;
    plot.List(TLineKind::Main).Line(1).Visible = false;
    EXPECT_EQ(GraphParamsText({&plot}), ":Plot Caption\n"
                                        "Load Distribution\n"
                                        "2 3   :LineCount, Count\n"
                                        "0 : Do not Show Legend\n"
                                        "1 : Show Soil Layers\n"
                                        "1 : Show Wall Geometry\n"
                                        "10   :Markers Index\n"
                                        "25   :FontSize Index\n"
                                        "6   :LineWidth Index\n"
                                        ":Graph Title\n"
                                        "Pile 7, test load\n"
                                        "1 : User Caption on Top\n"
                                        ":Legend, Line 1\n"
                                        "From Applied Loads    \n"
                                        ":Legend, Line 2\n"
                                        "two lines\n"
                                        "0 1 : Active, Visible, Line 1\n"
                                        "1 0 : Active, Visible, Line 2\n");
}

TEST(GraphSettingsTest, LinesWithoutPointsWriteOnlyTheHeader) {
    TGraphPlot empty;
    empty.Caption = "t-z Curves";
    empty.List(TLineKind::Main).SetLineCount(4);
    TGraphPlot none;
    none.Caption = "Tip Resistance Curve";
    EXPECT_EQ(GraphParamsText({&empty, &none}),
              ":Plot Caption\nt-z Curves\n4 0   :LineCount, Count\n"
              ":Plot Caption\nTip Resistance Curve\n"
              "0 0   :LineCount, Count\n");
}

TEST(GraphSettingsTest, FileNamesBesideTheProject) {
    EXPECT_EQ(GraphSettingsFileName("/p/Pile.dv4d"), fs::path("/p/Pile.dv4g"));
    EXPECT_EQ(PlotDataFileName("/p/Pile.dv3d"), fs::path("/p/Pile.dv4p"));
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        project = dir / "Pile.dv4d";
        WriteFile(dir / "Pile.dv4p", "results");
    }
    fs::path Settings() const { return dir / "Pile.dv4g"; }

    test::TempDir dir;
    fs::path project;
};

TEST_F(SettingsFileTest, RenameHideDeactivateSaveAndReadBack) {
    TResultGraphs before;
    Fill(before);
    before.pltLoad.List(TLineKind::Main).Line(1).SetLineName("Tip movement 0.1 in");
    before.pltLoad.List(TLineKind::Main).Line(2).Visible = false;
    before.pltLoad.List(TLineKind::Main).Line(0).Active = false;
    before.pltLoad.UserCaption = "Test pile";
    before.pltLoad.AnyChange = true;
    before.PltQW.Markers = 3;
    before.PltQW.ShowLegend = false;
    before.PltQW.ShowLayers = true;
    before.PltQW.SizeFont = 20;
    before.PltQW.WidthLine = 4;
    before.PltQW.UserCaptionOnTop = true;
    before.pltDispDown.List(TLineKind::Main).Line(0).SetLineName("not kept without down-drag");

    ASSERT_TRUE(SaveGraphParams(before, project, true, 0));
    EXPECT_FALSE(before.pltLoad.AnyChange);
    EXPECT_FALSE(fs::exists(dir / "Pile.dv4g.tmp"));
    const std::string text = ReadFile(Settings());
    EXPECT_EQ(text.find("Displacement/Soil Settlement"), std::string::npos); // five blocks
    EXPECT_NE(text.find(":Plot Caption\nAxial Load vs Settlement\n1 4   :LineCount, Count\n"),
              std::string::npos);

    TResultGraphs after;
    Fill(after);
    ASSERT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Read);
    const TGraphPlot& load = after.pltLoad;
    EXPECT_EQ(load.List(TLineKind::Main).Line(1).LineName(), "Tip movement 0.1 in");
    EXPECT_FALSE(load.List(TLineKind::Main).Line(2).Visible);
    EXPECT_TRUE(load.List(TLineKind::Main).Line(2).Active);
    EXPECT_FALSE(load.List(TLineKind::Main).Line(0).Active);
    EXPECT_TRUE(load.List(TLineKind::Main).Line(0).Visible);
    EXPECT_EQ(load.UserCaption, "Test pile");
    // Default names come back as explicit names.
    EXPECT_EQ(load.List(TLineKind::Main).Line(0).fValueS, "Curve #1");
    EXPECT_FALSE(load.LimitActive);
    EXPECT_EQ(after.PltQW.Markers, 3);
    EXPECT_FALSE(after.PltQW.ShowLegend);
    EXPECT_TRUE(after.PltQW.ShowLayers);
    EXPECT_EQ(after.PltQW.SizeFont, 20);
    EXPECT_EQ(after.PltQW.WidthLine, 4);
    EXPECT_TRUE(after.PltQW.UserCaptionOnTop);
    // The graph outside the file is untouched.
    EXPECT_EQ(after.pltDispDown.List(TLineKind::Main).Line(0).fValueS, "");
    EXPECT_TRUE(after.pltDispDown.LimitActive);
    EXPECT_FALSE(after.pltLoad.AnyChange);

    // Saved again unchanged, the file is the same byte for byte.
    after.pltTZcurves.AnyChange = true;
    ASSERT_TRUE(SaveGraphParams(after, project, true, 0));
    EXPECT_EQ(ReadFile(Settings()), text);
}

TEST_F(SettingsFileTest, SixBlocksWithDownDrag) {
    TResultGraphs before;
    Fill(before);
    before.pltDispDown.List(TLineKind::Main).Line(2).SetLineName("Soil Settl. (measured)");
    before.pltDispDown.AnyChange = true;
    ASSERT_TRUE(SaveGraphParams(before, project, true, 1));
    size_t blocks = 0;
    const std::string text = ReadFile(Settings());
    for (size_t at = text.find(":Plot Caption"); at != std::string::npos;
         at = text.find(":Plot Caption", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 6u);
    TResultGraphs after;
    Fill(after);
    ASSERT_EQ(ReadGraphParams(after, project, true, 1), GraphParamsResult::Read);
    EXPECT_EQ(after.pltDispDown.List(TLineKind::Main).Line(2).LineName(), "Soil Settl. (measured)");
}

TEST_F(SettingsFileTest, ChangedCountsAreReadPastBlockByBlock) {
    TResultGraphs before;
    Fill(before);
    for (TGraphPlot* plot : before.SettingsGraphs(0)) {
        plot->Markers = 5;
        plot->List(TLineKind::Main).Line(0).SetLineName("saved");
    }
    before.pltLoad.AnyChange = true;
    ASSERT_TRUE(SaveGraphParams(before, project, true, 0));

    TResultGraphs after;
    Fill(after);
    after.pltLoad.List(TLineKind::Main).SetLineCount(4); // another number of curves
    after.pltTZcurves.List(TLineKind::Main).SetCount(9); // another number of points
    ASSERT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Read);
    EXPECT_EQ(after.pltLoad.Markers, 1);
    EXPECT_EQ(after.pltLoad.List(TLineKind::Main).Line(0).LineName(), "Curve #1");
    EXPECT_TRUE(after.pltLoad.LimitActive);
    EXPECT_EQ(after.pltTZcurves.Markers, 1);
    for (TGraphPlot* plot : {&after.pltDisp, &after.pltAxial, &after.PltQW}) {
        EXPECT_EQ(plot->Markers, 5) << plot->Caption;
        EXPECT_EQ(plot->List(TLineKind::Main).Line(0).LineName(), "saved");
    }
}

TEST_F(SettingsFileTest, ZeroCountsEndTheirBlock) {
    TResultGraphs before;
    Fill(before);
    before.pltLoad.List(TLineKind::Main).SetCount(0); // lines without points
    before.pltDisp.List(TLineKind::Main).SetLineCount(0);
    before.pltAxial.Markers = 2;
    before.pltAxial.AnyChange = true;
    ASSERT_TRUE(SaveGraphParams(before, project, true, 0));
    TResultGraphs after;
    Fill(after);
    after.pltLoad.List(TLineKind::Main).SetCount(0);
    after.pltDisp.List(TLineKind::Main).SetLineCount(0);
    ASSERT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Read);
    EXPECT_EQ(after.pltAxial.Markers, 2);
    EXPECT_TRUE(after.pltLoad.LimitActive);
}

TEST_F(SettingsFileTest, FileOfTheOtherDownDragSettingIsIgnored) {
    TResultGraphs before;
    Fill(before);
    for (TGraphPlot* plot : before.All()) {
        plot->Markers = 5;
        plot->AnyChange = true;
    }
    ASSERT_TRUE(SaveGraphParams(before, project, true, 0)); // five blocks
    TResultGraphs after;
    Fill(after);
    EXPECT_EQ(ReadGraphParams(after, project, true, 1), GraphParamsResult::Ignored);
    for (TGraphPlot* plot : after.All()) {
        EXPECT_EQ(plot->Markers, 1) << plot->Caption;
        EXPECT_TRUE(plot->LimitActive);
    }

    ASSERT_TRUE(SaveGraphParams(before, project, true, 1)); // six blocks
    EXPECT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Ignored);
    for (TGraphPlot* plot : after.All()) EXPECT_EQ(plot->Markers, 1) << plot->Caption;

    // A file that is no settings file at all.
    WriteFile(Settings(), "hello\nworld\n1 1\n");
    EXPECT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Ignored);
}

TEST_F(SettingsFileTest, WritingNeedsShownResultsThePlotFileAndAChange) {
    TResultGraphs g;
    Fill(g);
    EXPECT_FALSE(SaveGraphParams(g, project, true, 0)); // nothing changed
    g.pltDispDown.AnyChange = true;
    EXPECT_FALSE(SaveGraphParams(g, project, true, 0)); // not kept without down-drag
    g.pltLoadLoads.AnyChange = true;
    EXPECT_FALSE(SaveGraphParams(g, project, true, 0)); // never kept
    g.pltAxial.AnyChange = true;
    EXPECT_FALSE(SaveGraphParams(g, project, false, 0));           // results not shown
    EXPECT_FALSE(SaveGraphParams(g, dir / "Other.dv4d", true, 0)); // no plot file
    EXPECT_FALSE(fs::exists(Settings()));
    EXPECT_TRUE(g.pltAxial.AnyChange);
    EXPECT_TRUE(SaveGraphParams(g, project, true, 0));
    EXPECT_FALSE(g.pltAxial.AnyChange);
    EXPECT_TRUE(g.pltDispDown.AnyChange); // not one of the graphs written

    EXPECT_EQ(ReadGraphParams(g, project, false, 0), GraphParamsResult::NotRead);
    fs::remove(dir / "Pile.dv4p");
    EXPECT_EQ(ReadGraphParams(g, project, true, 0), GraphParamsResult::NotRead);
    WriteFile(dir / "Pile.dv4p", "results");
    fs::remove(Settings());
    EXPECT_EQ(ReadGraphParams(g, project, true, 0), GraphParamsResult::NotRead);
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile) {
    TResultGraphs g;
    Fill(g);
    g.pltLoad.AnyChange = true;
    WriteFile(Settings(), "old");
    fs::create_directory(dir / "Pile.dv4g.tmp"); // the temporary file cannot be made
    EXPECT_THROW(SaveGraphParams(g, project, true, 0), GraphSettingsError);
    EXPECT_EQ(ReadFile(Settings()), "old");
    EXPECT_TRUE(g.pltLoad.AnyChange);
}

TEST_F(SettingsFileTest, ShortOrDamagedFileEndsTheReadWithAnError) {
    TResultGraphs before;
    Fill(before);
    for (TGraphPlot* plot : before.All()) plot->Markers = 5;
    const std::string text = GraphParamsText(
        {&before.pltLoad, &before.pltDisp, &before.pltAxial, &before.pltTZcurves, &before.PltQW});
    // Cut inside the fourth block: the three blocks before it are taken over.
    const size_t fourth = text.find(":Plot Caption\nt-z Curves");
    WriteFile(Settings(), text.substr(0, fourth + 40));
    TResultGraphs after;
    Fill(after);
    try {
        ReadGraphParams(after, project, true, 0);
        FAIL() << "no error";
    } catch (const GraphSettingsError& e) {
        EXPECT_STREQ(e.what(), "This file either invalid or incomplete.");
    }
    EXPECT_EQ(after.pltAxial.Markers, 5);
    EXPECT_EQ(after.pltTZcurves.Markers, 1);

    // A number line without a number names its line.
    std::string bad = text;
    bad.replace(bad.find("5   :Markers Index"), 1, "x");
    WriteFile(Settings(), bad);
    try {
        ReadGraphParams(after, project, true, 0);
        FAIL() << "no error";
    } catch (const GraphSettingsError& e) {
        EXPECT_STREQ(e.what(), "Error on Line 7 Item 1\rAn integer was expected but not found.");
    }
}

TEST_F(SettingsFileTest, IndexesTheMenuDoesNotOfferAreNotTakenOver) {
    TResultGraphs before;
    Fill(before);
    before.pltLoad.Markers = 10;
    before.pltLoad.SizeFont = 40;
    before.pltLoad.WidthLine = 6;
    before.pltLoad.UserCaption = "kept";
    std::string text = GraphParamsText(
        {&before.pltLoad, &before.pltDisp, &before.pltAxial, &before.pltTZcurves, &before.PltQW});
    WriteFile(Settings(), text);
    TResultGraphs after;
    Fill(after);
    ASSERT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Read);
    EXPECT_EQ(after.pltLoad.Markers, 10);
    EXPECT_EQ(after.pltLoad.SizeFont, 40);
    EXPECT_EQ(after.pltLoad.WidthLine, 6);

    text.replace(text.find("10   :Markers Index"), 2, "7");
    text.replace(text.find("40   :FontSize Index"), 2, "0");
    text.replace(text.find("6   :LineWidth Index"), 1, "-3");
    WriteFile(Settings(), text);
    TResultGraphs damaged;
    Fill(damaged);
    ASSERT_EQ(ReadGraphParams(damaged, project, true, 0), GraphParamsResult::Read);
    EXPECT_EQ(damaged.pltLoad.Markers, 1);
    EXPECT_EQ(damaged.pltLoad.SizeFont, 10);
    EXPECT_EQ(damaged.pltLoad.WidthLine, 1);
    EXPECT_EQ(damaged.pltLoad.UserCaption, "kept"); // the rest of the block still counts
}

TEST_F(SettingsFileTest, WindowsLineEndsAreRead) {
    TResultGraphs before;
    Fill(before);
    before.pltAxial.List(TLineKind::Main).Line(0).SetLineName("head");
    std::string text = GraphParamsText(
        {&before.pltLoad, &before.pltDisp, &before.pltAxial, &before.pltTZcurves, &before.PltQW});
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile(Settings(), crlf);
    TResultGraphs after;
    Fill(after);
    ASSERT_EQ(ReadGraphParams(after, project, true, 0), GraphParamsResult::Read);
    EXPECT_EQ(after.pltAxial.List(TLineKind::Main).Line(0).LineName(), "head");
}

} // namespace
} // namespace dorvek
