#include "gui/plots/PlotLegendList.h"

#include "gui/plots/PlotRenderer.h"
#include "model/plots/PlotStyle.h"

#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

constexpr int InitialWidth = 21;
constexpr const char* VisibleMark = " *";

} // namespace

TPlotLegendList::TPlotLegendList(TGraphPlot& plot, QWidget* parent)
    : QListWidget(parent), fPlot(plot) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setUniformItemSizes(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    resize(InitialWidth, 3);
    setCursor(Qt::SizeAllCursor);
}

void TPlotLegendList::Rebuild() {
    fModel.Rebuild(fPlot);
    clear();
    for (int i = 0; i < fModel.Count(); ++i) addItem(QString());
    Refresh();
}

void TPlotLegendList::Refresh() {
    fModel.Rename(fPlot);
    for (int i = 0; i < fModel.Count() && i < count(); ++i) {
        QListWidgetItem* it = item(i);
        it->setText(QString::fromStdString(fModel.Text(fPlot, i)));
        it->setForeground(
            QColor::fromRgb(CurveStyle(fModel.Entry(i).Colour, fPlot.PaletteKind).Rgb));
        it->setSizeHint(QSize(0, fItemHeight));
    }
}

void TPlotLegendList::SetLegendFont(int points, int itemHeight) {
    const int ppi = parentWidget() ? parentWidget()->logicalDpiY() : logicalDpiY();
    const QFont f = PlotFont(static_cast<int>(std::lround(points * ppi / 72.0)), false);
    setFont(f);
    fItemHeight = itemHeight > 0 ? itemHeight : QFontMetrics(f).height();
    Refresh();
}

void TPlotLegendList::Resize() {
    const QFontMetrics fm(font());
    int widest = 0;
    for (int i = 0; i < fModel.Count(); ++i)
        widest =
            std::max(widest, fm.horizontalAdvance(QString::fromStdString(fModel.Entry(i).Name) +
                                                  QString::fromLatin1(VisibleMark)));
    const int ppiX = parentWidget() ? parentWidget()->logicalDpiX() : logicalDpiX();
    const int w = LegendWidth(width(), widest + 2 * frameWidth(), ppiX);
    resize(w, LegendHeight(fModel.Count(), fItemHeight));
}

void TPlotLegendList::Place(QPoint topLeft) {
    QWidget* p = parentWidget();
    if (!p) return;
    const TLegendPlace place =
        KeepLegendInside({topLeft.x(), topLeft.y()}, width(), height(), p->width(), p->height());
    move(place.X, place.Y);
}

void TPlotLegendList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        fDragging = true;
        fDragPoint = event->position().toPoint() + viewport()->pos();
    }
}

void TPlotLegendList::mouseMoveEvent(QMouseEvent* event) {
    if (fDragging && (event->buttons() & Qt::LeftButton)) {
        const QPoint inParent = mapToParent(event->position().toPoint() + viewport()->pos());
        Place(inParent - fDragPoint);
        fDragged = true;
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void TPlotLegendList::mouseReleaseEvent(QMouseEvent* event) {
    fDragging = false;
    QListWidget::mouseReleaseEvent(event);
}

void TPlotLegendList::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0 && fModel.Toggle(fPlot, row)) {
        Refresh();
        emit VisibilityToggled();
    }
    event->accept();
}

} // namespace dorvek
