#pragma once
// TTableForm: the window in which the user edits one TGridTable. It shows the table's cells
// in a grid with heading rows and group numbers, drop-down lists and buttons over the cells
// of enumeration and table columns, the row buttons, the comment and the help picture, and
// commits typed text into the table when the user leaves a cell, the grid or the window.
// The window holds no data of its own: Qt owns it (with its child-window frame, or as a
// top-level window), and the table reaches it through a TTableFormHandle and calls it back on
// every change.

#include "gui/common/ChildWindow.h"
#include "gui/tables/TableWindows.h"
#include "model/tables/TableEditor.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QEventLoop;
class QLabel;
class QPushButton;
class QTimer;
class QUndoStack;

namespace dorvek {

class TGridTable;
class TTableGrid;

class TTableForm : public QWidget, public TTableEditor, public TChildWindow {
    Q_OBJECT
public:
    TTableForm(TGridTable& table, bool modal, const TTableWindowHost& host);
    ~TTableForm() override;

    // TTableEditor
    void Show() override;
    void ShowModal() override;
    bool IsModal() const override { return fModal; }
    void Close() override;
    // The window forgets its table (and the cell controls placed for it).
    void Unbind();
    void RefreshCell(int col, int row) override;
    void FullRefresh() override;
    void Retitle() override;
    void MoveToCell(int col, int row) override;
    int TopRow() const override;
    // True while a resize waits for the dragging to pause before it snaps to whole rows.
    bool SnapPending() const;
    int RowsVisible() const override { return fRowsVisible; }
    int Width() const override;
    int Height() const override;
    void CellControlsChanged(TColumn& column) override;
    void CellControlChanged(TColumn& column, int control) override;

    // Stores the current cell's text into the table; shows the message and returns false
    // when the table refuses it (the cell keeps its text).
    bool CommitCurrentCell();
    // The window loses activation or a menu of the main window opens: the current cell is
    // committed, and a modeless editor that could not commit comes back to the front.
    void CommitEdits() override { StoreEdits(); }
    // As CommitEdits; false when the cell could not be committed.
    bool StoreEdits();

    TGridTable* Table() const { return fTable; }
    TTableGrid* Grid() const { return fGrid; }
    QPushButton* AddButton() const { return fBtnAdd; }
    QPushButton* InsertButton() const { return fBtnIns; }
    QPushButton* DeleteButton() const { return fBtnDel; }
    QLabel* CommentsLabel() const { return fComments; }
    QLabel* HelpImage() const { return fHelp; }
    int ColumnsVisible() const { return fColumnsVisible; }
    int Margin() const { return fMargin; }
    // Table column and row of the current cell (-1 when none).
    std::pair<int, int> CurrentCell() const;
    // Makes (table column, row) current as a click would; false when refused.
    bool SelectCell(int col, int row);
    // The control over the given table row of a table column, if one is shown.
    QWidget* CellControl(int col, int row) const;
    // The table is shown in the window's own frame at this size.
    QSize ClientSize() const { return size(); }

    // Row buttons, as clicked.
    void AddRowClick();
    void InsertRowClick();
    void DeleteRowClick();
    // Moves the row group of the current cell up (-1) or down (+1), the cell with it.
    void MoveRowClick(int delta);

