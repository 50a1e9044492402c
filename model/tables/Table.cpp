#include "model/tables/Table.h"

#include "model/tables/EnumColumn.h"
#include "model/tables/TableColumn.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <algorithm>

namespace dorvek {

TGridTable::TGridTable(TTableFamilies& families) : TGridTable(nullptr, families.Grid()) {}

TGridTable::TGridTable(TGridTable* owner, TTableFamily& family)
    : fFamily(&family), fOwner(owner), fIdentifier(family.Tables.Add(*this)),
      fUnits(owner ? owner->Units() : 1) {}

TGridTable::~TGridTable() {
    if (auto destroyed = std::move(Events.OnDestroy)) destroyed(*this);
    FreeEditor();
    Events = {};
    ClearColumns();
    fFamily->Tables.Remove(*this);
}

void TGridTable::ClearColumns() {
    for (auto& column : fColumns) column->ReleaseControls();
    // Rows go before the columns so that nested tables are freed in row order.
    for (auto& column : fColumns)
        while (column->Count() > 0) column->DeleteRow(column->Count() - 1);
    fColumns.clear();
}

std::unique_ptr<TGridTable> TGridTable::NewTable(TGridTable* owner) const {
    return std::unique_ptr<TGridTable>(new TGridTable(owner, *fFamily));
}

// RowGroup and HardwiredButton travel too, so that a copy behaves like its template.
void TGridTable::CopySettingsFrom(const TGridTable& source) {
    fCaption = source.fCaption;
    fComments = source.fComments;
    fTopLeft = source.fTopLeft;
    fHelpPicture = source.fHelpPicture;
    fMinRows = source.fMinRows;
    fMaxRows = source.fMaxRows;
    fRowGroup = source.fRowGroup;
    fHardwiredButton = source.fHardwiredButton;
}

std::unique_ptr<TGridTable> TGridTable::CreateCopy(TGridTable* owner, const TGridTable& source,
                                                   int id) {
    auto table = source.NewTable(owner);
    table->CopySettingsFrom(source);
    for (const auto& column : source.fColumns) table->fColumns.push_back(column->Clone(*table));
    table->ResizeTemplateLists();
    table->fID = id;
    table->SetRowCount(table->fMinRows);
    table->MajorChange();
    return table;
}

void TGridTable::SetIdentifier(int value) {
    if (value < 0) return;
    for (TGridTable* other : fFamily->Tables.Tables())
        if (other != this && other->fIdentifier == value) other->fIdentifier = fIdentifier;
    fIdentifier = value;
}

void TGridTable::SetHelpPicture(std::string name) {
    fHelpPicture = std::move(name);
    if (TTableEditor* editor = Editor()) editor->FullRefresh();
}

void TGridTable::SetMinRows(int value) {
    if (value <= 0) {
        if (!Loading()) throw TableError("Value must be greater than 0");
        value = 1;
    }
    fMinRows = value;
}

void TGridTable::SetRowCount(int n) {
    n = std::max(n, 0);
    int before = fRowCount;
    for (auto& column : fColumns)
        while (column->Count() > n) column->DeleteRow(column->Count() - 1);
    fRowCount = std::min(fRowCount, n);
    while (fRowCount < n) {
        InsertInColumns(fRowCount, fRowGroup);
        fRowCount += fRowGroup;
    }
    if (fRowCount != before) MajorChange();
}

void TGridTable::InsertInColumns(int at, int count) {
    size_t done = 0;
    try {
        for (; done < fColumns.size(); ++done) fColumns[done]->InsertRows(at, count);
    } catch (...) {
        // The failing column may hold some of the new rows, those before it all of them.
        for (size_t i = 0; i <= done && i < fColumns.size(); ++i)
            while (fColumns[i]->Count() > fRowCount) fColumns[i]->DeleteRow(at);
        throw;
    }
}

void TGridTable::AddRowGroup() {
    InsertInColumns(fRowCount, fRowGroup);
    fRowCount += fRowGroup;
    MajorChange();
}

void TGridTable::InsertRowGroup(int iRow) {
    int at = fRowGroup * (iRow / fRowGroup);
    if (iRow < 0 || at > fRowCount) RaiseIndexError(iRow);
    InsertInColumns(at, fRowGroup);
    fRowCount += fRowGroup;
    MajorChange();
}

void TGridTable::DeleteRowGroup(int index) {
    if (index < 0 || index >= fRowCount) RaiseIndexError(index);
    int first = fRowGroup * (index / fRowGroup);
    int last = std::min(first + fRowGroup, fRowCount);
    for (auto& column : fColumns)
        for (int r = std::min(last, column->Count()) - 1; r >= first; --r) column->DeleteRow(r);
    fRowCount -= last - first;
    MajorChange();
}

void TGridTable::SetUnits(int system) {
    if (system == fUnits) return;
    for (auto& column : fColumns) column->SetUnits(system);
    fUnits = system;
    MajorChange();
}

void TGridTable::SetID(int id) {
    fID = id;
    if (TTableEditor* editor = Editor()) editor->Retitle();
}

std::string TGridTable::TitlePath() const {
    std::string path = fOwner ? fOwner->TitlePath() : std::string();
    if (fID != 0) {
        path += ' ';
        path += std::to_string(fID);
    }
    return path;
}

std::string TGridTable::Title() const {
    return fCaption + " " + TitlePath();
}

bool TGridTable::Changed() const {
    if (fChanged) return true;
    return std::any_of(fColumns.begin(), fColumns.end(),
                       [](const auto& column) { return column->GetChanged(); });
}

void TGridTable::SetChanged(bool value) {
    if (value)
        fChanged = true;
    else
        ResetChanged();
}

void TGridTable::ResetChanged() {
    fChanged = false;
    for (auto& column : fColumns) column->ResetChanged();
}

void TGridTable::MajorChange() {
    if (Events.OnMajorChange) Events.OnMajorChange(*this);
    if (TTableEditor* editor = Editor()) editor->FullRefresh();
}

void TGridTable::ColumnCellChanged(TColumn& column, int row) {
    int index = IndexOf(column);
    if (index < 0) return;
    if (index == 0 && dynamic_cast<TEnumColumn*>(&column)) {
        for (auto& other : fColumns) {
            auto* tables = dynamic_cast<TTableColumn*>(other.get());
            if (!tables) continue;
            if (row < tables->Count()) tables->RecreateRow(row);
            break;
        }
    }
    if (Events.OnCellChange) Events.OnCellChange(*this, index, row);
    if (TTableEditor* editor = Editor()) editor->RefreshCell(index, row);
}

void TGridTable::ColumnEnterControl(TColumn& column, int row) {
    if (TTableEditor* editor = Editor()) editor->MoveToCell(IndexOf(column), row);
}

void TGridTable::ColumnNamesChanged(TColumn& column) {
    if (IndexOf(column) == 0) ResizeTemplateLists();
}

// Every table column has one template per kind of column 0.
void TGridTable::ResizeTemplateLists() {
    int kinds = 1;
    if (!fColumns.empty())
        if (auto* first = dynamic_cast<TEnumColumn*>(fColumns.front().get()))
            kinds = first->GetEnumCount();
    for (auto& column : fColumns)
        if (auto* tables = dynamic_cast<TTableColumn*>(column.get()))
            tables->Templates().Resize(kinds);
}

} // namespace dorvek
