// The plot windows of the main window after a real run of an example: every Graphics command
// and toolbar button opens its graph's window maximised, settings reach the graph settings
// file, and the windows close cleanly with the frame.

#include "gui/app/tests/support/RealWindow.h"
#include "gui/plots/PlotForm.h"
#include "gui/plots/PlotLegendList.h"
#include "model/plots/GraphSettings.h"
#include "model/workspace/FileNames.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

const std::vector<C> Plots = {C::PlotLoad, C::PlotDisp,      C::PlotAxial,     C::PlotTz,
                              C::PlotQw,   C::PlotLoadLoads, C::PlotDispLoads, C::PlotAxialLoads};

struct TRun : TRealWindow {
    std::string File;
    TRun() : TRealWindow(DORVEK_BIN_DIR) {
        File = CopyExample();
        Form->Startup({File});
        // Only the plot windows count here, not the report window of each run.
        Controller().SetShowReportAfterRun(false);
        Form->Execute(C::RunAnalysis);
    }
    int SubWindows() { return static_cast<int>(Form->MdiArea()->subWindowList().size()); }
};

std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(PlotWindows, EveryGraphicsCommandOpensItsWindowMaximisedOnce) {
    TRun w;
    ASSERT_TRUE(w.Project().ShowOutput);
    int opened = 0;
    for (C c : Plots) {
        TGraphPlot* plot = w.Form->GraphOf(c);
        ASSERT_NE(plot, nullptr);
        w.Form->MenuAction(c)->trigger();
        ++opened;
        ASSERT_TRUE(plot->FormExists()) << plot->Caption;
        EXPECT_EQ(w.SubWindows(), opened);
        auto* form = PlotFormOf(*plot);
        ASSERT_NE(form, nullptr);
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        ASSERT_NE(sub, nullptr);
        EXPECT_TRUE(sub->isMaximized());
        EXPECT_EQ(w.Form->MdiArea()->activeSubWindow(), sub);
        EXPECT_EQ(form->windowTitle().toStdString(), plot->Caption);
    }
    // The toolbar buttons bring the open windows to the front without another window.
    for (C c : Plots) {
        w.Form->ToolAction(c)->trigger();
        auto* sub = qobject_cast<QMdiSubWindow*>(PlotFormOf(*w.Form->GraphOf(c))->parentWidget());
        EXPECT_EQ(w.Form->MdiArea()->activeSubWindow(), sub);
    }
    EXPECT_EQ(w.SubWindows(), opened);

    // A run closes every window; the graphs forget them.
    w.Form->Execute(C::RunAnalysis);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (C c : Plots) EXPECT_FALSE(w.Form->GraphOf(c)->FormExists());
    EXPECT_EQ(w.SubWindows(), 0);
    w.Form->ToolAction(C::PlotLoad)->trigger();
    EXPECT_TRUE(w.Form->GraphOf(C::PlotLoad)->FormExists());
}

TEST(PlotWindows, DownDragGraphOpensToo) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->Startup({w.CopyExample("si-api-clay-over-sand-downdrag.dv4d")});
    w.Form->Execute(C::RunAnalysis);
    w.Form->ToolAction(C::PlotDispDown)->trigger();
    TGraphPlot& plot = w.Project().Graphs().pltDispDown;
    ASSERT_TRUE(plot.FormExists());
    auto* form = PlotFormOf(plot);
    // The soil-layer strip is offered and switches on.
    emit form->PlotMenu()->aboutToShow();
    ASSERT_TRUE(form->MenuEntry("Show &Soil Layer")->isVisible());
    form->MenuEntry("Show &Soil Layer")->trigger();
    EXPECT_TRUE(plot.ShowLayers);
    EXPECT_TRUE(form->ClientLayout().HasLayers);
}

TEST(PlotWindows, ClosingTheFrameWithOpenPlotWindowsFreesThemOnce) {
    auto w = std::make_unique<TRun>();
    for (C c : Plots) w->Form->Execute(c);
    ASSERT_EQ(w->SubWindows(), static_cast<int>(Plots.size()));
    std::vector<QPointer<QWidget>> windows;
    for (C c : Plots) {
        auto* form = PlotFormOf(*w->Form->GraphOf(c));
        ASSERT_NE(form, nullptr);
        windows.emplace_back(form);
        windows.emplace_back(form->parentWidget());
    }
    // One closed by the user first, its frame not yet freed.
    PlotFormOf(*w->Form->GraphOf(C::PlotQw))->parentWidget()->close();
    EXPECT_FALSE(w->Form->GraphOf(C::PlotQw)->FormExists());
    w->Form.reset(); // destroys frames, windows and graphs
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Every window and frame is gone (a second free would stop the sanitizer build).
    for (const QPointer<QWidget>& window : windows) EXPECT_TRUE(window.isNull());
}

TEST(PlotWindows, ChangedLegendNameIsSavedAndReadBack) {
    TRun w;
    TGraphPlot& plot = w.Project().Graphs().pltAxial;
    // The dialog renames the first curve, as the user would.
    struct TRename : TPlotDialogs {
        bool EditLegend(QWidget*, TLegendNamesModel& names, TMessages*,
                        const TGraphPlot&) override {
            names.Select(0);
            return names.Store("Pile head, test 3");
        }
    } rename;
    w.Form->SetPlotDialogs(&rename);
    w.Form->Execute(C::PlotAxial);
    auto* form = PlotFormOf(plot);
    ASSERT_NE(form, nullptr);
    form->MenuEntry("&Edit Legend")->trigger();
    EXPECT_TRUE(plot.AnyChange);
    EXPECT_EQ(form->Legend()->item(0)->text(), "Pile head, test 3 *");
    w.Form->Execute(C::FileSave);
    const std::string settings = Read(GraphSettingsFileName(w.File));
    EXPECT_NE(settings.find(":Legend, Line 1\nPile head, test 3\n"), std::string::npos);
    EXPECT_FALSE(plot.AnyChange);

    w.Form->Execute(C::FileNew);
    w.Form->Controller().OpenFileName(w.File, 1);
    ASSERT_GT(plot.List(TLineKind::Main).LineCount(), 0);
    EXPECT_EQ(plot.List(TLineKind::Main).Line(0).LineName(), "Pile head, test 3");
}
