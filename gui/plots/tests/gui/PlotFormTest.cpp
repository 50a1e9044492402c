// The plot window offscreen: its menu, the settings each command changes, the mouse, the legend
// and the window's life with its plot.

#include "gui/plots/PlotForm.h"
#include "gui/common/tests/support/ScriptedMessages.h"
#include "gui/plots/PlotLegendList.h"
#include "gui/plots/PlotPicture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

using namespace dorvek;
using namespace dorvek::test;

namespace {

// Dialog answers scripted by the test.
struct TScriptedDialogs : TPlotDialogs {
    bool Printer = true;
    std::optional<std::pair<std::string, bool>> Caption;
    std::function<void(TLegendNamesModel&)> Legend;
    std::function<void(TActiveCurvesModel&)> Curves;
    QString PrintFile;
    std::optional<TSaveAttributes> Attributes;
    int PageSetups = 0;

    bool HasPrinter() override { return Printer; }
    bool EditCaption(QWidget*, std::string& caption, bool& onTop) override {
        if (!Caption) return false;
        caption = Caption->first;
        onTop = Caption->second;
        return true;
    }
    bool EditLegend(QWidget*, TLegendNamesModel& names, TMessages*, const TGraphPlot&) override {
        if (!Legend) return false;
        Legend(names);
        return true;
    }
    bool EditActiveCurves(QWidget*, TActiveCurvesModel& curves) override {
        if (!Curves) return false;
        Curves(curves);
        return true;
    }
    bool Print(QWidget*, QPrinter& printer) override {
        if (PrintFile.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PrintFile);
        return true;
    }
    bool PageSetup(QWidget*, QPrinter& printer) override {
        ++PageSetups;
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        return true;
    }
    std::optional<TSaveAttributes> SaveAttributes(QWidget*, const TSaveAttributes&,
                                                  TMessages*) override {
        return Attributes;
    }
};

// A settlement-style graph: two curves of three points, x from 0 to 2, y from 0 to 10.
void Fill(TGraphPlot& plot, int curves = 2) {
    plot.Caption = "Load Distribution";
    plot.XCaption = "Load";
    plot.YCaption = "Depth";
    plot.List(TLineKind::Main).SetLineCount(curves);
    plot.List(TLineKind::Main).SetCount(3);
    for (int i = 0; i < curves; ++i)
        for (int j = 0; j < 3; ++j)
            plot.List(TLineKind::Main).Point(i, j) = {j * (1.0L + i) / 2, j * 5.0L};
}

struct TFormFixture : ::testing::Test {
    TScriptedMessages Messages;
    TScriptedDialogs Dialogs;
    TGraphPlot Plot;

    TPlotForm& Open() {
        TPlotWindowHost host;
        host.Messages = &Messages;
        host.Dialogs = &Dialogs;
        InstallPlotWindow(Plot, host);
        Plot.Show();
        auto* form = PlotFormOf(Plot);
        EXPECT_NE(form, nullptr);
        form->resize(800, 600);
        QApplication::processEvents();
        return *form;
    }
};

void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QStringList Texts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(TFormFixture, CtrlZOpensThePlotMenuFromTheGraphAndTheLegend) {
    TPlotForm& form = Open();
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (QWidget* from : {form.Client(), static_cast<QWidget*>(form.Legend())}) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(form.PlotMenu()->isVisible()) << from->metaObject()->className();
        form.PlotMenu()->hide();
    }
}

