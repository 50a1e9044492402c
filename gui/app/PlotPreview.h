#pragma once
// A result graph drawn to fit a widget, with its legend box: the graph of a dialog.

#include "model/plots/GraphPlot.h"

#include <QWidget>

namespace dorvek {

class TPlotPreview : public QWidget {
public:
    explicit TPlotPreview(QWidget* parent = nullptr);
    // The graph drawn; nothing while it has no points.
    TGraphPlot& Plot() { return fPlot; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TGraphPlot fPlot;
};

} // namespace dorvek
