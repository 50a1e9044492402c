#pragma once
// Draws a result graph onto any QPainter target (a window, a printer page, a QImage, an SVG or
// PDF generator). The window keeps its view and legend position and asks for the layout it
// needs for mouse handling:
//   TPlotTarget target{rect, ppiX, ppiY, TPlotTarget::Screen};
//   TPlotLayout layout = PlotLayoutFor(plot, target);
//   PaintPlot(painter, plot, view.LogicBounds, target);
// For printouts and pictures the legend box is drawn too (at LegendPosition, relative to the
// target, or at the lower-right corner of the graph area). Qt Gui only, no widgets; usable
// from any thread for QImage, QSvgGenerator and QPdfWriter targets.

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotLayout.h"
#include "model/plots/PlotView.h"

#include <QRect>

#include <optional>
#include <utility>

class QPainter;
class QFont;

namespace dorvek {

struct TPlotTarget {
    enum Kind {
        Screen,  // the window: no legend box (the window has its own legend list)
        Printer, // a printer page: graph to the target's edges, legend box, print patterns
        Picture, // a bitmap picture: screen layout, legend box, screen patterns
        Vector,  // SVG or PDF: screen layout, legend box, print patterns
    };
    QRect Rect;
    int PpiX = 96;
    int PpiY = 96;
    Kind kind = Screen;
    // Top-left of the on-screen legend relative to the window, each 0..1.
    std::optional<std::pair<double, double>> LegendPosition;
    // Overrides of the plot's own choices for this drawing: -1 keeps the plot's.
    int LegendOffCurves = -1; // 1: legend box where it covers the fewest points; 0: as placed
    int PaletteKind = -1;     // 0 classic, 1 colour-blind safe with line styles
    bool BlackText = false;   // every text black (a monochrome picture)
};

// "Times New Roman", falling back to Liberation Serif where the face is missing. Safe to call
// repeatedly; the renderer calls it itself.
void EnsurePlotFonts();

// Font of the graph texts: pixel height h, bold for axis captions.
QFont PlotFont(int pixelHeight, bool bold);

TPlotLayout PlotLayoutFor(const TGraphPlot& plot, const TPlotTarget& target);

// Paints the whole graph in order: white fill, captions and user title, ticks, grid and
// labels, curves and markers clipped to the graph area, the soil-layer strip, the frame, and
// for printouts and pictures the legend box. Returns the layout used.
TPlotLayout PaintPlot(QPainter& painter, const TGraphPlot& plot, const TLogicBounds& view,
                      const TPlotTarget& target);

} // namespace dorvek
