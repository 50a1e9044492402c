#pragma once
// The legend of a plot window: a list of the active curves, each in its curve colour with
// " *" while the curve is visible. The user drags it with the mouse inside its parent, and a
// double-click on an entry toggles the curve's visibility.

#include "model/plots/PlotLegendModel.h"

#include <QListWidget>

namespace dorvek {

class TPlotLegendList : public QListWidget {
    Q_OBJECT
public:
    TPlotLegendList(TGraphPlot& plot, QWidget* parent);

    const TPlotLegendModel& Model() const { return fModel; }
    // Entries for the active curves, then the texts.
    void Rebuild();
    // Texts and colours after a name or visibility changed.
    void Refresh();
    // Font size in points at the parent's resolution; items `itemHeight` pixels high (0:
    // the font's line height).
    void SetLegendFont(int points, int itemHeight);
    int ItemHeight() const { return fItemHeight; }
    // Height from the entries, width grown to the widest text plus a quarter inch.
    void Resize();
    // Moves the legend, kept inside its parent.
    void Place(QPoint topLeft);
    bool Dragged() const { return fDragged; }

signals:
    // A curve's visibility was toggled by a double-click.
    void VisibilityToggled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TGraphPlot& fPlot;
    TPlotLegendModel fModel;
    int fItemHeight = 17;
    bool fDragging = false;
    bool fDragged = false; // the user placed the legend
    QPoint fDragPoint;     // pointer position in the legend when the drag began
};

} // namespace dorvek