TEST_F(TFormFixture, MenuEntriesInOrderWithTheirTexts) {
    Fill(Plot);
    TPlotForm& form = Open();
    EXPECT_EQ(form.PlotMenu()->title(), "&Plot");
    EXPECT_EQ(Texts(form.PlotMenu()), (QStringList{"Show &Legend",
                                                   "Show &Soil Layer",
                                                   "Show &Wall Geometry",
                                                   "Show &Markers",
                                                   "&Font Size",
                                                   "&Line Width",
                                                   "&Graph Title",
                                                   "&Edit Legend",
                                                   "&Active Curves",
                                                   "Legend &Off the Curves",
                                                   "Colour-&Blind-Safe Palette",
                                                   "&Zoom to the Rising Part",
                                                   "Axis &Ranges...",
                                                   "Full E&xtent",
                                                   "-",
                                                   "&Print...",
                                                   "P&age Setup",
                                                   "&Save To Disk...",
                                                   "-",
                                                   "Curve #1",
                                                   "Curve #2"}));
    EXPECT_EQ(Texts(form.MenuEntry("Show &Markers")->menu()),
              (QStringList{"&Never", "Every &Increment", "Every &2 Increments",
                           "Every &3 Incrments", "Every &5 Increments", "Every &10 Incements"}));
    EXPECT_EQ(Texts(form.MenuEntry("&Font Size")->menu()),
              (QStringList{"&Default", "1.5 * Default", "2 * Default", "2.5 * Default",
                           "3 * Default", "4 * Default"}));
    EXPECT_EQ(
        Texts(form.MenuEntry("&Line Width")->menu()),
        (QStringList{"&Default", "2 * Default", "4 * Default", "6 * Default", "10 * Default"}));
    bool ctrlZ = false;
    for (auto* s : form.findChildren<QShortcut*>())
        ctrlZ = ctrlZ || s->key() == QKeySequence(Qt::CTRL | Qt::Key_Z);
    EXPECT_TRUE(ctrlZ);

    // No layer lines and no wall: those entries are hidden; the curves are checked (visible).
    emit form.PlotMenu()->aboutToShow();
    EXPECT_FALSE(form.MenuEntry("Show &Soil Layer")->isVisible());
    EXPECT_FALSE(form.MenuEntry("Show &Wall Geometry")->isVisible());
    EXPECT_TRUE(form.MenuEntry("Show &Legend")->isChecked());
    ASSERT_EQ(form.CurveEntries().size(), 2u);
    EXPECT_TRUE(form.CurveEntries()[0]->isChecked());
    EXPECT_TRUE(form.MenuEntry("&Print...")->isEnabled());
}

TEST_F(TFormFixture, StoredValuesAndAnyChangeOfEveryCommand) {
    Fill(Plot);
    Plot.List(TLineKind::Layers).SetLineCount(1);
    Plot.List(TLineKind::Layers).SetCount(1);
    Plot.List(TLineKind::Layers).Point(0, 0) = {1, 5};
    Plot.WallLineCount = 1;
    TPlotForm& form = Open();
    emit form.PlotMenu()->aboutToShow();
    EXPECT_TRUE(form.MenuEntry("Show &Soil Layer")->isVisible());
    EXPECT_TRUE(form.MenuEntry("Show &Wall Geometry")->isVisible());
    EXPECT_FALSE(form.MenuEntry("Show &Wall Geometry")->isEnabled());

    // Print, page setup and save to disk are not changes.
    Messages.SaveChoices.push_back(std::nullopt);
    form.MenuEntry("&Print...")->trigger();
    form.MenuEntry("P&age Setup")->trigger();
    form.MenuEntry("&Save To Disk...")->trigger(); // cancelled at the file dialog
    EXPECT_EQ(Dialogs.PageSetups, 1);
    EXPECT_FALSE(Plot.AnyChange);

    auto triggered = [&](QAction* a) {
        Plot.AnyChange = false;
        a->trigger();
        return Plot.AnyChange;
    };
    EXPECT_TRUE(triggered(form.MenuEntry("Show &Soil Layer")));
    EXPECT_TRUE(Plot.ShowLayers);
    emit form.PlotMenu()->aboutToShow();
    EXPECT_TRUE(form.MenuEntry("Show &Wall Geometry")->isEnabled());
    EXPECT_TRUE(triggered(form.MenuEntry("Show &Wall Geometry")));
    EXPECT_TRUE(Plot.ShowWall);
    EXPECT_TRUE(triggered(form.MenuEntry("Show &Legend")));
    EXPECT_FALSE(Plot.ShowLegend);
    EXPECT_FALSE(form.Legend()->isVisible());

    const std::vector<std::pair<QString, int>> markers = {{"&Never", 0},
                                                          {"Every &Increment", 1},
                                                          {"Every &2 Increments", 2},
                                                          {"Every &3 Incrments", 3},
                                                          {"Every &5 Increments", 5},
                                                          {"Every &10 Incements", 10}};
    for (const auto& [text, value] : markers) {
        EXPECT_TRUE(triggered(form.MenuEntry(text)));
        EXPECT_EQ(Plot.Markers, value) << text.toStdString();
    }
    QMenu* fonts = form.MenuEntry("&Font Size")->menu();
    const int sizes[] = {10, 15, 20, 25, 30, 40};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(triggered(fonts->actions()[i]));
        EXPECT_EQ(Plot.SizeFont, sizes[i]);
    }
    // 4 x default: the legend font is 40 x 11 / 10 = 44 points, 59 pixels, items 89 high.
    EXPECT_EQ(form.Legend()->font().pixelSize(), 59);
    EXPECT_EQ(form.Legend()->ItemHeight(), 89); // 1.5 x 59, rounded
    QMenu* widths = form.MenuEntry("&Line Width")->menu();
    const int lineWidths[] = {1, 2, 4, 6, 10};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(triggered(widths->actions()[i]));
        EXPECT_EQ(Plot.WidthLine, lineWidths[i]);
    }
    EXPECT_TRUE(triggered(form.CurveEntries()[1]));
    EXPECT_FALSE(Plot.List(TLineKind::Main).Line(1).Visible);

    // Cancelled dialogs change nothing.
    EXPECT_FALSE(triggered(form.MenuEntry("&Graph Title")));
    EXPECT_FALSE(triggered(form.MenuEntry("&Edit Legend")));
    EXPECT_FALSE(triggered(form.MenuEntry("&Active Curves")));
    Dialogs.Caption = std::make_pair(std::string("Pile A"), true);
    EXPECT_TRUE(triggered(form.MenuEntry("&Graph Title")));
    EXPECT_EQ(Plot.UserCaption, "Pile A");
    EXPECT_TRUE(Plot.UserCaptionOnTop);
}

