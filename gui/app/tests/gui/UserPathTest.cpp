// A new user builds the example project from nothing in the program: soil layers and their
// properties in the table editors, the title and pile properties in the data dialogs, the
// stiffness table from the pile dialog, the loads; saves it, runs it and gets the report
// that the bundled example gives.

#include "gui/app/tests/support/RealWindow.h"
#include "gui/tables/DataEdit.h"
#include "gui/tables/TableForm.h"
#include "gui/tables/TableGrid.h"
#include "model/workspace/FileNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

std::string Read(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The report without the lines that name the time and the folder of the run.
std::string Comparable(const std::string& report) {
    std::istringstream in(report);
    std::string line, out;
    while (std::getline(in, line))
        if (line.find("Date:") == std::string::npos &&
            line.find("Path to file locations") == std::string::npos)
            out += line + "\n";
    return out;
}

TTableForm& EditorOf(TGridTable& table) {
    auto* form = dynamic_cast<TTableForm*>(table.Editor());
    if (!form) throw std::logic_error("editor not open: " + table.Caption());
    return *form;
}

// Types the values into the given table columns of one row, as a user clicking each cell.
void TypeRow(TTableForm& form, int row, const std::vector<std::pair<int, QString>>& cells) {
    for (const auto& [col, text] : cells) {
        ASSERT_TRUE(form.SelectCell(col, row)) << col << "," << row;
        QLineEdit* editor = form.Grid()->Editor();
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
}

void TypeField(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

const std::string Completed =
    "Computations are completed. Please, check output file for results or error messages.";

} // namespace

TEST(UserPath, NewProjectBuiltInTheProgramRunsLikeTheExample) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->show();
    w.Form->Startup({});
    w.Form->Execute(C::FileNew);
    TInputTables& tables = w.Project().Tables();

    // Title.
    w.Form->Execute(C::DataTitle);
    ASSERT_NE(w.Form->TitleDialog(), nullptr);
    TypeField(w.Form->TitleDialog()->TitleMemo(),
              "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand");
    w.Form->TitleDialog()->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(w.Form->TitleDialog(), nullptr);

    // Soil layers: clay to 360 in, sand to 960 in.
    w.Form->Execute(C::DataSoilLayers);
    TTableForm& layers = EditorOf(tables.D2());
    EXPECT_NE(qobject_cast<QMdiSubWindow*>(layers.parentWidget()), nullptr);
    layers.AddRowClick();
    auto* kind = qobject_cast<QComboBox*>(layers.CellControl(0, 1));
    ASSERT_NE(kind, nullptr);
    kind->setCurrentIndex(1);
    emit kind->activated(1);
    TypeRow(layers, 0, {{1, "360"}});
    TypeRow(layers, 1, {{1, "960"}});

    // Layer properties, top and bottom, from the buttons of the rows.
    QApplication::processEvents();
    QTest::mouseClick(layers.CellControl(2, 0), Qt::LeftButton);
    TTableForm& clay = EditorOf(*tables.D2().GetDataValue(2, 0));
    EXPECT_EQ(clay.windowTitle(), "Clay Layer Data  1");
    TypeRow(clay, 0, {{0, "0.0318"}, {1, "3.47"}, {2, "0.01"}, {7, "3.47"}, {8, "31.2"}});
    TypeRow(clay, 1, {{0, "0.0318"}, {1, "3.47*2"}, {2, "0.007"}, {7, "5.5"}, {8, "62.5"}});
    clay.Close();
    QTest::mouseClick(layers.CellControl(2, 1), Qt::LeftButton);
    TTableForm& sand = EditorOf(*tables.D2().GetDataValue(2, 1));
    EXPECT_EQ(sand.windowTitle(), "Sand Layer Data  2");
    TypeRow(sand, 0, {{0, "0.0365"}, {3, "36"}, {4, "30"}, {7, "6"}, {8, "1000"}});
    TypeRow(sand, 1, {{0, "0.0365"}, {3, "38"}, {4, "45"}, {7, "11.5"}, {8, "1400"}});
    sand.Close();
    layers.Close();
    QApplication::processEvents();
    EXPECT_EQ(tables.D2().Editor(), nullptr);

    // Pile properties, and the stiffness table from its button.
    w.Form->Execute(C::DataPileProperties);
    TfrmMaterial* pile = w.Form->PileDialog();
    ASSERT_NE(pile, nullptr);
    TypeField(pile->DataPL(), "60*12");
    TypeField(pile->DataOD(), "18");
    EXPECT_EQ(pile->DataPL()->text(), "720"); // checked on leaving
    TypeField(pile->DataArea(), "254.469");
    TypeField(pile->DataNI(), "50");
    QTest::mouseClick(pile->EditAEButton(), Qt::LeftButton);
    TTableForm& ae = EditorOf(tables.TblAE2());
    TypeRow(ae, 0, {{0, "0"}, {1, "7.972E8"}});
    TypeRow(ae, 1, {{0, "720"}, {1, "7.972E8"}});
    ae.Close();
    pile->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(w.Form->PileDialog(), nullptr);
    EXPECT_EQ(w.Project().Data().PLength, 720.0L);

    // Loads at the pile head.
    w.Controller().SetLoadMethod(2);
    w.Form->Execute(C::DataPileHeadLoads);
    TTableForm& loads = EditorOf(tables.TblTopload());
    loads.AddRowClick();
    loads.AddRowClick();
    TypeRow(loads, 0, {{0, "100000"}});
    TypeRow(loads, 1, {{0, "200000"}});
    TypeRow(loads, 2, {{0, "300000"}});
    loads.Close();
    QApplication::processEvents();
    EXPECT_TRUE(w.Project().Changed());
    EXPECT_TRUE(w.Messages.Shown.empty());

    // Save under the example's name, run, and compare with the example's own report.
    const std::string project = w.Dir.File(Example);
    w.Messages.SaveChoices.push_back(TFileChoice{project, 1});
    w.Form->Execute(C::FileSave);
    EXPECT_FALSE(w.Project().Changed());
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("information"), std::vector<std::string>{Completed});
    const std::string report = Read(OutputFileOf(project));
    ASSERT_FALSE(report.empty());
    EXPECT_TRUE(w.Project().ShowOutput);

    TRealWindow reference(DORVEK_BIN_DIR);
    const std::string example = reference.CopyExample();
    reference.Form->Startup({example});
    reference.Project().SetChanged();
    reference.Form->Execute(C::RunAnalysis);
    const std::string expected = Read(OutputFileOf(example));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Comparable(report), Comparable(expected));
}
