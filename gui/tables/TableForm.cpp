#include "gui/tables/TableForm.h"

#include "gui/common/CutConnections.h"
#include "gui/common/Messages.h"
#include "gui/tables/TableGrid.h"
#include "gui/tables/TableUndo.h"
#include "model/tables/Column.h"
#include "model/tables/EnumColumn.h"
#include "model/tables/Table.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableSnap.h"
#include "model/tables/TableSnapshot.h"
#include "model/tables/TableTransfer.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

namespace dorvek {

namespace {

// Text widths for the column layout of the model, in the header's font.
class THeaderMeasure : public TTextMeasure {
public:
    THeaderMeasure(const QFontMetrics& metrics, int ppi, int padding)
        : fMetrics(metrics), fPpi(ppi), fPadding(padding) {}
    int TextWidth(const std::string& text) const override {
        return fMetrics.horizontalAdvance(QString::fromStdString(text)) + fPadding;
    }
    int PixelsPerInch() const override { return fPpi; }

private:
    QFontMetrics fMetrics;
    int fPpi;
    int fPadding;
};

// Counts a suspension of the window's refresh for the lifetime of the guard.
class TSuspend {
public:
    explicit TSuspend(int& counter) : fCounter(counter) { ++fCounter; }
    ~TSuspend() { --fCounter; }
    TSuspend(const TSuspend&) = delete;
    TSuspend& operator=(const TSuspend&) = delete;

private:
    int& fCounter;
};

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// The lines of a text whose lines are separated by CR (CR LF and LF also end a line).
QString LinesOf(const std::string& text) {
    QString lines = FromStd(text);
    lines.replace("\r\n", "\n");
    lines.replace('\r', '\n');
    return lines;
}

} // namespace

TTableForm::TTableForm(TGridTable& table, bool modal, const TTableWindowHost& host)
    : fTable(&table), fHost(host), fModal(modal) {
    fMargin = logicalDpiX() / 20;
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildControls();
    fSnapTimer = new QTimer(this);
    fSnapTimer->setSingleShot(true);
    fSnapTimer->setInterval(200);
    connect(fSnapTimer, &QTimer::timeout, this, [this] { Snap(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

TTableForm::~TTableForm() {
    // The widget base destroys the grid and the buttons after this: their last signals (focus,
    // scroll position) and the grid's selection check must not reach this window any more.
    CutConnectionsTo(*this, {qApp, parent()});
    fGrid->CanSelect = nullptr;
    // Freed by Qt while still open (its parent went): the table must forget it.
    if (fTable) LeaveTable();
    if (fModalLoop) fModalLoop->quit();
}

void TTableForm::BuildControls() {
    fGrid = new TTableGrid(this);
    fGrid->CanSelect = [this](int row, int col) { return CanSelect(row, col); };
    connect(fGrid, &TTableGrid::EnterPressed, this, [this] { Guarded([this] { EnterMove(); }); });
    connect(fGrid, &TTableGrid::ViewMoved, this, [this] { ControlsFollowView(); });
    connect(fGrid, &TTableGrid::UndoPressed, this, [this] { Guarded([this] { Undo(); }); });
    connect(fGrid, &TTableGrid::RedoPressed, this, [this] { Guarded([this] { Redo(); }); });
    connect(fGrid, &TTableGrid::PastePressed, this,
            [this] { Guarded([this] { PasteIntoCell(); }); });

    auto button = [this](const char* text, void (TTableForm::*click)()) {
        auto* b = new QPushButton(tr(text), this);
        // The buttons take no focus from a click, so the grid commits its cell first.
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, [this, click] { (this->*click)(); });
        return b;
    };
    fBtnAdd = button("&Add Row", &TTableForm::AddRowClick);
    fBtnIns = button("&Insert Row", &TTableForm::InsertRowClick);
    fBtnDel = button("&Delete Row", &TTableForm::DeleteRowClick);
    fComments = new QLabel(this);
    fComments->setTextFormat(Qt::PlainText);
    fHelp = new QLabel(this);
}

// ---- Opening and closing

void TTableForm::Open() {
    TSuspend suspend(fRefreshSuspended);
    TGridTable& table = *fTable;
    table.SetRowCount(std::max(table.RowCount(), table.MinRows()));
    Retitle();
    fColumnsVisible = table.VisibleColumnCount();
    fRowsVisible = std::min(table.RowCount(), RowsCap());
    fLastRowCount = table.RowCount();

    const QFontMetrics metrics(fGrid->font());
    const std::string topLeft = table.TopLeft();
    fGrid->verticalHeader()->setFixedWidth(
        std::max(metrics.horizontalAdvance(FromStd(topLeft + "  ")) + 6, logicalDpiX() / 3));
    fGrid->SetCornerText(FromStd(topLeft));

    fComments->setText(LinesOf(table.Comments()));
    fComments->setVisible(!table.Comments().empty());
    QPixmap picture;
    if (!table.HelpPicture().empty()) picture.load(FromStd(table.HelpPicture()));
    fHelp->setPixmap(picture);
    fHelp->setVisible(!picture.isNull());
}

void TTableForm::Place() {
    if (!fModal && fHost.AddChildWindow && !fTable->FormParent()) {
        fHost.AddChildWindow(*this);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            connect(sub, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                        if ((before & Qt::WindowActive) && !(now & Qt::WindowActive)) StoreEdits();
                    });
        }
    } else if (auto* parent = static_cast<QWidget*>(fTable->FormParent())) {
        // Embedded: no frame, at the parent's origin.
        setParent(parent, Qt::Widget);
        move(0, 0);
    } else {
        setAttribute(Qt::WA_DeleteOnClose);
        if (fModal) setWindowModality(Qt::ApplicationModal);
    }
}

void TTableForm::Show() {
    if (!fTable) return;
    const bool opening = !fOpened;
    if (opening) {
        fOpened = true;
        Open();
        Place();
        FullRefresh();
    }
    QWidget* frame = Frame();
    frame->show();
    Layout();
    if (opening && fHost.Placed && frame != this) fHost.Placed(*frame, true);
    frame->raise();
    frame->activateWindow();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    fGrid->setFocus();
}

void TTableForm::ShowModal() {
    if (!fTable) return;
    if (fModalLoop || (fOpened && !fModal)) {
        Show();
        return;
    }
    fModal = true;
    Show();
    QEventLoop loop;
    fModalLoop = &loop;
    QPointer<TTableForm> self(this);
    loop.exec();
    // The window may be gone by now: nothing of it is touched unless it still exists.
    if (self) self->fModalLoop = nullptr;
}

void TTableForm::Close() {
    QWidget* frame = Frame();
    frame->close();
}

void TTableForm::Unbind() {
    fTable = nullptr;
    fControls.clear();
}

void TTableForm::LeaveTable() {
    TGridTable* table = fTable;
    table->ReleaseCellControls();
    Unbind();
    table->EditorClosed();
}

TTableFormHandle::~TTableFormHandle() {
    TTableForm* form = fForm;
    if (!form || !form->Table()) return; // closed or gone: Qt frees it
    form->Unbind();
    const QPointer<QMdiSubWindow> frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    delete form;               // cuts the frame's connections to it while still in the frame
    if (frame) frame->close(); // the empty frame closes, and so deletes itself
}

QWidget* TTableForm::Frame() const {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return const_cast<TTableForm*>(this);
}

void TTableForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ControlsFollowView(true);
}

void TTableForm::closeEvent(QCloseEvent* event) {
    if (fTable && !CommitCurrentCell()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!fTable) return;
    // From here on Qt frees the window (itself or with its child-window frame).
    LeaveTable();
    if (fModalLoop) fModalLoop->quit();
    if (!qobject_cast<QMdiSubWindow*>(parentWidget()) && !testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

void TTableForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow() && !isActiveWindow()) StoreEdits();
}

bool TTableForm::StoreEdits() {
    if (!fTable || fCommitting) return true;
    if (CommitCurrentCell()) return true;
    if (!fModal) QTimer::singleShot(0, this, [this] { BringToFront(); });
    return false;
}

void TTableForm::BringToFront() {
    QWidget* frame = Frame();
    frame->raise();
    frame->activateWindow();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    fGrid->Editor()->setFocus();
}

// ---- Messages

void TTableForm::Inform(const std::string& text) const {
    if (fHost.Messages)
        fHost.Messages->Information(text);
    else
        QMessageBox::information(const_cast<TTableForm*>(this), QApplication::applicationName(),
                                 FromStd(text));
}

void TTableForm::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        Inform(error.what());
    }
}

