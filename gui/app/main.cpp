// The desktop program: the main window on the project named by the first argument.
// --screenshot FILE saves pictures of the window, of each menu and of the about box, then
// quits.

#include "Main.h"
#include "About.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>

#include <string>
#include <vector>

namespace {

void SaveScreenshots(dorvek::TMainForm& form, const QString& file) {
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
