// The Data menu and its toolbar buttons: editors and dialogs as single child windows of the
// frame, pending edits stored before a menu opens, the unit switch reaching an open pile
// dialog, and a frame closed with everything open.

#include "gui/app/tests/support/FindAction.h"
#include "gui/app/tests/support/RealWindow.h"
#include "gui/tables/DataEdit.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

TEST(DataMenu, CommandsOpenOneWindowEach) {
    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    TInputTables& tables = w.Project().Tables();
    w.Form->Execute(C::DataSoilLayers);
    w.Form->Execute(C::DataPileProperties);
    w.Form->Execute(C::DataTitle);
    w.Form->Execute(C::OptionsTextEditor);
    w.Project().Data().ModQw = 1;
    w.Form->Execute(C::DataQwFactors);
    ASSERT_NE(tables.D2().Editor(), nullptr);
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 5);
    // Again: the same windows come to the front.
    TfrmMaterial* pile = w.Form->PileDialog();
    w.Form->Execute(C::DataPileProperties);
    w.Form->Execute(C::DataSoilLayers);
    EXPECT_EQ(w.Form->PileDialog(), pile);
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 5);
    EXPECT_EQ(w.Form->MdiArea()->activeSubWindow()->widget(),
              dynamic_cast<QWidget*>(tables.D2().Editor()));
    // The toolbar button does what the menu item does.
    w.Form->ToolAction(C::DataTitle)->trigger();
    EXPECT_EQ(w.Form->MdiArea()->activeSubWindow()->widget(), w.Form->TitleDialog());

    // Closing a dialog clears its presence; the next command makes a new one.
    pile->parentWidget()->close();
    EXPECT_EQ(w.Form->PileDialog(), nullptr);
    w.Form->Execute(C::DataPileProperties);
    EXPECT_NE(w.Form->PileDialog(), nullptr);
    // Everything open when the frame goes away.
    tables.D2().GetDataValue(2, 0)->Show();
    w.Form.reset();
}

TEST(DataMenu, PendingEditsReachTheProjectBeforeAMenuOpens) {
    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    w.Form->Execute(C::DataTitle);
    TdlgTitle* title = w.Form->TitleDialog();
    ASSERT_NE(title, nullptr);
    title->TitleMemo()->setText("Pier 7");
    EXPECT_FALSE(w.Project().Changed());
    emit w.Form->TopMenus().front()->aboutToShow();
    EXPECT_EQ(w.Project().Data().Title, "Pier 7");
    EXPECT_TRUE(w.Project().Changed());

    // A table editor stores the cell being typed.
    w.Form->Execute(C::DataSoilLayers);
    auto* layers = dynamic_cast<TTableForm*>(w.Project().Tables().D2().Editor());
    ASSERT_NE(layers, nullptr);
    layers->Grid()->Editor()->setText("480");
    emit w.Form->TopMenus().front()->aboutToShow();
    EXPECT_EQ(w.Project().Tables().D2().GetFloatValue(1, 0), 480.0L);
}

TEST(DataMenu, UnitSwitchReachesTheOpenPileDialog) {
    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    w.Project().Data().PLength = 480;
    w.Form->Execute(C::DataPileProperties);
    TfrmMaterial* pile = w.Form->PileDialog();
    ASSERT_NE(pile, nullptr);
    EXPECT_EQ(pile->DataPL()->text(), "480");
    QAction* si = FindAction(w.Form->TopMenus().at(2), "&S.I. Units (kN, m)");
    ASSERT_NE(si, nullptr);
    si->trigger();
    EXPECT_EQ(pile->DataPL()->text(), "12.192");
    EXPECT_EQ(pile->DataPL()->EditLabel()->text(), "Total Pile Length (m)");
    EXPECT_FALSE(w.Project().Changed()); // options do not mark the project
}
