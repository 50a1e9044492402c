// Pictures of the soil-profile window for each project given, for checking by eye:
//   dorvek_profile_screens OUTDIR PROJECT.dv4d...   (offscreen, or under xvfb-run)

#include "gui/plots/PileSide.h"
#include "model/plots/PlotProject.h"
#include "model/project/DataUnit.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: dorvek_profile_screens OUTDIR PROJECT.dv4d...\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        dorvek::TProjectTables owner;
        dorvek::TProgramData data;
        try {
            data.CreateFromFile(argv[i], dorvek::FilterFromExtension(argv[i]), owner);
        } catch (const std::exception& e) {
            std::cerr << argv[i] << ": " << e.what() << "\n";
            status = 1;
            continue;
        }
        dorvek::TSideViewContext context;
        const dorvek::TPileSideInput input = dorvek::PileSideInputFrom(data, owner.Tables());
        context.Input = [input] { return input; };
        dorvek::TDlgSideView view(context);
        view.resize(760, 520);
        view.show();
        QApplication::processEvents();
        const QString name = QFileInfo(QString::fromLocal8Bit(argv[i])).completeBaseName();
        view.grab().save(out.filePath(name + "-window.png"));
        std::cout << out.filePath(name + "-window.png").toStdString() << "\n";
    }
    return status;
}
