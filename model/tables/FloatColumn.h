#pragma once
// Float column (code 2): an extended-precision value per row, with a unit code, headings
// with unit labels, and linked depth pairs (a TopDepth column and the float column after
// it hold the tops and bottoms of consecutive intervals).

#include "model/tables/ValueColumn.h"

namespace dorvek {

class TFloatColumn : public TValueColumn<long double> {
public:
    static const TColumnClass Class;
    using TValueColumn::TValueColumn;
    ColumnClass ClassType() const override { return &Class; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int index) override;

    long double GetFloatValue(int row) const override;
    // Also sets the linked cell of a depth pair.
    void SetFloatValue(int row, long double value) override;
    // General format, 8 significant digits.
    std::string GetStringValue(int row) const override;
    void SetStringValue(int row, const std::string& value) override;

    std::string GetDisplayHeadings(int line) const override;
    void SetUnits(int newSystem) override;

    bool TopDepth() const { return fTopDepth; }
    void SetTopDepth(bool value) { fTopDepth = value; }
    // Raises a TableError when this is the top of a depth pair without a float column after it.
    void CheckDepthPair() const {
        if (fTopDepth) BottomColumn();
    }
    const std::string& UnitsString() const { return fUnitsString; }
    void SetUnitsString(std::string code) { fUnitsString = std::move(code); }
    long double Default() const { return fDefault; }
    void SetDefault(long double value) { fDefault = value; }

    void WriteToStream(TColWriter& writer) const override;
    void ReadFromStream(TColReader& reader) override;

protected:
    void CopySettingsFrom(const TColumn& source) override;
    double WidthFloorInches() const override { return 0.5; }

private:
    // The bottom column of this top column (raises when there is none), and the top
    // column of this bottom column (null when this is no bottom column).
    TFloatColumn& BottomColumn() const;
    TFloatColumn* TopColumn() const;
    void SetLinked(int row, long double value);

    bool fTopDepth = false;
    std::string fUnitsString;
    long double fDefault = 0;
};

} // namespace dorvek
