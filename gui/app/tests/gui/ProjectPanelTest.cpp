// The project panel of the main window on the program's own project: its steps follow every
// edit, open their editors and dialogs from the mouse and the keyboard, greyed steps say why,
// Options choices come as a menu and show in the status bar; the Edit menu undoes the table
// in front; and the window's place and the panel's state are kept between sessions.

#include "gui/app/ProjectPanel.h"
#include "gui/app/tests/support/FindAction.h"
#include "gui/app/tests/support/RealWindow.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableGrid.h"
#include "gui/tables/TableUndo.h"
#include "model/tables/Table.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QUndoGroup>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

struct TPanelWindow : TRealWindow {
    TPanelWindow() {
        Form->show();
        Form->Startup({});
        QApplication::processEvents();
    }
    TProjectPanel& Panel() { return *Form->ProjectPanel(); }
    // The text of a step's item once the panel has looked again.
    QString Shown(const std::string& key) {
        QApplication::processEvents();
        Panel().Refresh();
        QTreeWidgetItem* item = Panel().ItemOf(key);
        return item ? item->text(0) : QString();
    }
    void Open(const std::string& key) {
        Panel().Refresh();
        Panel().Activate(Panel().ItemOf(key));
        QApplication::processEvents();
    }
    TTableForm* ActiveForm() {
        QMdiSubWindow* sub = Form->MdiArea()->activeSubWindow();
        return sub ? qobject_cast<TTableForm*>(sub->widget()) : nullptr;
    }
    static void Type(TTableForm& form, const QString& text) {
        QLineEdit* editor = form.Grid()->Editor();
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
};

} // namespace

TEST(ProjectPanel, IsShownWithTheStepsInTheirOrder) {
    TPanelWindow w;
    ASSERT_NE(w.Form->ProjectPanel(), nullptr);
    EXPECT_TRUE(w.Panel().isVisible());
    QStringList steps;
    for (int i = 0; i < w.Panel().Tree()->topLevelItemCount(); ++i)
        steps << w.Panel().Tree()->topLevelItem(i)->data(0, Qt::UserRole + 1).toString();
    EXPECT_EQ(steps,
              QStringList({"Title", "Pile", "Soil", "Loading", "Options", "Run", "Results"}));
    QAction* toggle = FindAction(w.Form->ViewMenu(), "&Project Panel");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(w.Panel().isVisible());
    // F6 brings it back with the keyboard in it.
    FindAction(w.Form->ViewMenu(), "&Go to the Project Panel")->trigger();
    EXPECT_TRUE(w.Panel().isVisible());
    // The menus of the program are still the seven of before, Edit and View beside them.
    EXPECT_EQ(w.Form->TopMenus().size(), 7u);
}

TEST(ProjectPanel, FollowsEveryEditAtOnce) {
    TPanelWindow w;
    EXPECT_EQ(w.Shown("soil.layers"), "Soil layers: 1 layer, 0-0 ft");
    w.Open("soil.layers");
    TTableForm* layers = w.ActiveForm();
    ASSERT_NE(layers, nullptr);
    EXPECT_EQ(layers->Table(), &w.Project().Tables().D2());
    w.Type(*layers, "240");
    EXPECT_EQ(w.Shown("soil.layers"), "Soil layers: 1 layer, 0-20 ft");
    layers->AddRowClick();
    EXPECT_EQ(w.Shown("soil.layers"), "Soil layers: 2 layers, 0-20 ft");
    EXPECT_EQ(w.Panel().StepOf("soil.layers")->Reason,
              "The bottom of layer 2 must lie below that of layer 1.");
    EXPECT_EQ(w.Panel().ItemOf("soil")->data(0, Qt::UserRole + 3).toInt(),
              int(TStepStatus::Warning));
}

