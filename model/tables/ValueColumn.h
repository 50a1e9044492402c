#pragma once
// Storage shared by the kinds that hold one plain value per row.

#include "model/tables/Column.h"
#include "model/tables/TableErrors.h"

namespace dorvek {

template <typename T> class TValueColumn : public TColumn {
public:
    using TColumn::TColumn;

    int Count() const override { return static_cast<int>(fValues.size()); }
    void DeleteRow(int index) override {
        CheckRow(index);
        fValues.erase(fValues.begin() + index);
    }

protected:
    void InsertValues(int at, int count, const T& value) {
        if (at < 0 || at > Count()) RaiseIndexError(at);
        if (count > 0) fValues.insert(fValues.begin() + at, static_cast<size_t>(count), value);
    }
    const T& Value(int row) const {
        CheckRow(row);
        return fValues[static_cast<size_t>(row)];
    }
    T& Stored(int row) { return fValues[static_cast<size_t>(row)]; }
    // Sets the row, or its whole group with SameGroup, reporting every row set; with
    // onlyChanges a row already holding the value is left alone.
    void SetInGroup(int row, const T& value, bool onlyChanges = false) {
        CheckRow(row);
        auto [first, last] = AffectedRows(row);
        for (int r = first; r < last; ++r) {
            if (onlyChanges && Stored(r) == value) continue;
            Stored(r) = value;
            CellChanged(r);
        }
    }

    std::vector<T> fValues;
};

} // namespace dorvek
