#pragma once
// Enumeration column (code 0): a 1-based index into the column's name list per row, edited
// with a drop-down list.

#include "model/tables/ValueColumn.h"

namespace dorvek {

class TEnumColumn : public TValueColumn<int> {
public:
    static const TColumnClass Class;
    using TValueColumn::TValueColumn;
    ColumnClass ClassType() const override { return &Class; }

    void InsertRows(int at, int count) override { InsertValues(at, count, 1); }

    int GetIntValue(int row) const override;
    // A value equal to the stored one changes nothing and reports nothing.
    void SetIntValue(int row, int value) override;
    std::string GetStringValue(int row) const override;
    // "Value must be an integer." unless the entry is a whole 32-bit number; the name
    // list does not limit it.
    void SetStringValue(int row, const std::string& value) override;

    const std::vector<std::string>& Names() const { return fNames; }
    void SetNames(std::vector<std::string> names);
    int GetEnumCount() const override { return static_cast<int>(fNames.size()); }
    std::string GetEnumStr(int index) const override;
    void SetEnumStr(int index, const std::string& value) override;
    void AddEnumStr(const std::string& value) override;
    void DelEnumStr(int index) override;
    void ClearEnumStr() override;

    void WriteToStream(TColWriter& writer) const override;
    void ReadFromStream(TColReader& reader) override;

    bool HasControl() const override { return true; }
    void AllocateControls(TTableEditor* parent, int topRow, int count) override;
    // Stores itemIndex + 1 unless it is the stored value.
    void ControlChosen(int control, int itemIndex) override;

protected:
    void CopySettingsFrom(const TColumn& source) override;
    double WidthFloorInches() const override { return 1.5; }
    void FillControl(TCellControl& control) const override;

private:
    void NamesChanged();

    std::vector<std::string> fNames;
};

} // namespace dorvek
