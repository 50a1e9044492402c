#include "gui/plots/PlotPicture.h"

#include "gui/plots/PlotRenderer.h"
#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"
#include "model/plots/AxisRanges.h"
#include "model/plots/GraphCsv.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <new>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Bytes(const QByteArray& a) {
    return std::string(a.constData(), static_cast<size_t>(a.size()));
}

// QImage refuses images beyond this many bytes; so do we, before trying.
constexpr double MaxImageBytes = 1.9e9;

TPlotTarget Target(QRect rect, int ppi, TPlotTarget::Kind kind,
                   std::optional<std::pair<double, double>> legend, const TPictureSize& size) {
    TPlotTarget t{rect, ppi, ppi, kind, legend};
    t.LegendOffCurves = size.LegendOffCurves;
    t.PaletteKind = size.PaletteKind;
    t.BlackText = size.BlackText;
    return t;
}

std::string BitmapBytes(const TGraphPlot& plot, const TLogicBounds& view, PictureFormat format,
                        int w, int h, const TPictureSize& size,
                        std::optional<std::pair<double, double>> legend) {
    const int ppi = size.Ppi;
    if (static_cast<double>(w) * h * 4 > MaxImageBytes)
        throw PlotPictureError(NotEnoughMemoryMessage);
    QImage image;
    try {
        image = QImage(w, h, QImage::Format_RGB32);
    } catch (const std::bad_alloc&) {
        throw PlotPictureError(NotEnoughMemoryMessage);
    }
    if (image.isNull()) throw PlotPictureError(NotEnoughMemoryMessage);
    const int dotsPerMetre = static_cast<int>(std::lround(ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        PaintPlot(painter, plot, view,
                  Target(QRect(0, 0, w, h), ppi, TPlotTarget::Picture, legend, size));
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format == PictureFormat::Bmp ? "BMP" : "PNG"))
        throw PlotPictureError("The picture could not be encoded.");
    return Bytes(out);
}

std::string SvgBytes(const TGraphPlot& plot, const TLogicBounds& view, int w, int h,
                     const TPictureSize& size, std::optional<std::pair<double, double>> legend) {
    const int ppi = size.Ppi;
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setResolution(ppi);
    svg.setTitle(QString::fromStdString(plot.Caption));
    {
        QPainter painter(&svg);
        PaintPlot(painter, plot, view,
                  Target(QRect(0, 0, w, h), ppi, TPlotTarget::Vector, legend, size));
    }
    return Bytes(out);
}

std::string PdfBytes(const TGraphPlot& plot, const TLogicBounds& view, const TPictureSize& size,
                     std::optional<std::pair<double, double>> legend) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QString::fromStdString(plot.Caption));
    pdf.setCreator("DORVEK");
    pdf.setResolution(size.Ppi);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size.WidthIn, size.HeightIn), QPageSize::Inch,
                                            QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    {
        QPainter painter(&pdf);
        const QRect page = painter.viewport();
        PaintPlot(painter, plot, view,
                  Target(QRect(0, 0, page.width(), page.height()), size.Ppi, TPlotTarget::Vector,
                         legend, size));
    }
    return Bytes(out);
}

} // namespace

std::optional<PictureFormat> PictureFormatFromName(const std::string& name) {
    const std::string n = Lower(name);
    if (n == "bmp") return PictureFormat::Bmp;
    if (n == "png") return PictureFormat::Png;
    if (n == "svg") return PictureFormat::Svg;
    if (n == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatFromPath(const fs::path& file) {
    const std::string ext = file.extension().string();
    if (ext.size() < 2) return std::nullopt;
    return PictureFormatFromName(ext.substr(1));
}

const char* PictureExtension(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return ".bmp";
    case PictureFormat::Png:
        return ".png";
    case PictureFormat::Svg:
        return ".svg";
    case PictureFormat::Pdf:
        return ".pdf";
    }
    return ".png";
}

std::string PlotPictureBytes(const TGraphPlot& plot, const TLogicBounds& view, PictureFormat format,
                             const TPictureSize& size,
                             std::optional<std::pair<double, double>> legendPosition) {
    if (!(size.WidthIn > 0) || !(size.HeightIn > 0) || size.Ppi <= 0)
        throw PlotPictureError("The picture size must be positive.");
    const double wd = std::round(size.WidthIn * size.Ppi);
    const double hd = std::round(size.HeightIn * size.Ppi);
    if (wd > 1e6 || hd > 1e6) throw PlotPictureError(NotEnoughMemoryMessage);
    const int w = std::max(1, static_cast<int>(wd));
    const int h = std::max(1, static_cast<int>(hd));
    switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Png:
        return BitmapBytes(plot, view, format, w, h, size, legendPosition);
    case PictureFormat::Svg:
        return SvgBytes(plot, view, w, h, size, legendPosition);
    case PictureFormat::Pdf:
        return PdfBytes(plot, view, size, legendPosition);
    }
    return {};
}

void WritePlotPicture(const TGraphPlot& plot, const TLogicBounds& view, const fs::path& file,
                      const TPictureSize& size,
                      std::optional<std::pair<double, double>> legendPosition) {
    const auto format = PictureFormatFromPath(file);
    if (!format)
        throw PlotPictureError(file.string() +
                               ": unknown picture type (use .bmp, .png, .svg or .pdf)");
    const std::string bytes = PlotPictureBytes(plot, view, *format, size, legendPosition);
    try {
        ReplaceFile(file, bytes);
    } catch (const EInOutError& e) {
        throw PlotPictureError(e.what());
    }
}

std::vector<fs::path> WriteGraphPictures(const std::vector<const TGraphPlot*>& graphs,
                                         const fs::path& folder, PictureFormat format,
                                         const TPictureSize& size) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw PlotPictureError(folder.string() + ": " + ec.message());
    std::vector<fs::path> written;
    std::map<std::string, int> used;
    for (const TGraphPlot* plot : graphs) {
        if (!plot->HasSomethingToDraw()) continue;
        const auto view = RangedView(*plot);
        if (!view) continue;
        std::string stem = fs::path(GraphCsvFileName(plot->Caption)).stem().string();
        const int n = ++used[stem];
        if (n > 1) stem.append(1, '_').append(std::to_string(n));
        const fs::path file = folder / (stem + PictureExtension(format));
        WritePlotPicture(*plot, *view, file, size);
        written.push_back(file);
    }
    return written;
}

} // namespace dorvek
