// The table editor window: typing into cells, bad entries, Enter, row buttons with row
// groups, sizing, drop-down lists and buttons over the cells, nested tables, closing.
#include "gui/tables/tests/support/EditorFixture.h"

#include "model/tables/FloatColumn.h"
#include "model/tables/InputTables.h"
#include "model/tables/IntColumn.h"
#include "model/tables/TableChart.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace dorvek;
using namespace dorvek::test;

namespace {

// Two float columns, 2 to 8 rows.
std::unique_ptr<TGridTable> Pairs(TTableFamilies& families, int rows = 2) {
    auto table = std::make_unique<TGridTable>(families);
    table->SetCaption("Pairs");
    table->SetMinRows(2);
    table->SetMaxRows(8);
    table->AddColumn<TFloatColumn>().SetHeading({"Depth"});
    table->AddColumn<TFloatColumn>().SetHeading({"Value"});
    table->SetRowCount(rows);
    return table;
}

const char* const kInvalidCharacters =
    "Entry could not be evaluated:\rinvalid character(s) in expression";

} // namespace

using TableForm = EditorTest;

TEST_F(TableForm, TypedNumbersAndExpressionsAreStoredWhenTheCellIsLeft) {
    auto table = Pairs(families, 3);
    TTableForm& form = Open(*table);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 0));
    EXPECT_FALSE(table->Changed());

    Type(form, "12.5");
    Enter(form); // down the column
    EXPECT_EQ(table->GetFloatValue(0, 0), 12.5L);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 1));
    EXPECT_TRUE(table->Changed());

    Type(form, "2*3");
    ASSERT_TRUE(form.SelectCell(1, 2)); // a click elsewhere
    EXPECT_EQ(table->GetFloatValue(0, 1), 6.0L);
    EXPECT_EQ(CellText(form, 0, 1), "6");
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(TableForm, EnterMovesDownThenToTheNextColumn) {
    auto table = Pairs(families, 2);
    TTableForm& form = Open(*table);
    Enter(form);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 1));
    Enter(form);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(1, 0));
    Enter(form);
    Enter(form);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 0));
    // Moving without typing changes nothing.
    EXPECT_FALSE(table->Changed());
}

TEST_F(TableForm, ABadEntryKeepsItsCellAndBlocksClosing) {
    auto table = Pairs(families, 2);
    table->SetFloatValue(0, 0, 4);
    TTableForm& form = Open(*table);
    Type(form, "abc");
    EXPECT_FALSE(form.SelectCell(1, 1));
    ASSERT_EQ(messages.Texts("information"), std::vector<std::string>{kInvalidCharacters});
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 0));
    EXPECT_EQ(form.Grid()->Editor()->text(), "abc");
    EXPECT_EQ(table->GetFloatValue(0, 0), 4.0L);

    // Enter does not move either, and the window stays open.
    Enter(form);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 0));
    form.Close();
    QApplication::processEvents();
    ASSERT_EQ(Form(*table), &form);
    EXPECT_EQ(messages.Texts("information").size(), 3u);

    Type(form, "7");
    form.Close();
    QApplication::processEvents();
    EXPECT_EQ(table->Editor(), nullptr);
    EXPECT_EQ(table->GetFloatValue(0, 0), 7.0L);
}

TEST_F(TableForm, IntegerCellsReportTheirRange) {
    TGridTable table(families);
    auto& counts = table.AddColumn<TIntColumn>();
    counts.SetHeading({"Count"});
    counts.SetMinimum(0);
    counts.SetMaximum(5);
    table.AddColumn<TFloatColumn>().SetHeading({"Value"});
    table.SetRowCount(2);
    TTableForm& form = Open(table);
    Type(form, "7");
    Enter(form);
    Type(form, "2.5");
    form.SelectCell(1, 0);
    Type(form, "4");
    Enter(form);
    EXPECT_EQ(
        messages.Texts("information"),
        (std::vector<std::string>{"Entry must be between 0 and 5.", "Entry must be an integer."}));
    EXPECT_EQ(table.GetIntValue(0, 0), 4);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 1));
}

