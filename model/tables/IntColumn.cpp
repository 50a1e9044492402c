#include "model/tables/IntColumn.h"

#include "model/tables/ColStream.h"
#include "model/tables/EntryValue.h"
#include "model/tables/Table.h"
#include "model/tables/TableErrors.h"

#include <cmath>

namespace dorvek {

const TColumnClass TIntColumn::Class{"TIntColumn",
                                     [](TGridTable& owner) -> std::unique_ptr<TColumn> {
                                         return std::make_unique<TIntColumn>(owner);
                                     }};

int TIntColumn::GetIntValue(int row) const {
    return Value(row);
}

void TIntColumn::SetIntValue(int row, int value) {
    SetInGroup(row, value);
}

std::string TIntColumn::GetStringValue(int row) const {
    return std::to_string(GetIntValue(row));
}

void TIntColumn::SetStringValue(int row, const std::string& value) {
    long double number = EvaluateEntry(value);
    auto rangeError = [this] {
        return AssignmentError(FormatText("Entry must be between %d and %d.", fMinimum, fMaximum));
    };
    if (Owner().FormVisible()) {
        if (std::fabs(number - std::trunc(number)) > 1e-10L)
            throw AssignmentError("Entry must be an integer.");
        if (number < fMinimum || number > fMaximum) throw rangeError();
    }
    // Ties go to the even neighbour; a value no 32-bit integer can hold is refused even
    // without an editor rather than stored as an undefined conversion.
    long double rounded = std::nearbyint(number);
    int result = 0;
    if (!ExactInt32(rounded, result)) throw rangeError();
    SetIntValue(row, result);
}

void TIntColumn::WriteToStream(TColWriter& writer) const {
    TColumn::WriteToStream(writer);
    writer.WriteInteger(fDefault);
    writer.WriteInteger(fMinimum);
    writer.WriteInteger(fMaximum);
}

void TIntColumn::ReadFromStream(TColReader& reader) {
    TColumn::ReadFromStream(reader);
    fDefault = reader.ReadInteger();
    fMinimum = reader.ReadInteger();
    fMaximum = reader.ReadInteger();
}

void TIntColumn::CopySettingsFrom(const TColumn& source) {
    TColumn::CopySettingsFrom(source);
    const auto& other = static_cast<const TIntColumn&>(source);
    fDefault = other.fDefault;
    fMinimum = other.fMinimum;
    fMaximum = other.fMaximum;
}

} // namespace dorvek
