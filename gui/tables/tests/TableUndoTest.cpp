// Undo and redo in the table editors, driven by the keys a user presses: typed cells, rows
// added, inserted, deleted and moved, a layer's kind, pasted and read-in values, and Ctrl+V of
// several copied rows into a cell.
#include "gui/tables/TableChartForm.h"
#include "gui/tables/tests/support/EditorFixture.h"

#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoGroup>
#include <QUndoStack>

#include <filesystem>
#include <fstream>

using namespace dorvek;
using namespace dorvek::test;

namespace {

using Rows = std::vector<std::vector<long double>>;

Rows Values(const TGridTable& table) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        std::vector<long double> row;
        for (int p = 0; p < table.VisibleColumnCount(); ++p)
            row.push_back(table.VisibleColumn(p).GetFloatValue(r));
        rows.push_back(row);
    }
    return rows;
}

class TableUndo : public EditorTest {
protected:
    // The editors open for the project's tables, which carry their own families.
    void SetUp() override { Install(tables.Families()); }
    static void Key(TTableForm& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.Grid()->Editor(), static_cast<Qt::Key>(key), modifiers);
    }
    static void Undo(TTableForm& form) { Key(form, Qt::Key_Z, Qt::ControlModifier); }
    static void Redo(TTableForm& form) { Key(form, Qt::Key_Y, Qt::ControlModifier); }
    static void Paste(TTableForm& form, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        Key(form, Qt::Key_V, Qt::ControlModifier);
    }
    TInputTables tables;
};

} // namespace

TEST_F(TableUndo, ATypedCellIsUndoneAndRedoneWithTheKeys) {
    TGridTable& ae = tables.TblAE2();
    TTableForm& form = Open(ae);
    Type(form, "60*12");
    Enter(form);
    Type(form, "720");
    Enter(form);
    EXPECT_EQ(Values(ae), (Rows{{720, 0}, {720, 0}}));
    ASSERT_EQ(form.UndoStack()->count(), 2);
    EXPECT_EQ(form.UndoStack()->undoText(), "Cell Entry");

    Undo(form);
    EXPECT_EQ(Values(ae), (Rows{{720, 0}, {0, 0}}));
    EXPECT_EQ(CellText(form, 0, 1), "0");
    Undo(form);
    EXPECT_EQ(Values(ae), (Rows{{0, 0}, {0, 0}}));
    EXPECT_EQ(form.Grid()->Editor()->text(),
              form.Grid()->item(form.CurrentCell().second, 0)->text());
    Redo(form);
    Redo(form);
    EXPECT_EQ(Values(ae), (Rows{{720, 0}, {720, 0}}));
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(TableUndo, UndoWhileTypingTakesBackOnlyTheTyping) {
    TGridTable& ae = tables.TblAE2();
    TTableForm& form = Open(ae);
    Type(form, "5");
    Enter(form);
    Type(form, "abc");
    Undo(form);
    // The bad entry is gone, the stored 5 stays, no message.
    EXPECT_EQ(form.Grid()->Editor()->text(), "0");
    EXPECT_EQ(ae.GetFloatValue(0, 0), 5);
    EXPECT_EQ(form.UndoStack()->count(), 1);
    EXPECT_TRUE(messages.Shown.empty());
    // Redo stores what is being typed first: there is then nothing to redo.
    Type(form, "7");
    Redo(form);
    EXPECT_EQ(ae.GetFloatValue(0, 1), 7);
    EXPECT_EQ(form.UndoStack()->count(), 2);
}

TEST_F(TableUndo, RowsAddedInsertedAndDeletedComeBack) {
    TGridTable& loads = tables.TblTopload();
    TTableForm& form = Open(loads);
    Type(form, "100");
    form.AddRowClick();
    ASSERT_TRUE(form.SelectCell(0, 1));
    Type(form, "200");
    Enter(form);
    ASSERT_TRUE(form.SelectCell(0, 1));
    form.InsertRowClick();
    EXPECT_EQ(Values(loads), (Rows{{100}, {0}, {200}}));
    ASSERT_TRUE(form.SelectCell(0, 0));
    form.DeleteRowClick();
    EXPECT_EQ(Values(loads), (Rows{{0}, {200}}));
    EXPECT_EQ(form.UndoStack()->undoText(), "Delete Row");

    Undo(form);
    EXPECT_EQ(Values(loads), (Rows{{100}, {0}, {200}}));
    EXPECT_EQ(form.Grid()->rowCount(), 3);
    Undo(form);
    EXPECT_EQ(Values(loads), (Rows{{100}, {200}}));
    Undo(form);
    Undo(form);
    EXPECT_EQ(Values(loads), (Rows{{100}}));
    EXPECT_EQ(form.Grid()->rowCount(), 1);
    EXPECT_FALSE(form.DeleteButton()->isEnabled());
    Undo(form);
    EXPECT_EQ(Values(loads), (Rows{{0}}));
    EXPECT_FALSE(form.UndoStack()->canUndo());
    for (int k = 0; k < 5; ++k) Redo(form);
    EXPECT_EQ(Values(loads), (Rows{{0}, {200}}));
}

TEST_F(TableUndo, MovedRowsGoBackWithTheirLayerData) {
    TGridTable& d2 = tables.D2();
    d2.SetRowCount(2);
    d2.SetFloatValue(1, 0, 240);
    d2.SetIntValue(0, 1, 2);
    d2.SetFloatValue(1, 1, 480);
    d2.GetDataValue(2, 1)->SetFloatValue(0, 0, 0.0365L);
    TTableForm& form = Open(d2);
    ASSERT_TRUE(form.SelectCell(1, 1));
    form.MoveRowClick(-1);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(1, 0));
    EXPECT_EQ(d2.GetIntValue(0, 0), 2);
    EXPECT_EQ(d2.GetFloatValue(1, 0), 480);
    EXPECT_EQ(d2.GetDataValue(2, 0)->GetFloatValue(0, 0), 0.0365L);
    EXPECT_EQ(qobject_cast<QComboBox*>(form.CellControl(0, 0))->currentIndex(), 1);
    EXPECT_EQ(form.UndoStack()->undoText(), "Move Row Up");
    // The first row cannot move up.
    form.MoveRowClick(-1);
    EXPECT_EQ(form.UndoStack()->count(), 1);

    Undo(form);
    EXPECT_EQ(d2.GetIntValue(0, 0), 1);
    EXPECT_EQ(d2.GetFloatValue(1, 1), 480);
    EXPECT_EQ(d2.GetDataValue(2, 1)->Caption(), "Sand Layer Data");
    EXPECT_EQ(d2.GetDataValue(2, 1)->GetFloatValue(0, 0), 0.0365L);
    EXPECT_EQ(qobject_cast<QComboBox*>(form.CellControl(0, 1))->currentIndex(), 1);
}

