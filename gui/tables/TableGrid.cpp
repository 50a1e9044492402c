#include "gui/tables/TableGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace dorvek {

namespace {

// Every move of the current cell, by mouse, keys or program, passes through here.
class TGateSelection : public QItemSelectionModel {
public:
    TGateSelection(QAbstractItemModel* model, std::function<bool(const QModelIndex&)> gate,
                   QObject* parent)
        : QItemSelectionModel(model, parent), fGate(std::move(gate)) {}

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override {
        if (index.isValid() && index != currentIndex() && !fGate(index)) return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    std::function<bool(const QModelIndex&)> fGate;
};

} // namespace

TTableGrid::TTableGrid(QWidget* parent) : QTableWidget(parent) {
    fEditor = new QLineEdit(viewport());
    fEditor->setFrame(false);
    fEditor->hide();
    fEditor->installEventFilter(this);

    fCorner = new QLabel(this);
    fCorner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fCorner->setContentsMargins(3, 2, 0, 0);
    fCorner->hide();

    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerItem);
    setCornerButtonEnabled(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    QItemSelectionModel* old = selectionModel();
    setSelectionModel(new TGateSelection(
        model(),
        [this](const QModelIndex& index) {
            return fBypass || !CanSelect || CanSelect(index.row(), index.column());
        },
        this));
    delete old;
}

QString TTableGrid::CurrentText() const {
    if (fEditor->isVisible()) return fEditor->text();
    QTableWidgetItem* cell = currentItem();
    return cell ? cell->text() : QString();
}

void TTableGrid::ForceCurrentCell(int row, int col) {
    fBypass = true;
    setCurrentCell(row, col);
    fBypass = false;
    PlaceEditor();
}

void TTableGrid::ReloadEditor() {
    QTableWidgetItem* cell = currentItem();
    fEditor->setText(cell ? cell->text() : QString());
    fEditor->selectAll();
    PlaceEditor();
}

void TTableGrid::SetCornerText(const QString& text) {
    fCorner->setText(text);
    fCorner->setVisible(!text.isEmpty());
    updateGeometries();
}

void TTableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    ReloadEditor();
}

void TTableGrid::PlaceEditor() {
    if (!fEditor) return;
    const QModelIndex index = currentIndex();
    QTableWidgetItem* cell = index.isValid() ? item(index.row(), index.column()) : nullptr;
    if (!cell || !(cell->flags() & Qt::ItemIsEditable)) {
        const bool hadFocus = fEditor->hasFocus();
        fEditor->hide();
        if (hadFocus) setFocus();
        return;
    }
    fEditor->setGeometry(visualRect(index).adjusted(1, 1, -1, -1));
    if (!fEditor->isVisible()) {
        const bool focus = hasFocus();
        fEditor->show();
        if (focus) fEditor->setFocus();
    }
}

void TTableGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    if (fEditor->isVisible()) fEditor->setFocus(event->reason());
}

int TTableGrid::EditableColumn(int col, int step) const {
    for (; col >= 0 && col < columnCount(); col += step) {
        QTableWidgetItem* cell = item(0, col);
        if (cell && (cell->flags() & Qt::ItemIsEditable)) return col;
    }
    return -1;
}

bool TTableGrid::MoveBy(int rows, int cols) {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || rowCount() == 0) return false;
    int row = std::clamp(index.row() + rows, 0, rowCount() - 1);
    int col = index.column();
    if (cols != 0) col = EditableColumn(col + cols, cols);
    if (col < 0 || (row == index.row() && col == index.column())) return false;
    setCurrentCell(row, col);
    return currentIndex().row() == row && currentIndex().column() == col;
}

namespace {

enum class TEditKey { None, Undo, Redo, Paste };

TEditKey EditKeyOf(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Undo)) return TEditKey::Undo;
    if (key.matches(QKeySequence::Redo) ||
        (key.key() == Qt::Key_Y && key.modifiers() == Qt::ControlModifier))
        return TEditKey::Redo;
    if (key.matches(QKeySequence::Paste)) return TEditKey::Paste;
    return TEditKey::None;
}

} // namespace

bool TTableGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fEditor && event->type() == QEvent::ShortcutOverride &&
        EditKeyOf(*static_cast<QKeyEvent*>(event)) != TEditKey::None) {
        // These keys belong to the table, not to a shortcut of the main window.
        event->accept();
        return true;
    }
    if (watched != fEditor || event->type() != QEvent::KeyPress)
        return QTableWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (EditKeyOf(*key)) {
    case TEditKey::Undo:
        emit UndoPressed();
        return true;
    case TEditKey::Redo:
        emit RedoPressed();
        return true;
    case TEditKey::Paste:
        emit PastePressed();
        return true;
    case TEditKey::None:
        break;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QTableWidget::eventFilter(watched, event);
    const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)));
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit EnterPressed();
        return true;
    case Qt::Key_Up:
        MoveBy(-1, 0);
        return true;
    case Qt::Key_Down:
        MoveBy(1, 0);
        return true;
    case Qt::Key_PageUp:
        MoveBy(-page, 0);
        return true;
    case Qt::Key_PageDown:
        MoveBy(page, 0);
        return true;
    case Qt::Key_Left:
        if (fEditor->cursorPosition() == 0 && !fEditor->hasSelectedText()) {
            MoveBy(0, -1);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (fEditor->cursorPosition() == fEditor->text().size() && !fEditor->hasSelectedText()) {
            MoveBy(0, 1);
            return true;
        }
        break;
    case Qt::Key_Escape:
        ReloadEditor();
        return true;
    default:
        break;
    }
    return QTableWidget::eventFilter(watched, event);
}

void TTableGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    if (!fCorner) return; // still being built
    const int frame = frameWidth();
    fCorner->setGeometry(frame, frame, verticalHeader()->width(), horizontalHeader()->height());
    fCorner->raise();
    PlaceEditor();
    emit ViewMoved();
}

void TTableGrid::scrollContentsBy(int dx, int dy) {
    QTableWidget::scrollContentsBy(dx, dy);
    PlaceEditor();
    emit ViewMoved();
}

} // namespace dorvek
