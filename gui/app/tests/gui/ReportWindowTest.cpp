// The report inside the program: the window after each run (real kernel), at the warning of a
// run that stopped, its find, copy and PDF, and the fall-back from a text editor that fails.

#include "gui/app/tests/support/RealWindow.h"
#include "model/workspace/FileNames.h"
#include "model/workspace/PreRunChecks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The report as the window shows it: lines ended by LF.
QString Shown(const std::string& file) {
    QString text = QString::fromStdString(Read(file));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The driven-pile example with its sand layer ending at 480 in and a pile 612 in long.
std::string ShortLayers(TRealWindow& w) {
    const std::string file = w.CopyExample();
    std::string text = Read(file);
    auto replace = [&text](const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("2 2  3.60000000000000E+0002  9.60000000000000E+0002",
            "2 2  3.60000000000000E+0002  4.80000000000000E+0002");
    replace("1E-5 720 0 18 254.469", "1E-5 612 0 18 254.469");
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

int CursorLine(const QPlainTextEdit* view) {
    return view->textCursor().block().blockNumber();
}

} // namespace

TEST(ReportWindow, OpensAfterEachRunOfEveryExample) {
    for (const char* example :
         {"driven-pile-clay-over-sand.dv4d", "english-six-soil-types.dv4d",
          "si-api-clay-over-sand-downdrag.dv4d", "user-curves-downdrag-multipliers.dv4d"}) {
        TRealWindow w(DORVEK_BIN_DIR);
        const std::string project = w.CopyExample(example);
        w.Form->Startup({project});
        w.Form->Execute(C::RunAnalysis);
        ASSERT_EQ(w.Messages.Texts("information").size(), 1u) << example;
        TReportWindow* report = w.Form->ReportWindow();
        ASSERT_NE(report, nullptr) << example;
        EXPECT_EQ(report->Report()->toPlainText(), Shown(OutputFileOf(project))) << example;
        EXPECT_TRUE(report->Report()->isReadOnly());
        EXPECT_TRUE(report->Report()->font().fixedPitch() ||
                    QFontInfo(report->Report()->font()).fixedPitch());
        EXPECT_EQ(report->Tabs()->currentIndex(), 0);
        EXPECT_EQ(report->Tabs()->tabText(1), "Run Notes");
        EXPECT_EQ(report->windowTitle().toStdString(),
                  "Report - " + DisplayName(OutputFileOf(project)));
        // The one child window left after the run.
        EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 1);
        EXPECT_TRUE(w.Form->ToolAction(C::ViewReport)->isEnabled());
    }
}

TEST(ReportWindow, AHeadLoadThatDidNotConvergeIsNamedAndShown) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = w.CopyExample("english-six-soil-types.dv4d");
    w.Form->Startup({project});
    w.Form->Execute(C::RunAnalysis);
    const auto texts = w.Messages.Texts("information");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("This load at the pile head did not converge: 600000 lb. It is "
                            "probably above the capacity of the pile: lower it, or check the side "
                            "and tip resistances."),
              std::string::npos)
        << texts[0];
    const QPlainTextEdit* view = w.Form->ReportWindow()->Report();
    EXPECT_TRUE(view->textCursor().block().text().contains("NOT ABLE TO GET CONVERGENCE"));
}

