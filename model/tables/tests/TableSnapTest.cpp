// Snapping a resized table editor to whole rows and columns.
#include "model/tables/TableSnap.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

// Three columns of 100 pixels, 25 rows of 20, ten of them shown; the grid's frame and
// headings take 50 x 40, the rest of the window 8 x 100 and at least 250 wide.
// Natural client size: 8 + 50 + 300 + 16 (vertical bar) = 374 by 100 + 40 + 200 = 340.
TSnapInput Editor(int width, int height) {
    TSnapInput in;
    in.ColumnWidths = {100, 100, 100};
    in.ColumnsVisible = 3;
    in.RowHeight = 20;
    in.RowCount = 25;
    in.RowsVisible = 10;
    in.FixedWidth = 50;
    in.FixedHeight = 40;
    in.OtherWidth = 8;
    in.MinClientWidth = 250;
    in.OtherHeight = 100;
    in.VScrollWidth = 16;
    in.HScrollHeight = 16;
    in.DraggedWidth = width;
    in.DraggedHeight = height;
    in.WidthDragged = width != 374;
    in.HeightDragged = height != 340;
    return in;
}

} // namespace

TEST(TableSnap, TheNaturalSizeStays) {
    TSnapResult snap = SnapTableSize(Editor(374, 340));
    EXPECT_EQ(snap.RowsVisible, 10);
    EXPECT_EQ(snap.ColumnsVisible, 3);
    EXPECT_TRUE(snap.VScroll);
    EXPECT_FALSE(snap.HScroll);
    EXPECT_EQ(snap.Width, 374);
    EXPECT_EQ(snap.Height, 340);
}

TEST(TableSnap, HeightSnapsToWholeRows) {
    // 410 high: (410 - 140) / 20 = 13.5, so 13 rows and 400 pixels.
    TSnapResult snap = SnapTableSize(Editor(374, 410));
    EXPECT_EQ(snap.RowsVisible, 13);
    EXPECT_EQ(snap.Height, 400);
    EXPECT_EQ(snap.Width, 374);
    // Smaller: 205 gives 3 rows.
    snap = SnapTableSize(Editor(374, 205));
    EXPECT_EQ(snap.RowsVisible, 3);
    EXPECT_EQ(snap.Height, 200);
    // Never fewer than one row.
    snap = SnapTableSize(Editor(374, 50));
    EXPECT_EQ(snap.RowsVisible, 1);
}

TEST(TableSnap, RoomForEveryRowDropsTheScrollBar) {
    // 25 rows need 140 + 500 = 640; without the bar the width is 358.
    TSnapResult snap = SnapTableSize(Editor(500, 700));
    EXPECT_EQ(snap.RowsVisible, 25);
    EXPECT_FALSE(snap.VScroll);
    EXPECT_EQ(snap.Height, 640);
    EXPECT_EQ(snap.Width, 358);
}

TEST(TableSnap, WidthSnapsToWholeColumns) {
    // 280 wide (height unchanged): room for 280 - 8 - 50 - 16 = 206, two columns; the
    // horizontal bar adds 16 to the height.
    TSnapResult snap = SnapTableSize(Editor(280, 340));
    EXPECT_EQ(snap.ColumnsVisible, 2);
    EXPECT_TRUE(snap.HScroll);
    EXPECT_EQ(snap.Width, 8 + 50 + 200 + 16);
    // Only the width was dragged: the rows stay.
    EXPECT_EQ(snap.RowsVisible, 10);
    EXPECT_EQ(snap.Height, 356);
    // Columns are added until the rest of the window fits even when they do not.
    snap = SnapTableSize(Editor(150, 340));
    EXPECT_EQ(snap.ColumnsVisible, 2);
    EXPECT_GE(snap.Width, 250);
}

TEST(TableSnap, ColumnsLeftOfTheLeftColumnFillTheRoom) {
    TSnapInput in = Editor(280, 340);
    in.LeftColumn = 2;
    in.ColumnsVisible = 1;
    TSnapResult snap = SnapTableSize(in);
    EXPECT_EQ(snap.LeftColumn, 1);
    EXPECT_EQ(snap.ColumnsVisible, 2);
}

TEST(TableSnap, TheTopRowMovesUpAtTheEnd) {
    TSnapInput in = Editor(374, 410);
    in.TopRow = 15; // rows 15..24 shown
    TSnapResult snap = SnapTableSize(in);
    EXPECT_EQ(snap.RowsVisible, 13);
    EXPECT_EQ(snap.TopRow, 12);
    // A width-only drag keeps the rows.
    in = Editor(300, 340);
    in.TopRow = 15;
    snap = SnapTableSize(in);
    EXPECT_EQ(snap.RowsVisible, 10);
    EXPECT_EQ(snap.TopRow, 15);
}
