#pragma once
// Pictures of a result graph as files: BMP and PNG (a bitmap of width x ppi by height x ppi
// pixels), SVG and PDF (vector, one page), chosen by the file's extension. Written through a
// temporary file and a rename, so a failed write leaves no partial file.
//   WritePlotPicture(plot, view, "load.png", TPictureSize{});
//   WriteGraphPictures(graphs, folder, PictureFormat::Svg, size);   // from a worker thread too
// Needs a QGuiApplication (the offscreen platform will do).

#include "model/plots/GraphPlot.h"
#include "model/plots/PlotView.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dorvek {

inline constexpr const char* NotEnoughMemoryMessage =
    "There is not enough memory to complete this task.";

class PlotPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PictureFormat { Bmp, Png, Svg, Pdf };

// By extension (case ignored): .bmp .png .svg .pdf; nullopt otherwise.
std::optional<PictureFormat> PictureFormatFromPath(const std::filesystem::path& file);
// By name: "bmp", "png", "svg", "pdf".
std::optional<PictureFormat> PictureFormatFromName(const std::string& name);
const char* PictureExtension(PictureFormat format); // ".png" ...

// Picture size in inches and its resolution. Defaults: 10 x 7.5 inches at 100 pixels per inch
// (a 1000 x 750 bitmap).
struct TPictureSize {
    double WidthIn = 10;
    double HeightIn = 7.5;
    int Ppi = 100;
    // Drawing choices over the plot's own (-1 keeps the plot's): see TPlotTarget.
    int LegendOffCurves = -1;
    int PaletteKind = -1;
    bool BlackText = false;
};

// The report preset: 6.5 x 4.5 inches (a page's text width) at 300 pixels per inch.
inline constexpr TPictureSize ReportPictureSize{6.5, 4.5, 300};

// The bytes of a picture file. Throws PlotPictureError (NotEnoughMemoryMessage when the bitmap
// cannot be allocated, or when it would exceed the toolkit's limits).
std::string PlotPictureBytes(const TGraphPlot& plot, const TLogicBounds& view, PictureFormat format,
                             const TPictureSize& size,
                             std::optional<std::pair<double, double>> legendPosition = {});

// Writes one picture; the format comes from the extension. Throws PlotPictureError (also
// for an unknown extension or an unwritable file); nothing is written on failure.
void WritePlotPicture(const TGraphPlot& plot, const TLogicBounds& view,
                      const std::filesystem::path& file, const TPictureSize& size,
                      std::optional<std::pair<double, double>> legendPosition = {});

// One picture per graph that has something to draw, each of its full extent (or its axis ranges),
// named after its caption like the CSV files ("Load_Distribution.png"; repeated captions get "_2",
// ...), into folder (created when missing). Graphs with a degenerate extent are skipped. Returns
// the written paths in graph order; throws PlotPictureError on the first failure.
std::vector<std::filesystem::path> WriteGraphPictures(const std::vector<const TGraphPlot*>& graphs,
                                                      const std::filesystem::path& folder,
                                                      PictureFormat format,
                                                      const TPictureSize& size);

} // namespace dorvek
