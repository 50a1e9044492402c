// A new user's first project, from New to the graphs, done through the project panel with the
// keys and clicks a user makes and counted as they are made: a 60 ft pipe pile with a two-row
// AE table in two clay layers over sand, four loads at its head, saved, run with the real
// analysis library and its load-settlement graph opened. Every editor the panel opens must be
// wholly visible, and the whole must take at most 50 actions.
//
// One action is a click, a double-click, a key or key chord, or one typed entry (the text of
// a field or a cell with the Enter that stores it). Copying rows in a spreadsheet before a
// Ctrl+V counts as one action too.

#include "gui/app/ProjectPanel.h"
#include "gui/app/Title.h"
#include "gui/app/pilemat.h"
#include "gui/app/tests/support/RealWindow.h"
#include "gui/plots/PlotForm.h"
#include "gui/tables/DataEdit.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableGrid.h"
#include "model/plots/ResultGraphs.h"
#include "model/tables/Table.h"
#include "model/workspace/FileNames.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <iostream>

using namespace dorvek;
using namespace dorvek::test;

namespace {

class TUser {
public:
    explicit TUser(TRealWindow& window) : fWindow(window) {}

    int Actions() const { return static_cast<int>(fLog.size()); }
    const std::vector<std::string>& Log() const { return fLog; }

    // Double-click on a step of the project panel.
    void DoubleClick(const std::string& key) {
        TProjectPanel& panel = *fWindow.Form->ProjectPanel();
        panel.Refresh();
        QTreeWidgetItem* item = panel.ItemOf(key);
        ASSERT_NE(item, nullptr) << key;
        QTreeWidget* tree = panel.Tree();
        tree->scrollToItem(item);
        const QPoint at = tree->visualItemRect(item).center();
        ASSERT_EQ(tree->itemAt(at), item) << key;
        // The list is built afresh after the click: its text is taken before.
        const std::string text = item->text(0).toStdString();
        DoubleClickAt(tree->viewport(), at);
        Settle();
        Count("double-click " + text);
    }
    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers,
             const std::string& what) {
        QTest::keyClick(target, key, modifiers);
        Settle();
        Count(what);
    }
    // Types an entry into a field or a cell, ending it with Enter when asked.
    void Type(QWidget* target, const QString& text, bool enter = false) {
        QTest::keyClicks(target, text);
        if (enter) QTest::keyClick(target, Qt::Key_Return);
        Settle();
        Count("type " + text.toStdString() + (enter ? " and Enter" : ""));
    }
    void Click(QWidget* target, const std::string& what) {
        QTest::mouseClick(target, Qt::LeftButton);
        Settle();
        Count("click " + what);
    }
    // A double-click into a field selects its number, which the typing then replaces.
    void Select(QLineEdit* field, const std::string& what) {
        field->setFocus();
        DoubleClickAt(field, QPoint(6, field->height() / 2));
        if (!field->hasSelectedText()) field->selectAll(); // the offscreen screen's own way
        Settle();
        Count("double-click " + what);
    }
    void CopyInSpreadsheet(const QString& rows) {
        QGuiApplication::clipboard()->setText(rows);
        Count("copy rows in a spreadsheet");
    }
    // An answer to a message box or a file dialog of the program.
    void Answered(const std::string& what) { Count(what); }
    // The child window in front, closed with Ctrl+F4 (its frame's own key).
    void CloseWindow() {
        QMdiSubWindow* sub = fWindow.Form->MdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr);
        const std::string title = sub->windowTitle().toStdString();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && sub->isAncestorOf(focus) ? focus : sub, Qt::Key_F4,
                        Qt::ControlModifier);
        Settle();
        Count("Ctrl+F4 on " + title);
    }

    // What the system sends for a double-click: press, release, double-click, release.
    static void DoubleClickAt(QWidget* target, QPoint at) {
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

private:
    void Count(const std::string& what) { fLog.push_back(what); }
    TRealWindow& fWindow;
    std::vector<std::string> fLog;
};

// The window in front must show all of itself inside the frame, at the size its content
// needs.
void ExpectWhollyVisible(TRealWindow& w, const std::string& what) {
    QMdiSubWindow* sub = w.Form->MdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr) << what;
    const QRect area(QPoint(0, 0), w.Form->MdiArea()->viewport()->size());
    EXPECT_TRUE(area.contains(sub->geometry())) << what;
    if (QWidget* form = qobject_cast<TTableForm*>(sub->widget())) {
        EXPECT_EQ(form->size(), form->sizeHint()) << what << ": cut to the frame";
    }
}

