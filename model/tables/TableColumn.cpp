#include "model/tables/TableColumn.h"

#include "model/tables/ColStream.h"
#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableFamily.h"

#include <algorithm>

namespace dorvek {

namespace {

const char* const kFlexColumn2 = "FLEXCOLUMN2";

// Values of an old nested table that fit the new one, column by column: floats where both
// columns are float columns, integers where both are enumerations.
void CarryValues(const TGridTable& from, TGridTable& to) {
    int rows = std::min(from.RowCount(), to.RowCount());
    int cols = std::min(from.ColCount(), to.ColCount());
    for (int c = 0; c < cols; ++c) {
        const TColumn& source = from.GetColumn(c);
        TColumn& target = to.GetColumn(c);
        bool floats = dynamic_cast<const TFloatColumn*>(&source) &&
                      dynamic_cast<const TFloatColumn*>(&target);
        bool enums =
            dynamic_cast<const TEnumColumn*>(&source) && dynamic_cast<const TEnumColumn*>(&target);
        for (int r = 0; r < rows && (floats || enums); ++r) {
            if (floats)
                target.SetFloatValue(r, source.GetFloatValue(r));
            else
                target.SetIntValue(r, source.GetIntValue(r));
        }
    }
}

} // namespace

const TColumnClass TTableColumn::Class{"TTableColumn",
                                       [](TGridTable& owner) -> std::unique_ptr<TColumn> {
                                           return std::make_unique<TTableColumn>(owner);
                                       }};

TTableColumn::TTableColumn(TGridTable& owner) : TColumn(owner), fTemplates(owner.Family().Tables) {}

int TTableColumn::RowKind(int row) const {
    if (Owner().ColCount() == 0) return 1;
    const auto* kinds = dynamic_cast<const TEnumColumn*>(&Owner().GetColumn(0));
    if (!kinds || kinds == static_cast<const TColumn*>(this) || row >= kinds->Count()) return 1;
    return kinds->GetIntValue(row);
}

std::unique_ptr<TRowObject> TTableColumn::CreateRowObject(int row) {
    int kind = RowKind(row);
    if (const TGridTable* source = fTemplates.Elements(kind - 1))
        return TGridTable::CreateCopy(&Owner(), *source, row + 1);
    TGridTableEvents& events = Owner().Events;
    std::unique_ptr<TRowObject> object;
    if (!events.OnInitRow) return object;
    events.OnInitRow(Owner(), Index(), row, kind, object);
    if (object && events.OnSetRow) events.OnSetRow(Owner(), Index(), object.get(), row);
    return object;
}

void TTableColumn::InsertRows(int at, int count) {
    if (at < 0 || at > Count()) RaiseIndexError(at);
    for (int k = at; k < at + count; ++k) {
        fRows.insert(fRows.begin() + k, CreateRowObject(k));
        RefreshControlOfRow(k);
    }
    Renumber(at + std::max(count, 0));
}

void TTableColumn::DeleteRow(int index) {
    CheckRow(index);
    fRows.erase(fRows.begin() + index);
    Renumber(index);
}

void TTableColumn::Renumber(int from) {
    for (int r = std::max(from, 0); r < Count(); ++r) {
        TRowObject* object = fRows[static_cast<size_t>(r)].get();
        if (auto* table = dynamic_cast<TGridTable*>(object)) {
            table->SetID(r + 1);
        } else if (object && Owner().Events.OnSetRow) {
            Owner().Events.OnSetRow(Owner(), Index(), object, r);
        }
    }
    RefreshAllControls();
}

void TTableColumn::RecreateRow(int row) {
    CheckRow(row);
    std::unique_ptr<TRowObject> object = CreateRowObject(row);
    auto* fresh = dynamic_cast<TGridTable*>(object.get());
    auto* old = GetDataValue(row);
    if (fresh && old && Owner().Family().CarriesValuesOnKindChange) CarryValues(*old, *fresh);
    SetObjValue(row, std::move(object));
}

TGridTable* TTableColumn::GetDataValue(int row) const {
    return dynamic_cast<TGridTable*>(GetObjValue(row));
}

TRowObject* TTableColumn::GetObjValue(int row) const {
    CheckRow(row);
    return fRows[static_cast<size_t>(row)].get();
}

void TTableColumn::SetObjValue(int row, std::unique_ptr<TRowObject> object) {
    CheckRow(row);
    fRows[static_cast<size_t>(row)] = std::move(object);
    RefreshControlOfRow(row);
}

template <typename OnTable, typename OnOther>
void TTableColumn::ForEachRow(OnTable onTable, OnOther onOther) const {
    for (int r = 0; r < Count(); ++r) {
        TRowObject* object = fRows[static_cast<size_t>(r)].get();
        if (auto* table = dynamic_cast<TGridTable*>(object))
            onTable(*table);
        else
            onOther(r, object);
    }
}

bool TTableColumn::GetChanged() const {
    TGridTableEvents& events = Owner().Events;
    bool any = false;
    ForEachRow([&](TGridTable& table) { any = any || table.Changed(); },
               [&](int row, TRowObject* object) {
                   bool changed = false;
                   if (events.OnGetChanged)
                       events.OnGetChanged(Owner(), Index(), row, object, changed);
                   any = any || changed;
               });
    return any;
}

void TTableColumn::HideData() {
    TGridTableEvents& events = Owner().Events;
    ForEachRow([](TGridTable& table) { table.Hide(); },
               [&](int row, TRowObject* object) {
                   if (events.OnHide) events.OnHide(Owner(), Index(), row, object);
               });
}

void TTableColumn::ResetChanged() {
    TGridTableEvents& events = Owner().Events;
    ForEachRow([](TGridTable& table) { table.ResetChanged(); },
               [&](int row, TRowObject* object) {
                   if (events.OnResetChanged) events.OnResetChanged(Owner(), Index(), row, object);
               });
}

void TTableColumn::SetUnits(int newSystem) {
    TGridTableEvents& events = Owner().Events;
    ForEachRow([&](TGridTable& table) { table.SetUnits(newSystem); },
               [&](int row, TRowObject* object) {
                   if (events.OnSetUnits)
                       events.OnSetUnits(Owner(), Index(), row, object, newSystem);
               });
}

std::string TTableColumn::ButtonCaption(int row) const {
    TRowObject* object = GetObjValue(row);
    std::string caption;
    if (auto* table = dynamic_cast<TGridTable*>(object))
        caption = table->Caption();
    else if (Owner().Events.OnGetButtonCaption)
        Owner().Events.OnGetButtonCaption(Owner(), Index(), row, object, caption);
    return FormatText("%d: %s", row + 1, caption);
}

void TTableColumn::WriteToStream(TColWriter& writer) const {
    TColumn::WriteToStream(writer);
    writer.WriteString(kFlexColumn2);
    writer.WriteListBegin();
    for (int i = 0; i < fTemplates.Count(); ++i) {
        const TGridTable* source = fTemplates.Elements(i);
        writer.WriteInteger(source ? source->Identifier() : -1);
    }
    writer.WriteListEnd();
}

// The older form names one table by its position: every kind of column 0 gets that table
// when the owner is hard-wired, else the identifiers 1, 2, ...
void TTableColumn::ReadFromStream(TColReader& reader) {
    TColumn::ReadFromStream(reader);
    fTemplates.Clear();
    if (reader.ReadString() == kFlexColumn2) {
        reader.ReadListBegin();
        while (!reader.EndOfList()) fTemplates.AddByIdent(reader.ReadInteger());
        reader.ReadListEnd();
        return;
    }
    int position = reader.ReadInteger();
    const TGridTable& owner = Owner();
    const auto* kinds =
        owner.ColCount() > 0 ? dynamic_cast<const TEnumColumn*>(&owner.GetColumn(0)) : nullptr;
    if (!kinds) {
        fTemplates.Add(position);
        return;
    }
    for (int k = 1; k <= kinds->GetEnumCount(); ++k) {
        if (owner.HardwiredButton())
            fTemplates.Add(position);
        else
            fTemplates.AddByIdent(k);
    }
}

void TTableColumn::AllocateControls(TTableEditor* parent, int topRow, int count) {
    const char* changeParent = "Attempt to change parent with controls already allocated";
    if (!parent) throw TableError("null parent");
    if (GetControlsAllocated() > 0 && parent != ControlParent()) throw TableError(changeParent);
    if (topRow < 0 || topRow >= Count()) throw TableError(FormatText("ATopRow %d", topRow));
    if (count > Count() - topRow || (count <= 0 && Owner().Family().ChecksControlCount))
        throw TableError(FormatText("ACount %d", count));
    ResizeControls(parent, topRow, count, changeParent);
}

void TTableColumn::ControlClicked(int control) {
    int row = GetControl(control).Tag;
    if (row < 0 || row >= Count()) return;
    TRowObject* object = GetObjValue(row);
    if (auto* table = dynamic_cast<TGridTable*>(object)) {
        if (Owner().IsModal())
            table->ShowModal();
        else
            table->Show();
    } else if (Owner().Events.OnButtonClick) {
        Owner().Events.OnButtonClick(Owner(), Index(), row, object);
    }
}

void TTableColumn::CopySettingsFrom(const TColumn& source) {
    TColumn::CopySettingsFrom(source);
    fTemplates.Assign(static_cast<const TTableColumn&>(source).fTemplates);
}

void TTableColumn::FillControl(TCellControl& control) const {
    control.Caption = control.Tag >= 0 && control.Tag < Count() ? ButtonCaption(control.Tag) : "";
}

} // namespace dorvek
