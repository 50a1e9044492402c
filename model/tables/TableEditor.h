#pragma once
// What a table needs from the window that edits it. The window belongs to its toolkit; the
// table reaches it through a handle made by the factory of its family and calls it back on
// every change; the window reads and writes the table through the model's public operations.

#include <functional>
#include <memory>
#include <string>

namespace dorvek {

class TColumn;
class TGridTable;

class TTableEditor {
public:
    virtual ~TTableEditor() = default;

    virtual void Show() = 0;      // modeless
    virtual void ShowModal() = 0; // modal
    virtual bool IsModal() const = 0;
    // The user-level close (it may be refused while the current cell holds a bad entry).
    virtual void Close() = 0;

    virtual void RefreshCell(int col, int row) = 0;
    virtual void FullRefresh() = 0;
    // The table's title path changed.
    virtual void Retitle() = 0;
    // A cell control got the focus: make (col, row) the current cell.
    virtual void MoveToCell(int col, int row) = 0;

    // The rows the grid shows; cell controls are allocated for them.
    virtual int TopRow() const = 0;
    virtual int RowsVisible() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // The column's set of cell controls changed (allocated, reallocated, released).
    virtual void CellControlsChanged(TColumn& column) = 0;
    // Caption, items or selection of one control changed.
    virtual void CellControlChanged(TColumn& column, int control) = 0;
};

// The table's handle on its editor window. Freeing the handle makes the window forget the
// table and frees it when it is still open; a window that closed or went with its parent is
// its toolkit's alone.
class TEditorHandle {
public:
    virtual ~TEditorHandle() = default;
    // The editor while its window is open, else null.
    virtual TTableEditor* Editor() const = 0;
};

// Opens the editor of a table (the window class of its family) and returns the handle on it;
// installed by the program. Without a factory, tables never open an editor.
using TEditorFactory = std::function<std::unique_ptr<TEditorHandle>(TGridTable& table, bool modal)>;

// Text measurement of the window that lays out the columns.
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int PixelsPerInch() const = 0;
};

} // namespace dorvek
