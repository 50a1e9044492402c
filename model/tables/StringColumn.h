#pragma once
// String column (code 4): a text per row, stored as typed.

#include "model/tables/ValueColumn.h"

namespace dorvek {

class TStringColumn : public TValueColumn<std::string> {
public:
    static const TColumnClass Class;
    using TValueColumn::TValueColumn;
    ColumnClass ClassType() const override { return &Class; }

    void InsertRows(int at, int count) override { InsertValues(at, count, fDefault); }

    std::string GetStringValue(int row) const override;
    void SetStringValue(int row, const std::string& value) override;

    const std::string& Default() const { return fDefault; }
    void SetDefault(std::string value) { fDefault = std::move(value); }
    // Narrowest width in the editor, in inches.
    double MinWidth() const { return fMinWidth; }
    void SetMinWidth(double inches) { fMinWidth = inches; }

    void WriteToStream(TColWriter& writer) const override;
    void ReadFromStream(TColReader& reader) override;

protected:
    void CopySettingsFrom(const TColumn& source) override;
    double WidthFloorInches() const override { return fMinWidth; }

private:
    std::string fDefault;
    double fMinWidth = 1.0;
};

} // namespace dorvek
