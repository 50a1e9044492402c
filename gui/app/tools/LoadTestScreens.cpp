// Pictures of the load-test windows for the user's manual: opens a project that has measured
// curves beside it, runs its analysis through the kernel beside the program, and writes into a
// folder the axial load-settlement graph window (loadtest-axial.png), the report window at its
// "Load Tests" tab (loadtest-capacities.png), the measured curves' dialog (loadtest-measured.png)
// and the calibration dialog after a calibration of the side and tip factors
// (loadtest-calibrate.png). Usage: dorvek_loadtest_screens PROJECT.dv4d OUTPUT-FOLDER  (run under
// xvfb-run or offscreen)

#include "gui/app/Main.h"
#include "gui/app/tools/GrabModal.h"
#include "gui/common/tools/SilentMessages.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#ifdef DORVEK_HAVE_CALIBRATION
#include "gui/app/CalibrateDialog.h"
#endif

#include <functional>
#include <iostream>

using namespace dorvek;

namespace {

// The cased top of the Morganza pile carries no side load, which the check before a run points
// out: the pictures are of a run made anyway.
class TShotMessages : public TSilentMessages {
public:
    bool WarningProceed(const std::string& text, const std::string&) override {
        std::cerr << text << "\n";
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: dorvek_loadtest_screens PROJECT.dv4d OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(folder.path());
    TShotMessages messages;
    TMainEnvironment env;
    env.KernelFolder = QCoreApplication::applicationDirPath().toStdString();
    env.SettingsFile = folder.filePath("settings.ini").toStdString();
    TMainForm form(env, &messages);
    form.resize(1300, 900);
    form.show();
    form.Startup({argv[1]});
    using C = TCommand;
    form.Execute(C::RunAnalysis);
    if (!form.Controller().Project().ShowOutput) {
        std::cerr << "dorvek_loadtest_screens: the project has no results\n";
        return 1;
    }
    bool complete = true;
    // The main window, or its top `height` pixels.
    const auto save = [&](const QString& name, int height = 0) {
        QApplication::processEvents();
        const QString file = folder.filePath(name);
        QPixmap shot = form.grab();
        if (height > 0) shot = shot.copy(0, 0, shot.width(), height);
        complete &= shot.save(file);
        std::cout << file.toStdString() << "\n";
    };
    form.Execute(C::PlotAxialLoads);
    save(QStringLiteral("loadtest-axial.png"));
    form.Execute(C::ViewCapacities);
    save(QStringLiteral("loadtest-capacities.png"), 280); // the text fills the top
    complete &= GrabModal([&form] { form.Execute(C::DataMeasuredCurves); },
                          folder.filePath(QStringLiteral("loadtest-measured.png")));
#ifdef DORVEK_HAVE_CALIBRATION
    complete &= GrabModal([&form] { form.Execute(C::CalibrateMeasured); },
                          folder.filePath(QStringLiteral("loadtest-calibrate.png")),
                          [](QWidget& modal) {
                              if (auto* dialog = qobject_cast<TDlgCalibrate*>(&modal))
                                  dialog->StartClick();
                          });
#endif
    return complete ? 0 : 1;
}
