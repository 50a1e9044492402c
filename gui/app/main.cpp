// The desktop program: the main window on the project named by the first argument.
// --screenshot FILE saves pictures of the window, of each menu, of the about box and of the
// toolbar pictures at 16, 24 and 32 pixels (enabled and disabled), of the window with the
// project's data open and with its report, then quits.

#include "gui/app/Main.h"
#include "gui/app/About.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// One row per toolbar button, in three columns: the picture at 16, 24 and 32 pixels, then the
// same disabled.
QImage IconSheet(const dorvek::TMainForm& form) {
    QList<QAction*> actions;
    for (QAction* a : form.ToolBar()->actions())
        if (!a->isSeparator()) actions.append(a);
    constexpr int Sizes[] = {16, 24, 32}, Columns = 3, RowHeight = 40;
    constexpr int CellWidth = 2 * (16 + 24 + 32 + 3 * 8) + 24;
    const int rows = (int(actions.size()) + Columns - 1) / Columns;
    QImage sheet(Columns * CellWidth, rows * RowHeight + 8, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int i = 0; i < actions.size(); ++i) {
        int x = 8 + (i / rows) * CellWidth;
        const int y = 8 + (i % rows) * RowHeight;
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
            for (int size : Sizes) {
                p.drawPixmap(x, y + (32 - size) / 2, actions[i]->icon().pixmap(size, mode));
                x += size + 8;
            }
    }
    return sheet;
}

void SaveScreenshots(dorvek::TMainForm& form, const QString& file) {
    // The manual's pictures show the window at the size of a common screen, whatever screen
    // (or none) they are taken on.
    form.resize(1200, 860);
    QCoreApplication::processEvents();
    form.grab().save(file);
    const QString stem = file.endsWith(QStringLiteral(".png")) ? file.chopped(4) : file;
    int n = 0;
    for (QMenu* menu : form.TopMenus()) {
        menu->popup(form.mapToGlobal(QPoint(0, 0)));
        QCoreApplication::processEvents();
        menu->grab().save(stem + QStringLiteral("-menu%1.png").arg(++n));
        menu->hide();
    }
    dorvek::TAboutBox about(&form);
    about.show();
    QCoreApplication::processEvents();
    about.grab().save(stem + QStringLiteral("-about.png"));
    form.ToolBar()->grab().save(stem + QStringLiteral("-toolbar.png"));
    IconSheet(form).save(stem + QStringLiteral("-icons.png"));
    // The window at work: the project's pile, soil layers and loads open inside it.
    for (const auto command :
         {dorvek::TCommand::DataSoilLayers, dorvek::TCommand::DataPileHeadLoads,
          dorvek::TCommand::DataPileProperties})
        form.Execute(command);
    QCoreApplication::processEvents();
    // Side by side, so each can be read.
    int x = 8, y = 8, rowHeight = 0;
    for (QMdiSubWindow* w : form.MdiArea()->subWindowList()) {
        if (x > 8 && x + w->width() > form.MdiArea()->viewport()->width()) {
            x = 8;
            y += rowHeight + 8;
            rowHeight = 0;
        }
        w->move(x, y);
        x += w->width() + 8;
        rowHeight = std::max(rowHeight, w->height());
    }
    QCoreApplication::processEvents();
    form.grab().save(stem + QStringLiteral("-work.png"));
    // The report window over the results of the project.
    form.MdiArea()->closeAllSubWindows();
    form.Execute(dorvek::TCommand::ViewReport);
    QCoreApplication::processEvents();
    form.grab().save(stem + QStringLiteral("-report.png"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("DORVEK 2021"));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QString screenshot;
    if (const auto i = args.indexOf(QStringLiteral("--screenshot"));
        i >= 0 && i + 1 < args.size()) {
        screenshot = args[i + 1];
        args.remove(i, 2);
    }
    std::vector<std::string> arguments;
    for (const QString& a : args) arguments.push_back(a.toStdString());

    dorvek::TMainEnvironment environment;
    environment.KernelFolder = QCoreApplication::applicationDirPath().toStdString();
    dorvek::TMainForm form(environment);
    form.show();
    form.Startup(arguments);

    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, &form, [&form, screenshot] {
            SaveScreenshots(form, screenshot);
            QCoreApplication::exit(0);
        });
    }
    return app.exec();
}
