#pragma once
// The values of a table at one moment, nested tables included: what an undo step brings back.
// Restoring writes only the cells that differ, through the table's own operations, so linked
// cells, nested tables and open editors follow as they do for a typed entry.

#include "model/tables/Table.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace dorvek {

class TTableSnapshot {
public:
    TTableSnapshot() = default;
    static TTableSnapshot Take(const TGridTable& table);

    // Brings the table back to these values: rows are added or removed at the end, then every
    // cell that differs is set (a row's kind first, then its nested table). A table that
    // took any change is marked as changed; returns whether it took one. Columns that are
    // not of the kind they were when the snapshot was taken are left alone.
    bool Restore(TGridTable& table) const;

    int RowCount() const { return fRows; }
    bool operator==(const TTableSnapshot& other) const;

    // The row groups holding rows `row` and `row + delta * group` exchange their places; false
    // when either group lies outside the table.
    bool SwapRowGroups(int row, int delta, int group);

private:
    using TNested = std::vector<std::shared_ptr<const TTableSnapshot>>; // null: no nested table
    using TValues = std::variant<std::vector<long double>, std::vector<int>,
                                 std::vector<std::string>, TNested, std::monostate>;
    int fRows = 0;
    std::vector<TValues> fColumns;
};

// One edit of a table: its values before and after.
struct TTableEdit {
    TTableSnapshot Before;
    TTableSnapshot After;
    bool Changed() const { return !(Before == After); }
};

// Runs the edit and records it. When the edit fails, the table is brought back to its values
// before it and the error passes on.
template <typename Edit> TTableEdit RecordTableEdit(TGridTable& table, Edit edit) {
    TTableEdit record;
    record.Before = TTableSnapshot::Take(table);
    const bool wasChanged = table.Changed();
    try {
        edit();
    } catch (...) {
        record.Before.Restore(table);
        if (!wasChanged) table.ResetChanged();
        throw;
    }
    record.After = TTableSnapshot::Take(table);
    return record;
}

// Moves the row group holding `row` up (delta -1) or down (delta +1) by one group, nested
// tables and all. Returns the row the moved row now stands in, or -1 when it cannot move.
int MoveRowGroup(TGridTable& table, int row, int delta);

} // namespace dorvek