void TTableForm::Record(const char* name, const std::function<void()>& edit) {
    if (fHost.Undo && fTable)
        fHost.Undo->Record(*fTable, tr(name), edit);
    else
        edit();
}

// ---- Refresh

void TTableForm::FullRefresh() {
    if (!fTable || fRefreshSuspended || !fOpened) return;
    TSuspend suspend(fRefreshSuspended);
    TGridTable& table = *fTable;
    const int rows = table.RowCount();
    const int visible = table.VisibleColumnCount();

    // New rows are shown while the window showed every row, up to the cap.
    if (rows > fLastRowCount && fRowsVisible >= fLastRowCount)
        fRowsVisible = std::min(rows, std::max(fRowsVisible, RowsCap()));
    fLastRowCount = rows;
    fColumnsVisible = std::min(fColumnsVisible == 0 ? visible : fColumnsVisible, visible);
    fRowsVisible = std::min(fRowsVisible, rows);
    fHeadingRows = table.HeadingRows();

    fGrid->setRowCount(rows);
    fGrid->setColumnCount(visible);
    const int group = std::max(table.RowGroup(), 1);
    for (int r = 0; r < rows; ++r)
        fGrid->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r / group + 1)));

    fRowHeight = ComputeRowHeight();
    fGrid->verticalHeader()->setMinimumSectionSize(1);
    fGrid->verticalHeader()->setDefaultSectionSize(fRowHeight);
    for (int r = 0; r < rows; ++r) fGrid->setRowHeight(r, fRowHeight);

    const QFontMetrics metrics(fGrid->horizontalHeader()->font());
    const THeaderMeasure measure(metrics, logicalDpiX(),
                                 2 * style()->pixelMetric(QStyle::PM_HeaderMargin));
    for (int p = 0; p < visible; ++p) {
        TColumn& column = table.VisibleColumn(p);
        int width = column.GetColWidth(measure);
        if (column.HasControl()) {
            // The control over the cell must show its longest entry.
            QComboBox probe;
            for (int i = 0; i < column.GetEnumCount(); ++i)
                probe.addItem(FromStd(column.GetEnumStr(i)));
            if (column.GetEnumCount() > 0) width = std::max(width, probe.sizeHint().width() + 4);
        }
        fGrid->setColumnWidth(p, width);
        QStringList lines;
        for (int k = 0; k < std::max(fHeadingRows, 1); ++k)
            lines << FromStd(column.GetDisplayHeadings(k));
        fGrid->setHorizontalHeaderItem(p, new QTableWidgetItem(lines.join('\n')));
        for (int r = 0; r < rows; ++r) {
            auto* cell = new QTableWidgetItem();
            if (column.HasControl()) {
                cell->setFlags(Qt::NoItemFlags);
            } else {
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
                cell->setText(FromStd(column.GetStringValue(r)));
            }
            fGrid->setItem(r, p, cell);
        }
    }

    UpdateRowButtons();
    fAllocTop = fAllocCount = -1;
    Layout();
    ControlsFollowView(true);

    // The current cell stays where it was when it still exists.
    QModelIndex current = fGrid->currentIndex();
    if (rows > 0 && visible > 0 &&
        (!current.isValid() || current.row() >= rows || current.column() >= visible)) {
        int row = current.isValid() ? std::min(current.row(), rows - 1) : 0;
        int col = 0;
        while (col < visible - 1 && ColumnHasControl(col)) ++col;
        fGrid->ForceCurrentCell(row, col);
    } else {
        fGrid->ReloadEditor();
    }
    ValuesChanged();
}

