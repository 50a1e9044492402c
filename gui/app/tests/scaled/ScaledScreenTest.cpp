// The main window on a 1280 x 1024 screen at a scale factor of 2 (640 x 512 logical pixels):
// it opens inside the screen, not at twice its size, and what the panel opens stays inside it.

#include "gui/app/ProjectPanel.h"
#include "gui/app/tests/support/RealWindow.h"
#include "gui/plots/PileSide.h"
#include "gui/tables/TableForm.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;

TEST(ScaledScreen, TheMainWindowAndItsChildrenFitTheScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    if (screen->devicePixelRatio() != 2) GTEST_SKIP() << "not the scaled offscreen screen";
    // 1280 x 1024 pixels at twice the size.
    EXPECT_EQ(screen->geometry().size(), QSize(640, 512));

    TRealWindow w;
    w.Form->show();
    w.Form->Startup({});
    QApplication::processEvents();
    const QRect available = screen->availableGeometry();
    EXPECT_TRUE(available.contains(w.Form->geometry()))
        << w.Form->width() << " x " << w.Form->height();
    EXPECT_LE(w.Form->width(), 640);
    EXPECT_LE(w.Form->height(), 512);

    const QRect area(QPoint(0, 0), w.Form->MdiArea()->viewport()->size());
    TProjectPanel& panel = *w.Form->ProjectPanel();
    for (const char* key : {"soil.layer.1", "pile.ae", "pile.properties", "results.profile"}) {
        panel.Refresh();
        panel.Activate(panel.ItemOf(key));
        QApplication::processEvents();
        QMdiSubWindow* sub = w.Form->MdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr) << key;
        EXPECT_TRUE(area.contains(sub->geometry())) << key;
    }
    TDlgSideView* view = w.Form->SideView();
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->parentWidget()->height() * 2, area.height());
}
