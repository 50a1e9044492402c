#pragma once
// The text grid of a table editor: heading rows in the column header, group numbers in the
// row header, the table's top-left text in the corner, and one always-shown line editor over
// the current cell. Every change of the current cell asks a gate first, so the window can
// refuse it (a cell holding a bad entry, a column covered by controls).

#include <QTableWidget>

#include <functional>

class QLabel;
class QLineEdit;

namespace dorvek {

class TTableGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TTableGrid(QWidget* parent = nullptr);

    // Asked before the current cell moves to (row, col); false keeps it where it is.
    std::function<bool(int row, int col)> CanSelect;

    // The line editor over the current cell; hidden over cells that cannot be edited.
    QLineEdit* Editor() const { return fEditor; }
    // Text of the current cell as the user sees it (the editor's text while shown).
    QString CurrentText() const;
    // Moves the current cell without asking the gate.
    void ForceCurrentCell(int row, int col);
    // Puts the cell's stored text back into the editor.
    void ReloadEditor();

    void SetCornerText(const QString& text);
    QLabel* Corner() const { return fCorner; }

signals:
    // Enter in the editor: the window moves the current cell.
    void EnterPressed();
    // The grid scrolled or changed its geometry.
    void ViewMoved();
    // Ctrl+Z, Ctrl+Y (or Ctrl+Shift+Z) and Ctrl+V in the editor: the window decides.
    void UndoPressed();
    void RedoPressed();
    void PastePressed();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void PlaceEditor();
    // The nearest editable column from col in direction step (+1 or -1); -1 when none.
    int EditableColumn(int col, int step) const;
    bool MoveBy(int rows, int cols);

    QLineEdit* fEditor = nullptr;
    QLabel* fCorner = nullptr;
    bool fBypass = false;
};

} // namespace dorvek