TEST_F(TFormFixture, NoPrinterDisablesPrinting) {
    Fill(Plot);
    Dialogs.Printer = false;
    TPlotForm& form = Open();
    EXPECT_FALSE(form.MenuEntry("&Print...")->isEnabled());
    EXPECT_FALSE(form.MenuEntry("P&age Setup")->isEnabled());
    EXPECT_TRUE(form.MenuEntry("&Save To Disk...")->isEnabled());
    // Margins of one inch on a letter page.
    const QMarginsF m = form.PageLayout().margins(QPageLayout::Inch);
    EXPECT_DOUBLE_EQ(m.left(), 1.0);
    EXPECT_DOUBLE_EQ(m.bottom(), 1.0);
    const QSizeF page = form.PageLayout().pageSize().size(QPageSize::Inch);
    EXPECT_DOUBLE_EQ(page.width(), 8.5);
    EXPECT_DOUBLE_EQ(page.height(), 11.0);
}

TEST_F(TFormFixture, TitleShowsTheValuesUnderThePointerClampedToTheGraph) {
    Fill(Plot);
    TPlotForm& form = Open();
    EXPECT_EQ(form.windowTitle(), "Load Distribution");
    const TPixelRect g = form.ClientLayout().GraphArea;
    const TPlotMapping map(g, form.View().LogicBounds, Plot.XOnTop);
    // The upper-left corner of the graph is x = 0, depth 0 (the x axis is at the top).
    Mouse(form.Client(), QEvent::MouseMove, QPoint(g.Left, g.Top), Qt::NoButton);
    EXPECT_EQ(form.windowTitle(), "Load Distribution X: 0 Y: 0");
    // Far outside: clamped to the lower-right corner, the full extent 2 x 10.
    Mouse(form.Client(), QEvent::MouseMove, QPoint(5000, 5000), Qt::NoButton);
    EXPECT_EQ(form.windowTitle(), "Load Distribution X: 2 Y: 10");
    EXPECT_EQ(form.View().LogicBounds.Right, 2);
    EXPECT_EQ(form.View().LogicBounds.Bottom, 10);
    (void)map;
}