void TTableForm::RefreshCell(int col, int row) {
    if (!fTable || !fOpened || col < 0 || col >= fTable->ColCount()) return;
    TColumn& column = fTable->GetColumn(col);
    const int p = fTable->VisiblePosition(column);
    if (p >= 0 && !column.HasControl() && row >= 0 && row < fGrid->rowCount()) {
        if (QTableWidgetItem* cell = fGrid->item(row, p))
            cell->setText(FromStd(column.GetStringValue(row)));
    }
    ValuesChanged();
}

void TTableForm::Retitle() {
    if (fTable) setWindowTitle(FromStd(fTable->Title()));
}

void TTableForm::UpdateRowButtons() {
    const TGridTable& table = *fTable;
    const bool shown = table.MinRows() != table.MaxRows();
    for (QPushButton* b : {fBtnAdd, fBtnIns, fBtnDel}) b->setVisible(shown);
    fBtnAdd->setEnabled(table.RowCount() != table.MaxRows());
    fBtnIns->setEnabled(table.RowCount() != table.MaxRows());
    fBtnDel->setEnabled(table.RowCount() > table.MinRows());
}

// ---- Layout

int TTableForm::ComputeRowHeight() const {
    int height = QFontMetrics(fGrid->font()).height() + 8;
    if (!fTable) return height;
    for (int c = 0; c < fTable->ColCount(); ++c) {
        const TColumn& column = fTable->GetColumn(c);
        if (!column.HasControl() || !column.Visible()) continue;
        QComboBox combo;
        QPushButton button;
        height = std::max({height, combo.sizeHint().height() + 2, button.sizeHint().height() + 2});
    }
    return height;
}

