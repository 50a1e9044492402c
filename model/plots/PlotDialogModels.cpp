#include "model/plots/PlotDialogModels.h"

#include <cmath>

namespace dorvek {

TLegendNamesModel::TLegendNamesModel(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount(); ++i) fNames.push_back(curves.Line(i).LineName());
    if (!fNames.empty()) fSelected = 0;
}

void TLegendNamesModel::Select(int i) {
    if (i >= 0 && i < Count()) fSelected = i;
}

bool TLegendNamesModel::Store(const std::string& text) {
    if (fSelected < 0) return false;
    if (text.empty()) return false;
    fNames[static_cast<size_t>(fSelected)] = text;
    return true;
}

void TLegendNamesModel::Apply(TGraphPlot& plot) const {
    TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < Count() && i < curves.LineCount(); ++i)
        curves.Line(i).SetLineName(fNames[static_cast<size_t>(i)]);
    plot.AnyChange = true;
}

TActiveCurvesModel::TActiveCurvesModel(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount(); ++i) {
        fFlags.push_back(curves.Line(i).Active);
        fNames.push_back(plot.LegendName(i));
    }
}

std::string TActiveCurvesModel::EntryText(int i) const {
    return std::string(Active(i) ? " yes : " : " no  : ") + "   " +
           fNames.at(static_cast<size_t>(i));
}

void TActiveCurvesModel::Toggle(const std::vector<int>& selected) {
    for (int i : selected)
        if (i >= 0 && i < Count()) fFlags[static_cast<size_t>(i)] = !fFlags[static_cast<size_t>(i)];
}

void TActiveCurvesModel::SetAll(bool active) {
    fFlags.assign(fFlags.size(), active);
}

void TActiveCurvesModel::Apply(TGraphPlot& plot) const {
    TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < Count() && i < curves.LineCount(); ++i)
        curves.Line(i).Active = fFlags[static_cast<size_t>(i)];
    plot.AnyChange = true;
}

const std::vector<TSizePreset>& PictureSizePresets() {
    // A figure across the text width of a letter or A4 page, sharp in print.
    static const std::vector<TSizePreset> presets{
        {"Report (6.5 x 4.5 in, 300 dpi)", 6.5, 4.5, 300}};
    return presets;
}

std::optional<size_t> PresetOf(const TSaveAttributes& a) {
    const auto& presets = PictureSizePresets();
    for (size_t i = 0; i < presets.size(); ++i)
        if (a.WidthIn == presets[i].WidthIn && a.HeightIn == presets[i].HeightIn &&
            a.PixelsPerInch == presets[i].PixelsPerInch)
            return i;
    return std::nullopt;
}

TSaveAttributes WithPreset(TSaveAttributes a, const TSizePreset& preset) {
    a.WidthIn = preset.WidthIn;
    a.HeightIn = preset.HeightIn;
    a.PixelsPerInch = preset.PixelsPerInch;
    return a;
}

const std::vector<std::string>& PictureColorNames() {
    static const std::vector<std::string> names = {"Monochrome", "16 Colors", "256 Colors",
                                                   "True Color (24 bit)"};
    return names;
}

bool SaveAttributesValid(const TSaveAttributes& a) {
    return a.HeightIn >= MinPictureInches && a.WidthIn >= MinPictureInches &&
           a.PixelsPerInch >= MinPixelsPerInch;
}

int PicturePixels(double inches, double pixelsPerInch) {
    return static_cast<int>(std::lround(inches * pixelsPerInch));
}

} // namespace dorvek