TEST_F(TableForm, RowGroupsOfTwo) {
    auto table = Pairs(families, 2);
    table->SetRowGroup(2);
    table->SetFloatValue(0, 0, 1);
    table->SetFloatValue(0, 1, 2);
    TTableForm& form = Open(*table);
    EXPECT_EQ(RowLabel(form, 0), "1");
    EXPECT_EQ(RowLabel(form, 1), "1");
    EXPECT_FALSE(form.DeleteButton()->isEnabled());

    form.AddRowClick();
    ASSERT_EQ(table->RowCount(), 4);
    EXPECT_EQ(RowLabel(form, 2), "2");
    EXPECT_EQ(RowLabel(form, 3), "2");
    EXPECT_TRUE(form.DeleteButton()->isEnabled());

    // Insert before the group of row 1 (rows 0 and 1): the old first group moves down.
    form.SelectCell(0, 1);
    form.InsertRowClick();
    ASSERT_EQ(table->RowCount(), 6);
    EXPECT_EQ(table->GetFloatValue(0, 0), 0.0L);
    EXPECT_EQ(table->GetFloatValue(0, 2), 1.0L);
    EXPECT_EQ(table->GetFloatValue(0, 3), 2.0L);
    EXPECT_EQ(RowLabel(form, 5), "3");

    form.AddRowClick();
    EXPECT_EQ(table->RowCount(), 8);
    EXPECT_FALSE(form.AddButton()->isEnabled());
    EXPECT_FALSE(form.InsertButton()->isEnabled());

    // Delete the group holding row 3 (rows 2 and 3).
    form.SelectCell(1, 3);
    form.DeleteRowClick();
    ASSERT_EQ(table->RowCount(), 6);
    EXPECT_EQ(table->GetFloatValue(0, 2), 0.0L);
    EXPECT_TRUE(form.AddButton()->isEnabled());
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(TableForm, InsertAndDeleteNeedADataRow) {
    auto table = Pairs(families, 2);
    TTableForm& form = Open(*table);
    table->SetRowCount(0); // emptied while the window is open
    EXPECT_EQ(form.Grid()->rowCount(), 0);
    form.InsertRowClick();
    form.DeleteRowClick();
    EXPECT_EQ(
        messages.Texts("information"),
        (std::vector<std::string>{"Grid.Row not in valid range", "Grid.Row not in valid range"}));
    form.AddRowClick();
    EXPECT_EQ(table->RowCount(), 1);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(0, 0));
}