int TTableForm::GridWidth(bool vScroll) const {
    int width = 2 * fGrid->frameWidth() + fGrid->verticalHeader()->width();
    const int left = std::max(fGrid->horizontalScrollBar()->value(), 0);
    const int count = fGrid->columnCount();
    const int first = std::clamp(left, 0, std::max(count - fColumnsVisible, 0));
    for (int c = first; c < first + fColumnsVisible && c < count; ++c)
        width += fGrid->columnWidth(c);
    if (vScroll) width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return width;
}

int TTableForm::GridHeight(bool hScroll) const {
    int height = 2 * fGrid->frameWidth() + fGrid->horizontalHeader()->sizeHint().height() +
                 fRowsVisible * fRowHeight;
    if (hScroll) height += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return height;
}

QSize TTableForm::PlaceParts(int gridWidth, int gridHeight) {
    const int m = fMargin;
    const int ppi = logicalDpiX();
    // The parts above the grid keep the size they have for the grid's natural width.
    const QSize area = TopAreaSize(fNaturalGridWidth);
    PlaceTopArea(QRect(QPoint(m, m), area));
    int right = area.isEmpty() ? 0 : m + area.width();
    const int top = m + (area.isEmpty() ? 0 : area.height() + m);
    fGrid->setGeometry(m, top, std::max(gridWidth, 1), std::max(gridHeight, 1));
    right = std::max(right, fGrid->geometry().right() + 1);
    int y = top + gridHeight + m;

    if (fBtnAdd->isVisibleTo(this)) {
        int x = m;
        int height = 0;
        for (QPushButton* b : {fBtnAdd, fBtnIns, fBtnDel}) {
            const QSize hint = b->sizeHint();
            const int w = std::max(81 * ppi / 96, hint.width());
            const int h = std::max(21 * ppi / 96, hint.height());
            b->setGeometry(x, y, w, h);
            x += w + m;
            height = std::max(height, h);
        }
        right = std::max(right, fBtnDel->geometry().right() + 1);
        y += height + m;
    }
    y = PlaceLowerArea(y, right);
    if (fComments->isVisibleTo(this)) {
        const QSize hint = fComments->sizeHint();
        fComments->setGeometry(m, y, hint.width(), hint.height());
        right = std::max(right, m + hint.width());
        y += hint.height() + m;
    }
    if (fHelp->isVisibleTo(this)) {
        const QSize hint = fHelp->pixmap().size();
        fHelp->setGeometry(m, y, hint.width(), hint.height());
        right = std::max(right, m + hint.width());
        y += hint.height() + m;
    }
    return {right + m, y};
}

