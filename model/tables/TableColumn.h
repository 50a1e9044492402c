#pragma once
// Table column (code 3): an owned object per row, normally a nested table copied from the
// template that the row's kind (the value in column 0) selects; edited with a push button.

#include "model/tables/Column.h"
#include "model/tables/TableList.h"

namespace dorvek {

class TTableColumn : public TColumn {
public:
    static const TColumnClass Class;
    explicit TTableColumn(TGridTable& owner);
    ColumnClass ClassType() const override { return &Class; }

    int Count() const override { return static_cast<int>(fRows.size()); }
    void InsertRows(int at, int count) override;
    void DeleteRow(int index) override;

    TGridTable* GetDataValue(int row) const override;
    TRowObject* GetObjValue(int row) const override;
    // Replaces the row's object; the old one is freed.
    void SetObjValue(int row, std::unique_ptr<TRowObject> object);

    bool GetChanged() const override;
    void HideData() override;
    void ResetChanged() override;
    void SetUnits(int newSystem) override;

    // One element per kind of column 0 (one when column 0 is no enumeration).
    TGridTableList& Templates() { return fTemplates; }
    const TGridTableList& Templates() const { return fTemplates; }
    // Builds the row's object again for the kind now in column 0.
    void RecreateRow(int row);
    // "%d: %s" with the row number and the object's caption.
    std::string ButtonCaption(int row) const;

    void WriteToStream(TColWriter& writer) const override;
    void ReadFromStream(TColReader& reader) override;

    bool HasControl() const override { return true; }
    void AllocateControls(TTableEditor* parent, int topRow, int count) override;
    // Opens the row's nested table (modal when the owner's editor is), or reports the click.
    void ControlClicked(int control) override;

protected:
    void CopySettingsFrom(const TColumn& source) override;
    double WidthFloorInches() const override { return 2.0; }
    void FillControl(TCellControl& control) const override;

private:
    int RowKind(int row) const;
    // onTable(table) for rows holding a nested table, onOther(row, object) for the rest
    // (another object or none).
    template <typename OnTable, typename OnOther>
    void ForEachRow(OnTable onTable, OnOther onOther) const;
    std::unique_ptr<TRowObject> CreateRowObject(int row);
    // Tells each object from row `from` on where it now stands.
    void Renumber(int from);

    std::vector<std::unique_ptr<TRowObject>> fRows;
    TGridTableList fTemplates;
};

} // namespace dorvek