TEST_F(TFormFixture, RubberBandZoomsAndRightButtonZoomsOut) {
    Fill(Plot);
    TPlotForm& form = Open();
    const TPixelRect g = form.ClientLayout().GraphArea;
    const TLogicBounds full = form.View().LogicBounds;
    const TPlotMapping map(g, full, Plot.XOnTop);
    // A quarter of the graph, from its upper-left corner.
    const QPoint a(g.Left, g.Top);
    const QPoint b(g.Left + g.Width() / 2, g.Top + g.Height() / 2);
    Mouse(form.Client(), QEvent::MouseButtonPress, a, Qt::LeftButton);
    Mouse(form.Client(), QEvent::MouseMove, b, Qt::NoButton);
    Mouse(form.Client(), QEvent::MouseButtonRelease, b, Qt::LeftButton);
    TPlotView expected(full);
    ASSERT_TRUE(expected.ZoomToRect(map, a.x(), a.y(), b.x(), b.y()));
    EXPECT_EQ(form.View().LogicBounds, expected.LogicBounds);
    EXPECT_NEAR(static_cast<double>(form.View().LogicBounds.Right), 1.0, 0.01);
    EXPECT_NEAR(static_cast<double>(form.View().LogicBounds.Bottom), 5.0, 0.05);
    EXPECT_FALSE(Plot.AnyChange); // zooming is no setting

    // A release at the start's x does nothing.
    const TLogicBounds zoomed = form.View().LogicBounds;
    Mouse(form.Client(), QEvent::MouseButtonPress, b, Qt::LeftButton);
    Mouse(form.Client(), QEvent::MouseButtonRelease, QPoint(b.x(), b.y() + 30), Qt::LeftButton);
    EXPECT_EQ(form.View().LogicBounds, zoomed);

    // Right button: twice as wide, at most the full extent.
    Mouse(form.Client(), QEvent::MouseButtonPress, QPoint(g.Left + 10, g.Top + 10),
          Qt::RightButton);
    TLogicBounds out = form.View().LogicBounds;
    EXPECT_NEAR(static_cast<double>(out.Left), 0, 1e-12); // shifted back inside the extent
    EXPECT_NEAR(static_cast<double>(out.Right - out.Left),
                2 * static_cast<double>(zoomed.Right - zoomed.Left), 1e-12);
    EXPECT_NEAR(static_cast<double>(out.Bottom - out.Top),
                2 * static_cast<double>(zoomed.Bottom - zoomed.Top), 1e-12);
    // Once more: the full extent.
    Mouse(form.Client(), QEvent::MouseButtonPress, QPoint(g.Left + 10, g.Top + 10),
          Qt::RightButton);
    out = form.View().LogicBounds;
    EXPECT_NEAR(static_cast<double>(out.Right), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(out.Bottom), 10, 1e-12);
}

TEST_F(TFormFixture, NarrowRubberBandGivesATwentiethOfTheFullExtent) {
    Fill(Plot);
    TPlotForm& form = Open();
    const TPixelRect g = form.ClientLayout().GraphArea;
    const QPoint a(g.Left + 100, g.Top + 100);
    Mouse(form.Client(), QEvent::MouseButtonPress, a, Qt::LeftButton);
    Mouse(form.Client(), QEvent::MouseButtonRelease, a + QPoint(2, 2), Qt::LeftButton);
    const TLogicBounds v = form.View().LogicBounds;
    EXPECT_NEAR(static_cast<double>(v.Right - v.Left), 2.0 / 20, 1e-9);
    EXPECT_NEAR(static_cast<double>(std::fabs(v.Bottom - v.Top)), 10.0 / 20, 1e-9);
}

