#include "gui/plots/PileSideRender.h"

#include "model/io/AtomicFile.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace dorvek {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A text with its top-left corner at (x, y) on an opaque background, so that it reads over
// hatches and lines.
void DrawTextAt(QPainter& p, double x, double y, const QString& text, const TPileSideStyle& style,
                Qt::Alignment horizontal = Qt::AlignLeft, bool opaque = true) {
    const QFontMetricsF metrics(p.font(), p.device());
    const double width = metrics.horizontalAdvance(text);
    const double left = horizontal == Qt::AlignRight ? x - width : x;
    const QRectF box(left, y, width, metrics.height());
    if (opaque) p.fillRect(box, style.Background);
    p.setPen(style.Text);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

// Depth ticks beside the pile, from the ground (or the pile head above it) to the deepest of
// the layers and the tip, labelled in the display unit.
template <typename MapY>
void DrawDepthScale(QPainter& p, const TPileSideModel& model, double x, double tick, MapY mapY,
                    const TPileSideStyle& style) {
    const long double from = std::min(0.0L, model.HeadDepth());
    const long double to = std::max(model.LayersBottom(), model.TipDepth());
    const auto ticks = TPileSideModel::DepthTicks(from, to, 8);
    if (ticks.empty()) return;
    const QFontMetricsF metrics(p.font(), p.device());
    p.setPen(QPen(style.Text, 0));
    p.drawLine(QPointF(x, mapY(from)), QPointF(x, mapY(to)));
    for (const TDepthTick& t : ticks) {
        const double y = mapY(t.Depth);
        p.drawLine(QPointF(x, y), QPointF(x + tick, y));
        // Without a background, so that the lines they cross stay whole.
        // Just above the tick, clear of a layer line at the same depth; the first names the
        // unit.
        QString label = Text(t.Text);
        if (&t == &ticks.front())
            label += QLatin1Char(' ') + QString::fromLatin1(DisplayUnitName(model.Units()));
        DrawTextAt(p, x + tick * 1.5, y - metrics.height(), label, style, Qt::AlignLeft, false);
    }
}

// The pile polygons, filled in the text colour.
template <typename Map>
void FillPile(QPainter& p, const TPileSideModel& model, Map map, const TPileSideStyle& style) {
    p.setPen(Qt::NoPen);
    p.setBrush(style.Text);
    for (const TPilePolygon& polygon : model.DataG) {
        QPolygonF shape;
        for (const TWorldPoint& point : polygon) shape << map(point);
        p.drawPolygon(shape);
    }
    p.setBrush(Qt::NoBrush);
}

QBrush BandBrush(TSoilFamily family) {
    switch (family) {
    case TSoilFamily::Clay:
        return QBrush(ClayColour, Qt::BDiagPattern);
    case TSoilFamily::Sand:
        return QBrush(SandColour, Qt::VerPattern);
    default:
        return QBrush(Qt::NoBrush);
    }
}

} // namespace

void PaintScreen(QPainter& p, const TPileSideModel& model, const TPileSideStyle& style) {
    const int width = model.Width(), height = model.Height();
    p.fillRect(QRect(0, 0, width, height), style.Background);
    if (model.NoDraw) return;
    p.setFont(style.Font);
    const QFontMetrics metrics(p.font(), p.device());
    const QPen line(style.Text, 0);

    const std::vector<TLayerBand> bands = model.Bands();
    for (size_t i = 0; i < bands.size(); ++i) {
        const TLayerBand& band = bands[i];
        const int top = model.PixelY(band.Top), bottom = model.PixelY(band.Bottom);
        // The band between the lines, so that the line above stays visible.
        const QRect area = QRect(QPoint(0, std::min(top, bottom) + 1),
                                 QPoint(width - 1, std::max(top, bottom) - 1));
        if (area.isValid()) {
            p.fillRect(area, style.Background);
            if (!style.OmitHatches) p.fillRect(area, BandBrush(band.Family));
        }
        p.setPen(line);
        p.drawLine(0, bottom, width, bottom);
        if (model.ScreenLabels()) {
            DrawTextAt(p, 2, top + metrics.height(), Text(band.Label), style);
            DrawTextAt(p, 2, top + 2 * metrics.height(), Text(band.MethodName), style);
        }
        if (i == 0) {
            const int ground = model.PixelY(0);
            p.setPen(line);
            p.drawLine(0, ground, width, ground);
            for (int x : TPileSideModel::GroundTicks(width))
                p.drawLine(x, ground, x + 5, ground + 5);
        }
    }
    if (bands.empty()) {
        const int ground = model.PixelY(0);
        p.setPen(line);
        p.drawLine(0, ground, width, ground);
    }

    FillPile(
        p, model,
        [&](const TWorldPoint& w) { return QPointF(model.PixelX(w.x), model.PixelY(w.y)); }, style);
    const double pileRight = model.PixelX(model.diam1 / 2);
    DrawDepthScale(
        p, model, pileRight + 12, 6, [&](long double d) { return double(model.PixelY(d)); }, style);
    if (model.dleng1 > 0)
        DrawTextAt(p, model.PixelX(-model.diam1 / 2) - 6,
                   model.PixelY(model.TipDepth()) - metrics.height() / 2.0, Text(model.TipText()),
                   style, Qt::AlignRight, false);
}

