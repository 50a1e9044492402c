// Pictures of the table editors for a look at their layout: writes one PNG per window into
// the folder given as the first argument. Run it under a virtual display (xvfb-run).

#include "InputTables.h"
#include "Messages.h"
#include "Table.h"
#include "TableChart.h"
#include "TableChartForm.h"
#include "TableWindows.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <iostream>

using namespace dorvek;

namespace {

class TSilentMessages : public TMessages {
public:
    void Information(const std::string& text) override { std::cerr << text << "\n"; }
    void Warning(const std::string& text) override { std::cerr << text << "\n"; }
    TAnswer Question(const std::string&) override { return TAnswer::Cancel; }
    std::optional<TFileChoice> OpenFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<TFileChoice> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
};

void Grab(TGridTable& table, const QString& file) {
    auto* form = dynamic_cast<QWidget*>(table.Editor());
    QApplication::processEvents();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) form = sub;
    if (auto* chart = dynamic_cast<TTableChartForm*>(form)) chart->RefreshPreview();
    QApplication::processEvents();
    form->grab().save(file);
    std::cout << file.toStdString() << " " << form->width() << "x" << form->height() << "\n";
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
    InstallTableEditors(host);
    {
        TInputTables tables;
        TGridTableChart& layers = tables.D2();
        layers.SetRowCount(3);
        layers.SetIntValue(0, 1, 2);
        layers.SetIntValue(0, 2, 5);
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
        const double t[] = {0, 2.1, 3.4, 4.0, 4.2, 4.2};
        const double z[] = {0, 0.05, 0.1, 0.2, 0.4, 1.0};
        curve->SetRowCount(6);
        for (int r = 0; r < 6; ++r) {
            curve->SetFloatValue(0, r, t[r]);
            curve->SetFloatValue(1, r, z[r]);
        }
        curve->Show();
        Grab(*curve, folder + "/tz-curve.png");

        TGridTableChart& factors = tables.TblTZFactors2();
        factors.SetFloatValue(0, 1, 480);
        factors.SetFloatValue(1, 1, 1.5);
        factors.SetFloatValue(2, 1, 0.8);
        factors.Show();
        Grab(factors, folder + "/tz-factors.png");

        TGridTableChart& qw = tables.TblQwcurve2();
        const double q[] = {0, 40000, 70000, 90000, 95000};
        const double w[] = {0, 0.1, 0.3, 0.8, 2.0};
        qw.SetRowCount(5);
        for (int r = 0; r < 5; ++r) {
            qw.SetFloatValue(0, r, q[r]);
            qw.SetFloatValue(1, r, w[r]);
        }
        qw.Show();
        Grab(qw, folder + "/qw-curve.png");

        TGridTableChart& settlement = tables.TblSettlement2();
        settlement.SetRowCount(3);
        const double sd[] = {0, 240, 480}, ss[] = {2.0, 0.8, 0};
        for (int r = 0; r < 3; ++r) {
            settlement.SetFloatValue(0, r, sd[r]);
            settlement.SetFloatValue(1, r, ss[r]);
        }
        settlement.Show();
        Grab(settlement, folder + "/settlement.png");

        TGridTableChart& stiffness = tables.TblAE2();
        stiffness.SetFloatValue(0, 1, 720);
        stiffness.SetFloatValue(1, 0, 7.972e8);
        stiffness.SetFloatValue(1, 1, 7.972e8);
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
    RemoveTableEditors();
    return 0;
}
