#pragma once
// The logic of the plot window's dialogs: renaming curves ("Legend"), switching curves on and
// off ("Active Curves") and the size of a saved picture ("Save Attributes").

#include "model/plots/GraphPlot.h"

#include <optional>
#include <string>
#include <vector>

namespace dorvek {

inline constexpr const char* EmptyLegendMessage = "The line must have a name!";

// Names of all curves of a plot, edited one at a time.
class TLegendNamesModel {
public:
    explicit TLegendNamesModel(const TGraphPlot& plot);

    int Count() const { return static_cast<int>(fNames.size()); }
    const std::string& Name(int i) const { return fNames.at(static_cast<size_t>(i)); }
    int Selected() const { return fSelected; }
    void Select(int i);
    // Stores a text into the selected entry. An empty text is refused: false, and the entry
    // keeps its name.
    bool Store(const std::string& text);
    // Every curve's explicit name := its entry; sets AnyChange.
    void Apply(TGraphPlot& plot) const;

private:
    std::vector<std::string> fNames;
    int fSelected = -1;
};

// The activity flag of every curve of a plot.
class TActiveCurvesModel {
public:
    explicit TActiveCurvesModel(const TGraphPlot& plot);

    int Count() const { return static_cast<int>(fFlags.size()); }
    bool Active(int i) const { return fFlags.at(static_cast<size_t>(i)); }
    // " yes : " or " no  : ", three blanks and the name.
    std::string EntryText(int i) const;
    void Toggle(const std::vector<int>& selected);
    void SetAll(bool active);
    // The flagged curves become active, the others inactive; sets AnyChange.
    void Apply(TGraphPlot& plot) const;

private:
    std::vector<bool> fFlags;
    std::vector<std::string> fNames;
};

// Size of a saved picture.
enum class TPictureColors { Monochrome, Colors16, Colors256, TrueColor };

struct TSaveAttributes {
    double HeightIn = 6;
    double WidthIn = 8;
    double PixelsPerInch = 96;
    TPictureColors Colors = TPictureColors::TrueColor;
};

inline constexpr double MinPictureInches = 2.0;
inline constexpr double MinPixelsPerInch = 10;

// Named picture sizes offered beside the free size, e.g. the report figure.
struct TSizePreset {
    std::string Name;
    double WidthIn = 0;
    double HeightIn = 0;
    double PixelsPerInch = 0;
};
const std::vector<TSizePreset>& PictureSizePresets();
// Position of the preset the attributes match; none for a free size.
std::optional<size_t> PresetOf(const TSaveAttributes& a);
// The attributes with a preset's size and resolution; the colours stay.
TSaveAttributes WithPreset(TSaveAttributes a, const TSizePreset& preset);

// Texts of the "Colors" choice, in the order of TPictureColors.
const std::vector<std::string>& PictureColorNames();
// The attributes within their limits.
bool SaveAttributesValid(const TSaveAttributes& a);
// Picture size in pixels: inches x pixels per inch, rounded.
int PicturePixels(double inches, double pixelsPerInch);

} // namespace dorvek