void TTableForm::Layout() {
    if (!fTable || !fOpened) return;
    const int rows = fTable->RowCount();
    const bool vScroll = fRowsVisible < rows;
    const bool hScroll = fColumnsVisible < fTable->VisibleColumnCount();
    fGrid->setVerticalScrollBarPolicy(vScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    fGrid->setHorizontalScrollBarPolicy(hScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    fNaturalGridHeight = GridHeight(hScroll);
    fNaturalGridWidth = GridWidth(vScroll);
    fNaturalSize = PlaceParts(fNaturalGridWidth, fNaturalGridHeight);
    // A new layout of the table ends a dragging; a snap is part of it.
    if (!fSnapping) fDragging = false;
    ApplySize(fNaturalSize);
    fTable->NotifyResize();
}

void TTableForm::ApplySize(QSize client) {
    fApplyingSize = true;
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub) {
        updateGeometry();
        sub->resize(sub->size() - size() + client);
    }
    resize(client);
    fAppliedSize = size();
    fApplyingSize = false;
    // A window grown by added rows stays where it can be seen.
    if (sub && fHost.Placed && sub->isVisible()) fHost.Placed(*sub, false);
}

void TTableForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!fTable || !fOpened || fApplyingSize || size() == fNaturalSize) return;
    // The user drags a border: the grid fills the window until it snaps to whole rows and
    // columns once the dragging pauses.
    const int other = fNaturalSize.height() - fNaturalGridHeight;
    PlaceParts(width() - 2 * fMargin, height() - other);
    if (!fDragging) {
        fDragging = true;
        fDragStart = fAppliedSize;
    }
    fSnapTimer->start();
}

bool TTableForm::SnapPending() const {
    return fSnapTimer->isActive();
}

// Nearest practical form of the four-candidate rule: the toolkit resizes the window itself
// while the user drags, so the snapped size is applied as soon as the dragging pauses.
void TTableForm::Snap() {
    if (!fTable || size() == fNaturalSize) return;
    TSnapInput in;
    for (int c = 0; c < fGrid->columnCount(); ++c) in.ColumnWidths.push_back(fGrid->columnWidth(c));
    in.LeftColumn = std::max(fGrid->horizontalScrollBar()->value(), 0);
    in.ColumnsVisible = fColumnsVisible;
    in.RowHeight = fRowHeight;
    in.RowCount = fTable->RowCount();
    in.TopRow = TopRow();
    in.RowsVisible = fRowsVisible;
    in.FixedWidth = 2 * fGrid->frameWidth() + fGrid->verticalHeader()->width();
    in.FixedHeight = 2 * fGrid->frameWidth() + fGrid->horizontalHeader()->sizeHint().height();
    in.OtherWidth = 2 * fMargin;
    // What the window needs beside the grid: the natural layout without the grid's width.
    const QSize natural = fNaturalSize;
    in.OtherHeight = natural.height() - fNaturalGridHeight;
    {
        // Width of the other parts: lay out with a grid of no width.
        QSize bare = PlaceParts(0, fNaturalGridHeight);
        in.MinClientWidth = bare.width();
        PlaceParts(width() - 2 * fMargin, height() - in.OtherHeight);
    }
    in.VScrollWidth = in.HScrollHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // A frame that is still being dragged by one edge goes back to the size it had when the
    // dragging began whenever a snapped size is applied: that size is not dragged either.
    in.WidthDragged = width() != natural.width() && width() != fDragStart.width();
    in.HeightDragged = height() != natural.height() && height() != fDragStart.height();
    in.DraggedWidth = width();
    in.DraggedHeight = height();
    const TSnapResult snap = SnapTableSize(in);
    fColumnsVisible = snap.ColumnsVisible;
    fRowsVisible = snap.RowsVisible;
    fSnapping = true;
    Layout();
    fSnapping = false;
    fGrid->horizontalScrollBar()->setValue(snap.LeftColumn);
    fGrid->verticalScrollBar()->setValue(snap.TopRow);
}

// ---- Cell controls

int TTableForm::TopRow() const {
    if (!fGrid || fGrid->rowCount() == 0) return 0;
    const int row = fGrid->rowAt(0);
    return row < 0 ? std::clamp(fGrid->verticalScrollBar()->value(), 0, fGrid->rowCount() - 1)
                   : row;
}

