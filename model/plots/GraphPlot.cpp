#include "model/plots/GraphPlot.h"

#include "model/tables/NumberFormat.h"
#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <utility>

namespace dorvek {

TLine::TLine(TGraphPlot* owner, long double value) : Value(value), fOwner(owner) {}

void TLine::SetCount(int n) {
    fData.resize(static_cast<size_t>(std::max(n, 0)));
}

std::string TLine::LineName() const {
    if (!fValueS.empty()) return fValueS;
    if (fOwner != nullptr) {
        const int p = fOwner->List(TLineKind::Main).IndexOf(this);
        if (p >= 0 && p < static_cast<int>(fOwner->DefLineNames.size()))
            return fOwner->DefLineNames[static_cast<size_t>(p)];
        return fOwner->CurveName + FormatGeneral(Value, 15);
    }
    return "Curve #" + FormatGeneral(Value, 15);
}

void TLineList::SetLineCount(int n) {
    n = std::max(n, 0);
    const int points = Count();
    while (LineCount() > n) fLines.pop_back();
    while (LineCount() < n) {
        auto line = std::make_unique<TLine>(fOwner, LineCount() + 1);
        line->SetCount(points);
        fLines.push_back(std::move(line));
    }
}

void TLineList::SetCount(int n) {
    for (auto& line : fLines) line->SetCount(n);
}

int TLineList::IndexOf(const TLine* line) const {
    for (size_t i = 0; i < fLines.size(); ++i)
        if (fLines[i].get() == line) return static_cast<int>(i);
    return -1;
}

TGraphPlot::TGraphPlot() = default;

// The window goes first: it may still look at the lines while it is torn down.
TGraphPlot::~TGraphPlot() {
    fWindow.reset();
}

TLineList& TGraphPlot::List(TLineKind kind) {
    return const_cast<TLineList&>(std::as_const(*this).List(kind));
}

const TLineList& TGraphPlot::List(TLineKind kind) const {
    switch (kind) {
    case TLineKind::Layers:
        return fLayerLines;
    case TLineKind::Panel2:
        return fLines2;
    case TLineKind::Panel3:
        return fLines3;
    case TLineKind::Main:
        break;
    }
    return fLines;
}

void TGraphPlot::SetUnits(int units) {
    fUnits = std::clamp(units, 1, 3);
}

std::string TGraphPlot::LegendName(int i) const {
    std::string name = fLines.Line(i).LineName();
    if (onGetCaption) onGetCaption(*this, i, name);
    return name;
}

std::string TGraphPlot::UnitLabel(const std::string& code) const {
    return PlotUnitLabel(code, fUnits);
}

std::string TGraphPlot::AxisTitle(const std::string& caption, const std::string& code) const {
    if (code.empty()) return caption;
    return caption + " (" + UnitLabel(code) + ")";
}

void TGraphPlot::ApplyActiveLimit() {
    if (!LimitActive) return;
    for (int i = ActiveLimit; i < fLines.LineCount(); ++i) fLines.Line(i).Active = false;
}

void TGraphPlot::Show() {
    if (!FormExists()) {
        if (!fFactory) return;
        fWindow.reset(); // the handle of a window that went away by itself
        ApplyActiveLimit();
        fWindow = fFactory(*this);
        if (!fWindow) return;
    }
    fWindow->ShowWindow();
}

void TGraphPlot::Hide() {
    fWindow.reset();
}

void ResetGraphPlot(TGraphPlot& plot) {
    plot.List(TLineKind::Main).SetLineCount(0);
    plot.Markers = 1;
    plot.SizeFont = 10;
    plot.WidthLine = 1;
    plot.XRange = {};
    plot.YRange = {};
}

void AddLayersGraphPlot(TGraphPlot& plot, const std::vector<LayerRow>& layers, int projectUnits,
                        bool userTz, bool userQw) {
    if (userTz && userQw) return;
    bool hasPoints = false;
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount() && !hasPoints; ++i)
        hasPoints = curves.Line(i).Count() > 0;
    if (!hasPoints) return;

    TLineList& overlay = plot.List(TLineKind::Layers);
    overlay.SetLineCount(static_cast<int>(layers.size()));
    overlay.SetCount(1);
    plot.ShowLayers = false;
    for (int i = 0; i < overlay.LineCount(); ++i) {
        const LayerRow& layer = layers[static_cast<size_t>(i)];
        TLine& line = overlay.Line(i);
        TFloatPoint& point = line.Point(0);
        point = TFloatPoint{}; // a reused line must not keep an earlier pattern code
        line.SetLineName("LAYER " + std::to_string(i + 1));
        switch (layer.method) {
        case 1:
        case 3:
        case 5:
            line.SetLineName(" CLAY ");
            point.x = 1; // clay fill pattern
            break;
        case 2:
        case 4:
        case 6:
            line.SetLineName(" SAND ");
            point.x = 7; // sand fill pattern
            break;
        default:
            break;
        }
        point.y = projectUnits == English ? layer.bottom / 12 : layer.bottom;
    }
}

} // namespace dorvek
