#include "model/tables/TableSnap.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace dorvek {

namespace {

struct Columns {
    int Left = 0, Count = 0, Width = 0;
    bool Scroll = false;
};

struct Rows {
    int Top = 0, Count = 0;
    bool Scroll = false;
};

int SumWidths(const std::vector<int>& widths, int left, int count) {
    int sum = 0;
    for (int c = left; c < left + count && c < static_cast<int>(widths.size()); ++c)
        sum += widths[static_cast<size_t>(c)];
    return sum;
}

Columns AllColumns(const TSnapInput& in) {
    const int total = static_cast<int>(in.ColumnWidths.size());
    return {0, total, SumWidths(in.ColumnWidths, 0, total), false};
}

// Columns fitted into the dragged width: from the left column to the right while they fit
// (and at least until the rest of the window fits), then to the left while they still fit.
Columns FittedColumns(const TSnapInput& in, int vScroll) {
    const int total = static_cast<int>(in.ColumnWidths.size());
    Columns result;
    result.Left = std::clamp(in.LeftColumn, 0, std::max(total - 1, 0));
    if (!in.WidthDragged) {
        result.Count = std::clamp(in.ColumnsVisible, 1, total - result.Left);
    } else {
        const int room = in.DraggedWidth - in.OtherWidth - in.FixedWidth - vScroll;
        const int needed = in.MinClientWidth - in.OtherWidth - in.FixedWidth - vScroll;
        int width = 0;
        for (int c = result.Left; c < total; ++c) {
            int w = in.ColumnWidths[static_cast<size_t>(c)];
            if (result.Count > 0 && width + w > room && width >= needed) break;
            width += w;
            ++result.Count;
        }
        while (result.Left > 0 &&
               width + in.ColumnWidths[static_cast<size_t>(result.Left - 1)] <= room) {
            --result.Left;
            width += in.ColumnWidths[static_cast<size_t>(result.Left)];
            ++result.Count;
        }
    }
    result.Width = SumWidths(in.ColumnWidths, result.Left, result.Count);
    result.Scroll = result.Count < total;
    return result;
}

Rows AllRows(const TSnapInput& in) {
    return {0, in.RowCount, false};
}

Rows FittedRows(const TSnapInput& in, int hScroll) {
    Rows result;
    if (!in.HeightDragged) {
        result.Count = in.RowsVisible;
    } else {
        const int room = in.DraggedHeight - in.OtherHeight - in.FixedHeight - hScroll;
        result.Count = room / std::max(in.RowHeight, 1);
    }
    result.Count = std::clamp(result.Count, std::min(1, in.RowCount), in.RowCount);
    result.Top = std::clamp(in.TopRow, 0, std::max(in.RowCount - result.Count, 0));
    result.Scroll = result.Count < in.RowCount;
    return result;
}

} // namespace

TSnapResult SnapTableSize(const TSnapInput& in) {
    TSnapResult best;
    std::int64_t bestOutside = std::numeric_limits<std::int64_t>::max();
    std::int64_t bestArea = -1;
    for (bool withH : {false, true}) {
        for (bool withV : {false, true}) {
            const int vScroll = withV ? in.VScrollWidth : 0;
            const Columns cols = withH ? FittedColumns(in, vScroll) : AllColumns(in);
            const int hScroll = cols.Scroll ? in.HScrollHeight : 0;
            const Rows rows = withV ? FittedRows(in, hScroll) : AllRows(in);
            const int vBar = rows.Scroll ? in.VScrollWidth : 0;
            const int width =
                std::max(in.OtherWidth + in.FixedWidth + cols.Width + vBar, in.MinClientWidth);
            const int height =
                in.OtherHeight + in.FixedHeight + rows.Count * in.RowHeight + hScroll;
            const std::int64_t area = std::int64_t{width} * height;
            const std::int64_t inside =
                std::int64_t{std::min(width, in.DraggedWidth)} * std::min(height, in.DraggedHeight);
            const std::int64_t outside = area - std::max<std::int64_t>(inside, 0);
            // Least outside the dragged size; of equals, the one that fills it best.
            if (outside < bestOutside || (outside == bestOutside && area > bestArea)) {
                bestOutside = outside;
                bestArea = area;
                best = {cols.Left,   cols.Count,  rows.Top, rows.Count,
                        cols.Scroll, rows.Scroll, width,    height};
            }
        }
    }
    return best;
}

} // namespace dorvek
