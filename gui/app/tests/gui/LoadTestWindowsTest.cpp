// Measured load tests in the program: the measured curves' dialog, the capacities window and
// the calibration dialog, on the Morganza test analysed through the kernel library.

#include "gui/app/MeasuredDialog.h"
#include "gui/app/PlotPreview.h"
#include "gui/app/tests/support/RealWindow.h"
#include "model/tables/Table.h"
#ifdef DORVEK_HAVE_CALIBRATION
#include "gui/app/CalibrateDialog.h"
#endif

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;
namespace fs = std::filesystem;

namespace {

const fs::path kLoadTest = fs::path(DORVEK_SOURCE_DIR) / "examples" / "load-test";

// The Morganza project with its measured curve in its side file, in the window's folder.
std::string CopyMorganza(TRealWindow& w) {
    const fs::path project = w.Dir.Path() / "morganza.dv4d";
    fs::copy_file(kLoadTest / "morganza-api.dv4d", project);
    std::ofstream side(w.Dir.Path() / "morganza.dv4m", std::ios::binary);
    side << "DORVEK MEASURED CURVES 1\r\nUNITS 1\r\nCURVE Load test\r\n";
    std::ifstream csv(kLoadTest / "morganza-measured.csv");
    std::string line;
    std::getline(csv, line); // the header
    while (std::getline(csv, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        side << line << "\r\n";
    }
    return project.string();
}

TMeasuredCurves OneCurve() {
    TMeasuredCurves m;
    m.units = 1;
    m.curves.push_back({"Test", {{0, 0}, {100000, 0.1}, {200000, 0.3}}});
    return m;
}

void SetCell(QTableWidget& table, int row, int column, const char* text) {
    table.setItem(row, column, new QTableWidgetItem(QString::fromLatin1(text)));
}

} // namespace

TEST(MeasuredDialog, EditImportAndCheckTheCurves) {
    TScriptedMessages messages;
    TTempFolder dir;
    TDlgMeasured dialog(OneCurve(), 1, messages);
    ASSERT_EQ(dialog.CurveList()->count(), 1);
    EXPECT_EQ(dialog.NameEdit()->text(), "Test");
    EXPECT_EQ(dialog.PointTable()->item(2, 0)->text(), "200000");
    EXPECT_EQ(dialog.PointTable()->horizontalHeaderItem(0)->text(), "Head Load (lbs)");
    EXPECT_EQ(dialog.PointTable()->horizontalHeaderItem(1)->text(), "Settlement (in)");

    // A second curve typed in with a mistake: OK names the curve and the row and stays.
    dialog.AddCurve();
    EXPECT_EQ(dialog.CurveList()->count(), 2);
    EXPECT_EQ(dialog.NameEdit()->text(), "Curve 2");
    SetCell(*dialog.PointTable(), 0, 0, "0");
    SetCell(*dialog.PointTable(), 0, 1, "0");
    SetCell(*dialog.PointTable(), 2, 0, "1e5");
    SetCell(*dialog.PointTable(), 2, 1, "0.2x");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_FALSE(messages.Texts("information").empty());
    EXPECT_EQ(messages.Texts("information").back().substr(0, 52),
              "Curve \"Curve 2\", row 3: the settlement \"0.2x\" is not");
    SetCell(*dialog.PointTable(), 2, 1, "0.1*2");

    // A CSV file imported as a third curve; a bad one is refused with its line.
    const std::string good = dir.File("pile 9.csv"), bad = dir.File("bad.csv");
    std::ofstream(good) << "load,settlement\n0,0\n50000,0.05\n";
    std::ofstream(bad) << "0,0\n50000,-0.05\n";
    messages.OpenChoices.push_back(TFileChoice{bad, 1});
    dialog.ImportCsv();
    EXPECT_NE(messages.Texts("information")
                  .back()
                  .find("bad.csv, line 2: the settlement is "
                        "negative"),
              std::string::npos);
    EXPECT_EQ(dialog.CurveList()->count(), 2);
    messages.OpenChoices.push_back(TFileChoice{good, 1});
    dialog.ImportCsv();
    ASSERT_EQ(dialog.CurveList()->count(), 3);
    EXPECT_EQ(dialog.CurveList()->item(2)->text(), "pile 9");

    // The first curve deleted; OK gives the two others.
    dialog.CurveList()->setCurrentRow(0);
    dialog.DeleteCurve();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TMeasuredCurves& curves = dialog.Curves();
    ASSERT_EQ(curves.curves.size(), 2u);
    EXPECT_EQ(curves.curves[0].name, "Curve 2");
    ASSERT_EQ(curves.curves[0].points.size(), 2u); // the empty second row is left out
    EXPECT_EQ(curves.curves[0].points[1].settlement, 0.2L);
    EXPECT_EQ(curves.curves[1].points[1].load, 50000);
}

TEST(LoadTestWindows, OverlayCapacitiesAndMeasuredCurvesOfTheProgram) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->show();
    w.Form->Startup({});
    const std::string project = CopyMorganza(w);
    w.Controller().OpenFileName(project, 1);
    ASSERT_EQ(w.Project().Measured().curves.size(), 1u);
    w.Messages.Answers.push_back(TAnswer::Yes); // the cased top carries no side load: run anyway
    w.Form->Execute(C::RunAnalysis);
    ASSERT_TRUE(w.Project().ShowOutput);

