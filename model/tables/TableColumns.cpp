// Column list, cell access and visible-column operations of TGridTable.
#include "model/tables/Table.h"

#include "model/tables/TableEditor.h"
#include "model/tables/TableErrors.h"

#include <algorithm>

namespace dorvek {

TColumn& TGridTable::GetColumn(int index) const {
    if (index < 0 || index >= ColCount()) RaiseIndexError(index);
    return *fColumns[static_cast<size_t>(index)];
}

int TGridTable::IndexOf(const TColumn& column) const {
    for (int i = 0; i < ColCount(); ++i)
        if (fColumns[static_cast<size_t>(i)].get() == &column) return i;
    return -1;
}

TColumn& TGridTable::AddColumn(ColumnClass cls) {
    return InsertColumn(ColCount(), cls);
}

TColumn& TGridTable::InsertColumn(int index, ColumnClass cls) {
    if (index < 0 || index > ColCount()) RaiseIndexError(index);
    fColumns.insert(fColumns.begin() + index, cls->Create(*this));
    TColumn& column = *fColumns[static_cast<size_t>(index)];
    try {
        Attach(column);
    } catch (...) {
        fColumns.erase(fColumns.begin() + index);
        throw;
    }
    ResizeTemplateLists();
    MajorChange();
    return column;
}

void TGridTable::DeleteColumn(int index) {
    GetColumn(index).ReleaseControls();
    fColumns.erase(fColumns.begin() + index);
    ResizeTemplateLists();
    MajorChange();
}

TColumn& TGridTable::ReplaceColumn(int index, ColumnClass cls) {
    TColumn& old = GetColumn(index);
    auto column = cls->Create(*this);
    column->SetHeading(old.GetHeading());
    column->SetVisible(old.Visible());
    column->SetSameGroup(old.SameGroup());
    old.ReleaseControls();
    fColumns[static_cast<size_t>(index)] = std::move(column);
    TColumn& fresh = *fColumns[static_cast<size_t>(index)];
    Attach(fresh);
    ResizeTemplateLists();
    MajorChange();
    return fresh;
}

void TGridTable::Attach(TColumn& column) {
    while (column.Count() < fRowCount)
        column.InsertRows(column.Count(), std::min(fRowGroup, fRowCount - column.Count()));
    TTableEditor* editor = Editor();
    if (editor && column.HasControl() && column.Visible() && fRowCount > 0) {
        int top = std::clamp(editor->TopRow(), 0, fRowCount - 1);
        column.AllocateControls(editor, top, std::min(editor->RowsVisible(), fRowCount - top));
    }
}

int TGridTable::VisibleColumnCount() const {
    return static_cast<int>(std::count_if(fColumns.begin(), fColumns.end(),
                                          [](const auto& column) { return column->Visible(); }));
}

TColumn& TGridTable::VisibleColumn(int n) const {
    int seen = 0;
    for (const auto& column : fColumns)
        if (column->Visible() && seen++ == n) return *column;
    throw TableError("Index out of bounds");
}

int TGridTable::VisiblePosition(const TColumn& column) const {
    int position = 0;
    for (const auto& each : fColumns) {
        if (each.get() == &column) return each->Visible() ? position : -1;
        if (each->Visible()) ++position;
    }
    return -1;
}

int TGridTable::HeadingRows() const {
    int rows = 0;
    for (const auto& column : fColumns)
        if (column->Visible()) rows = std::max(rows, column->GetDisplayHeadingCount());
    return rows;
}

bool TGridTable::CellExists(int iCol, int iRow) const {
    return iCol >= 0 && iCol < ColCount() && iRow >= 0 &&
           iRow < fColumns[static_cast<size_t>(iCol)]->Count();
}

TData TGridTable::GetData(int iCol, int iRow) const {
    TColumn& column = GetColumn(iCol);
    if (iRow < 0 || iRow >= column.Count()) RaiseIndexError(iRow);
    return TData(column, iRow);
}

long double TGridTable::GetFloatValue(int iCol, int iRow) const {
    return GetColumn(iCol).GetFloatValue(iRow);
}

int TGridTable::GetIntValue(int iCol, int iRow) const {
    return GetColumn(iCol).GetIntValue(iRow);
}

std::string TGridTable::GetStringValue(int iCol, int iRow) const {
    return GetColumn(iCol).GetStringValue(iRow);
}

TGridTable* TGridTable::GetDataValue(int iCol, int iRow) const {
    return GetColumn(iCol).GetDataValue(iRow);
}

void TGridTable::SetFloatValue(int iCol, int iRow, long double value) {
    GetColumn(iCol).SetFloatValue(iRow, value);
}

void TGridTable::SetIntValue(int iCol, int iRow, int value) {
    GetColumn(iCol).SetIntValue(iRow, value);
}

void TGridTable::SetStringValue(int iCol, int iRow, const std::string& value) {
    GetColumn(iCol).SetStringValue(iRow, value);
}

} // namespace dorvek
