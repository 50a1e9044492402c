// The main window on the real project workspace: opening, saving, reading errors and the data
// check, with the project files of the program.

#include "gui/app/tests/support/RealWindow.h"
#include "model/workspace/FileNames.h"

#include <QAction>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

std::string Read(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A 2014-generation project: one clay layer, curve source as one integer, the pile line
// without head coordinate.
const char* OldProject = "Old pile\n"
                         "50 0 1\n"
                         "2\n"
                         "1\n"
                         "1 1 0.0 360\n"
                         "0.0318 3.47 0.0 0.01 3.47 31.2\n"
                         "0.0318 6.94 0.0 0.007 5.5 62.5\n"
                         "2\n"
                         "7.972E8 0\n"
                         "7.972E8 720\n"
                         "1E-5 720 18 254.469\n"
                         "0\n0\n0\n0\n0\n";

} // namespace

TEST(ProjectFiles, StartWithExampleShowsItsNameAndOptions) {
    TRealWindow w;
    const std::string file = w.CopyExample();
    w.Form->Startup({file.substr(0, file.size() - 5)}); // without ".dv4d"
    EXPECT_TRUE(w.Messages.Shown.empty());
    EXPECT_EQ(w.Form->windowTitle().toStdString(),
              "DORVEK 2021.4.4 - Driven-pile-clay-over-sand.dv4d");
    EXPECT_EQ(w.Project().Data().Title,
              "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand");
    EXPECT_EQ(w.Project().Data().Nloadmethod, 2);
    EXPECT_FALSE(w.Project().Changed());
    EXPECT_TRUE(w.Form->ToolAction(C::DataSoilLayers)->isEnabled());
    EXPECT_TRUE(w.Form->ToolAction(C::DataPileHeadLoads)->isEnabled());
    EXPECT_FALSE(w.Form->ToolAction(C::DataTipMovements)->isEnabled());
    EXPECT_FALSE(w.Form->ToolAction(C::DataTzCurves)->isEnabled());
    EXPECT_FALSE(w.Form->ToolAction(C::PlotLoad)->isEnabled()); // no results yet
    EXPECT_EQ(w.Project().Tables().TblTopload().RowCount(), 3);
}

TEST(ProjectFiles, SaveOfA2014ProjectGoesThroughSaveAs) {
    TRealWindow w;
    const std::string old = w.Dir.Touch("old.dv3d", OldProject);
    w.Form->Startup({old});
    ASSERT_TRUE(w.Messages.Shown.empty()) << w.Messages.Shown[0].Text;
    EXPECT_EQ(w.Project().Data().PLength, 720);
    w.Messages.SaveChoices = {TFileChoice{w.Dir.File("old.dv4d"), 1}};
    w.Form->Execute(C::FileSave);
    ASSERT_EQ(w.Messages.Texts("save"), std::vector<std::string>{"Save Old.dv3d As"});
    EXPECT_TRUE(w.Messages.Shown[0].Detail.ends_with(w.Dir.File("old.dv4d"))); // the preset
    const std::string saved = Read(w.Dir.File("old.dv4d"));
    EXPECT_EQ(saved.rfind("Old pile\r\n", 0), 0u); // the data file has CR LF line ends
    EXPECT_EQ(Read(old), OldProject);              // older generations are never written
    EXPECT_EQ(w.Project().Data().FileName, w.Dir.File("old.dv4d"));
    EXPECT_FALSE(w.Project().Changed());
    // The saved file opens again with the same data.
    w.Form->Controller().OpenFileName(w.Dir.File("old.dv4d"), 1);
    EXPECT_TRUE(w.Messages.Texts("information").empty());
    EXPECT_EQ(w.Project().Data().PLength, 720);
    EXPECT_EQ(w.Project().Tables().D2().RowCount(), 1);
}

TEST(ProjectFiles, ReadingErrorIsShownAndTheWindowCarriesOn) {
    TRealWindow w;
    const std::string cut = w.Dir.Touch("cut.dv4d", "Cut pile\n50 0 1\n1 1\n");
    w.Form->Startup({cut});
    EXPECT_EQ(w.Messages.Texts("information"),
              std::vector<std::string>{"This file either invalid or incomplete."});
    EXPECT_EQ(w.Project().Data().FileName, cut);
    EXPECT_EQ(w.Project().Data().Title, "Cut pile");
    EXPECT_EQ(w.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - Cut.dv4d");
    EXPECT_GE(w.Project().Tables().TblAE2().RowCount(), 2);
}

TEST(ProjectFiles, DataCheckUsesTheTables) {
    TRealWindow w;
    w.Form->Startup({w.CopyExample()});
    TProgramData& d = w.Project().Data();
    d.Nloadmethod = 1;
    d.UserQw = true;
    TInputTables& t = w.Project().Tables();
    t.TblTipMove().SetRowCount(3);
    t.TblTipMove().SetFloatValue(0, 0, 0.1L);
    t.TblTipMove().SetFloatValue(0, 1, 0.2L);
    t.TblTipMove().SetFloatValue(0, 2, 0.75L);
    t.TblQwcurve2().SetRowCount(2);
    t.TblQwcurve2().SetFloatValue(1, 0, 0.0L);
    t.TblQwcurve2().SetFloatValue(1, 1, 0.5L);
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("warning"),
              std::vector<std::string>{
                  "Tip Movement entered (0.75)\n"
                  "is higher than largest displacement entered for user defined Q-w curve (0.5)\n"
                  "Please check tip movements defined (3) ."});
    EXPECT_TRUE(w.Messages.Texts("information").empty()); // stopped before the kernel
    EXPECT_FALSE(std::filesystem::exists(OutputFileOf(d.FileName)));
}

TEST(ProjectFiles, UnitSwitchConvertsTheProjectWithoutMarkingIt) {
    TRealWindow w;
    w.Form->Startup({w.CopyExample()});
    w.Form->Controller().SetUnits(2);
    EXPECT_NEAR(static_cast<double>(w.Project().Data().PLength), 720 / 39.37007874, 1e-9);
    EXPECT_EQ(w.Project().Data().fUnits, 2);
    EXPECT_FALSE(w.Project().Changed());
}
