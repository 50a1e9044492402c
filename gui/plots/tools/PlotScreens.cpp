// Pictures of the plot windows for a look by eye: runs the analysis of a project through the
// kernel beside the program, opens every graph the project offers (soil strip switched on
// where there is one) and writes one PNG per graph of the main window into a folder.
// Usage: dorvek_plot_screens PROJECT.dv4d OUTPUT-FOLDER  (run under xvfb-run or offscreen)

#include "Main.h"
#include "Messages.h"
#include "PlotForm.h"
#include "SilentMessages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>

#include <iostream>

using namespace dorvek;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: dorvek_plot_screens PROJECT.dv4d OUTPUT-FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    TSilentMessages messages;
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
        auto* window = plot ? dynamic_cast<TPlotForm*>(plot->Form()) : nullptr;
        if (!window) continue;
        if (plot->LayerLineCount() > 0 && !plot->ShowLayers) window->ToggleLayers();
        QApplication::processEvents();
        const QString file = QDir(folder).filePath(QString::fromLatin1(name) + ".png");
        form.grab().save(file);
        std::cout << file.toStdString() << "\n";
    }
    return 0;
}
