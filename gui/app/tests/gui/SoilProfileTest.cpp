// The soil-profile view of the main window: one instance from the menu and the toolbar, its
// presence cleared on closing, and the view following the soil layers, the pile and the units.

#include "gui/app/tests/support/FindAction.h"
#include "gui/app/tests/support/RealWindow.h"
#include "gui/tables/DataEdit.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

TEST(SoilProfile, OneInstanceFromMenuAndToolbar) {
    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    w.Controller().OpenFileName(w.CopyExample(), 1);
    w.Form->MenuAction(C::ViewSoilProfile)->trigger();
    TDlgSideView* view = w.Form->SideView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "Elevation View");
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 1);
    // The example: clay to 30 ft, sand to 80 ft, a 60 ft pile.
    EXPECT_EQ(view->Model().Bands().size(), 2u);
    EXPECT_DOUBLE_EQ(double(view->Model().TipDepth()), 60);

    // Another window in front, then the toolbar button: the same view comes back.
    w.Form->Execute(C::DataTitle);
    w.Form->ToolAction(C::ViewSoilProfile)->trigger();
    EXPECT_EQ(w.Form->SideView(), view);
    EXPECT_EQ(w.Form->MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(w.Form->MdiArea()->activeSubWindow()->widget(), view);

    view->CloseButton()->click();
    EXPECT_EQ(w.Form->SideView(), nullptr);
    w.Form->Execute(C::ViewSoilProfile);
    EXPECT_NE(w.Form->SideView(), nullptr);
}

TEST(SoilProfile, FollowsLayersPileAndUnits) {
    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    w.Controller().OpenFileName(w.CopyExample(), 1);
    w.Form->Execute(C::ViewSoilProfile);
    TDlgSideView* view = w.Form->SideView();
    ASSERT_NE(view, nullptr);

    // A layer edited in the table: 960 in -> 1200 in (100 ft).
    TGridTable& layers = w.Project().Tables().D2();
    layers.SetFloatValue(1, 1, 1200);
    EXPECT_DOUBLE_EQ(double(view->Model().LayersBottom()), 100);
    layers.AddRowGroup();
    EXPECT_EQ(view->Model().Bands().size(), 3u);

    // The pile length typed into the pile dialog: stored when the dialog loses activation.
    w.Form->Execute(C::DataPileProperties);
    TfrmMaterial* pile = w.Form->PileDialog();
    ASSERT_NE(pile, nullptr);
    pile->DataPL()->setText("840");
    pile->FormDeactivate();
    EXPECT_DOUBLE_EQ(double(view->Model().TipDepth()), 70);

    // S.I.: the same pile in metres.
    QAction* si = FindAction(w.Form->TopMenus().at(2), "&S.I. Units (kN, m)");
    ASSERT_NE(si, nullptr);
    si->trigger();
    EXPECT_EQ(view->Model().Units(), 2);
    EXPECT_NEAR(double(view->Model().TipDepth()), 21.336, 1e-9);

    // New (changes not saved) closes the view with every other child window.
    w.Messages.Answers.push_back(TAnswer::No);
    w.Form->Execute(C::FileNew);
    EXPECT_EQ(w.Form->SideView(), nullptr);
}
