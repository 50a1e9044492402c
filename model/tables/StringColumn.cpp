#include "model/tables/StringColumn.h"

#include "model/tables/ColStream.h"
#include "model/tables/TableErrors.h"

namespace dorvek {

const TColumnClass TStringColumn::Class{"TStringColumn",
                                        [](TGridTable& owner) -> std::unique_ptr<TColumn> {
                                            return std::make_unique<TStringColumn>(owner);
                                        }};

std::string TStringColumn::GetStringValue(int row) const {
    return Value(row);
}

void TStringColumn::SetStringValue(int row, const std::string& value) {
    SetInGroup(row, value);
}

void TStringColumn::WriteToStream(TColWriter& writer) const {
    TColumn::WriteToStream(writer);
    writer.WriteString(fDefault);
    writer.WriteFloat(fMinWidth);
}

void TStringColumn::ReadFromStream(TColReader& reader) {
    TColumn::ReadFromStream(reader);
    fDefault = reader.ReadString();
    fMinWidth = static_cast<double>(reader.ReadFloat());
}

void TStringColumn::CopySettingsFrom(const TColumn& source) {
    TColumn::CopySettingsFrom(source);
    const auto& other = static_cast<const TStringColumn&>(source);
    fDefault = other.fDefault;
    fMinWidth = other.fMinWidth;
}

} // namespace dorvek