TEST(ProjectPanel, OpensEditorsAndDialogsFromTheKeyboard) {
    TPanelWindow w;
    QTreeWidget* tree = w.Panel().Tree();
    tree->setFocus();
    w.Panel().Refresh();
    tree->setCurrentItem(w.Panel().ItemOf("title"));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_NE(w.Form->TitleDialog(), nullptr);

    tree->setCurrentItem(w.Panel().ItemOf("pile.ae"));
    QTest::keyClick(tree, Qt::Key_Enter);
    ASSERT_NE(w.ActiveForm(), nullptr);
    EXPECT_EQ(w.ActiveForm()->Table(), &w.Project().Tables().TblAE2());

    tree->setCurrentItem(w.Panel().ItemOf("soil.layer.1"));
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_NE(w.ActiveForm(), nullptr);
    EXPECT_EQ(w.ActiveForm()->windowTitle(), "Clay Layer Data  1");
}

TEST(ProjectPanel, AGreyedStepSaysWhyAndOpensNothing) {
    TPanelWindow w;
    const auto before = w.Form->MdiArea()->subWindowList().size();
    w.Open("loading.loads");
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), before);
    EXPECT_EQ(w.Form->statusBar()->currentMessage(),
              "Choose a load method in Options first: \"User-Specified Loads at Pile Head\".");
    EXPECT_EQ(w.Panel().ItemOf("loading.loads")->toolTip(0),
              "Loads at pile head: not used\nChoose a load method in Options first: "
              "\"User-Specified Loads at Pile Head\".");
}

TEST(ProjectPanel, OptionsComeAsTheirMenusChoicesAndShowInTheStatusBar) {
    TPanelWindow w;
    w.Open("loading.method");
    QMenu* choices = w.Form->ChoiceMenu();
    ASSERT_NE(choices, nullptr);
    EXPECT_TRUE(choices->isVisible());
    QStringList texts;
    for (QAction* a : choices->actions()) texts << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(texts,
              QStringList({"Internal Generation of Tip Movements", "User-Specified &Tip Movements",
                           "User-Specified &Loads at Pile Head", "-", "Enter Tip &Movements",
                           "Enter Loads at Pile &Head"}));
    EXPECT_TRUE(choices->actions()[0]->isChecked());
    EXPECT_FALSE(choices->actions()[5]->isEnabled());
    // Down twice and Enter: the loads at the pile head.
    QTest::keyClick(choices, Qt::Key_Down);
    QTest::keyClick(choices, Qt::Key_Down);
    QTest::keyClick(choices, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(w.Project().Data().Nloadmethod, 2);
    EXPECT_EQ(w.Shown("loading"), "Loading: 1 head load, 0 kips");
    EXPECT_NE(w.Form->OptionsLabel()->text().indexOf("<b>pile-head loads</b>"), -1);

    // The option a mis-click turns on shows in the panel and the status bar.
    w.Open("options.tzfactors");
    ASSERT_NE(w.Form->ChoiceMenu(), nullptr);
    QAction* factors = w.Form->ChoiceMenu()->actions().front();
    EXPECT_EQ(factors->text(), "Apply Modification Factors on t-z Curves");
    factors->trigger();
    EXPECT_EQ(w.Project().Data().ModTZ, 1);
    EXPECT_NE(w.Form->OptionsLabel()->text().indexOf("<b>t-z factors: ON</b>"), -1);
    EXPECT_EQ(w.Shown("options.tzfactors"), "t-z factors: on");
    EXPECT_NE(w.Shown("options").indexOf("t-z factors ON"), -1);
}

TEST(ProjectPanel, TheEditMenuUndoesTheTableInFrontUntilNew) {
    TPanelWindow w;
    w.Open("pile.ae");
    TTableForm* ae = w.ActiveForm();
    ASSERT_NE(ae, nullptr);
    w.Type(*ae, "0");
    w.Type(*ae, "720");
    QMenu* edit = w.Form->EditMenu();
    emit edit->aboutToShow();
    QAction* undo = edit->actions()[0];
    EXPECT_EQ(undo->text(), "&Undo Cell Entry");
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(edit->actions()[1]->shortcuts().front(), QKeySequence("Ctrl+Y"));
    undo->trigger();
    EXPECT_EQ(w.Project().Tables().TblAE2().GetFloatValue(0, 1), 0);
    edit->actions()[1]->trigger();
    EXPECT_EQ(w.Project().Tables().TblAE2().GetFloatValue(0, 1), 720);

    // Another window in front: the Edit menu follows it.
    w.Form->Execute(C::DataTitle);
    emit edit->aboutToShow();
    EXPECT_FALSE(undo->isEnabled());

    // A new project takes the steps with the old one.
    w.Messages.Answers.push_back(TAnswer::No);
    w.Form->Execute(C::FileNew);
    EXPECT_FALSE(w.Form->TableUndo()->Find(w.Project().Tables().TblAE2())->canUndo());
}

TEST(ProjectPanel, EditorsAndDialogsOpenWhollyInsideTheFrameCascaded) {
    TPanelWindow w;
    w.Project().Data().Nloadmethod = 2;
    w.Project().Data().downdrag = 1;
    const QRect area(QPoint(0, 0), w.Form->MdiArea()->viewport()->size());
    QList<QPoint> corners;
    for (const char* key : {"title", "pile.properties", "pile.ae", "soil.layers", "soil.layer.1",
                            "loading.loads", "loading.settlement", "results.profile"}) {
        w.Open(key);
        QMdiSubWindow* sub = w.Form->MdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr) << key;
        EXPECT_TRUE(area.contains(sub->geometry())) << key;
        EXPECT_FALSE(corners.contains(sub->pos())) << key;
        corners << sub->pos();
    }
    // The Elevation View: two thirds of the frame's height, its buttons beside the drawing.
    TDlgSideView* view = w.Form->SideView();
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->parentWidget()->height() * 2, area.height());
    EXPECT_GE(view->PrintButton()->x(), view->DrawingWidth());

    // Cascade keeps every window inside, at its size, in steps from the top-left corner.
    w.Form->Execute(C::WindowCascade);
    const auto windows = w.Form->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    for (QMdiSubWindow* sub : windows)
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->windowTitle().toStdString();
    EXPECT_EQ(windows.front()->pos(), QPoint(0, 0));
    EXPECT_GT(windows[1]->pos().x(), 0);
    EXPECT_EQ(windows[1]->pos().x(), windows[1]->pos().y());
}