TEST_F(TableForm, TwentyFiveRowsOpenWithTenShown) {
    TInputTables tables;
    Install(tables.Families());
    TGridTable& moves = tables.TblTipMove();
    moves.SetRowCount(25);
    TTableForm& form = Open(moves);
    EXPECT_EQ(form.RowsVisible(), 10);
    EXPECT_EQ(form.Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Ten whole rows in the grid's viewport.
    EXPECT_EQ(form.Grid()->viewport()->height(), 10 * form.Grid()->rowHeight(0));
    EXPECT_EQ(form.Grid()->rowAt(form.Grid()->viewport()->height() - 1), 9);
    EXPECT_TRUE(form.CommentsLabel()->isVisible());
    EXPECT_EQ(form.CommentsLabel()->text(),
              "Values should be entered in increasing\norder of magnitude\n");
    EXPECT_EQ(form.windowTitle(), "Tip Movements ");
}

TEST_F(TableForm, AddingARowToAShortTableEnlargesTheWindow) {
    auto table = Pairs(families, 3);
    TTableForm& form = Open(*table);
    const int before = form.height();
    EXPECT_EQ(form.RowsVisible(), 3);
    EXPECT_EQ(form.Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    form.AddRowClick();
    EXPECT_EQ(form.RowsVisible(), 4);
    EXPECT_EQ(form.height(), before + form.Grid()->rowHeight(0));
    EXPECT_TRUE(table->Changed());
}

TEST_F(TableForm, FixedRowCountsShowNoRowButtons) {
    TInputTables tables;
    Install(tables.Families());
    TGridTable* clay = tables.D2().GetDataValue(2, 0);
    ASSERT_NE(clay, nullptr);
    TTableForm& form = Open(*clay);
    EXPECT_FALSE(form.AddButton()->isVisible());
    EXPECT_FALSE(form.DeleteButton()->isVisible());
    // The comment follows the grid one margin below it: no button row between them.
    const int m = form.Margin();
    EXPECT_EQ(form.CommentsLabel()->y(), form.Grid()->geometry().bottom() + 1 + m);
    EXPECT_EQ(form.height(), form.CommentsLabel()->geometry().bottom() + 1 + m);
    // Visible columns only: clay shows 5 of the 10.
    EXPECT_EQ(form.Grid()->columnCount(), 5);
    EXPECT_EQ(form.Grid()->horizontalHeaderItem(1)->text(),
              "Undrained Shear\nStrength, (lbs/in^2)  ");
    EXPECT_EQ(form.Grid()->Corner()->text(), "Location, 1=Top, 2=Bottom");
    EXPECT_EQ(form.windowTitle(), "Clay Layer Data  1");
}

TEST_F(TableForm, SoilLayerSwitchedFromClayToSand) {
    TInputTables tables;
    Install(tables.Families());
    TGridTableChart& layers = tables.D2();
    layers.GetDataValue(2, 0)->SetFloatValue(0, 0, 0.07L);
    TTableForm& form = Open(layers);
    auto* kind = qobject_cast<QComboBox*>(form.CellControl(0, 0));
    auto* data = qobject_cast<QPushButton*>(form.CellControl(2, 0));
    ASSERT_NE(kind, nullptr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(kind->count(), 6);
    EXPECT_EQ(kind->currentIndex(), 0);
    EXPECT_EQ(data->text(), "1: Clay Layer Data");
    // The list and the button lie over their cells.
    EXPECT_EQ(form.Grid()->cellWidget(0, 0), kind);
    EXPECT_EQ(form.Grid()->cellWidget(0, 2), data);

    kind->setCurrentIndex(1);
    emit kind->activated(1);
    QApplication::processEvents();
    EXPECT_EQ(layers.GetIntValue(0, 0), 2);
    TGridTable* sand = layers.GetDataValue(2, 0);
    ASSERT_NE(sand, nullptr);
    EXPECT_EQ(sand->Caption(), "Sand Layer Data");
    EXPECT_EQ(sand->GetFloatValue(0, 0), 0.07L); // carried over
    EXPECT_EQ(qobject_cast<QPushButton*>(form.CellControl(2, 0))->text(), "1: Sand Layer Data");
    EXPECT_TRUE(layers.Changed());
}

TEST_F(TableForm, ControlColumnsCannotBeSelected) {
    TInputTables tables;
    Install(tables.Families());
    TTableForm& form = Open(tables.D2());
    EXPECT_EQ(form.CurrentCell(), std::make_pair(1, 0));
    EXPECT_FALSE(form.SelectCell(0, 0));
    EXPECT_FALSE(form.SelectCell(2, 0));
    EXPECT_EQ(form.CurrentCell(), std::make_pair(1, 0));
    // Enter in the last row of the bottom column comes back to its first row.
    Enter(form);
    EXPECT_EQ(form.CurrentCell(), std::make_pair(1, 0));
}

TEST_F(TableForm, ButtonsOpenTheNestedTableOfTheirRow) {
    TInputTables tables;
    Install(tables.Families());
    TGridTableChart& layers = tables.D2();
    TTableForm& form = Open(layers);
    form.AddRowClick();
    auto* second = qobject_cast<QPushButton*>(form.CellControl(2, 1));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(), "2: Clay Layer Data");
    QTest::mouseClick(second, Qt::LeftButton);
    QApplication::processEvents();
    TGridTable* nested = layers.GetDataValue(2, 1);
    TTableForm* nestedForm = Form(*nested);
    ASSERT_NE(nestedForm, nullptr);
    EXPECT_FALSE(nestedForm->IsModal());
    EXPECT_EQ(nestedForm->windowTitle(), "Clay Layer Data  2");

    // Deleting the first layer renumbers the second, and its open editor follows.
    form.SelectCell(1, 0);
    form.DeleteRowClick();
    EXPECT_EQ(nestedForm->windowTitle(), "Clay Layer Data  1");
    EXPECT_EQ(layers.GetDataValue(2, 0), nested);

    // A layer that changes its kind takes its editor with its old table.
    auto* kind = qobject_cast<QComboBox*>(form.CellControl(0, 0));
    emit kind->activated(3);
    QApplication::processEvents();
    EXPECT_EQ(Form(*layers.GetDataValue(2, 0)), nullptr);
}

TEST_F(TableForm, NestedTablesOfAModalEditorAreModal) {
    TInputTables tables;
    Install(tables.Families());
    TGridTableChart& layers = tables.D2();
    bool nestedModal = false;
    bool ownerModal = false;
    QTimer::singleShot(0, [&] {
        QApplication::processEvents(); // lays the cell controls out
        TTableForm* form = Form(layers);
        ownerModal = form && form->IsModal();
        QTimer::singleShot(0, [&] {
            TGridTable* nested = layers.GetDataValue(2, 0);
            TTableForm* inner = Form(*nested);
            nestedModal = inner && inner->IsModal() && inner->isModal();
            if (inner) inner->Close();
        });
        QTest::mouseClick(form->CellControl(2, 0), Qt::LeftButton);
        form->Close();
    });
    layers.ShowModal();
    EXPECT_TRUE(ownerModal);
    EXPECT_TRUE(nestedModal);
    EXPECT_EQ(layers.Editor(), nullptr);
}

TEST_F(TableForm, UnitSwitchRewritesHeadingsAndCells) {
    auto table = Pairs(families, 2);
    static_cast<TFloatColumn&>(table->GetColumn(0)).SetUnitsString("L");
    table->SetFloatValue(0, 0, 39.37007874L);
    TTableForm& form = Open(*table);
    EXPECT_EQ(form.Grid()->horizontalHeaderItem(0)->text(), "Depth (in)  ");
    table->SetUnits(2);
    EXPECT_EQ(form.Grid()->horizontalHeaderItem(0)->text(), "Depth (m)  ");
    EXPECT_EQ(CellText(form, 0, 0), "1");
}

TEST_F(TableForm, ResizingSnapsToWholeRows) {
    TInputTables tables;
    Install(tables.Families());
    TGridTable& moves = tables.TblTipMove();
    moves.SetRowCount(25);
    TTableForm& form = Open(moves);
    const int row = form.Grid()->rowHeight(0);
    const QSize natural = form.size();
    form.resize(natural.width(), natural.height() + 3 * row + row / 2);
    ASSERT_TRUE(form.SnapPending());
    const QDeadlineTimer deadline(5000);
    while (form.SnapPending() && !deadline.hasExpired()) QTest::qWait(10);
    ASSERT_FALSE(form.SnapPending());
    EXPECT_EQ(form.RowsVisible(), 13);
    EXPECT_EQ(form.size(), QSize(natural.width(), natural.height() + 3 * row));
    EXPECT_EQ(form.Grid()->viewport()->height(), 13 * row);
}

TEST_F(TableForm, ClosingHandsTheWindowBack) {
    auto table = Pairs(families, 2);
    QPointer<TTableForm> form = &Open(*table);
    form->Close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table->Editor(), nullptr);
    EXPECT_TRUE(form.isNull());
    // Opening again makes a fresh window.
    EXPECT_NE(&Open(*table), nullptr);
    // A table that goes away takes its window with it.
    QPointer<TTableForm> second = Form(*table);
    table.reset();
    EXPECT_TRUE(second.isNull());
}

TEST_F(TableForm, DraggingOnlyTheRightEdgeKeepsTheRowsShown) {
    QMdiArea area;
    area.resize(1000, 800);
    area.show();
    TTableWindowHost host;
    host.Messages = &messages;
    host.AddChildWindow = [&area](QWidget& window) {
        QMdiSubWindow* sub = area.addSubWindow(&window);
        sub->show();
    };
    TInputTables tables;
    InstallTableEditors(tables.Families(), host);
    TGridTable& depths = tables.TblTZDepth2();
    TTableForm& form = Open(depths);
    auto* sub = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(form.RowsVisible(), 2);
    // The frame goes back to its height at the start of the drag each time the mouse moves on
    // after a snap; only its width follows the mouse.
    const QSize before = sub->size();
    auto settle = [&] {
        const QDeadlineTimer deadline(5000);
        QTest::qWait(20);
        while (form.SnapPending() && !deadline.hasExpired()) QTest::qWait(10);
    };
    for (int narrower : {40, 120, 160}) {
        sub->resize(before.width() - narrower, before.height());
        settle();
        EXPECT_EQ(form.RowsVisible(), 2) << narrower;
        EXPECT_GE(form.Grid()->viewport()->height(), 2 * form.Grid()->rowHeight(0)) << narrower;
    }
    // The bottom edge dragged up by a row does change the rows shown.
    sub->resize(sub->width(), sub->height() - form.Grid()->rowHeight(0));
    settle();
    EXPECT_EQ(form.RowsVisible(), 1);
}