void TTableForm::ControlsFollowView(bool force) {
    if (!fTable || !fOpened || fTable->Editor() != this) return;
    const int rows = fTable->RowCount();
    if (rows == 0) {
        fTable->ReleaseCellControls();
        return;
    }
    const int top = std::clamp(TopRow(), 0, rows - 1);
    const int fitting = fGrid->viewport()->height() / std::max(fRowHeight, 1) + 1;
    const int count = std::clamp(std::max(fRowsVisible, fitting), 1, rows - top);
    if (!force && top == fAllocTop && count == fAllocCount) return;
    fAllocTop = top;
    fAllocCount = count;
    Guarded([&] { fTable->AllocateCellControls(top, count); });
}

void TTableForm::CellControlsChanged(TColumn& column) {
    auto& placed = fControls[&column];
    for (auto& control : placed) {
        if (!control.Widget) continue;
        if (fGrid->cellWidget(control.Row, control.Col) == control.Widget)
            fGrid->removeCellWidget(control.Row, control.Col);
        else
            control.Widget->deleteLater();
    }
    placed.clear();
    if (!fTable || column.ControlParent() != this) return;
    const int col = fTable->VisiblePosition(column);
    if (col < 0) return;
    for (int k = 0; k < column.GetControlsAllocated(); ++k) {
        const int row = column.GetControl(k).Tag;
        if (row < 0 || row >= fGrid->rowCount()) continue;
        QWidget* widget = NewControl(column, k);
        fGrid->setCellWidget(row, col, widget);
        placed.push_back({widget, row, col});
    }
}

void TTableForm::CellControlChanged(TColumn& column, int k) {
    auto found = fControls.find(&column);
    if (found == fControls.end() || k < 0 || k >= column.GetControlsAllocated()) return;
    const TCellControl& control = column.GetControl(k);
    for (auto& placed : found->second) {
        if (placed.Row != control.Tag || !placed.Widget) continue;
        if (auto* combo = qobject_cast<QComboBox*>(placed.Widget.data())) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(control.ItemIndex);
        } else if (auto* button = qobject_cast<QPushButton*>(placed.Widget.data())) {
            button->setText(FromStd(control.Caption));
        }
    }
}

namespace {

// The index of the control that shows row, or -1.
int ControlOfRow(const TColumn& column, int row) {
    for (int k = 0; k < column.GetControlsAllocated(); ++k)
        if (column.GetControl(k).Tag == row) return k;
    return -1;
}

} // namespace

