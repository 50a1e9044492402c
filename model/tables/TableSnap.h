#pragma once
// Snapping of a table editor to whole columns and rows after the user resized it: four
// candidate layouts (with or without each scroll bar) are fitted to the dragged size and
// the one lying least outside it is taken.

#include <vector>

namespace dorvek {

struct TSnapInput {
    std::vector<int> ColumnWidths; // each data column with its grid line
    int LeftColumn = 0;
    int ColumnsVisible = 0;
    int RowHeight = 1;
    int RowCount = 0;
    int TopRow = 0;
    int RowsVisible = 0;
    int FixedWidth = 0;     // grid width without data columns (frame, row-number column)
    int FixedHeight = 0;    // grid height without data rows (frame, heading rows)
    int OtherWidth = 0;     // client width beside the grid (margins)
    int MinClientWidth = 0; // what the rest of the window needs (buttons, preview)
    int OtherHeight = 0;    // client height above and below the grid
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    // Which dimensions the user changed; an unchanged one keeps its rows or columns.
    bool WidthDragged = true;
    bool HeightDragged = true;
    int DraggedWidth = 0; // client size the user dragged to
    int DraggedHeight = 0;
};

struct TSnapResult {
    int LeftColumn = 0;
    int ColumnsVisible = 0;
    int TopRow = 0;
    int RowsVisible = 0;
    bool HScroll = false;
    bool VScroll = false;
    int Width = 0; // client size
    int Height = 0;
};

TSnapResult SnapTableSize(const TSnapInput& input);

} // namespace dorvek
