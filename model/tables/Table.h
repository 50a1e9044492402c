#pragma once
// TGridTable: an editable table of typed columns whose rows grow and shrink in whole row
// groups; a table column's rows hold nested tables copied from templates. Every table is
// registered in the table list of its family while it exists: a top-level table in the family
// of its table set, a nested table in its owner's.

#include "model/tables/ColStream.h"
#include "model/tables/Column.h"
#include "model/tables/TableEditor.h"
#include "model/tables/TableEvents.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace dorvek {

struct TTableFamily;
class TTableFamilies;
class TEditorHandle;
class TTableEditor;

class TGridTable : public TRowObject {
public:
    // A top-level table of the set's grid family.
    explicit TGridTable(TTableFamilies& families);
    ~TGridTable() override;
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    // A new table of the source's class and family with the source's settings and a clone of
    // each of its columns (no values), ID := id and MinRows default rows.
    static std::unique_ptr<TGridTable> CreateCopy(TGridTable* owner, const TGridTable& source,
                                                  int id);

    TTableFamily& Family() const { return *fFamily; }
    TGridTable* OwnerTable() const { return fOwner; }

    // Key of template references. A negative value is ignored; a value another table of
    // the family holds is swapped with it.
    int Identifier() const { return fIdentifier; }
    void SetIdentifier(int value);
    const std::string& Caption() const { return fCaption; }
    void SetCaption(std::string text) { fCaption = std::move(text); }
    // Shown under the editor grid; lines separated by CR.
    const std::string& Comments() const { return fComments; }
    void SetComments(std::string text) { fComments = std::move(text); }
    // Text of the editor's top-left fixed cell.
    const std::string& TopLeft() const { return fTopLeft; }
    void SetTopLeft(std::string text) { fTopLeft = std::move(text); }
    // Name of the picture shown under the editor grid (empty: none).
    const std::string& HelpPicture() const { return fHelpPicture; }
    void SetHelpPicture(std::string name);

    // Rows. MinRows below 1 raises "Value must be greater than 0" (becomes 1 while loading);
    // MaxRows 0 sets no limit; RowGroup is at least 1. None of the row operations checks
    // MinRows or MaxRows: the editor does.
    int MinRows() const { return fMinRows; }
    void SetMinRows(int value);
    int MaxRows() const { return fMaxRows; }
    void SetMaxRows(int value) { fMaxRows = value; }
    int RowGroup() const { return fRowGroup; }
    void SetRowGroup(int value) { fRowGroup = value < 1 ? 1 : value; }
    int RowCount() const { return fRowCount; }
    // Deletes rows from the end down to n, then appends whole groups up to at least n.
    void SetRowCount(int n);
    void AddRowGroup();
    // Inserts one group before the group that holds iRow.
    void InsertRowGroup(int iRow);
    // Deletes the group that holds row index.
    void DeleteRowGroup(int index);

    // Old-format table columns bind every kind to one hard-wired table.
    bool HardwiredButton() const { return fHardwiredButton; }
    void SetHardwiredButton(bool value) { fHardwiredButton = value; }
    // Window the editor is embedded in (null: a child window of the main window).
    void* FormParent() const { return fFormParent; }
    void SetFormParent(void* parent) { fFormParent = parent; }

    // Unit system; changing it converts every float cell (nested tables included).
    int Units() const { return fUnits; }
    void SetUnits(int system);
    // 1-based row of this table in its owner's table column; 0 for a top-level table.
    int ID() const { return fID; }
    void SetID(int id);
    // The owner's path, then a blank and the ID when it is not 0.
    std::string TitlePath() const;
    // Caption, a blank and the path: the editor's title.
    std::string Title() const;

    // True when set, or when a column reports a change (nested tables included).
    bool Changed() const;
    void SetChanged(bool value);
    void ResetChanged();

