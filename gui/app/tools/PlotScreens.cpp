// Pictures of the plot windows for a look by eye and for the user's manual: runs the analysis
// of a project through the kernel beside the program, opens every graph the project offers
// (soil strip switched on where there is one) and writes one PNG per graph of the main window
// into a folder. Then, on the load-distribution graph: the window with its "&Plot" menu open
// (menu.png), the page setup (page-setup.png) and "Save Attributes" (save-attributes.png);
// and the export dialog over the results (export.png).
// Usage: dorvek_plot_screens PROJECT.dv4d OUTPUT-FOLDER  (run under xvfb-run or offscreen)

#include "gui/app/Main.h"
#include "gui/app/tools/GrabModal.h"
#include "gui/common/Messages.h"
#include "gui/common/tools/SilentMessages.h"
#include "gui/plots/PlotForm.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <iostream>

using namespace dorvek;

namespace {

// The save dialog answers with a file in the output folder, so "Save To Disk..." goes on to
// its own dialog; every other box stays silent.
class TShotMessages : public TSilentMessages {
public:
    explicit TShotMessages(std::string file) : fFile(std::move(file)) {}
    std::optional<TFileChoice> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return TFileChoice{fFile, 1};
    }

private:
    std::string fFile;
};

// The top left of the main window with the plot window's menu dropped down from its menu bar:
// the menu, the bars above it and a little of the graph, so the entries stay legible in print.
QImage WithMenuOpen(QWidget& main, TPlotForm& window) {
    QMenuBar* bar = window.MenuBar();
    QMenu* menu = window.PlotMenu();
    const QRect entry = bar->actionGeometry(menu->menuAction());
    menu->popup(bar->mapToGlobal(entry.bottomLeft()));
    QApplication::processEvents();
    QImage shot = main.grab().toImage();
    const QPoint at = main.mapFromGlobal(menu->pos());
    QPainter painter(&shot);
    painter.drawPixmap(at, menu->grab());
    painter.end();
    menu->hide();
    const QRect area(QPoint(0, 0), at + QPoint(menu->width() + 320, menu->height() + 40));
    return shot.copy(area.intersected(shot.rect()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: dorvek_plot_screens PROJECT.dv4d OUTPUT-FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    TShotMessages messages(QDir(folder).filePath("saved-graph.bmp").toStdString());
    TMainEnvironment env;
    env.KernelFolder = QCoreApplication::applicationDirPath().toStdString();
    env.SettingsFile = QDir(folder).filePath("settings.ini").toStdString();
    TMainForm form(env, &messages);
    form.resize(1300, 900);
    form.show();
    form.Startup({argv[1]});
    form.Execute(TCommand::RunAnalysis);
    using C = TCommand;
    const std::pair<C, const char*> graphs[] = {{C::PlotLoad, "load"},
                                                {C::PlotDisp, "disp"},
                                                {C::PlotDispDown, "disp-down"},
                                                {C::PlotAxial, "axial"},
                                                {C::PlotTz, "tz"},
                                                {C::PlotQw, "qw"},
                                                {C::PlotLoadLoads, "load-loads"},
                                                {C::PlotDispLoads, "disp-loads"},
                                                {C::PlotAxialLoads, "axial-loads"}};
    for (const auto& [command, name] : graphs) {
        if (!form.ToolAction(command)->isEnabled()) continue;
        form.Execute(command);
        TGraphPlot* plot = form.GraphOf(command);
        auto* window = plot ? PlotFormOf(*plot) : nullptr;
        if (!window) continue;
        if (plot->List(TLineKind::Layers).LineCount() > 0 && !plot->ShowLayers)
            window->ToggleLayers();
        QApplication::processEvents();
        const QString file = QDir(folder).filePath(QString::fromLatin1(name) + ".png");
        form.grab().save(file);
        std::cout << file.toStdString() << "\n";
    }

    bool complete = true;
    form.Execute(C::PlotLoad);
    TGraphPlot* plot = form.GraphOf(C::PlotLoad);
    if (auto* window = plot ? PlotFormOf(*plot) : nullptr) {
        QApplication::processEvents();
        const QString file = QDir(folder).filePath("menu.png");
        WithMenuOpen(form, *window).save(file);
        std::cout << file.toStdString() << "\n";
        // Reached from the menu only with a printer installed, but the same dialog.
        complete &=
            GrabModal([window] { window->PageSetup(); }, QDir(folder).filePath("page-setup.png"));
        complete &= GrabModal([window] { window->SaveToDisk(); },
                              QDir(folder).filePath("save-attributes.png"));
    } else {
        complete = false;
    }
    complete &=
        GrabModal([&form] { form.Execute(C::ExportPlots); }, QDir(folder).filePath("export.png"));
    return complete ? 0 : 1;
}