const QString ClayTop = "0.0318\t3.47\t0.01\t3.47\t31.2\n0.0318\t5.2\t0.008\t4.5\t46.8\n";
const QString ClayBelow = "0.0318\t5.2\t0.008\t4.5\t46.8\n0.0318\t6.94\t0.007\t5.5\t62.5\n";
const QString Sand = "0.0365\t36\t30\t6\t1000\n0.0365\t38\t45\t11.5\t1400\n";

} // namespace

TEST(FirstProject, FromNewToTheGraphsThroughThePanelInAtMost50Actions) {
    TRealWindow w(DORVEK_BIN_DIR);
    TMainForm& form = *w.Form;
    form.show();
    form.Startup({});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::cout << "screen " << screen.width() << " x " << screen.height() << ", main window "
              << form.width() << " x " << form.height() << "\n";
    EXPECT_LE(form.frameGeometry().width(), screen.width());
    EXPECT_LE(form.frameGeometry().height(), screen.height());
    TUser user(w);
    TProjectPanel& panel = *form.ProjectPanel();

    user.Key(panel.Tree(), Qt::Key_N, Qt::ControlModifier, "Ctrl+N");

    // Title.
    user.DoubleClick("title");
    ExpectWhollyVisible(w, "title");
    ASSERT_NE(form.TitleDialog(), nullptr);
    user.Key(form.TitleDialog()->TitleMemo(), Qt::Key_A, Qt::ControlModifier, "Ctrl+A");
    user.Type(form.TitleDialog()->TitleMemo(), "Three-layer test pile");
    user.CloseWindow();
    EXPECT_EQ(w.Project().Data().Title, "Three-layer test pile");

    // Pile properties.
    user.DoubleClick("pile.properties");
    ExpectWhollyVisible(w, "pile properties");
    TfrmMaterial* pile = form.PileDialog();
    ASSERT_NE(pile, nullptr);
    user.Select(pile->DataPL(), "Total Pile Length");
    user.Type(pile->DataPL(), "720");
    user.Select(pile->DataOD(), "Outer Diameter");
    user.Type(pile->DataOD(), "18");
    user.Select(pile->DataArea(), "Area of Pile Tip");
    user.Type(pile->DataArea(), "254.469");
    user.CloseWindow();
    EXPECT_EQ(w.Project().Data().PLength, 720);
    EXPECT_EQ(w.Project().Data().Tiparea, 254.469L);

    // AE against depth: two rows.
    user.DoubleClick("pile.ae");
    ExpectWhollyVisible(w, "AE table");
    auto* ae = qobject_cast<TTableForm*>(form.MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(ae, nullptr);
    QLineEdit* cell = ae->Grid()->Editor();
    user.Key(cell, Qt::Key_Down, {}, "Down");
    user.Type(cell, "720", true);
    user.Type(cell, "7.972E8", true);
    user.Type(cell, "7.972E8", true);
    user.CloseWindow();

    // Loads at the pile head: greyed until the load method is chosen.
    EXPECT_EQ(panel.StepOf("loading.loads")->Status, TStepStatus::Unavailable);
    user.DoubleClick("loading.method");
    QMenu* choices = form.ChoiceMenu();
    ASSERT_NE(choices, nullptr);
    QAction* headLoads = choices->actions().at(2);
    ASSERT_EQ(headLoads->text(), "User-Specified &Loads at Pile Head");
    QTest::mouseClick(choices, Qt::LeftButton, {}, choices->actionGeometry(headLoads).center());
    TUser::Settle();
    user.Answered("click User-Specified Loads at Pile Head");
    EXPECT_EQ(w.Project().Data().Nloadmethod, 2);

    user.DoubleClick("loading.loads");
    ExpectWhollyVisible(w, "loads at the pile head");
    auto* loads = qobject_cast<TTableForm*>(form.MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(loads, nullptr);
    user.CopyInSpreadsheet("50000\n100000\n150000\n200000\n");
    user.Key(loads->Grid()->Editor(), Qt::Key_V, Qt::ControlModifier, "Ctrl+V");
    ExpectWhollyVisible(w, "loads at the pile head, four rows");
    user.CloseWindow();
    EXPECT_EQ(panel.StepOf("loading")->Summary, "4 head loads, 50-200 kips");

    // Soil layers: three bottoms pasted, the third layer made sand.
    user.DoubleClick("soil.layers");
    ExpectWhollyVisible(w, "soil layers");
    auto* layers = qobject_cast<TTableForm*>(form.MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(layers, nullptr);
    user.CopyInSpreadsheet("240\n480\n840\n");
    user.Key(layers->Grid()->Editor(), Qt::Key_V, Qt::ControlModifier, "Ctrl+V");
    ExpectWhollyVisible(w, "soil layers, three rows");
    auto* type3 = qobject_cast<QComboBox*>(layers->CellControl(0, 2));
    ASSERT_NE(type3, nullptr);
    user.Click(type3, "the soil type of layer 3");
    ASSERT_NE(type3->view(), nullptr);
    // A user's next click comes later than a double-click would.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QModelIndex sand = type3->model()->index(1, 0);
    QTest::mouseClick(type3->view()->viewport(), Qt::LeftButton, {},
                      type3->view()->visualRect(sand).center());
    TUser::Settle();
    user.Answered("click Driven Pile in Sand (Mosher)");
    EXPECT_EQ(w.Project().Tables().D2().GetIntValue(0, 2), 2);
    user.CloseWindow();

    // The data of each layer, two rows each, from the spreadsheet.
    const QString data[] = {ClayTop, ClayBelow, Sand};
    for (int layer = 1; layer <= 3; ++layer) {
        user.DoubleClick("soil.layer." + std::to_string(layer));
        ExpectWhollyVisible(w, "layer data " + std::to_string(layer));
        auto* editor = qobject_cast<TTableForm*>(form.MdiArea()->activeSubWindow()->widget());
        ASSERT_NE(editor, nullptr);
        user.CopyInSpreadsheet(data[layer - 1]);
        user.Key(editor->Grid()->Editor(), Qt::Key_V, Qt::ControlModifier, "Ctrl+V");
        user.CloseWindow();
    }
    panel.Refresh();
    EXPECT_EQ(panel.StepOf("soil")->Summary, "3 layers, 0-70 ft; tip in layer 3 (sand)");
    for (const char* step : {"title", "pile", "soil", "loading", "options"})
        EXPECT_EQ(panel.StepOf(step)->Status, TStepStatus::Done)
            << step << ": " << panel.StepOf(step)->Reason;

    // Run: the project is first given a name.
    const std::string file = w.Dir.File("three-layers.dv4d");
    w.Messages.SaveChoices.push_back(TFileChoice{file, 1});
    user.DoubleClick("run");
    user.Answered("type the file name in the save dialog");
    user.Answered("press Save");
    ASSERT_FALSE(w.Messages.Shown.empty());
    EXPECT_EQ(w.Messages.Shown.back().Text,
              "Computations are completed. Please, check output file for results or error "
              "messages.");
    user.Answered("OK on the completion message");
    ASSERT_TRUE(w.Project().ShowOutput);
    EXPECT_TRUE(std::filesystem::exists(OutputFileOf(file)));
    EXPECT_TRUE(w.Project().Graphs().pltAxialLoads.HasSomethingToDraw());

    // The load-settlement graph.
    user.DoubleClick("results.axial");
    QMdiSubWindow* plot = form.MdiArea()->activeSubWindow();
    ASSERT_NE(plot, nullptr);
    ASSERT_NE(qobject_cast<TPlotForm*>(plot->widget()), nullptr);
    EXPECT_TRUE(plot->isMaximized());

    std::cout << "actions:\n";
    for (size_t i = 0; i < user.Log().size(); ++i)
        std::cout << "  " << i + 1 << ". " << user.Log()[i] << "\n";
    EXPECT_LE(user.Actions(), 50);

    // Restored from maximised, the graph keeps a usable size.
    plot->showNormal();
    TUser::Settle();
    EXPECT_GE(plot->width(), 640);
    EXPECT_GE(plot->height(), 480);
    const QRect area(QPoint(0, 0), form.MdiArea()->viewport()->size());
    EXPECT_TRUE(area.contains(plot->geometry()));
}
