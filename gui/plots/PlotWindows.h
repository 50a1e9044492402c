#pragma once
// What plot windows need from the program, and the factory through which a result graph
// opens its window. Every dialog of the window goes through TPlotDialogs, which tests replace.

#include "model/plots/AxisRanges.h"
#include "model/plots/PlotDialogModels.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;
class QPrinter;

namespace dorvek {

class TGraphPlot;
class TMessages;
struct TResultGraphs;

// The dialogs of a plot window (the real ones by default).
class TPlotDialogs {
public:
    virtual ~TPlotDialogs() = default;
    // Whether the system has at least one printer.
    virtual bool HasPrinter();
    // "Graph Caption"; false when cancelled.
    virtual bool EditCaption(QWidget* parent, std::string& caption, bool& onTop);
    // "Legend" on the names of a plot's curves; false when cancelled.
    virtual bool EditLegend(QWidget* parent, TLegendNamesModel& names, TMessages* messages,
                            const TGraphPlot& plot);
    // "Active Curves"; false when cancelled.
    virtual bool EditActiveCurves(QWidget* parent, TActiveCurvesModel& curves);
    // The print dialog on a printer set up for the page; false when cancelled.
    virtual bool Print(QWidget* parent, QPrinter& printer);
    // The page-setup dialog; false when cancelled.
    virtual bool PageSetup(QWidget* parent, QPrinter& printer);
    // "Save Attributes"; nothing when cancelled.
    virtual std::optional<TSaveAttributes>
    SaveAttributes(QWidget* parent, const TSaveAttributes& start, TMessages* messages);
    // "Axis Ranges"; nothing when cancelled.
    virtual std::optional<TAxisRangesChoice>
    AxisRanges(QWidget* parent, const TAxisRangesChoice& start, TMessages* messages);
};

struct TPlotWindowHost {
    // Message boxes and the save dialog.
    TMessages* Messages = nullptr;
    // Shows a window as a maximised child window of the main window; without it, plot
    // windows are top-level windows.
    std::function<void(QWidget& window)> AddChildWindow;
    // The dialogs; the real ones when null.
    TPlotDialogs* Dialogs = nullptr;
};

// Every graph opens its TPlotForm with this host when shown.
void InstallPlotWindows(TResultGraphs& graphs, const TPlotWindowHost& host);
void InstallPlotWindow(TGraphPlot& plot, const TPlotWindowHost& host);

} // namespace dorvek
