#pragma once
// TPlotForm: the window of one result graph. It draws the graph through the plot renderer,
// shows coordinates under the pointer in its title, zooms with a rubber band (left button)
// and out again (right button), keeps a movable legend, and offers the "&Plot" menu: display
// switches, markers, font size, line width, title, legend names, active curves, printing and
// saving a picture. Qt owns it (with its child-window frame, or as a top-level window); its
// plot reaches it through a TPlotFormHandle.

#include "gui/plots/PlotWindows.h"
#include "model/plots/GraphPlot.h"
#include "model/plots/PlotLayout.h"
#include "model/plots/PlotView.h"

#include <QPageLayout>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QMdiSubWindow;
class QRubberBand;

namespace dorvek {

class TPlotLegendList;
class TPlotCanvas;

class TPlotForm : public QWidget {
    Q_OBJECT
public:
    // The view starts at the plot's full extent, which must exist (TPlotView::Create).
    TPlotForm(TGraphPlot& plot, const TPlotView& view, const TPlotWindowHost& host);
    ~TPlotForm() override;

    // Brings the window up: on first showing through the host's child-window frame; a
    // minimised window is restored to normal.
    void ShowWindow();

    // The graph drawn; null once the window was closed (Qt frees it then).
    TGraphPlot* Data() const { return fData; }
    // The child-window frame, if the window is in one.
    QMdiSubWindow* Frame() const;
    const TPlotView& View() const { return fView; }
    // Layout of the graph in the client area, as last painted.
    TPlotLayout ClientLayout() const;
    QWidget* Client() const;
    TPlotLegendList* Legend() const { return fLegend; }
    QMenuBar* MenuBar() const { return fMenuBar; }
    QMenu* PlotMenu() const { return fPlotMenu; }
    // Menu entries by caption (with their "&"), for the fixed entries.
    QAction* MenuEntry(const QString& caption) const;
    const std::vector<QAction*>& CurveEntries() const { return fCurveEntries; }
    const QPageLayout& PageLayout() const { return fPage; }

    // Menu commands.
    void ToggleLegend();
    void ToggleLayers();
    void ToggleWall();
    void SetMarkers(int markers);
    void SetSizeFont(int sizeFont);
    void SetWidthLine(int widthLine);
    void EditTitle();
    void EditLegend();
    void EditActiveCurves();
    void EditAxisRanges();
    void Print();
    void PageSetup();
    void SaveToDisk();
    // The curve of menu entry i toggles its visibility.
    void ToggleCurve(int entry);

    // Mouse handling of the client area (client coordinates).
    void MouseMoved(QPoint pos, Qt::MouseButtons buttons);
    void MousePressed(QPoint pos, Qt::MouseButton button);
    void MouseReleased(QPoint pos, Qt::MouseButton button);

    // The legend's top-left relative to the client area (0..1 each), for printouts.
    std::pair<double, double> LegendPosition() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend class TPlotCanvas;
    void BuildMenu();
    void UpdateMenu();
    void RebuildCurveEntries();
    void RebuildLegend();
    void ApplyLegendFont();
    void ApplyScaledLegendFont();
    void Relayout();
    void PlaceLegendAtCorner();
    void Changed();
    TPlotDialogs& Dialogs();

    TGraphPlot* fData;
    TPlotView fView;
    TPlotWindowHost fHost;
    std::unique_ptr<TPlotDialogs> fOwnDialogs;
    QMenuBar* fMenuBar = nullptr;
    QMenu* fPlotMenu = nullptr;
    TPlotCanvas* fCanvas = nullptr;
    TPlotLegendList* fLegend = nullptr;
    QRubberBand* fBand = nullptr;
    std::vector<QAction*> fCurveEntries;
    std::vector<QAction*> fMarkerEntries, fFontEntries, fWidthEntries;
    QAction* fShowLegend = nullptr;
    QAction* fShowLayers = nullptr;
    QAction* fShowWall = nullptr;
    QAction* fLegendOffCurves = nullptr;
    QAction* fSafePalette = nullptr;
    QAction* fRisingPart = nullptr;
    QMenu* fMarkersMenu = nullptr;
    QMenu* fFontMenu = nullptr;
    QMenu* fWidthMenu = nullptr;
    QAction* fPrint = nullptr;
    QAction* fPageSetup = nullptr;
    QPageLayout fPage;
    bool fZooming = false;
    QPoint fZoomOrigin;
};

// The plot's handle on its window. Freeing the handle frees a window that is still open,
// with its frame; a window closed by the user, or freed with its parent, Qt frees alone.
class TPlotFormHandle final : public TPlotWindow {
public:
    explicit TPlotFormHandle(TPlotForm& form) : fForm(&form) {}
    ~TPlotFormHandle() override;
    TPlotFormHandle(const TPlotFormHandle&) = delete;
    TPlotFormHandle& operator=(const TPlotFormHandle&) = delete;

    bool Exists() const override { return Form() != nullptr; }
    void ShowWindow() override;
    // The window while it is open, else null.
    TPlotForm* Form() const { return fForm && fForm->Data() ? fForm.data() : nullptr; }

private:
    QPointer<TPlotForm> fForm;
};

// A window for the plot, or nothing when its extent is degenerate.
std::unique_ptr<TPlotWindow> MakePlotForm(TGraphPlot& plot, const TPlotWindowHost& host);
// The plot's open window, or null.
TPlotForm* PlotFormOf(const TGraphPlot& plot);

} // namespace dorvek
