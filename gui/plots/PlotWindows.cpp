#include "gui/plots/PlotWindows.h"

#include "gui/plots/PlotDialogs.h"
#include "gui/plots/PlotForm.h"
#include "model/plots/PlotStyle.h"
#include "model/plots/ResultGraphs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace dorvek {

bool TPlotDialogs::HasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool TPlotDialogs::EditCaption(QWidget* parent, std::string& caption, bool& onTop) {
    TdlgGraphCaption dialog(caption, onTop, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    caption = dialog.Caption();
    onTop = dialog.OnTop();
    return true;
}

bool TPlotDialogs::EditLegend(QWidget* parent, TLegendNamesModel& names, TMessages* messages,
                              const TGraphPlot&) {
    TdlgLegend dialog(
        names, messages, [](int i) { return QColor::fromRgb(PaletteRgb(i)); }, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TPlotDialogs::EditActiveCurves(QWidget* parent, TActiveCurvesModel& curves) {
    TdlgActiveCurves dialog(curves, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TPlotDialogs::Print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TPlotDialogs::PageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<TSaveAttributes>
TPlotDialogs::SaveAttributes(QWidget* parent, const TSaveAttributes& start, TMessages* messages) {
    TdlgSaveAttributes dialog(start, messages, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

std::optional<TAxisRangesChoice>
TPlotDialogs::AxisRanges(QWidget* parent, const TAxisRangesChoice& start, TMessages* messages) {
    TdlgAxisRanges dialog(start, messages, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

void InstallPlotWindow(TGraphPlot& plot, const TPlotWindowHost& host) {
    plot.SetWindowFactory([host](TGraphPlot& p) { return MakePlotForm(p, host); });
}

void InstallPlotWindows(TResultGraphs& graphs, const TPlotWindowHost& host) {
    for (TGraphPlot* plot : graphs.All()) InstallPlotWindow(*plot, host);
}

} // namespace dorvek