    // Columns.
    int ColCount() const { return static_cast<int>(fColumns.size()); }
    TColumn& GetColumn(int index) const;
    int IndexOf(const TColumn& column) const;
    TColumn& AddColumn(ColumnClass cls);
    TColumn& InsertColumn(int index, ColumnClass cls);
    template <class Kind> Kind& AddColumn() { return static_cast<Kind&>(AddColumn(&Kind::Class)); }
    void DeleteColumn(int index);
    // The new column keeps the old one's headings, Visible and SameGroup.
    TColumn& ReplaceColumn(int index, ColumnClass cls);
    int VisibleColumnCount() const;
    // The n-th visible column; "Index out of bounds" outside 0..count-1.
    TColumn& VisibleColumn(int n) const;
    // -1 when the column is not visible.
    int VisiblePosition(const TColumn& column) const;
    // Most heading lines among the visible columns.
    int HeadingRows() const;

    // Cells.
    bool CellExists(int iCol, int iRow) const;
    TData GetData(int iCol, int iRow) const;
    long double GetFloatValue(int iCol, int iRow) const;
    int GetIntValue(int iCol, int iRow) const;
    std::string GetStringValue(int iCol, int iRow) const;
    TGridTable* GetDataValue(int iCol, int iRow) const;
    void SetFloatValue(int iCol, int iRow, long double value);
    void SetIntValue(int iCol, int iRow, int value);
    void SetStringValue(int iCol, int iRow, const std::string& value);

    // Editor. Show and ShowModal do nothing without a visible column or an editor factory.
    void Show();
    void ShowModal();
    bool IsModal() const;
    bool FormVisible() const { return Editor() != nullptr; }
    // Frees the editor, then hides the nested tables' editors.
    void Hide();
    // Shows the editor again after a change of layout.
    void Update();
    // Asks an open editor to close.
    void Updater();
    int FormHeight() const;
    int FormWidth() const;
    // The open editor, or null.
    TTableEditor* Editor() const { return fEditor ? fEditor->Editor() : nullptr; }
    // Called by an editor whose window closed or is being freed by its toolkit, after it
    // forgot the table: the cell controls are released and the handle goes.
    void EditorClosed();
    // Cell controls of the visible columns for the grid rows topRow .. topRow+count-1.
    void AllocateCellControls(int topRow, int count);
    void ReleaseCellControls();
    // The editor's layout changed.
    void NotifyResize();

    // Column definition stream. Reading replaces the columns; failures raise StreamError
    // and keep the columns read so far.
    void WriteColumns(TColWriter& writer) const;
    void ReadColumns(TColReader& reader);
    TByteStream ColumnStream() const;
    void ReadColumnStream(std::span<const std::uint8_t> bytes);

    // While loading stored settings a MinRows of 0 or less becomes 1.
    void BeginLoading() { ++fLoading; }
    void EndLoading() { --fLoading; }
    bool Loading() const { return fLoading > 0; }

    TGridTableEvents Events;

    // Reports of the columns.
    void ColumnCellChanged(TColumn& column, int row);
    void ColumnEnterControl(TColumn& column, int row);
    void ColumnNamesChanged(TColumn& column);

protected:
    TGridTable(TGridTable* owner, TTableFamily& family);
    // An empty table of this class and family.
    virtual std::unique_ptr<TGridTable> NewTable(TGridTable* owner) const;
    // The settings CreateCopy takes over.
    virtual void CopySettingsFrom(const TGridTable& source);
    // Values a family appends to the column stream.
    virtual void WriteSettings(TColWriter& /*writer*/) const {}
    virtual void ReadSettings(TColReader& /*reader*/) {}

private:
    void ReadColumnList(TColReader& reader);
    // Inserts count rows at `at` in every column, all or none.
    void InsertInColumns(int at, int count);
    void ShowEditor(bool modal);
    void FreeEditor();
    // Fills the column to the row count and gives it controls when an editor is open.
    void Attach(TColumn& column);
    void ResizeTemplateLists();
    void MajorChange();
    // Frees every column and its rows; the row count stays.
    void ClearColumns();

    TTableFamily* fFamily;
    TGridTable* fOwner;
    int fIdentifier;
    std::string fCaption, fComments, fTopLeft, fHelpPicture;
    int fMinRows = 1;
    int fMaxRows = 0;
    int fRowGroup = 1;
    int fRowCount = 0;
    bool fHardwiredButton = false;
    void* fFormParent = nullptr;
    int fUnits;
    int fID = 0;
    bool fChanged = false;
    int fLoading = 0;
    std::vector<std::unique_ptr<TColumn>> fColumns;
    std::unique_ptr<TEditorHandle> fEditor;
};

} // namespace dorvek