TEST_F(TableUndo, AChosenSoilTypeIsUndoneWithItsData) {
    TGridTable& d2 = tables.D2();
    d2.GetDataValue(2, 0)->SetFloatValue(1, 0, 3.47L); // undrained shear strength
    TTableForm& form = Open(d2);
    auto* combo = qobject_cast<QComboBox*>(form.CellControl(0, 0));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(d2.GetDataValue(2, 0)->Caption(), "Sand Layer Data");
    form.Undo();
    EXPECT_EQ(d2.GetIntValue(0, 0), 1);
    EXPECT_EQ(d2.GetDataValue(2, 0)->Caption(), "Clay Layer Data");
    EXPECT_EQ(d2.GetDataValue(2, 0)->GetFloatValue(1, 0), 3.47L);
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(TableUndo, TwoCopiedRowsPastedIntoACellFillTwoRows) {
    TGridTable& ae = tables.TblAE2();
    TTableForm& form = Open(ae);
    Paste(form, "0\t7.972E8\n720\t7.972E8\n");
    // Before: both rows went into the one cell and the evaluator refused them.
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(Values(ae), (Rows{{0, 7.972e8L}, {720, 7.972e8L}}));
    EXPECT_EQ(CellText(form, 1, 1), "7.972E8");
    EXPECT_EQ(form.Grid()->Editor()->text(), "0");
    EXPECT_EQ(form.UndoStack()->undoText(), "Paste");
    Undo(form);
    EXPECT_EQ(Values(ae), (Rows{{0, 0}, {0, 0}}));
    Redo(form);
    EXPECT_EQ(Values(ae), (Rows{{0, 7.972e8L}, {720, 7.972e8L}}));
}

TEST_F(TableUndo, PastedRowsBeyondTheTableAreAddedAndShown) {
    TGridTable& loads = tables.TblTopload();
    TTableForm& form = Open(loads);
    Paste(form, "50000\r\n100000\r\n150000\r\n200000\r\n");
    EXPECT_EQ(Values(loads), (Rows{{50000}, {100000}, {150000}, {200000}}));
    EXPECT_EQ(form.RowsVisible(), 4);
    EXPECT_EQ(form.Grid()->rowCount(), 4);
    Undo(form);
    EXPECT_EQ(Values(loads), (Rows{{0}}));
    EXPECT_EQ(form.Grid()->rowCount(), 1);
}

TEST_F(TableUndo, ASingleCopiedValueGoesIntoTheCellBeingTyped) {
    TGridTable& ae = tables.TblAE2();
    TTableForm& form = Open(ae);
    form.Grid()->Editor()->selectAll();
    Paste(form, "2.9e9\n");
    EXPECT_EQ(form.Grid()->Editor()->text(), "2.9e9");
    EXPECT_EQ(ae.GetFloatValue(0, 0), 0); // stored when the cell is left
    EXPECT_EQ(form.UndoStack()->count(), 0);
    Enter(form);
    EXPECT_EQ(ae.GetFloatValue(0, 0), 2.9e9L);
}

TEST_F(TableUndo, PastedLayerBottomsPassOverTheLayerDataButtons) {
    TGridTable& d2 = tables.D2();
    TTableForm& form = Open(d2);
    // From the bottom column: the numbers beyond it meet the layer-data buttons and are dropped.
    Paste(form, "240\t1\n480\t2\n840\n");
    EXPECT_EQ(d2.RowCount(), 3);
    EXPECT_EQ(d2.GetFloatValue(1, 2), 840);
    EXPECT_TRUE(messages.Shown.empty());
    Undo(form);
    EXPECT_EQ(d2.RowCount(), 1);
    EXPECT_EQ(d2.GetFloatValue(1, 0), 0);
}

TEST_F(TableUndo, ThePasteButtonAndAReadFileAreOneStepEach) {
    TGridTableChart& ae = tables.TblAE2();
    ae.Show();
    QApplication::processEvents();
    auto& form = dynamic_cast<TTableChartForm&>(*Form(ae));
    QGuiApplication::clipboard()->setText("0 1e9\r\n360 2e9\r\n720 3e9\r\n");
    form.PasteClick();
    const auto file = std::filesystem::temp_directory_path() / "dorvek_undo_read.txt";
    std::ofstream(file) << "Depth AE\n0 5e9\n";
    form.FileNameEdit()->setText(QString::fromStdString(file.string()));
    form.ReadFileClick();
    std::filesystem::remove(file);
    EXPECT_EQ(Values(ae), (Rows{{0, 5e9L}}));
    EXPECT_EQ(form.UndoStack()->undoText(), "Read Values from File");
    Undo(form);
    EXPECT_EQ(Values(ae), (Rows{{0, 1e9L}, {360, 2e9L}, {720, 3e9L}}));
    EXPECT_EQ(form.UndoStack()->undoText(), "Paste Values");
    Undo(form);
    EXPECT_EQ(Values(ae), (Rows{{0, 0}, {0, 0}}));
}

TEST_F(TableUndo, EachTableKeepsItsOwnStepsAndANestedTablesGoWithIt) {
    TGridTable& d2 = tables.D2();
    TTableForm& layers = Open(d2);
    Type(layers, "240");
    Enter(layers);
    TGridTable* clay = d2.GetDataValue(2, 0);
    TTableForm& data = Open(*clay);
    Type(data, "0.0318");
    Enter(data);
    EXPECT_EQ(undo.Find(d2)->count(), 1);
    EXPECT_EQ(undo.Find(*clay)->count(), 1);
    undo.Activate(clay);
    EXPECT_EQ(undo.Group()->activeStack(), undo.Find(*clay));
    undo.Group()->undo();
    EXPECT_EQ(clay->GetFloatValue(0, 0), 0);
    EXPECT_EQ(d2.GetFloatValue(1, 0), 240);

    // A new kind for the layer frees its data table, and the steps with it.
    const auto stacks = undo.Group()->stacks().size();
    d2.SetIntValue(0, 0, 2);
    QApplication::processEvents();
    EXPECT_EQ(undo.Group()->stacks().size(), stacks - 1);
    EXPECT_EQ(undo.Group()->activeStack(), nullptr);

    undo.Clear();
    EXPECT_FALSE(undo.Find(d2)->canUndo());
}