QWidget* TTableForm::NewControl(TColumn& column, int k) {
    const TCellControl& control = column.GetControl(k);
    const int row = control.Tag;
    TColumn* target = &column;
    QWidget* widget = nullptr;
    if (dynamic_cast<TEnumColumn*>(&column)) {
        auto* combo = new QComboBox();
        for (int i = 0; i < column.GetEnumCount(); ++i)
            combo->addItem(FromStd(column.GetEnumStr(i)));
        combo->setMaxVisibleItems(11);
        combo->setCurrentIndex(control.ItemIndex);
        connect(combo, &QComboBox::activated, this, [this, target, row](int index) {
            Guarded([&] {
                if (!fTable || !CommitCurrentCell()) return;
                const int k2 = ControlOfRow(*target, row);
                if (k2 < 0) return;
                const int before = target->GetIntValue(row);
                Record("Cell Entry", [&] { target->ControlChosen(k2, index); });
                if (fTable && target->GetIntValue(row) != before) fTable->SetChanged(true);
            });
        });
        widget = combo;
    } else {
        auto* button = new QPushButton(FromStd(control.Caption));
        connect(button, &QPushButton::clicked, this, [this, target, row] {
            Guarded([&] {
                if (!fTable || !CommitCurrentCell()) return;
                const int k2 = ControlOfRow(*target, row);
                if (k2 >= 0) target->ControlClicked(k2);
            });
        });
        widget = button;
    }
    widget->setProperty("dorvekRow", row);
    widget->installEventFilter(this);
    return widget;
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->property("dorvekRow").isValid()) {
        if (event->type() == QEvent::FocusIn) {
            ControlFocused(widget);
        } else if (event->type() == QEvent::MouseButtonPress && event->spontaneous() &&
                   !widget->hasFocus() && widget->focusPolicy() != Qt::NoFocus) {
            // The focus went back to a cell holding a bad entry: the click does nothing.
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TTableForm::ControlFocused(QWidget* control) {
    if (!fTable) return;
    const int row = control->property("dorvekRow").toInt();
    for (auto& [column, placed] : fControls)
        for (auto& p : placed)
            if (p.Widget == control) {
                const int k = ControlOfRow(*column, row);
                if (k >= 0) Guarded([&] { const_cast<TColumn*>(column)->ControlEntered(k); });
                return;
            }
}

QWidget* TTableForm::CellControl(int col, int row) const {
    if (!fTable || col < 0 || col >= fTable->ColCount()) return nullptr;
    auto found = fControls.find(&fTable->GetColumn(col));
    if (found == fControls.end()) return nullptr;
    for (const auto& placed : found->second)
        if (placed.Row == row) return placed.Widget;
    return nullptr;
}

// ---- The current cell

bool TTableForm::ColumnHasControl(int gridCol) const {
    if (!fTable || gridCol < 0 || gridCol >= fTable->VisibleColumnCount()) return true;
    return fTable->VisibleColumn(gridCol).HasControl();
}

std::pair<int, int> TTableForm::CurrentCell() const {
    const QModelIndex index = fGrid->currentIndex();
    if (!fTable || !index.isValid() || index.column() >= fTable->VisibleColumnCount())
        return {-1, -1};
    return {fTable->IndexOf(fTable->VisibleColumn(index.column())), index.row()};
}

bool TTableForm::SelectCell(int col, int row) {
    if (!fTable || col < 0 || col >= fTable->ColCount()) return false;
    const int p = fTable->VisiblePosition(fTable->GetColumn(col));
    if (p < 0) return false;
    fGrid->setCurrentCell(row, p);
    return CurrentCell() == std::make_pair(col, row);
}

bool TTableForm::CanSelect(int row, int gridCol) {
    if (!fTable || row < 0 || row >= fTable->RowCount()) return false;
    if (ColumnHasControl(gridCol)) return false;
    return CommitCurrentCell();
}

void TTableForm::MoveToCell(int col, int row) {
    if (!fTable || col < 0 || col >= fTable->ColCount()) return;
    const int p = fTable->VisiblePosition(fTable->GetColumn(col));
    if (p < 0 || row < 0 || row >= fGrid->rowCount()) return;
    if (!CommitCurrentCell()) return;
    fGrid->ForceCurrentCell(row, p);
}

bool TTableForm::CommitCurrentCell() {
    if (!fTable) return true;
    if (fCommitting) return false;
    const auto [col, row] = CurrentCell();
    if (col < 0 || row < 0 || row >= fTable->RowCount()) return true;
    TColumn& column = fTable->GetColumn(col);
    if (column.HasControl()) return true;
    const std::string text = fGrid->CurrentText().toStdString();
    // Only an entry that differs from what the cell shows is a change.
    if (text == column.GetStringValue(row)) return true;
    fCommitting = true;
    try {
        Record("Cell Entry", [&] { column.SetStringValue(row, text); });
        fTable->SetChanged(true);
    } catch (const std::exception& error) {
        Inform(error.what());
        fCommitting = false;
        // The cell keeps its text and the focus.
        if (isVisible()) fGrid->Editor()->setFocus();
        return false;
    }
    fCommitting = false;
    fGrid->ReloadEditor();
    return true;
}

void TTableForm::EnterMove() {
    const QModelIndex index = fGrid->currentIndex();
    if (!fTable || !index.isValid()) return;
    const int rows = fGrid->rowCount();
    const int cols = fGrid->columnCount();
    int row = index.row() + 1;
    int col = index.column();
    if (row >= rows) {
        // From the last row to the first row of the next column that takes text.
        row = 0;
        do {
            col = (col + 1) % cols;
        } while (ColumnHasControl(col) && col != index.column());
    }
    if (row == index.row() && col == index.column()) {
        CommitCurrentCell();
        return;
    }
    fGrid->setCurrentCell(row, col);
}

void TTableForm::FocusChanged(QWidget* old, QWidget* now) {
    if (!fTable || !old || !now || fCommitting) return;
    if (old != fGrid->Editor() || fGrid->isAncestorOf(now) || now->window() != window()) return;
    // The focus leaves the grid for another part of this window.
    if (!CommitCurrentCell())
        QTimer::singleShot(0, this, [this] {
            if (fTable) fGrid->Editor()->setFocus();
        });
}

// ---- Row buttons

bool TTableForm::InsertOrDeleteRowValid() const {
    const QModelIndex index = fGrid->currentIndex();
    return fTable && index.isValid() && index.row() >= 0 && index.row() < fTable->RowCount();
}

void TTableForm::AddRowClick() {
    Guarded([this] {
        if (!fTable || !CommitCurrentCell()) return;
        const int before = fTable->RowCount();
        {
            TSuspend suspend(fRefreshSuspended);
            struct TMarkChanged {
                TGridTable* table;
                ~TMarkChanged() { table->SetChanged(true); }
            } mark{fTable};
            Record("Add Row", [this] { fTable->AddRowGroup(); });
        }
        FullRefresh();
        // New rows below the visible part are scrolled into view.
        if (TopRow() + fRowsVisible < fTable->RowCount() && before >= TopRow() + fRowsVisible)
            fGrid->verticalScrollBar()->setValue(fGrid->verticalScrollBar()->maximum());
    });
}

void TTableForm::InsertRowClick() {
    Guarded([this] {
        if (!fTable) return;
        if (!InsertOrDeleteRowValid()) throw TableError("Grid.Row not in valid range");
        if (!CommitCurrentCell()) return;
        fTable->SetChanged(true);
        Record("Insert Row", [this] { fTable->InsertRowGroup(fGrid->currentIndex().row()); });
    });
}

void TTableForm::DeleteRowClick() {
    Guarded([this] {
        if (!fTable) return;
        if (!InsertOrDeleteRowValid()) throw TableError("Grid.Row not in valid range");
        if (!CommitCurrentCell()) return;
        fTable->SetChanged(true);
        Record("Delete Row", [this] { fTable->DeleteRowGroup(fGrid->currentIndex().row()); });
    });
}

void TTableForm::MoveRowClick(int delta) {
    Guarded([this, delta] {
        if (!fTable || !InsertOrDeleteRowValid() || !CommitCurrentCell()) return;
        const QModelIndex index = fGrid->currentIndex();
        int moved = -1;
        Record(delta < 0 ? "Move Row Up" : "Move Row Down",
               [&] { moved = MoveRowGroup(*fTable, index.row(), delta); });
        if (moved < 0) return;
        fTable->SetChanged(true);
        FullRefresh();
        fGrid->ForceCurrentCell(moved, index.column());
    });
}

// ---- Undo and the clipboard

QUndoStack* TTableForm::UndoStack() const {
    return fHost.Undo && fTable ? fHost.Undo->StackOf(*fTable) : nullptr;
}

bool TTableForm::EditorModified() const {
    const auto [col, row] = CurrentCell();
    if (!fTable || col < 0 || row < 0 || row >= fTable->RowCount()) return false;
    const TColumn& column = fTable->GetColumn(col);
    return !column.HasControl() && fGrid->CurrentText().toStdString() != column.GetStringValue(row);
}

void TTableForm::Undo() {
    if (!fTable) return;
    if (EditorModified()) {
        fGrid->ReloadEditor();
        return;
    }
    if (QUndoStack* stack = UndoStack()) stack->undo();
}

void TTableForm::Redo() {
    if (!fTable || !CommitCurrentCell()) return;
    if (QUndoStack* stack = UndoStack()) stack->redo();
}

void TTableForm::PasteIntoCell() {
    if (!fTable) return;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText()) return;
    const std::string text = mime->text().toStdString();
    if (!HoldsSeveralCells(text)) {
        fGrid->Editor()->insert(QString::fromStdString(WithoutLastLineEnd(text)));
        return;
    }
    if (!CommitCurrentCell()) return;
    const QModelIndex index = fGrid->currentIndex();
    if (!index.isValid()) return;
    Record("Paste",
           [&] { PasteCells(*fTable, index.column(), index.row(), text, UserDecimalSeparator()); });
    fGrid->ReloadEditor();
}

// ---- Size

int TTableForm::Width() const {
    return Frame()->frameGeometry().width();
}

int TTableForm::Height() const {
    return Frame()->frameGeometry().height();
}

} // namespace dorvek
