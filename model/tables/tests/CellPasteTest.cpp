// Clipboard text pasted into a cell of a table editor: which texts hold several cells, and
// how lines and their numbers fill rows and columns from that cell.
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableTransfer.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

using Rows = std::vector<std::vector<long double>>;

Rows Values(const TGridTable& table, int columns) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        std::vector<long double> row;
        for (int c = 0; c < columns; ++c) row.push_back(table.GetFloatValue(c, r));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(CellPaste, OnlyLinesOrTabsMakeSeveralCells) {
    EXPECT_FALSE(HoldsSeveralCells("12.5"));
    // A spreadsheet ends one copied cell with a line break.
    EXPECT_FALSE(HoldsSeveralCells("12.5\n"));
    EXPECT_FALSE(HoldsSeveralCells("12.5\r\n"));
    EXPECT_FALSE(HoldsSeveralCells("2 * 3"));
    EXPECT_TRUE(HoldsSeveralCells("1\t2"));
    EXPECT_TRUE(HoldsSeveralCells("1\n2"));
    EXPECT_TRUE(HoldsSeveralCells("1\r2\r"));
    EXPECT_EQ(WithoutLastLineEnd("12.5\r\n"), "12.5");
    EXPECT_EQ(WithoutLastLineEnd("12.5\n\n"), "12.5\n");
    EXPECT_EQ(WithoutLastLineEnd("12.5"), "12.5");
}

TEST(CellPaste, TwoCopiedRowsFillTwoRowsAndColumnsFromTheCell) {
    TInputTables tables;
    TGridTable& ae = tables.TblAE2();
    EXPECT_EQ(PasteCells(ae, 0, 0, "0\t7.972E8\r\n720\t7.972E8\r\n", '.'), 2);
    EXPECT_EQ(Values(ae, 2), (Rows{{0, 7.972e8L}, {720, 7.972e8L}}));
    EXPECT_TRUE(ae.Changed());
}

TEST(CellPaste, LinesBeyondTheTableAddRowsFromTheCellOn) {
    TInputTables tables;
    TGridTable& ae = tables.TblAE2();
    ae.SetFloatValue(0, 0, 5);
    // From the second column of the second row: one number per line.
    EXPECT_EQ(PasteCells(ae, 1, 1, "1e9\n2e9\n3e9", '.'), 3);
    EXPECT_EQ(Values(ae, 2), (Rows{{5, 0}, {0, 1e9L}, {0, 2e9L}, {0, 3e9L}}));
}

TEST(CellPaste, NumbersBeyondTheLastColumnAreDroppedAndNestedTablesSkipped) {
    TInputTables tables;
    TGridTable& d2 = tables.D2();
    // Soil type and bottom; the layer-data column takes nothing.
    EXPECT_EQ(PasteCells(d2, 0, 0, "1 240 99\n1 480\n2 840\n", '.'), 3);
    ASSERT_EQ(d2.RowCount(), 3);
    EXPECT_EQ(d2.GetIntValue(0, 2), 2);
    EXPECT_EQ(d2.GetFloatValue(1, 0), 240);
    EXPECT_EQ(d2.GetFloatValue(1, 2), 840);
    EXPECT_EQ(d2.GetDataValue(2, 2)->Caption(), "Sand Layer Data");
    // Bottoms alone, from the bottom column.
    EXPECT_EQ(PasteCells(d2, 1, 0, "200\n400\n800", '.'), 3);
    EXPECT_EQ(d2.GetFloatValue(1, 1), 400);
    EXPECT_EQ(d2.GetIntValue(0, 2), 2);
}

TEST(CellPaste, HeadingsAndEmptyLinesTakeNoRowsAndAMiddleGapLeavesItsRow) {
    TInputTables tables;
    TGridTable& moves = tables.TblTipMove();
    moves.SetRowCount(3);
    moves.SetFloatValue(0, 1, 9);
    EXPECT_EQ(PasteCells(moves, 0, 0, "Tip movement\n0.1\n\n0.3\n\n\n", '.'), 2);
    EXPECT_EQ(Values(moves, 1), (Rows{{0.1L}, {9}, {0.3L}}));
}

TEST(CellPaste, StopsAtMostRows) {
    TInputTables tables;
    TGridTable& loads = tables.TblTopload(); // 1 to 50 rows
    std::string text;
    for (int k = 1; k <= 55; ++k) text += std::to_string(k * 1000) + "\n";
    EXPECT_EQ(PasteCells(loads, 0, 2, text, '.'), 48);
    EXPECT_EQ(loads.RowCount(), 50);
    EXPECT_EQ(loads.GetFloatValue(0, 49), 48000);
}

TEST(CellPaste, ReadsTheUsersDecimalComma) {
    TInputTables tables;
    TGridTable& ae = tables.TblAE2();
    EXPECT_EQ(PasteCells(ae, 0, 0, "1,5;2,5\n3,25\t4", ','), 2);
    EXPECT_EQ(Values(ae, 2), (Rows{{1.5L, 2.5L}, {3.25L, 4}}));
}

TEST(CellPaste, ARefusedValueLeavesTheTableAsItWas) {
    TInputTables tables;
    TGridTable& d2 = tables.D2();
    d2.SetFloatValue(1, 0, 100);
    d2.ResetChanged();
    // A soil type must be a whole number: nothing of the paste stays.
    EXPECT_THROW(PasteCells(d2, 0, 0, "1 240\n1.5 480\n", '.'), AssignmentError);
    EXPECT_EQ(d2.RowCount(), 1);
    EXPECT_EQ(d2.GetFloatValue(1, 0), 100);
    EXPECT_FALSE(d2.Changed());
}

TEST(CellPaste, NothingToPaste) {
    TInputTables tables;
    TGridTable& ae = tables.TblAE2();
    EXPECT_EQ(PasteCells(ae, 0, 0, "", '.'), 0);
    EXPECT_EQ(PasteCells(ae, 0, 0, "abc\ndef", '.'), 0);
    EXPECT_EQ(PasteCells(ae, 5, 0, "1\n2", '.'), 0);
    EXPECT_FALSE(ae.Changed());
}
