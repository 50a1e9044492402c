// The main window on the real project workspace: opening, saving, reading errors and the data
// check, with the project files of the program.

#include "gui/app/tests/support/RealWindow.h"
#include "model/workspace/FileNames.h"

#include <QAction>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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
    // What was read is shown, as a new project: the file keeps what the project lacks.
    EXPECT_EQ(w.Messages.Texts("information"),
              std::vector<std::string>{std::string("This file either invalid or incomplete.\n") +
                                       PartialReadNote});
    EXPECT_EQ(w.Project().Data().FileName, "NewDORVEK.dv4d");
    EXPECT_TRUE(w.Project().Changed());
    EXPECT_EQ(w.Project().Data().Title, "Cut pile");
    EXPECT_EQ(w.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - NewDORVEK.dv4d");
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

namespace {

std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ProjectFiles, ADamagedFileIsNeverOverwritten) {
    // The six-layer example with one character of line 13 changed so that it is no number.
    TRealWindow w;
    const std::string file = w.CopyExample("english-six-soil-types.dv4d");
    std::string bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 952u);
    size_t line13 = 0;
    for (int i = 1; i < 13; ++i) line13 = bytes.find('\n', line13) + 1;
    ASSERT_EQ(bytes.substr(line13, 6), "0.0365");
    bytes[line13 + 2] = ',';
    std::ofstream(file, std::ios::binary) << bytes;

    w.Form->Startup({file});
    EXPECT_EQ(w.Messages.Texts("information"),
              std::vector<std::string>{std::string("Error on Line 13 Item 1\r"
                                                   "A floating point number was expected but "
                                                   "not found.\n") +
                                       PartialReadNote});
    EXPECT_EQ(w.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - NewDORVEK.dv4d");
    EXPECT_TRUE(w.Project().Changed());
    EXPECT_EQ(w.Project().Tables().D2().RowCount(), 6); // what was read is on screen
    EXPECT_EQ(w.Controller().RecentFiles().PrevFile()[0], file);

    // Ctrl+S asks for a new name; cancelled, nothing is written.
    ASSERT_EQ(w.Form->MenuAction(C::FileSave)->shortcut(), QKeySequence("Ctrl+S"));
    w.Messages.SaveChoices = {std::nullopt};
    w.Form->MenuAction(C::FileSave)->trigger();
    ASSERT_EQ(w.Messages.Texts("save").size(), 1u);
    EXPECT_EQ(w.Messages.Shown.back().Detail,
              "DORVEK 2021(*.dv4d)|*.dv4d|All Files(*.*)|*.*\nNewDORVEK.dv4d");
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_TRUE(w.Project().Changed());

    // Under a new name the part read is saved there; the damaged file stays as it was.
    const std::string recovered = w.Dir.File("recovered.dv4d");
    w.Messages.SaveChoices = {TFileChoice{recovered, 1}};
    w.Form->MenuAction(C::FileSave)->trigger();
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_TRUE(std::filesystem::exists(recovered));
    EXPECT_EQ(w.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - Recovered.dv4d");
    EXPECT_FALSE(w.Project().Changed());
}

TEST(ProjectFiles, AFailedSaveAsKeepsTheEarlierName) {
    TRealWindow w;
    const std::string file = w.CopyExample();
    w.Form->Startup({file});
    const std::string caption = w.Form->windowTitle().toStdString();
    w.Project().SetChanged();
    w.Messages.SaveChoices = {TFileChoice{w.Dir.File("no-such-folder/pile.dv4d"), 1}};
    w.Form->Execute(C::FileSaveAs);
    ASSERT_EQ(w.Messages.Texts("information").size(), 1u); // why it failed
    EXPECT_EQ(w.Project().Data().FileName, file);
    EXPECT_EQ(w.Form->windowTitle().toStdString(), caption);
    EXPECT_EQ(w.Controller().RecentFiles().PrevFile()[0], file);
    EXPECT_EQ(w.Controller().RecentFiles().NumberPrevFile(), 1);
    EXPECT_TRUE(w.Project().Changed());
    // A later Save writes the project under its own name again.
    w.Form->Execute(C::FileSave);
    EXPECT_FALSE(w.Project().Changed());
    EXPECT_EQ(w.Messages.Texts("information").size(), 1u);
}