void PaintPage(QPainter& p, const TPileSideModel& model, int width, int height, int dpi,
               const TPileSideStyle& style) {
    const TPrintLayout page = model.PrintLayout(width, height, dpi);
    if (!page.Valid) return;
    p.setFont(style.Font);
    const QFontMetricsF metrics(p.font(), p.device());
    p.fillRect(QRect(QPoint(page.FrameLeft, page.FrameTop),
                     QPoint(page.FrameRight - 1, page.FrameBottom - 1)),
               style.Background);
    const QPen thick(style.Text, page.PenWidth, Qt::SolidLine, Qt::FlatCap);

    p.setPen(thick);
    p.drawLine(QPointF(page.FrameLeft, page.GroundY), QPointF(page.FrameRight, page.GroundY));
    p.setPen(QPen(style.Text, page.PenWidth / 2, Qt::SolidLine, Qt::FlatCap));
    for (int x : page.TickX)
        p.drawLine(QPointF(x, page.GroundY),
                   QPointF(x + page.TickLength, page.GroundY + page.TickLength));

    const double indent = page.FrameLeft + 20 * page.Unit;
    for (const TLayerBand& band : model.Bands()) {
        p.setPen(thick);
        p.drawLine(QPointF(page.FrameLeft, page.Y(band.Bottom)),
                   QPointF(page.FrameRight, page.Y(band.Bottom)));
        const double top = page.Y(std::min(band.Top, band.Bottom));
        const double h = metrics.height();
        // Both lines inside the frame, even for a layer whose bottom lies above its top.
        const double first =
            TextTopInside(top + h, 2 * h, page.FrameTop, page.FrameBottom, page.PenWidth);
        DrawTextAt(p, indent, first, Text(band.Label), style);
        DrawTextAt(p, indent, first + h, Text(band.MethodName), style);
    }

    FillPile(
        p, model, [&](const TWorldPoint& w) { return QPointF(page.X(w.x), page.Y(w.y)); }, style);
    DrawDepthScale(
        p, model, page.X(model.diam1 / 2) + 40 * page.Unit, 20 * page.Unit,
        [&](long double d) { return page.Y(d); }, style);
    if (model.dleng1 > 0)
        DrawTextAt(p, page.X(-model.diam1 / 2) - 20 * page.Unit,
                   TextTopInside(page.Y(model.TipDepth()) - metrics.height() / 2, metrics.height(),
                                 page.FrameTop, page.FrameBottom, page.PenWidth),
                   Text(model.TipText()), style, Qt::AlignRight, false);
}

std::optional<TPictureKind> PictureKindOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") return TPictureKind::Png;
    if (extension == ".svg") return TPictureKind::Svg;
    if (extension == ".pdf") return TPictureKind::Pdf;
    return std::nullopt;
}

std::string PictureBytes(const TPileSideModel& model, TPictureKind kind,
                         const TPileSideStyle& style) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (kind) {
    case TPictureKind::Png: {
        constexpr int dpi = 150;
        QImage image(1754, 1240, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
        image.fill(style.Background);
        {
            QPainter p(&image);
            PaintPage(p, model, image.width(), image.height(), dpi, style);
        }
        if (!image.save(&buffer, "PNG"))
            throw std::runtime_error("the PNG picture could not be made");
        break;
    }
    case TPictureKind::Svg: {
        constexpr int dpi = 96;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(dpi);
        svg.setSize(QSize(1123, 794));
        svg.setViewBox(QRect(0, 0, 1123, 794));
        svg.setTitle(QStringLiteral("Soil-Pile Profile"));
        QPainter p;
        if (!p.begin(&svg)) throw std::runtime_error("the SVG picture could not be made");
        p.fillRect(QRect(0, 0, 1123, 794), style.Background);
        PaintPage(p, model, 1123, 794, dpi, style);
        p.end();
        break;
    }
    case TPictureKind::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("Soil-Pile Profile"));
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        QPainter p;
        if (!p.begin(&pdf)) throw std::runtime_error("the PDF picture could not be made");
        PaintPage(p, model, pdf.width(), pdf.height(), pdf.resolution(), style);
        p.end();
        break;
    }
    }
    buffer.close();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void WriteProfilePicture(const TPileSideInput& input, const std::filesystem::path& target) {
    const std::optional<TPictureKind> kind = PictureKindOf(target);
    if (!kind)
        throw std::runtime_error(target.string() +
                                 ": the picture type is not known (use .png, .svg or .pdf)");
    TPileSideModel model;
    model.Build(input);
    TPileSideStyle style;
    style.Font = QFont(QStringLiteral("Times New Roman"), 10);
    std::string bytes;
    try {
        bytes = PictureBytes(model, *kind, style);
    } catch (const std::exception& e) {
        throw std::runtime_error(target.string() + ": " + e.what());
    }
    ReplaceFile(target, bytes);
}

} // namespace dorvek
