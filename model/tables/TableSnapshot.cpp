#include "model/tables/TableSnapshot.h"

#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableColumn.h"

#include <algorithm>

namespace dorvek {

namespace {

template <typename T, typename Get> std::vector<T> ValuesOf(const TColumn& column, Get get) {
    std::vector<T> values;
    values.reserve(static_cast<size_t>(column.Count()));
    for (int r = 0; r < column.Count(); ++r) values.push_back(get(r));
    return values;
}

bool IsIntKind(const TColumn& column) {
    return dynamic_cast<const TEnumColumn*>(&column) || dynamic_cast<const TIntColumn*>(&column);
}

template <typename T> void SwapRanges(std::vector<T>& values, int a, int b, int count) {
    std::swap_ranges(values.begin() + a, values.begin() + a + count, values.begin() + b);
}

} // namespace

TTableSnapshot TTableSnapshot::Take(const TGridTable& table) {
    TTableSnapshot shot;
    shot.fRows = table.RowCount();
    for (int c = 0; c < table.ColCount(); ++c) {
        const TColumn& column = table.GetColumn(c);
        if (dynamic_cast<const TFloatColumn*>(&column)) {
            shot.fColumns.emplace_back(
                ValuesOf<long double>(column, [&](int r) { return column.GetFloatValue(r); }));
        } else if (IsIntKind(column)) {
            shot.fColumns.emplace_back(
                ValuesOf<int>(column, [&](int r) { return column.GetIntValue(r); }));
        } else if (dynamic_cast<const TStringColumn*>(&column)) {
            shot.fColumns.emplace_back(
                ValuesOf<std::string>(column, [&](int r) { return column.GetStringValue(r); }));
        } else if (dynamic_cast<const TTableColumn*>(&column)) {
            TNested nested;
            for (int r = 0; r < column.Count(); ++r) {
                const TGridTable* inner = column.GetDataValue(r);
                nested.push_back(inner ? std::make_shared<const TTableSnapshot>(Take(*inner))
                                       : nullptr);
            }
            shot.fColumns.emplace_back(std::move(nested));
        } else {
            shot.fColumns.emplace_back(std::monostate{});
        }
    }
    return shot;
}

bool TTableSnapshot::Restore(TGridTable& table) const {
    bool written = false;
    if (table.RowCount() != fRows) {
        table.SetRowCount(fRows);
        written = true;
    }
    const int columns = std::min(table.ColCount(), static_cast<int>(fColumns.size()));
    // Plain values first: a row's kind decides which nested table it holds.
    for (int c = 0; c < columns; ++c) {
        TColumn& column = table.GetColumn(c);
        const int rows = std::min(column.Count(), fRows);
        const TValues& values = fColumns[static_cast<size_t>(c)];
        if (const auto* floats = std::get_if<std::vector<long double>>(&values);
            floats && dynamic_cast<TFloatColumn*>(&column)) {
            for (int r = 0; r < rows; ++r) {
                const long double v = (*floats)[static_cast<size_t>(r)];
                if (column.GetFloatValue(r) == v) continue;
                column.SetFloatValue(r, v);
                written = true;
            }
        } else if (const auto* ints = std::get_if<std::vector<int>>(&values);
                   ints && IsIntKind(column)) {
            for (int r = 0; r < rows; ++r) {
                const int v = (*ints)[static_cast<size_t>(r)];
                if (column.GetIntValue(r) == v) continue;
                column.SetIntValue(r, v);
                written = true;
            }
        } else if (const auto* texts = std::get_if<std::vector<std::string>>(&values);
                   texts && dynamic_cast<TStringColumn*>(&column)) {
            for (int r = 0; r < rows; ++r) {
                const std::string& v = (*texts)[static_cast<size_t>(r)];
                if (column.GetStringValue(r) == v) continue;
                column.SetStringValue(r, v);
                written = true;
            }
        }
    }
    for (int c = 0; c < columns; ++c) {
        TColumn& column = table.GetColumn(c);
        const auto* nested = std::get_if<TNested>(&fColumns[static_cast<size_t>(c)]);
        if (!nested || !dynamic_cast<TTableColumn*>(&column)) continue;
        const int rows = std::min(column.Count(), fRows);
        for (int r = 0; r < rows; ++r) {
            const auto& shot = (*nested)[static_cast<size_t>(r)];
            if (TGridTable* inner = column.GetDataValue(r); inner && shot)
                written = shot->Restore(*inner) || written;
        }
    }
    if (written) table.SetChanged(true);
    return written;
}

bool TTableSnapshot::operator==(const TTableSnapshot& other) const {
    if (fRows != other.fRows || fColumns.size() != other.fColumns.size()) return false;
    for (size_t c = 0; c < fColumns.size(); ++c) {
        const TValues& a = fColumns[c];
        const TValues& b = other.fColumns[c];
        if (a.index() != b.index()) return false;
        const auto* nestedA = std::get_if<TNested>(&a);
        if (!nestedA) {
            if (!(a == b)) return false;
            continue;
        }
        const auto& nestedB = std::get<TNested>(b);
        if (nestedA->size() != nestedB.size()) return false;
        for (size_t r = 0; r < nestedA->size(); ++r) {
            const auto& x = (*nestedA)[r];
            const auto& y = nestedB[r];
            if (bool(x) != bool(y) || (x && !(*x == *y))) return false;
        }
    }
    return true;
}

bool TTableSnapshot::SwapRowGroups(int row, int delta, int group) {
    group = std::max(group, 1);
    if (row < 0 || row >= fRows || delta == 0) return false;
    const int first = row / group * group;
    const int other = first + delta * group;
    if (other < 0 || other + group > fRows || first + group > fRows) return false;
    for (TValues& values : fColumns)
        std::visit(
            [&](auto& v) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(v)>, std::monostate>)
                    SwapRanges(v, first, other, group);
            },
            values);
    return true;
}

int MoveRowGroup(TGridTable& table, int row, int delta) {
    TTableSnapshot shot = TTableSnapshot::Take(table);
    if (!shot.SwapRowGroups(row, delta, table.RowGroup())) return -1;
    shot.Restore(table);
    return row + delta * std::max(table.RowGroup(), 1);
}

} // namespace dorvek
