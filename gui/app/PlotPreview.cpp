#include "gui/app/PlotPreview.h"

#include "gui/plots/PlotRenderer.h"
#include "model/plots/PlotView.h"

#include <QPainter>

namespace dorvek {

TPlotPreview::TPlotPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 300);
    setAutoFillBackground(false);
}

void TPlotPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!fPlot.HasSomethingToDraw() || fPlot.List(TLineKind::Main).Line(0).Count() < 2) return;
    const auto view = TPlotView::Create(fPlot);
    if (!view) return;
    // As a picture: the legend box is drawn inside the graph.
    PaintPlot(painter, fPlot, view->LogicBounds,
              {rect(), logicalDpiX(), logicalDpiY(), TPlotTarget::Picture, {}});
}

} // namespace dorvek
