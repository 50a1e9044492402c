#pragma once
// Integer column (code 1): a 32-bit integer per row with a default and, while an editor is
// open, a range for typed entries.

#include "model/tables/ValueColumn.h"

#include <climits>

namespace dorvek {

class TIntColumn : public TValueColumn<int> {
public:
    static const TColumnClass Class;
    using TValueColumn::TValueColumn;
    ColumnClass ClassType() const override { return &Class; }

    void InsertRows(int at, int count) override { InsertValues(at, count, fDefault); }

    int GetIntValue(int row) const override;
    void SetIntValue(int row, int value) override;
    std::string GetStringValue(int row) const override;
    // While an editor is open: "Entry must be an integer." and "Entry must be between %d
    // and %d."; the value is rounded to the nearest integer.
    void SetStringValue(int row, const std::string& value) override;

    int Default() const { return fDefault; }
    void SetDefault(int value) { fDefault = value; }
    int Minimum() const { return fMinimum; }
    void SetMinimum(int value) { fMinimum = value; }
    int Maximum() const { return fMaximum; }
    void SetMaximum(int value) { fMaximum = value; }

    void WriteToStream(TColWriter& writer) const override;
    void ReadFromStream(TColReader& reader) override;

protected:
    void CopySettingsFrom(const TColumn& source) override;
    double WidthFloorInches() const override { return 0.5; }

private:
    int fDefault = 0;
    int fMinimum = INT_MIN;
    int fMaximum = INT_MAX;
};

} // namespace dorvek