TEST_F(TFormFixture, LegendDoubleClickTogglesVisibilityAndTheStar) {
    Fill(Plot, 3);
    Plot.List(TLineKind::Main).Line(1).Active = false;
    TPlotForm& form = Open();
    TPlotLegendList* legend = form.Legend();
    ASSERT_EQ(legend->count(), 2);
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->item(0)->text(), "Curve #1 *");
    EXPECT_EQ(legend->item(1)->text(), "Curve #3 *");
    // Entry i in palette colour i: black, then blue.
    EXPECT_EQ(legend->item(1)->foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(legend->height(), 2 * legend->ItemHeight() + 3);
    // Lower-right corner of the graph area, inside the client area.
    const TPixelRect g = form.ClientLayout().GraphArea;
    EXPECT_EQ(legend->x() + legend->width(), g.Right);
    EXPECT_EQ(legend->y() + legend->height(), g.Bottom);

    const QRect r = legend->visualItemRect(legend->item(1));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(r.center()),
                    legend->viewport()->mapToGlobal(QPointF(r.center())), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(legend->viewport(), &dbl);
    EXPECT_FALSE(Plot.List(TLineKind::Main).Line(2).Visible);
    EXPECT_TRUE(Plot.AnyChange);
    EXPECT_EQ(legend->item(1)->text(), "Curve #3");
    emit form.PlotMenu()->aboutToShow();
    EXPECT_FALSE(form.CurveEntries()[1]->isChecked());
    form.CurveEntries()[1]->trigger();
    EXPECT_EQ(legend->item(1)->text(), "Curve #3 *");

    // Dragged beyond the client area, it stays inside.
    const QPoint start = r.center();
    Mouse(legend->viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(5000, 5000)),
                     legend->viewport()->mapToGlobal(QPointF(start + QPoint(5000, 5000))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(legend->viewport(), &move);
    Mouse(legend->viewport(), QEvent::MouseButtonRelease, start, Qt::LeftButton);
    EXPECT_EQ(legend->x() + legend->width(), form.Client()->width());
    EXPECT_EQ(legend->y() + legend->height(), form.Client()->height());
}

TEST_F(TFormFixture, LegendAndActiveCurveDialogsUpdateLegendAndMenu) {
    Fill(Plot, 3);
    TPlotForm& form = Open();
    Dialogs.Legend = [](TLegendNamesModel& names) {
        names.Select(0);
        names.Store("A very long name for the first curve");
    };
    const int before = form.Legend()->width();
    form.MenuEntry("&Edit Legend")->trigger();
    EXPECT_EQ(Plot.List(TLineKind::Main).Line(0).LineName(),
              "A very long name for the first curve");
    EXPECT_EQ(form.Legend()->item(0)->text(), "A very long name for the first curve *");
    EXPECT_EQ(form.CurveEntries()[0]->text(), "A very long name for the first curve");
    EXPECT_GT(form.Legend()->width(), before);

    Dialogs.Curves = [](TActiveCurvesModel& curves) { curves.Toggle({0}); };
    form.MenuEntry("&Active Curves")->trigger();
    EXPECT_FALSE(Plot.List(TLineKind::Main).Line(0).Active);
    ASSERT_EQ(form.Legend()->count(), 2);
    EXPECT_EQ(form.Legend()->item(0)->text(), "Curve #2 *");
    ASSERT_EQ(form.CurveEntries().size(), 2u);
    EXPECT_EQ(form.CurveEntries()[0]->text(), "Curve #2");
    // Deactivating shifts the colours: curve 2 is now drawn in black.
    EXPECT_EQ(form.Legend()->item(0)->foreground().color(), QColor(Qt::black));
}

TEST_F(TFormFixture, PrintWritesAPageAndSaveWritesPictures) {
    Fill(Plot);
    TPlotForm& form = Open();
    QTemporaryDir dir;
    Dialogs.PrintFile = dir.filePath("page.pdf");
    form.Print();
    QFile pdf(Dialogs.PrintFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_FALSE(Plot.AnyChange);

    TSaveAttributes a;
    a.WidthIn = 3;
    a.HeightIn = 2;
    a.PixelsPerInch = 50;
    Dialogs.Attributes = a;
    // A name without extension gets the one of its file type, BMP by default.
    Messages.SaveChoices.push_back(TFileChoice{dir.filePath("graph").toStdString(), 1});
    form.SaveToDisk();
    QImage bmp(dir.filePath("graph.bmp"));
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(bmp.size(), QSize(150, 100));
    EXPECT_EQ(Messages.Shown.back().Detail.substr(0, 22), "Bitmap (*.bmp)|*.bmp|P");

    a.Colors = TPictureColors::Monochrome;
    Dialogs.Attributes = a;
    Messages.SaveChoices.push_back(TFileChoice{dir.filePath("mono.png").toStdString(), 1});
    form.SaveToDisk();
    QImage mono(dir.filePath("mono.png"));
    ASSERT_FALSE(mono.isNull());
    EXPECT_LE(mono.colorCount(), 2);
    EXPECT_EQ(mono.size(), QSize(150, 100));

    Dialogs.Attributes = a;
    Messages.SaveChoices.push_back(TFileChoice{dir.filePath("vector").toStdString(), 3});
    form.SaveToDisk();
    EXPECT_TRUE(QFile::exists(dir.filePath("vector.svg")));

    // Too large a picture is refused with the memory message and nothing is written.
    a.WidthIn = 2000;
    a.HeightIn = 2000;
    a.PixelsPerInch = 1000;
    a.Colors = TPictureColors::TrueColor;
    Dialogs.Attributes = a;
    Messages.SaveChoices.push_back(TFileChoice{dir.filePath("huge.bmp").toStdString(), 1});
    form.SaveToDisk();
    EXPECT_EQ(Messages.Texts("information").back(),
              "There is not enough memory to complete this task.");
    EXPECT_FALSE(QFile::exists(dir.filePath("huge.bmp")));
    EXPECT_FALSE(Plot.AnyChange);
}

TEST_F(TFormFixture, ClosingFreesTheWindowAndClearsFormExists) {
    Fill(Plot);
    TPlotForm& form = Open();
    QPointer<TPlotForm> watch(&form);
    form.close();
    EXPECT_FALSE(Plot.FormExists());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    // Shown again: a new window.
    Plot.Show();
    EXPECT_TRUE(Plot.FormExists());
    Plot.Hide();
    EXPECT_FALSE(Plot.FormExists());
}

TEST_F(TFormFixture, WindowFreedByQtLeavesNoHandleAndShowOpensAFreshOne) {
    Fill(Plot);
    QPointer<TPlotForm> first(&Open());
    first->deleteLater();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(first.isNull());
    EXPECT_FALSE(Plot.FormExists());
    EXPECT_EQ(Plot.Window(), nullptr);
    EXPECT_EQ(PlotFormOf(Plot), nullptr);
    Plot.Hide(); // nothing to free
    QPointer<TPlotForm> second(&Open());
    EXPECT_TRUE(Plot.FormExists());
    EXPECT_EQ(PlotFormOf(Plot), second.data());

    // In a child-window frame whose parent goes: window and frame go with it.
    auto area = std::make_unique<QMdiArea>();
    TPlotWindowHost host;
    host.Dialogs = &Dialogs;
    host.AddChildWindow = [&area](QWidget& window) { area->addSubWindow(&window)->show(); };
    InstallPlotWindow(Plot, host);
    Plot.Hide();
    EXPECT_TRUE(second.isNull()) << "hiding frees an open window at once";
    Plot.Show();
    QPointer<TPlotForm> framed(PlotFormOf(Plot));
    ASSERT_FALSE(framed.isNull());
    QPointer<QMdiSubWindow> frame(framed->Frame());
    ASSERT_FALSE(frame.isNull());
    area.reset();
    EXPECT_TRUE(framed.isNull());
    EXPECT_FALSE(Plot.FormExists());
    area = std::make_unique<QMdiArea>();
    Plot.Show();
    ASSERT_NE(PlotFormOf(Plot), nullptr);
    EXPECT_EQ(area->subWindowList().size(), 1);
}

TEST_F(TFormFixture, GraphDestroyedFirstFreesItsWindowAndFrame) {
    QMdiArea area;
    auto plot = std::make_unique<TGraphPlot>();
    Fill(*plot);
    TPlotWindowHost host;
    host.Dialogs = &Dialogs;
    host.AddChildWindow = [&area](QWidget& window) { area.addSubWindow(&window)->show(); };
    InstallPlotWindow(*plot, host);
    plot->Show();
    QPointer<TPlotForm> form(PlotFormOf(*plot));
    ASSERT_FALSE(form.isNull());
    QPointer<QMdiSubWindow> frame(form->Frame());
    plot.reset();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(TFormFixture, BadDataOpensOrStaysClosedWithoutCrashing) {
    // One point per curve.
    Fill(Plot);
    Plot.List(TLineKind::Main).SetCount(1);
    Plot.List(TLineKind::Main).Point(0, 0) = {3, 4};
    TPlotForm& one = Open();
    one.Client()->grab();
    Plot.Hide();

    // All-zero data: the extent grows by 0.01 each way and the window opens.
    Plot.List(TLineKind::Main).SetCount(3);
    for (int i = 0; i < Plot.List(TLineKind::Main).LineCount(); ++i)
        for (int j = 0; j < 3; ++j) Plot.List(TLineKind::Main).Point(i, j) = {0, 0};
    TPlotForm& zero = Open();
    zero.Client()->grab();
    Plot.Hide();

    // Values near 1e30, an empty caption and 25 curves (20 active at first).
    Fill(Plot, 25);
    Plot.Caption.clear();
    Plot.List(TLineKind::Main).Point(3, 2) = {1e30L, 1e30L};
    TPlotForm& big = Open();
    big.Client()->grab();
    EXPECT_EQ(big.Legend()->count(), 20);
    EXPECT_EQ(big.CurveEntries().size(), 20u);
    Mouse(big.Client(), QEvent::MouseMove, QPoint(200, 200), Qt::NoButton);
    EXPECT_EQ(big.windowTitle().left(4), " X: ");
    Plot.Hide();

    // A range that overflows has no step: no window.
    Plot.List(TLineKind::Main).Point(3, 2) = {std::numeric_limits<long double>::max(), 1};
    Plot.List(TLineKind::Main).Point(4, 2) = {std::numeric_limits<long double>::lowest(), 1};
    TPlotWindowHost host;
    host.Dialogs = &Dialogs;
    InstallPlotWindow(Plot, host);
    Plot.Show();
    EXPECT_FALSE(Plot.FormExists());
}