TEST(ReportWindow, AStoppedRunSaysWhyAndOpensAtTheWarning) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = ShortLayers(w);
    w.Form->Startup({project});
    w.Controller().SetShowReportAfterRun(false);
    // The check before the run sees it first; the run goes on when asked to.
    w.Messages.Answers = {TAnswer::Yes};
    w.Form->Execute(C::RunAnalysis);
    ASSERT_EQ(w.Messages.Texts("proceed").size(), 1u);
    EXPECT_EQ(w.Messages.Texts("proceed")[0],
              "The soil layers end at 480 in, above the pile tip: the analysis will stop "
              "there.\nExtend the last soil layer below the pile tip (612 in).");
    EXPECT_EQ(w.Messages.Shown[0].Detail, RunAnywayCaption);

    // One message, not the completion message: the code's meaning, the warning with the
    // depth beyond the strength data, and what to do.
    EXPECT_TRUE(w.Messages.Texts("information").empty());
    ASSERT_EQ(w.Messages.Texts("warning").size(), 1u);
    EXPECT_EQ(w.Messages.Texts("warning")[0],
              "The analysis stopped before it was complete (result code 6): a t-z curve depth "
              "lies below the strength data (unit side friction).\n\n"
              "The report ends with:\n"
              "  **** WARNING ****\n"
              "  THE VALUE OF X = 4.834800E+02\n"
              "  IS BEYOND THE EXTENT OF\n"
              "  THE INPUT STRENGTH CURVE\n\n"
              "Extend the last soil layer below the pile tip (612 in).");
    EXPECT_FALSE(w.Project().ShowOutput);
    EXPECT_FALSE(w.Form->ToolAction(C::PlotLoad)->isEnabled());

    // The report window at the warning, even with the window after each run turned off.
    TReportWindow* report = w.Form->ReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->Report()->textCursor().selectedText(), " **** WARNING ****");
    const QStringList lines = report->Report()->toPlainText().split('\n');
    EXPECT_EQ(lines.at(CursorLine(report->Report())), " **** WARNING ****");
    EXPECT_EQ(lines.indexOf(" **** WARNING ****"), CursorLine(report->Report()));
}

// A run that could not write its report (another run holds it) leaves the earlier report in
// place: the message must not quote it as this run's, and the window must not show it.
TEST(ReportWindow, AReportTheRunDidNotRewriteIsNotQuoted) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = ShortLayers(w);
    w.Form->Startup({project});
    w.Controller().SetShowReportAfterRun(false);
    w.Messages.Answers = {TAnswer::Yes};
    w.Form->Execute(C::RunAnalysis); // stops at the short layers: a report with a warning
    ASSERT_EQ(w.Messages.Texts("warning").size(), 1u);
    const std::string earlier = Read(OutputFileOf(project));
    ASSERT_NE(earlier.find("**** WARNING ****"), std::string::npos);
    w.Form->MdiArea()->closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Another run is writing the report: this one is refused (result code 2).
    const std::filesystem::path report(OutputFileOf(project));
    std::filesystem::path temporary = report.parent_path() / ".";
    temporary += report.filename();
    temporary += ".tmp";
    const int held = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    w.Messages.Shown.clear();
    w.Messages.Answers = {TAnswer::Yes};
    w.Form->Execute(C::RunAnalysis);
    ::close(held);

    ASSERT_EQ(w.Messages.Texts("warning").size(), 1u);
    const std::string message = w.Messages.Texts("warning")[0];
    EXPECT_NE(message.find("(result code 2)"), std::string::npos) << message;
    EXPECT_EQ(message.find("WARNING"), std::string::npos) << message;
    EXPECT_NE(message.find("The report holds no message about it."), std::string::npos);
    EXPECT_EQ(Read(OutputFileOf(project)), earlier);
    EXPECT_EQ(w.Form->ReportWindow(), nullptr);
}

TEST(ReportWindow, CancelAtTheCheckRunsNothing) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = ShortLayers(w);
    w.Form->Startup({project});
    w.Messages.Answers = {TAnswer::Cancel};
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("proceed").size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(OutputFileOf(project)));
    EXPECT_EQ(w.Form->ReportWindow(), nullptr);
    EXPECT_FALSE(w.Controller().RunInProgress());
}

