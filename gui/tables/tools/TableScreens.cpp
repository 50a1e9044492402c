// Pictures of the table editors for a look at their layout: writes one PNG per window into
// the folder given as the first argument. Run it under a virtual display (xvfb-run).

#include "gui/common/Messages.h"
#include "gui/common/tools/SilentMessages.h"
#include "gui/tables/TableChartForm.h"
#include "gui/tables/TableWindows.h"
#include "model/tables/InputTables.h"
#include "model/tables/Table.h"
#include "model/tables/TableChart.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <iostream>
#include <utility>
#include <vector>

using namespace dorvek;

namespace {

void Grab(TGridTable& table, const QString& file) {
    auto* form = dynamic_cast<QWidget*>(table.Editor());
    QApplication::processEvents();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) form = sub;
    if (auto* chart = dynamic_cast<TTableChartForm*>(form)) chart->RefreshPreview();
    QApplication::processEvents();
    form->grab().save(file);
    std::cout << file.toStdString() << " " << form->width() << "x" << form->height() << "\n";
}

// Fills a two-column table row by row.
void Fill(TGridTable& table, const std::vector<std::pair<double, double>>& rows) {
    table.SetRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        table.SetFloatValue(0, r, rows[static_cast<size_t>(r)].first);
        table.SetFloatValue(1, r, rows[static_cast<size_t>(r)].second);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : ".";
    QDir().mkpath(folder);
    TSilentMessages messages;
    TTableWindowHost host;
    host.Messages = &messages;
    // With a second argument "mdi" the editors are child windows of one frame, as in the
    // program, and the frame is pictured as well.
    const bool mdi = argc > 2 && QString(argv[2]) == "mdi";
    QMdiArea area;
    if (mdi) {
        area.resize(1200, 900);
        area.show();
        host.AddChildWindow = [&area](QWidget& window) { area.addSubWindow(&window)->show(); };
    }
    {
        TInputTables tables;
        InstallTableEditors(tables.Families(), host);
        TGridTableChart& layers = tables.D2();
        layers.SetRowCount(3);
        layers.SetIntValue(0, 1, 2);
        layers.SetIntValue(0, 2, 6);
        layers.SetFloatValue(1, 0, 120);
        layers.SetFloatValue(1, 1, 360);
        layers.SetFloatValue(1, 2, 600);
        layers.Show();
        Grab(layers, folder + "/soil-layers.png");

        TGridTable* clay = layers.GetDataValue(2, 0);
        clay->SetFloatValue(0, 0, 0.0625);
        clay->SetFloatValue(1, 0, 5.5);
        clay->SetFloatValue(2, 0, 0.01);
        clay->Show();
        Grab(*clay, folder + "/clay-layer.png");
        TGridTable* api = layers.GetDataValue(2, 2);
        api->Show();
        Grab(*api, folder + "/api-sand-layer.png");

        TGridTableChart& depths = tables.TblTZDepth2();
        depths.Show();
        Grab(depths, folder + "/tz-depths.png");
        TGridTable* curve = depths.GetDataValue(1, 0);
        Fill(*curve, {{0, 0}, {2.1, 0.05}, {3.4, 0.1}, {4.0, 0.2}, {4.2, 0.4}, {4.2, 1.0}});
        curve->Show();
        Grab(*curve, folder + "/tz-curve.png");

        TGridTableChart& factors = tables.TblTZFactors2();
        factors.SetFloatValue(0, 1, 480);
        factors.SetFloatValue(1, 1, 1.5);
        factors.SetFloatValue(2, 1, 0.8);
        factors.Show();
        Grab(factors, folder + "/tz-factors.png");

        TGridTableChart& qw = tables.TblQwcurve2();
        Fill(qw, {{0, 0}, {40000, 0.1}, {70000, 0.3}, {90000, 0.8}, {95000, 2.0}});
        qw.Show();
        Grab(qw, folder + "/qw-curve.png");

        TGridTableChart& settlement = tables.TblSettlement2();
        Fill(settlement, {{0, 2.0}, {240, 0.8}, {480, 0}});
        settlement.Show();
        Grab(settlement, folder + "/settlement.png");

        TGridTableChart& stiffness = tables.TblAE2();
        Fill(stiffness, {{0, 7.972e8}, {720, 7.972e8}});
        stiffness.Show();
        Grab(stiffness, folder + "/ae-table.png");

        TGridTable& tips = tables.TblTipMove();
        tips.SetRowCount(25);
        tips.Show();
        Grab(tips, folder + "/tip-moves.png");
        TGridTable& loads = tables.TblTopload();
        loads.Show();
        Grab(loads, folder + "/head-loads.png");
        if (mdi) {
            area.tileSubWindows();
            QApplication::processEvents();
            curve->Show();
            QApplication::processEvents();
            area.grab().save(folder + "/frame.png");
        }
    }
    return 0;
}
