#include "model/tables/FloatColumn.h"

#include "model/tables/ColStream.h"
#include "model/tables/EntryValue.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/Table.h"
#include "model/tables/TableFamily.h"

namespace dorvek {

namespace {
const char* const kFloatColumn2 = "FLOATCOLUMN2";
}

const TColumnClass TFloatColumn::Class{"TFloatColumn",
                                       [](TGridTable& owner) -> std::unique_ptr<TColumn> {
                                           return std::make_unique<TFloatColumn>(owner);
                                       }};

TFloatColumn& TFloatColumn::BottomColumn() const {
    int next = Index() + 1;
    TFloatColumn* bottom = nullptr;
    if (next > 0 && next < Owner().ColCount())
        bottom = dynamic_cast<TFloatColumn*>(&Owner().GetColumn(next));
    if (!bottom)
        throw TableError("If column if a topdepth then the next column must be a float column");
    return *bottom;
}

TFloatColumn* TFloatColumn::TopColumn() const {
    int previous = Index() - 1;
    if (previous < 0) return nullptr;
    auto* top = dynamic_cast<TFloatColumn*>(&Owner().GetColumn(previous));
    return top && top->fTopDepth ? top : nullptr;
}

// New cells of a depth pair continue the intervals around them; the top column is filled
// before its bottom column.
void TFloatColumn::InsertRows(int at, int count) {
    if (at < 0 || at > Count()) RaiseIndexError(at);
    if (count <= 0) return;
    TFloatColumn* bottom = fTopDepth ? &BottomColumn() : nullptr;
    TFloatColumn* top = fTopDepth ? nullptr : TopColumn();
    for (int k = at; k < at + count; ++k) {
        long double value = fDefault;
        if (bottom) {
            if (k >= 1 && k <= bottom->Count() - 1) value = bottom->Stored(k - 1);
        } else if (top && k + 1 < top->Count()) {
            value = top->Stored(k + 1);
        }
        fValues.insert(fValues.begin() + k, value);
    }
}

// Deleting a middle interval joins its neighbours: the next top takes the previous bottom.
void TFloatColumn::DeleteRow(int index) {
    CheckRow(index);
    if (fTopDepth && index > 0 && index < Count() - 1) {
        TFloatColumn& bottom = BottomColumn();
        if (index - 1 < bottom.Count()) Stored(index + 1) = bottom.Stored(index - 1);
    }
    TValueColumn::DeleteRow(index);
}

long double TFloatColumn::GetFloatValue(int row) const {
    return Value(row);
}

void TFloatColumn::SetFloatValue(int row, long double value) {
    CheckRow(row);
    auto [first, last] = AffectedRows(row);
    for (int r = first; r < last; ++r) {
        Stored(r) = value;
        CellChanged(r);
        SetLinked(r, value);
    }
}

void TFloatColumn::SetLinked(int row, long double value) {
    if (fTopDepth) {
        TFloatColumn& bottom = BottomColumn();
        if (row >= 1 && row - 1 < bottom.Count()) {
            bottom.Stored(row - 1) = value;
            bottom.CellChanged(row - 1);
        }
    } else if (TFloatColumn* top = TopColumn(); top && row + 1 < top->Count()) {
        top->Stored(row + 1) = value;
        top->CellChanged(row + 1);
    }
}

std::string TFloatColumn::GetStringValue(int row) const {
    return FormatGeneral(Value(row), 8);
}

void TFloatColumn::SetStringValue(int row, const std::string& value) {
    SetFloatValue(row, EvaluateEntry(value));
}

std::string TFloatColumn::GetDisplayHeadings(int line) const {
    std::string text = TColumn::GetDisplayHeadings(line);
    if (fUnitsString.empty() || line != GetDisplayHeadingCount() - 1) return text;
    const TTableFamily& family = Owner().Family();
    return text + " (" + family.UnitLabel(fUnitsString, Owner().Units()) + ")  ";
}

void TFloatColumn::SetUnits(int newSystem) {
    long double factor = Owner().Family().UnitFactor(Owner().Units(), newSystem, fUnitsString);
    if (factor == 1) return;
    for (int r = 0; r < Count(); ++r) {
        Stored(r) *= factor;
        CellChanged(r);
    }
}

void TFloatColumn::WriteToStream(TColWriter& writer) const {
    TColumn::WriteToStream(writer);
    writer.WriteBoolean(fTopDepth);
    writer.WriteString(kFloatColumn2);
    writer.WriteString(fUnitsString);
    writer.WriteFloat(fDefault);
}

// The older form ends with the unit code right after TopDepth and has no default.
void TFloatColumn::ReadFromStream(TColReader& reader) {
    TColumn::ReadFromStream(reader);
    fTopDepth = reader.ReadBoolean();
    std::string text = reader.ReadString();
    if (text == kFloatColumn2) {
        fUnitsString = reader.ReadString();
        fDefault = reader.ReadFloat();
    } else {
        fUnitsString = text;
        fDefault = 0;
    }
}

void TFloatColumn::CopySettingsFrom(const TColumn& source) {
    TColumn::CopySettingsFrom(source);
    const auto& other = static_cast<const TFloatColumn&>(source);
    fTopDepth = other.fTopDepth;
    fUnitsString = other.fUnitsString;
    fDefault = other.fDefault;
}

} // namespace dorvek