TEST(ReportWindow, TheOptionTurnsTheWindowAfterARunOffAndIsKept) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    QAction* option = w.Form->ReportAfterRunOption();
    emit w.Form->TopMenus()[2]->aboutToShow();
    EXPECT_TRUE(option->isChecked());
    option->trigger();
    EXPECT_FALSE(w.Controller().ShowReportAfterRun());
    EXPECT_FALSE(TSettings(w.Dir.File("settings.ini")).Read().ShowReportAfterRun);
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Form->ReportWindow(), nullptr);
    // View Report (Ctrl+R) opens it at the top; a second time brings the same window.
    EXPECT_EQ(w.Form->MenuAction(C::ViewReport)->shortcut(), QKeySequence("Ctrl+R"));
    w.Form->Execute(C::ViewReport);
    TReportWindow* report = w.Form->ReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(CursorLine(report->Report()), 0);
    w.Form->MenuAction(C::ViewReport)->trigger();
    EXPECT_EQ(w.Form->ReportWindow(), report);
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 1);
}

TEST(ReportWindow, FindCopyAndPdf) {
    TTempFolder dir;
    const std::string reportFile = dir.Touch("pile.dv4o", " FIRST LINE\r\n LOAD 1\r\n"
                                                          " MIDDLE\r\n LOAD 2\r\n LAST\r\n");
    const std::string notesFile = dir.Touch("pile.dv4r", "");
    TScriptedMessages messages;
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    QPointer<TReportWindow> window;
    ShowReportWindow(area, window, &messages, {reportFile, notesFile, 0, false, {}, false});
    ASSERT_TRUE(window);
    TReportWindow& w = *window;
    EXPECT_TRUE(w.Notes()->toPlainText().isEmpty());
    EXPECT_FALSE(w.Notes()->placeholderText().isEmpty());

    // Find goes on from the caret, round the end, and backward; case does not matter.
    EXPECT_TRUE(w.Find("load"));
    EXPECT_EQ(CursorLine(w.Report()), 1);
    EXPECT_TRUE(w.Find("load"));
    EXPECT_EQ(CursorLine(w.Report()), 3);
    EXPECT_TRUE(w.Find("LOAD"));
    EXPECT_EQ(CursorLine(w.Report()), 1);
    EXPECT_TRUE(w.Find("load", true));
    EXPECT_EQ(CursorLine(w.Report()), 3);
    EXPECT_FALSE(w.Find("settlement"));
    EXPECT_EQ(CursorLine(w.Report()), 3); // the caret stays

    // Ctrl+F opens the find bar, Enter and F3 find the next, Shift+F3 the one before.
    QTest::keyClick(w.Report(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(w.FindField()->isVisible());
    EXPECT_TRUE(w.FindField()->hasFocus());
    QTest::keyClicks(w.FindField(), "middle");
    QTest::keyClick(w.FindField(), Qt::Key_Return);
    EXPECT_EQ(CursorLine(w.Report()), 2);
    QTest::keyClick(w.FindField(), Qt::Key_F3);
    EXPECT_EQ(CursorLine(w.Report()), 2); // the only one, found again round the end
    w.FindField()->setText("LOAD");
    QTest::keyClick(w.FindField(), Qt::Key_F3);
    EXPECT_EQ(CursorLine(w.Report()), 3);
    QTest::keyClick(w.FindField(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(CursorLine(w.Report()), 1);
    w.FindField()->setText("nowhere");
    QTest::keyClick(w.FindField(), Qt::Key_F3);
    EXPECT_EQ(w.FindStatus()->text(), "Not found");
    QTest::keyClick(w.FindField(), Qt::Key_Escape);
    EXPECT_FALSE(w.FindField()->isVisible());

    // Copy: the selection, or everything when nothing is selected.
    w.Find("MIDDLE");
    w.CopyText();
    EXPECT_EQ(QApplication::clipboard()->text(), "MIDDLE");
    w.Report()->moveCursor(QTextCursor::Start);
    w.CopyText();
    EXPECT_EQ(QApplication::clipboard()->text(), " FIRST LINE\n LOAD 1\n MIDDLE\n LOAD 2\n LAST\n");

    // Save as PDF asks for the name (preset beside the report) and writes a PDF document.
    messages.SaveChoices = {TFileChoice{dir.File("copy"), 1}};
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == "Save as PDF...") a->trigger();
    ASSERT_EQ(messages.Texts("save").size(), 1u);
    EXPECT_EQ(messages.Shown.back().Detail, "PDF Document (*.pdf)|*.pdf\n" + dir.File("pile.pdf"));
    EXPECT_EQ(Read(dir.File("copy.pdf")).substr(0, 5), "%PDF-");
    EXPECT_FALSE(w.SaveAsPdf(dir.File("no/such/folder/x.pdf")));
    EXPECT_EQ(messages.Texts("information").back(),
              "The file " + dir.File("no/such/folder/x.pdf") + " could not be written.");

    // Showing another place reads the files again.
    std::ofstream(reportFile, std::ios::binary) << "A\r\nB\r\n";
    std::ofstream(notesFile) << "my notes\n";
    ShowReportWindow(area, window, &messages, {reportFile, notesFile, 1, true, {}, false});
    EXPECT_EQ(w.Report()->toPlainText(), "A\nB\n");
    EXPECT_EQ(w.Tabs()->currentIndex(), 1);
    EXPECT_EQ(w.Notes()->toPlainText(), "my notes\n");
    EXPECT_TRUE(w.Find("notes")); // in the tab in front
    EXPECT_EQ(w.Notes()->textCursor().selectedText(), "notes");
}

TEST(ReportWindow, AFailingEditorFallsBackToTheWindow) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    w.Controller().SetShowReportAfterRun(false);
    w.Form->Execute(C::RunAnalysis);
    ASSERT_EQ(w.Form->ReportWindow(), nullptr);

    // An editor that cannot start: said at once, with the setting to change.
    w.Controller().SetWordProcessor(w.Dir.File("no-editor"));
    w.Form->Execute(C::EditOutputText);
    ASSERT_EQ(w.Messages.Texts("information").size(), 2u);
    EXPECT_EQ(w.Messages.Texts("information")[1],
              "An error occurred in running the Word Processor\nThe text editor \"" +
                  w.Dir.File("no-editor") +
                  "\" could not be started (No such file or directory).\nChoose another one with "
                  "Options > Selection of Text Editor ...\nThe report is shown in the program "
                  "meanwhile.");
    ASSERT_NE(w.Form->ReportWindow(), nullptr);
    w.Form->ReportWindow()->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(w.Form->ReportWindow(), nullptr);

    // An editor that ends at once with an error: said when it has ended; the run notes are
    // shown on their tab.
    const std::string failing = w.Dir.Touch("failing.sh", "#!/bin/sh\nexit 2\n");
    std::filesystem::permissions(failing, std::filesystem::perms::owner_all);
    w.Controller().SetWordProcessor(failing);
    w.Form->Execute(C::EditRunNotes);
    for (int i = 0; i < 200 && w.Messages.Texts("information").size() < 3; ++i) QTest::qWait(20);
    ASSERT_EQ(w.Messages.Texts("information").size(), 3u);
    EXPECT_NE(w.Messages.Texts("information")[2].find("\" ended at once with exit code 2."),
              std::string::npos);
    ASSERT_NE(w.Form->ReportWindow(), nullptr);
    EXPECT_EQ(w.Form->ReportWindow()->Tabs()->currentIndex(), 1);

    // An editor that keeps running is left alone and nothing is said.
    const std::string good = w.Dir.Touch("good.sh", "#!/bin/sh\nsleep 3\n");
    std::filesystem::permissions(good, std::filesystem::perms::owner_all);
    w.Controller().SetWordProcessor(good);
    w.Form->Execute(C::EditOutputText);
    QTest::qWait(2500);
    EXPECT_EQ(w.Messages.Texts("information").size(), 3u);
}