    // The axial graph: the computed curve, the test, Davisson's and the 10 % D lines and the
    // capacity points of both curves.
    const TLineList& axial = w.Project().Graphs().pltAxial.List(TLineKind::Main);
    ASSERT_EQ(axial.LineCount(), 6);
    EXPECT_EQ(axial.Line(1).LineName(), "Measured: Load test");
    EXPECT_EQ(axial.Line(1).Role, TLineRole::Markers);
    EXPECT_EQ(axial.Line(5).LineName(),
              "Load test (measured): Davisson 506.2, 10 % D 541.9, Chin-Kondner 580.3 kips");

    // The report window's "Load Tests" tab shows both curves.
    ASSERT_TRUE(w.Form->MenuAction(C::ViewCapacities) != nullptr);
    w.Form->Execute(C::ViewCapacities);
    TReportWindow* report = w.Form->ReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->Tabs()->currentWidget(), report->Capacities());
    EXPECT_EQ(report->Tabs()->tabText(2), "Load Tests");
    const std::string text = report->Capacities()->toPlainText().toStdString();
    EXPECT_NE(text.find("  Computed:\n    Davisson offset limit:   "), std::string::npos) << text;
    EXPECT_NE(text.find("  Load test (measured):\n    Davisson offset limit:   506.2 kips at "
                        "0.5978 in"),
              std::string::npos)
        << text;

    // The curves edited in the dialog: the graph and the window follow, the project is
    // changed and its side file written at the next save.
    w.Form->Execute(C::PlotAxial);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDlgMeasured*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        dialog->NameEdit()->setText("Renamed");
        dialog->CurveList()->item(0)->setText("Renamed");
        dialog->AddCurve(); // left without points: refused on OK, then deleted
        dialog->accept();
        dialog->DeleteCurve();
        dialog->CurveList()->setCurrentRow(0);
        dialog->NameEdit()->setText("Renamed");
        dialog->accept();
    });
    w.Form->Execute(C::DataMeasuredCurves);
    ASSERT_TRUE(seen);
    EXPECT_EQ(w.Messages.Texts("information").back(),
              "Curve \"Curve 2\": no points: a measured curve needs at least two");
    EXPECT_TRUE(w.Project().Changed());
    EXPECT_EQ(axial.Line(1).LineName(), "Measured: Renamed");
    EXPECT_NE(report->Capacities()->toPlainText().indexOf("Renamed (measured)"), -1);
    w.Form->Execute(C::FileSave);
    std::ifstream side(w.Dir.Path() / "morganza.dv4m");
    std::string first, second, third;
    std::getline(side, first);
    std::getline(side, second);
    std::getline(side, third);
    EXPECT_EQ(third, "CURVE Renamed\r");
}

#ifdef DORVEK_HAVE_CALIBRATION
TEST(LoadTestWindows, CalibrationDialogOnTheProjectOfTheWindow) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->Startup({});
    const std::string project = CopyMorganza(w);
    w.Controller().OpenFileName(project, 1);
    TGridTable& layers = w.Project().Tables().D2();
    const long double side = layers.GetDataValue(2, 2)->GetFloatValue(7, 1);
    {
        TCalibrateContext context;
        context.Messages = &w.Messages;
        context.Data = &w.Project().Data();
        context.Tables = &w.Project().ProjectTables();
        context.Measured = w.Project().Measured();
        TDlgCalibrate dialog(context);
        EXPECT_TRUE(dialog.SideBox()->isChecked());
        EXPECT_FALSE(dialog.SaveButton()->isEnabled());
        dialog.TipBox()->setChecked(false); // the side factor alone: a shorter search
        dialog.StartClick();
        ASSERT_NE(dialog.Outcome(), nullptr);
        ASSERT_EQ(dialog.Outcome()->factors.size(), 1u);
        EXPECT_LT(dialog.Outcome()->misfitAfter, dialog.Outcome()->misfitBefore);
        EXPECT_TRUE(dialog.SaveButton()->isEnabled());
        EXPECT_EQ(dialog.ResultText()->toPlainText().left(13), "side-factor  ");
        const TLineList& preview = dialog.Preview()->Plot().List(TLineKind::Main);
        EXPECT_EQ(preview.LineCount(), 3);
        EXPECT_EQ(preview.Line(2).LineName(), "Measured: Load test");

        // Saved under another name, not opened; the original cannot be replaced.
        w.Messages.SaveChoices.push_back(TFileChoice{project, 1});
        dialog.SaveClick();
        EXPECT_NE(w.Messages.Texts("information").back().find("must not replace"),
                  std::string::npos);
        const std::string calibrated = w.Dir.File("calibrated");
        w.Messages.SaveChoices.push_back(TFileChoice{calibrated, 1});
        w.Messages.Answers.push_back(TAnswer::No);
        dialog.SaveClick();
        EXPECT_TRUE(fs::exists(calibrated + ".dv4d"));
        EXPECT_TRUE(fs::exists(w.Dir.Path() / "calibrated.dv4m"));
        EXPECT_TRUE(dialog.ProjectToOpen().empty());
        EXPECT_EQ(w.Project().Data().FileName, project);
    }
    // The project of the window has its own values back and is not changed.
    EXPECT_EQ(layers.GetDataValue(2, 2)->GetFloatValue(7, 1), side);
    EXPECT_FALSE(w.Project().Changed());

    // Without measured curves the command says where to enter them.
    w.Project().SetMeasured({});
    w.Form->Execute(C::CalibrateMeasured);
    EXPECT_EQ(w.Messages.Texts("information").back(),
              "The project has no measured load-settlement curves. Enter them first with Data > "
              "Measured Load-Settlement Curves.");
}
#endif