    // The table's undo steps (null when the program keeps none).
    QUndoStack* UndoStack() const;
    // Ctrl+Z: a cell being typed into gets its stored text back; otherwise the table's last
    // step is undone.
    void Undo();
    // Ctrl+Y: the text being typed is stored first, then the step undone last is made again.
    void Redo();
    // Ctrl+V: clipboard text of several lines or tab-separated values goes into the cells
    // from the current one on, as one step; a single value goes into the cell being typed.
    void PasteIntoCell();

protected:
    // Shows a message box through the host.
    void Inform(const std::string& text) const;
    // Runs an action of the user; errors are shown, not thrown into the event loop.
    void Guarded(const std::function<void()>& action);
    // Makes an edit of the table one undo step named `name`.
    void Record(const char* name, const std::function<void()>& edit);
    // Most rows a window opens or grows to.
    virtual int RowsCap() const { return 10; }
    // Window parts of derived forms: above the grid and below the row buttons.
    // Size of the parts above the grid for a grid of the given width (empty: none).
    virtual QSize TopAreaSize(int /*gridWidth*/) const { return {}; }
    virtual void PlaceTopArea(QRect /*area*/) {}
    // Places the parts below the row buttons from y down; returns the new y and widens
    // right to the parts' right edge.
    virtual int PlaceLowerArea(int y, int& right) {
        (void)right;
        return y;
    }
    // The table's values changed (cells or structure).
    virtual void ValuesChanged() {}
    // Lays the window out for the rows and columns it shows and takes that size.
    void Layout();
    QSize sizeHint() const override { return fNaturalSize; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TGridTable* fTable;
    const TTableWindowHost fHost;
    int fMargin;

private:
    // The work of the first Show: binds the window to its table and fills it.
    void Open();
    void Place();
    // Places every part for a grid of the given size; returns the client size.
    QSize PlaceParts(int gridWidth, int gridHeight);
    void ApplySize(QSize client);
    void ControlsFollowView(bool force = false);
    void BringToFront();
    void BuildControls();
    void FillCells();
    void UpdateRowButtons();
    void AllocateControls();
    void EnterMove();
    bool CanSelect(int row, int gridCol);
    bool ColumnHasControl(int gridCol) const;
    bool InsertOrDeleteRowValid() const;
    // The current cell shows text that differs from the table's value.
    bool EditorModified() const;
    int GridWidth(bool vScroll) const;
    int GridHeight(bool hScroll) const;
    // Height of every grid row: the text, or the cell controls when there are any.
    int ComputeRowHeight() const;
    void Snap();
    void FocusChanged(QWidget* old, QWidget* now);
    void ControlFocused(QWidget* control);
    QWidget* NewControl(TColumn& column, int k);
    QWidget* Frame() const;
    // The window goes (closed, or freed by Qt with its parent): the table releases its cell
    // controls while the window still knows it, then forgets the window.
    void LeaveTable();

    bool fModal;
    TTableGrid* fGrid = nullptr;
    QPushButton* fBtnAdd = nullptr;
    QPushButton* fBtnIns = nullptr;
    QPushButton* fBtnDel = nullptr;
    QLabel* fComments = nullptr;
    QLabel* fHelp = nullptr;
    QTimer* fSnapTimer = nullptr;
    QEventLoop* fModalLoop = nullptr;
    int fHeadingRows = 0;
    int fRowHeight = 20;
    int fColumnsVisible = 0;
    int fRowsVisible = 0;
    int fRefreshSuspended = 0;
    bool fCommitting = false;
    bool fApplyingSize = false;
    bool fOpened = false;
    QSize fNaturalSize;
    // The size the window took when it was last laid out, and before the user began to drag.
    QSize fAppliedSize;
    QSize fDragStart;
    bool fDragging = false;
    bool fSnapping = false;
    int fNaturalGridHeight = 0;
    int fNaturalGridWidth = 0;
    int fLastRowCount = 0;
    int fAllocTop = -1;
    int fAllocCount = -1;
    struct TPlacedControl {
        QPointer<QWidget> Widget;
        int Row = -1;
        int Col = -1;
    };
    std::map<const TColumn*, std::vector<TPlacedControl>> fControls;
};

// The table's handle on its editor window. Freeing the handle makes an open window forget its
// table and frees it, closing its child-window frame; a closed window Qt frees alone.
class TTableFormHandle final : public TEditorHandle {
public:
    explicit TTableFormHandle(TTableForm& form) : fForm(&form) {}
    ~TTableFormHandle() override;
    TTableFormHandle(const TTableFormHandle&) = delete;
    TTableFormHandle& operator=(const TTableFormHandle&) = delete;

    TTableEditor* Editor() const override {
        return fForm && fForm->Table() ? fForm.data() : nullptr;
    }

private:
    QPointer<TTableForm> fForm;
};

} // namespace dorvek
