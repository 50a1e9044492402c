#include "model/tables/EnumColumn.h"

#include "model/tables/ColStream.h"
#include "model/tables/EntryValue.h"
#include "model/tables/Table.h"
#include "model/tables/TableErrors.h"

namespace dorvek {

const TColumnClass TEnumColumn::Class{"TEnumColumn",
                                      [](TGridTable& owner) -> std::unique_ptr<TColumn> {
                                          return std::make_unique<TEnumColumn>(owner);
                                      }};

int TEnumColumn::GetIntValue(int row) const {
    return Value(row);
}

void TEnumColumn::SetIntValue(int row, int value) {
    SetInGroup(row, value, true);
}

std::string TEnumColumn::GetStringValue(int row) const {
    return std::to_string(GetIntValue(row));
}

void TEnumColumn::SetStringValue(int row, const std::string& value) {
    int number = 0;
    if (!ExactInt32(EvaluateEntry(value), number))
        throw AssignmentError("Value must be an integer.");
    SetIntValue(row, number);
}

void TEnumColumn::SetNames(std::vector<std::string> names) {
    fNames = std::move(names);
    NamesChanged();
}

std::string TEnumColumn::GetEnumStr(int index) const {
    if (index < 0 || index >= GetEnumCount()) RaiseIndexError(index);
    return fNames[static_cast<size_t>(index)];
}

void TEnumColumn::SetEnumStr(int index, const std::string& value) {
    if (index < 0 || index >= GetEnumCount()) RaiseIndexError(index);
    fNames[static_cast<size_t>(index)] = value;
    NamesChanged();
}

void TEnumColumn::AddEnumStr(const std::string& value) {
    fNames.push_back(value);
    NamesChanged();
}

void TEnumColumn::DelEnumStr(int index) {
    if (index < 0 || index >= GetEnumCount()) RaiseIndexError(index);
    fNames.erase(fNames.begin() + index);
    NamesChanged();
}

void TEnumColumn::ClearEnumStr() {
    fNames.clear();
    NamesChanged();
}

void TEnumColumn::NamesChanged() {
    RefreshAllControls();
    Owner().ColumnNamesChanged(*this);
}

void TEnumColumn::WriteToStream(TColWriter& writer) const {
    TColumn::WriteToStream(writer);
    writer.WriteListBegin();
    for (const auto& name : fNames) writer.WriteString(name);
    writer.WriteListEnd();
}

void TEnumColumn::ReadFromStream(TColReader& reader) {
    TColumn::ReadFromStream(reader);
    reader.ReadListBegin();
    fNames.clear();
    while (!reader.EndOfList()) fNames.push_back(reader.ReadString());
    reader.ReadListEnd();
}

void TEnumColumn::AllocateControls(TTableEditor* parent, int topRow, int count) {
    ResizeControls(parent, topRow, count,
                   "Error attempt to change parent with controls already allocated");
}

void TEnumColumn::ControlChosen(int control, int itemIndex) {
    int row = GetControl(control).Tag;
    if (row < 0 || row >= Count()) return;
    if (itemIndex + 1 != Stored(row)) SetIntValue(row, itemIndex + 1);
}

void TEnumColumn::CopySettingsFrom(const TColumn& source) {
    TColumn::CopySettingsFrom(source);
    fNames = static_cast<const TEnumColumn&>(source).fNames;
}

void TEnumColumn::FillControl(TCellControl& control) const {
    int row = control.Tag;
    control.ItemIndex = row >= 0 && row < Count() ? Value(row) - 1 : -1;
}

} // namespace dorvek
