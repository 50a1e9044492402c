// Pictures of the data dialogs for a look at their layout: writes one PNG per dialog into the
// folder given as the first argument. Run it under a virtual display (xvfb-run).

#include "gui/app/Options.h"
#include "gui/app/Title.h"
#include "gui/app/compmeth.h"
#include "gui/app/pilemat.h"
#include "gui/common/Messages.h"
#include "model/project/ProgramData.h"

#include <QApplication>
#include <QDir>

#include <iostream>

using namespace dorvek;

namespace {

void Grab(QWidget* dialog, const QString& file) {
    dialog->show();
    QApplication::processEvents();
    dialog->grab().save(file);
    std::cout << file.toStdString() << " " << dialog->width() << "x" << dialog->height() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : ".";
    QDir().mkpath(folder);
    TProgramData data;
    data.PLength = 600;
    data.HeadCoord = -24;
    data.OD = 24;
    data.Tiparea = 452.39;
    data.fUnits = argc > 2 ? std::atoi(argv[2]) : 1;
    TDialogContext context;
    context.Project = [&]() -> TProgramData& { return data; };
    Grab(new TfrmMaterial(context, {}), folder + "/pile-properties.png");
    Grab(new TfrmQwFactors(context), folder + "/qw-factors.png");
    Grab(new TdlgTitle(context), folder + "/title.png");
    Grab(new TDlgOptions(context, [] { return std::string("/usr/bin/gedit"); }, {}),
         folder + "/options.png");
    return 0;
}
