#pragma once
// Base of the column kinds: headings, visibility, the typed cell operations (which raise
// "Data of wrong type" where a kind holds no such value), the stream base part and the
// bookkeeping of the cell controls an editor places over the column's rows.

#include "model/tables/ColumnTypes.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dorvek {

class TColReader;
class TColWriter;
class TGridTable;
class TTableEditor;
class TTextMeasure;

// An object held by a row of a table column: normally a nested table.
class TRowObject {
public:
    virtual ~TRowObject() = default;
};

// One control over an editor row: a push button (table columns) or a drop-down list
// (enumeration columns). The window shows one view per entry.
struct TCellControl {
    int Tag = -1;        // table row shown
    std::string Caption; // push button
    int ItemIndex = -1;  // drop-down list: value - 1
};

class TColumn {
public:
    explicit TColumn(TGridTable& owner) : fOwner(&owner) {}
    virtual ~TColumn() = default;
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    virtual ColumnClass ClassType() const = 0;
    TGridTable& Owner() const { return *fOwner; }
    // Position in the owning table; -1 while not in its column list.
    int Index() const;

    // Rows.
    virtual int Count() const = 0;
    virtual void InsertRows(int at, int count) = 0;
    virtual void DeleteRow(int index) = 0;

    // Headings: the stored lines, and the lines as shown (with unit labels).
    const std::vector<std::string>& GetHeading() const { return fHeading; }
    void SetHeading(std::vector<std::string> lines) { fHeading = std::move(lines); }
    virtual int GetDisplayHeadingCount() const;
    virtual std::string GetDisplayHeadings(int line) const;
    bool Visible() const { return fVisible; }
    void SetVisible(bool visible) { fVisible = visible; }
    bool SameGroup() const { return fSameGroup; }
    void SetSameGroup(bool sameGroup) { fSameGroup = sameGroup; }

    // Typed cells.
    virtual TGridTable* GetDataValue(int row) const;
    virtual long double GetFloatValue(int row) const;
    virtual void SetFloatValue(int row, long double value);
    virtual int GetIntValue(int row) const;
    virtual void SetIntValue(int row, int value);
    virtual TRowObject* GetObjValue(int row) const;
    virtual std::string GetStringValue(int row) const;
    // The editor's entry path: may raise AssignmentError.
    virtual void SetStringValue(int row, const std::string& value);

    virtual bool GetChanged() const { return false; }
    virtual void HideData() {}
    virtual void ResetChanged() {}
    // Runs while the owning table still holds the old system.
    virtual void SetUnits(int /*newSystem*/) {}

    // Row group size of the owning table.
    int GetRowGroup() const;
    // Preferred pixel width in the editor.
    int GetColWidth(const TTextMeasure& measure) const;

    // Name list of an enumeration column; no effect on other kinds.
    virtual int GetEnumCount() const { return 0; }
    virtual std::string GetEnumStr(int /*index*/) const { return {}; }
    virtual void SetEnumStr(int /*index*/, const std::string& /*value*/) {}
    virtual void AddEnumStr(const std::string& /*value*/) {}
    virtual void DelEnumStr(int /*index*/) {}
    virtual void ClearEnumStr() {}

    // Stream: the base part, then the kind's part.
    virtual void WriteToStream(TColWriter& writer) const;
    virtual void ReadFromStream(TColReader& reader);
    static std::unique_ptr<TColumn> CreateFromStream(ColumnClass cls, TGridTable& owner,
                                                     TColReader& reader);
    // Same kind and settings, no values.
    std::unique_ptr<TColumn> Clone(TGridTable& newOwner) const;

    // Cell controls.
    virtual bool HasControl() const { return false; }
    int GetControlsAllocated() const { return static_cast<int>(fControls.size()); }
    const TCellControl& GetControl(int index) const;
    TTableEditor* ControlParent() const { return fControlParent; }
    virtual void AllocateControls(TTableEditor* /*parent*/, int /*topRow*/, int /*count*/) {}
    void ReleaseControls();
    // Input from the views: a button pressed, a list entry chosen, a control focused.
    virtual void ControlClicked(int /*control*/) {}
    virtual void ControlChosen(int /*control*/, int /*itemIndex*/) {}
    void ControlEntered(int control);

protected:
    virtual void CopySettingsFrom(const TColumn& source);
    virtual double WidthFloorInches() const { return 0; }

    // Tells the owning table that a cell changed.
    void CellChanged(int row);
    // Rows a set at row acts on: its whole row group with SameGroup, else only row.
    std::pair<int, int> AffectedRows(int row) const;
    void CheckRow(int row) const;

    // Brings the controls to count entries for rows topRow..; checks the parent first.
    void ResizeControls(TTableEditor* parent, int topRow, int count,
                        const char* changeParentMessage);
    virtual void FillControl(TCellControl& /*control*/) const {}
    // Refreshes the control showing row, if any.
    void RefreshControlOfRow(int row);
    void RefreshAllControls();

private:
    TGridTable* fOwner;
    std::vector<std::string> fHeading;
    bool fSameGroup = false;
    bool fVisible = true;
    std::vector<TCellControl> fControls;
    TTableEditor* fControlParent = nullptr;
};

// A light view of one cell.
class TData {
public:
    TData(TColumn& column, int row) : fColumn(&column), fRow(row) {}
    TColumn& BaseCol() const { return *fColumn; }
    int Row() const { return fRow; }

    int Int() const { return fColumn->GetIntValue(fRow); }
    void SetInt(int value) { fColumn->SetIntValue(fRow, value); }
    long double Float() const { return fColumn->GetFloatValue(fRow); }
    void SetFloat(long double value) { fColumn->SetFloatValue(fRow, value); }
    std::string Value() const { return fColumn->GetStringValue(fRow); }
    void SetValue(const std::string& text) { fColumn->SetStringValue(fRow, text); }
    TGridTable* Table() const { return fColumn->GetDataValue(fRow); }
    TRowObject* Data() const { return fColumn->GetObjValue(fRow); }

private:
    TColumn* fColumn;
    int fRow;
};

} // namespace dorvek