TEST(ProjectPanel, TileShowsTheEditorsSideBySide) {
    TPanelWindow w;
    for (const char* key : {"pile.ae", "soil.layers"}) w.Open(key);
    w.Form->Execute(C::WindowTile);
    QApplication::processEvents();
    const QRect area(QPoint(0, 0), w.Form->MdiArea()->viewport()->size());
    const auto windows = w.Form->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    for (QMdiSubWindow* sub : windows) {
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->windowTitle().toStdString();
        for (QMdiSubWindow* other : windows) {
            if (other != sub) {
                EXPECT_FALSE(sub->geometry().intersects(other->geometry()));
            }
        }
    }
}

TEST(ProjectPanel, TheWindowsPlaceAndThePanelAreKept) {
    TTempFolder dir;
    TMainEnvironment env;
    env.KernelFolder = dir.File("no-kernel");
    env.SettingsFile = dir.File("settings.ini");
    const QRect place(40, 50, 700, 500);
    {
        TMainForm form(env, nullptr);
        form.show();
        form.Startup({});
        form.setGeometry(place);
        form.ProjectPanel()->hide();
        form.close();
    }
    TMainForm again(env, nullptr);
    EXPECT_EQ(again.geometry(), place);
    EXPECT_TRUE(again.ProjectPanel()->isHidden());
    again.ProjectPanel()->show();
    again.setWindowState(Qt::WindowMaximized);
    again.close();
    TMainForm third(env, nullptr);
    EXPECT_TRUE(third.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(third.ProjectPanel()->isHidden());
}
