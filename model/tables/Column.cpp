#include "model/tables/Column.h"

#include "model/tables/ColStream.h"
#include "model/tables/Table.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableErrors.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

int TColumn::Index() const {
    return fOwner->IndexOf(*this);
}

int TColumn::GetDisplayHeadingCount() const {
    return static_cast<int>(fHeading.size());
}

std::string TColumn::GetDisplayHeadings(int line) const {
    if (line < 0 || line >= static_cast<int>(fHeading.size())) return {};
    return fHeading[static_cast<size_t>(line)];
}

TGridTable* TColumn::GetDataValue(int) const {
    throw WrongTypeError();
}
long double TColumn::GetFloatValue(int) const {
    throw WrongTypeError();
}
void TColumn::SetFloatValue(int, long double) {
    throw WrongTypeError();
}
int TColumn::GetIntValue(int) const {
    throw WrongTypeError();
}
void TColumn::SetIntValue(int, int) {
    throw WrongTypeError();
}
TRowObject* TColumn::GetObjValue(int) const {
    throw WrongTypeError();
}
std::string TColumn::GetStringValue(int) const {
    return {};
}
void TColumn::SetStringValue(int, const std::string&) {}

int TColumn::GetRowGroup() const {
    return fOwner->RowGroup();
}

int TColumn::GetColWidth(const TTextMeasure& measure) const {
    int width = static_cast<int>(std::lround(WidthFloorInches() * measure.PixelsPerInch()));
    for (int i = 0; i < GetDisplayHeadingCount(); ++i)
        width = std::max(width, measure.TextWidth(GetDisplayHeadings(i) + "  "));
    return width;
}

void TColumn::WriteToStream(TColWriter& writer) const {
    writer.WriteListBegin();
    for (const auto& line : fHeading) writer.WriteString(line);
    writer.WriteListEnd();
    writer.WriteBoolean(fVisible);
    writer.WriteBoolean(fSameGroup);
}

void TColumn::ReadFromStream(TColReader& reader) {
    reader.ReadListBegin();
    fHeading.clear();
    while (!reader.EndOfList()) fHeading.push_back(reader.ReadString());
    reader.ReadListEnd();
    fVisible = reader.ReadBoolean();
    fSameGroup = reader.ReadBoolean();
}

std::unique_ptr<TColumn> TColumn::CreateFromStream(ColumnClass cls, TGridTable& owner,
                                                   TColReader& reader) {
    auto column = cls->Create(owner);
    column->ReadFromStream(reader);
    return column;
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable& newOwner) const {
    auto column = ClassType()->Create(newOwner);
    column->CopySettingsFrom(*this);
    return column;
}

// A copy behaves like its source: SameGroup travels with the headings and Visible.
void TColumn::CopySettingsFrom(const TColumn& source) {
    fHeading = source.fHeading;
    fVisible = source.fVisible;
    fSameGroup = source.fSameGroup;
}

void TColumn::CellChanged(int row) {
    RefreshControlOfRow(row);
    fOwner->ColumnCellChanged(*this, row);
}

std::pair<int, int> TColumn::AffectedRows(int row) const {
    if (!fSameGroup) return {row, row + 1};
    int group = std::max(GetRowGroup(), 1);
    int first = group * (row / group);
    return {first, std::min(first + group, Count())};
}

void TColumn::CheckRow(int row) const {
    if (row < 0 || row >= Count()) RaiseIndexError(row);
}

const TCellControl& TColumn::GetControl(int index) const {
    if (index < 0 || index >= GetControlsAllocated()) RaiseIndexError(index);
    return fControls[static_cast<size_t>(index)];
}

void TColumn::ReleaseControls() {
    if (fControls.empty() && !fControlParent) return;
    TTableEditor* parent = fControlParent;
    fControls.clear();
    fControlParent = nullptr;
    if (parent) parent->CellControlsChanged(*this);
}

void TColumn::ControlEntered(int control) {
    int row = GetControl(control).Tag;
    if (row < 0) throw TableError("Unexpected row for combobox");
    fOwner->ColumnEnterControl(*this, row);
}

void TColumn::ResizeControls(TTableEditor* parent, int topRow, int count,
                             const char* changeParentMessage) {
    if (!parent) throw TableError("null parent");
    if (!fControls.empty() && parent != fControlParent) throw TableError(changeParentMessage);
    fControlParent = parent;
    fControls.resize(static_cast<size_t>(std::max(count, 0)));
    for (size_t k = 0; k < fControls.size(); ++k) {
        fControls[k].Tag = topRow + static_cast<int>(k);
        FillControl(fControls[k]);
    }
    parent->CellControlsChanged(*this);
}

void TColumn::RefreshControlOfRow(int row) {
    for (size_t k = 0; k < fControls.size(); ++k) {
        if (fControls[k].Tag != row) continue;
        FillControl(fControls[k]);
        if (fControlParent) fControlParent->CellControlChanged(*this, static_cast<int>(k));
    }
}

void TColumn::RefreshAllControls() {
    for (size_t k = 0; k < fControls.size(); ++k) {
        FillControl(fControls[k]);
        if (fControlParent) fControlParent->CellControlChanged(*this, static_cast<int>(k));
    }
}

} // namespace dorvek
