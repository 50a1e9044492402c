#include "gui/app/About.h"
#include "gui/app/tests/support/WindowFixture.h"
#include "model/workspace/FileNames.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QThread>
#include <QToolBar>
#include <QUrl>

#include <fstream>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {
enum Menu { File, Data, Options, Computation, Graphics, Window, Help };

QStringList Captions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (a->isVisible()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
} // namespace

TEST(MainWindow, StartWithFileArgumentOpensItAndEnablesResultCommands) {
    TWindowFixture f;
    const std::string project = f.Dir.Touch("pile1.dv4d");
    f.Dir.Touch("pile1.dv4p");
    f.Dir.Touch("pile1.dv4o");
    f.Dir.Touch("pile1.dv4g");
    // Without extension: ".dv4d" is appended.
    f.Form->Startup({f.Dir.File("pile1")});

    ASSERT_EQ(f.Log.Loads.size(), 1u);
    EXPECT_EQ(f.Log.Loads[0], std::make_pair(project, 1));
    EXPECT_EQ(f.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - Pile1.dv4d");
    ASSERT_EQ(f.Log.PlotReads.size(), 1u);
    EXPECT_FALSE(f.Log.PlotReads[0].second); // read silently when opening
    EXPECT_EQ(f.Log.SettingsRead, std::vector<std::string>{project});
    EXPECT_TRUE(f.Controller().Project().ShowOutput);
    EXPECT_EQ(f.Controller().RecentFiles().PrevFile()[0], project);
    EXPECT_EQ(std::filesystem::current_path(), f.Dir.Path());

    for (C c : {C::PlotLoad, C::PlotDisp, C::PlotAxial, C::PlotTz, C::PlotQw, C::EditOutputText})
        EXPECT_TRUE(f.ToolEnabled(c)) << static_cast<int>(c);
    for (C c : {C::PlotDispDown, C::PlotLoadLoads, C::DataTzCurves, C::DataTipMovements})
        EXPECT_FALSE(f.ToolEnabled(c)) << static_cast<int>(c);

    f.OpenMenu(Graphics);
    EXPECT_TRUE(f.MenuEnabled(C::ExportPlots));
    EXPECT_FALSE(f.MenuEnabled(C::PlotAxialLoads));
    f.OpenMenu(Computation);
    EXPECT_TRUE(f.MenuEnabled(C::EditInputText));
    EXPECT_TRUE(f.MenuEnabled(C::EditOutputText));
    EXPECT_FALSE(f.MenuEnabled(C::EditRunNotes));
    EXPECT_TRUE(f.Form->MenuAction(C::ViewSoilProfile)->isVisible());
    EXPECT_TRUE(f.Messages.Shown.empty());
}

TEST(MainWindow, MissingOrForeignArgumentStartsNewProject) {
    for (const char* arg : {"pile2", "notes.txt"}) {
        TWindowFixture f;
        f.Dir.Touch("notes.txt");
        f.Form->Startup({f.Dir.File(arg)});
        EXPECT_TRUE(f.Log.Loads.empty());
        EXPECT_EQ(f.Log.News, 1);
        EXPECT_EQ(f.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - NewDORVEK.dv4d");
        EXPECT_FALSE(f.ToolEnabled(C::PlotLoad));
        EXPECT_FALSE(f.ToolEnabled(C::EditOutputText));
    }
}

TEST(MainWindow, EveryMenuItemIsThere) {
    TWindowFixture f;
    f.Form->Startup({});
    QStringList tops;
    for (QMenu* m : f.Form->TopMenus()) tops << m->title();
    EXPECT_EQ(tops, QStringList({"&File", "Da&ta", "&Options", "&Computation", "&Graphics",
                                 "&Window", "&Help"}));
    EXPECT_EQ(Captions(f.OpenMenu(File)),
              QStringList({"&New", "&Open...", "&Save", "Save &As...", "-", "E&xit"}));
    EXPECT_EQ(f.Form->MenuAction(C::FileNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(f.Form->MenuAction(C::FileOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(f.Form->MenuAction(C::FileSave)->shortcut(), QKeySequence("Ctrl+S"));
    // Ten data items, then a separator and the measured load-settlement curves.
    EXPECT_EQ(Captions(f.OpenMenu(Data)).size(), 12);
    EXPECT_EQ(Captions(f.OpenMenu(Data)).back(), "&Measured Load-Settlement Curves...");
    EXPECT_EQ(Captions(f.OpenMenu(Options)),
              QStringList({"&Units", "t-z &Curves", "&Q-w Curve", "Load Method",
                           "Include &Down-Drag (negative Skin Friction)",
                           "Apply Modification Factors on t-z Curves",
                           "Apply Modification Factors on Q-w Curve", "-",
                           "Selection of Text &Editor ...", "Show the Report after Each &Run"}));
    EXPECT_EQ(Captions(f.OpenMenu(Graphics)).size(), 12);
    EXPECT_EQ(Captions(f.OpenMenu(Window)), QStringList({"&Cascade", "&Tile", "&Arrange Icons"}));
    EXPECT_EQ(Captions(f.OpenMenu(Help)), QStringList({"User's Manual", "Technical Manual", "-",
                                                       "&About...", "Check for Updates"}));

    QStringList hints;
    for (QAction* a : f.Form->ToolBar()->actions())
        if (!a->isSeparator()) {
            EXPECT_EQ(a->toolTip(), a->text());
            hints << a->text();
        }
    EXPECT_EQ(hints.size(), 26);
    EXPECT_EQ(hints.front(), "New File");
    EXPECT_EQ(hints.back(), "View Load vs Settlement (Applied Loads)");
    EXPECT_GE(f.Form->width(), f.Form->height() * 5 / 4);
}

TEST(MainWindow, OptionsChangeToolbarAndCheckMarksButNotTheChangedFlag) {
    TWindowFixture f;
    f.Form->Startup({});
    EXPECT_FALSE(f.ToolEnabled(C::DataSettlement));
    f.Controller().ToggleDowndrag();
    EXPECT_TRUE(f.ToolEnabled(C::DataSettlement));
    f.Controller().SetLoadMethod(2);
    EXPECT_TRUE(f.ToolEnabled(C::DataPileHeadLoads));
    f.Controller().SetUserTz(true);
    f.Controller().SetUserQw(true);
    EXPECT_FALSE(f.ToolEnabled(C::DataSoilLayers));
    f.OpenMenu(Computation);
    EXPECT_FALSE(f.Form->MenuAction(C::ViewSoilProfile)->isVisible());
    f.Controller().SetUnits(2);
    f.OpenMenu(Options);
    const QStringList checked = [&] {
        QStringList out;
        for (QMenu* sub : f.Form->TopMenus()[Options]->findChildren<QMenu*>())
            for (QAction* a : sub->actions())
                if (a->isChecked()) out << a->text();
        for (QAction* a : f.Form->TopMenus()[Options]->actions())
            if (a->isChecked()) out << a->text();
        return out;
    }();
    EXPECT_TRUE(checked.contains("&S.I. Units (kN, m)"));
    EXPECT_TRUE(checked.contains("User-Specified &Loads at Pile Head"));
    EXPECT_TRUE(checked.contains("Include &Down-Drag (negative Skin Friction)"));
    EXPECT_FALSE(checked.contains("Apply Modification Factors on t-z Curves"));
    EXPECT_EQ(checked.count("Entered by the user"), 2);
    EXPECT_FALSE(f.Controller().Project().Changed());
}

TEST(MainWindow, SavePromptThreeAnswers) {
    TWindowFixture f;
    const std::string project = f.Dir.Touch("p.dv4d");
    f.Form->Startup({project});
    // Cancel: nothing happens.
    f.Controller().Project().SetChanged();
    f.Messages.Answers = {TAnswer::Cancel};
    f.Controller().New();
    EXPECT_EQ(f.Data().FileName, project);
    EXPECT_TRUE(f.Controller().Project().Changed());
    EXPECT_EQ(f.Messages.Texts("question"),
              std::vector<std::string>{"Do you want to save any changes?"});
    // No: the changes are dropped.
    f.Messages.Answers = {TAnswer::No};
    f.Controller().New();
    EXPECT_EQ(f.Data().FileName, "NewDORVEK.dv4d");
    EXPECT_TRUE(f.Log.Saves.empty());
    // Yes on a named project: saved, then replaced.
    f.Controller().OpenFileName(project, 1);
    f.Controller().Project().SetChanged();
    f.Messages.Answers = {TAnswer::Yes};
    f.Controller().New();
    EXPECT_EQ(f.Log.Saves, std::vector<std::string>{project});
    EXPECT_EQ(f.Data().FileName, "NewDORVEK.dv4d");
    // Yes on the unnamed project with Save As cancelled: the command stops.
    f.Controller().Project().SetChanged();
    f.Messages.Answers = {TAnswer::Yes};
    f.Messages.SaveChoices = {std::nullopt};
    const int news = f.Log.News;
    f.Controller().New();
    EXPECT_EQ(f.Log.News, news);
    EXPECT_TRUE(f.Controller().Project().Changed());
    // Unchanged: no question at all.
    f.Controller().Project().ClearChanged();
    f.Controller().New();
    EXPECT_EQ(f.Messages.Texts("question").size(), 4u);
}

TEST(MainWindow, CancelledSaveAsOfOlderFileKeepsTheChanges) {
    TWindowFixture f;
    f.Form->Startup({f.Dir.Touch("old.dv3d")});
    f.Controller().Project().SetChanged();
    f.Messages.Answers = {TAnswer::Yes};
    f.Messages.SaveChoices = {std::nullopt};
    f.Controller().New();
    EXPECT_EQ(f.Data().FileName, f.Dir.File("old.dv3d"));
    EXPECT_TRUE(f.Controller().Project().Changed());
}

TEST(MainWindow, SaveOfOlderGenerationGoesThroughSaveAs) {
    TWindowFixture f;
    f.Form->Startup({f.Dir.Touch("old.dv3d")});
    EXPECT_EQ(f.Log.Loads.back().second, 2);
    f.Messages.SaveChoices = {TFileChoice{f.Dir.File("renamed"), 1}};
    f.Form->Execute(C::FileSave);
    ASSERT_EQ(f.Messages.Shown.size(), 1u);
    EXPECT_EQ(f.Messages.Shown[0].Kind, "save");
    EXPECT_EQ(f.Messages.Shown[0].Text, "Save Old.dv3d As");
    EXPECT_EQ(f.Messages.Shown[0].Detail,
              "DORVEK 2021(*.dv4d)|*.dv4d|All Files(*.*)|*.*\n" + f.Dir.File("old.dv4d"));
    // A name typed without extension gets ".dv4d".
    EXPECT_EQ(f.Log.Saves, std::vector<std::string>{f.Dir.File("renamed.dv4d")});
    EXPECT_EQ(f.Form->windowTitle().toStdString(), "DORVEK 2021.4.4 - Renamed.dv4d");
    EXPECT_EQ(f.Controller().RecentFiles().PrevFile()[0], f.Dir.File("renamed.dv4d"));
    // Now a current-format name of its own: saved in place.
    f.Form->Execute(C::FileSave);
    EXPECT_EQ(f.Log.Saves.size(), 2u);
    EXPECT_EQ(f.Messages.Shown.size(), 1u);
}

TEST(MainWindow, SaveFailureIsReportedAndKeepsChanges) {
    TWindowFixture f;
    f.Form->Startup({f.Dir.Touch("p.dv4d")});
    f.Controller().Project().SetChanged();
    f.Workspace->FailSave = true;
    f.Form->Execute(C::FileSave);
    EXPECT_EQ(f.Messages.Texts("information"), std::vector<std::string>{"disk full"});
    EXPECT_TRUE(f.Controller().Project().Changed());
}

TEST(MainWindow, OpenDialogFilterChoosesTheGeneration) {
    TWindowFixture f;
    f.Form->Startup({});
    f.Messages.OpenChoices = {TFileChoice{f.Dir.Touch("a.dvd"), 3}, std::nullopt};
    f.Form->Execute(C::FileOpen);
    ASSERT_EQ(f.Log.Loads.size(), 1u);
    EXPECT_EQ(f.Log.Loads[0].second, 3);
    EXPECT_EQ(f.Messages.Shown[0].Text, "Open");
    EXPECT_EQ(f.Messages.Shown[0].Detail,
              "DORVEK 2021 (*.dv4d)|*.dv4d|DORVEK 2014 (*.dv3d)|*.dv3d|DORVEK 2.0 (*.dvd)|*.dvd\n");
    f.Form->Execute(C::FileOpen); // cancelled
    EXPECT_EQ(f.Log.Loads.size(), 1u);
}

TEST(MainWindow, RecentFileItemsAndSettingsAtClose) {
    TWindowFixture f;
    f.Form->Startup({});
    std::filesystem::create_directories(f.Dir.Path() / "sub");
    f.Controller().OpenFileName(f.Dir.Touch("sub/b.dv4d"), 1);
    f.Controller().OpenFileName(f.Dir.Touch("a.dv4d"), 1);
    f.Controller().OpenFileName(f.Dir.File("sub/b.dv4d"), 1); // now in sub/
    f.OpenMenu(File);
    const auto& items = f.Form->RecentActions();
    EXPECT_EQ(items[0]->text().toStdString(), "1 b.dv4d");
    EXPECT_EQ(items[1]->text().toStdString(), "2 " + f.Dir.File("a.dv4d"));
    EXPECT_TRUE(items[1]->isVisible());
    EXPECT_FALSE(items[2]->isVisible());
    items[1]->trigger();
    EXPECT_EQ(f.Data().FileName, f.Dir.File("a.dv4d"));
    EXPECT_TRUE(f.Form->close());
    // The list survives in the settings.
    const TUserSettings stored = TSettings(f.Dir.File("settings.ini")).Read();
    EXPECT_EQ(stored.Files[0], f.Dir.File("a.dv4d"));
    EXPECT_EQ(stored.Files[1], f.Dir.File("sub/b.dv4d"));
}

TEST(MainWindow, CloseAsksAndCancelKeepsTheWindow) {
    TWindowFixture f;
    f.Form->Startup({f.Dir.Touch("p.dv4d")});
    f.Form->show();
    f.Controller().Project().SetChanged();
    f.Messages.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(f.Form->close());
    EXPECT_TRUE(f.Form->isVisible());
    f.Messages.Answers = {TAnswer::No};
    EXPECT_TRUE(f.Form->close());
}

TEST(MainWindow, DroppedFileOpensAfterThePrompt) {
    TWindowFixture f;
    f.Form->Startup({});
    f.Form->show();
    const std::string dropped = f.Dir.Touch("drop.dv3d");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped)),
                  QUrl::fromLocalFile(QString::fromStdString(f.Dir.Touch("second.dv4d")))});
    // The drop goes to the widget that accepted the drag.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Form.get(), &drop);
    ASSERT_EQ(f.Log.Loads.size(), 1u);
    EXPECT_EQ(f.Log.Loads[0], std::make_pair(dropped, 2));
}

namespace {
class TEditingChild : public QLabel, public TChildWindow {
public:
    int Commits = 0;
    void CommitEdits() override { ++Commits; }
};
} // namespace

TEST(MainWindow, ChildWindowsListedAndCommittedBeforeMenus) {
    TWindowFixture f;
    f.Form->Startup({});
    f.Form->show();
    auto* child = new TEditingChild;
    QMdiSubWindow* sub = f.Form->MdiArea()->addSubWindow(child);
    sub->setWindowTitle("Pile Properties");
    sub->show();
    f.Form->MdiArea()->setActiveSubWindow(sub);
    QMenu* window = f.OpenMenu(Window);
    EXPECT_EQ(Captions(window),
              QStringList({"&Cascade", "&Tile", "&Arrange Icons", "-", "Pile Properties"}));
    EXPECT_EQ(child->Commits, 1);
    f.OpenMenu(Data);
    EXPECT_EQ(child->Commits, 2);
    f.Form->ToolAction(C::DataTitle)->trigger();
    EXPECT_EQ(child->Commits, 3);
    // New closes every child window.
    f.Form->Execute(C::FileNew);
    QApplication::processEvents();
    EXPECT_TRUE(f.Form->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(Captions(f.OpenMenu(Window)), QStringList({"&Cascade", "&Tile", "&Arrange Icons"}));
}

TEST(MainWindow, TextEditorFailureIsReported) {
    TWindowFixture f;
    f.Form->Startup({f.Dir.Touch("p.dv4d")});
    f.Controller().SetWordProcessor("/nonexistent/editor");
    f.Form->Execute(C::EditInputText);
    // The message says why and where to choose another editor; the input file has no
    // window of its own to fall back on.
    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{
                  "An error occurred in running the Word Processor\nThe text editor "
                  "\"/nonexistent/editor\" could not be started (No such file or directory).\n"
                  "Choose another one with Options > Selection of Text Editor ..."});
    EXPECT_EQ(f.Form->ReportWindow(), nullptr);
    EXPECT_EQ(TSettings(f.Dir.File("settings.ini")).Read().WordProcessor, "/nonexistent/editor");
    // The file name reaches the program as one argument, with no shell in between.
    const std::string marker = f.Dir.File("argument-seen");
    // Written aside and renamed, so the marker never shows up empty on a busy machine.
    const std::string script =
        f.Dir.Touch("editor.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + marker + ".part' && mv '" +
                                     marker + ".part' '" + marker + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const std::string odd = f.Dir.Touch("a b;$(touch pwned).dv4o");
    f.Controller().SetWordProcessor(script);
    f.Controller().EditFile(odd);
    for (int i = 0; i < 100 && !std::filesystem::exists(marker); ++i) QThread::msleep(20);
    std::ifstream in(marker);
    std::string seen((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(seen, odd);
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "pwned"));
    EXPECT_EQ(f.Messages.Texts("information").size(), 1u);
}

TEST(MainWindow, AboutBoxTexts) {
    TAboutBox about;
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.ProductName->text(), "DORVEK 2021");
    EXPECT_EQ(about.Comments->text(),
              "A program for analysis of load vs. settlement for an axially "
              "loaded deep foundation with t-z curve method.");
    EXPECT_EQ(about.Version->text(), "Version 2021.4.4");
    EXPECT_FALSE(about.DateLabel->text().isEmpty());
}
