// Pixels of graphs drawn by the renderer, and the picture files written from them.

#include "gui/plots/PlotRenderer.h"
#include "gui/plots/PlotPicture.h"
#include "gui/plots/SoilPatterns.h"
#include "model/plots/PlotStyle.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

// Two straight curves from (0, 0) to (10, 40) and (5, 40) on a depth axis with two layers.
void MakePlot(TGraphPlot& plot) {
    plot.XCaption = "Axial Load";
    plot.XUnits = "F1";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.XOnTop = true;
    plot.Markers = 0;
    plot.List(TLineKind::Main).SetLineCount(2);
    plot.List(TLineKind::Main).SetCount(3);
    plot.List(TLineKind::Main).Point(0, 0) = {0, 0};
    plot.List(TLineKind::Main).Point(0, 1) = {5, 20};
    plot.List(TLineKind::Main).Point(0, 2) = {10, 40};
    plot.List(TLineKind::Main).Point(1, 0) = {0, 0};
    plot.List(TLineKind::Main).Point(1, 1) = {2.5L, 20};
    plot.List(TLineKind::Main).Point(1, 2) = {5, 40};
    plot.List(TLineKind::Layers).SetLineCount(2);
    plot.List(TLineKind::Layers).SetCount(1);
    plot.List(TLineKind::Layers).Point(0, 0) = {1, 20};
    plot.List(TLineKind::Layers).Point(1, 0) = {7, 40};
    plot.List(TLineKind::Layers).Line(0).SetLineName(" CLAY ");
    plot.List(TLineKind::Layers).Line(1).SetLineName(" SAND ");
}

struct Drawn {
    QImage image;
    TPlotLayout layout;
};

Drawn Draw(const TGraphPlot& plot, int w = 960, int h = 720,
           TPlotTarget::Kind kind = TPlotTarget::Picture) {
    Drawn d{QImage(w, h, QImage::Format_RGB32), {}};
    d.image.fill(Qt::red); // anything not painted would show
    QPainter painter(&d.image);
    d.layout = PaintPlot(painter, plot, *FullExtent(plot), {d.image.rect(), 96, 96, kind, {}});
    return d;
}

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Curves are antialiased: a pixel within a few shades of the colour counts.
bool Close(QRgb a, QRgb b) {
    constexpr int Shades = 0x70;
    return std::abs(qRed(a) - qRed(b)) <= Shades && std::abs(qGreen(a) - qGreen(b)) <= Shades &&
           std::abs(qBlue(a) - qBlue(b)) <= Shades;
}

bool HasColourNear(const QImage& image, double x, double y, QRgb colour, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (Close(Rgb(image, static_cast<int>(x) + dx, static_cast<int>(y) + dy), colour))
                return true;
    return false;
}

TEST(PlotRenderer, BackgroundFrameCurvesInTheirColours) {
    TGraphPlot plot;
    MakePlot(plot);
    const Drawn d = Draw(plot);
    const TPixelRect& g = d.layout.GraphArea;
    EXPECT_EQ(Rgb(d.image, 2, d.image.height() - 3), 0xFFFFFFu); // white fill, no red left
    EXPECT_EQ(Rgb(d.image, d.image.width() - 3, 2), 0xFFFFFFu);
    // Black frame on the graph area's edges, away from ticks and grid.
    EXPECT_EQ(Rgb(d.image, g.Right, g.Top + g.Height() / 2 + 3), 0u);
    EXPECT_EQ(Rgb(d.image, g.Left + 3, g.Bottom), 0u);
    const TPlotMapping map(g, *FullExtent(plot), true);
    // Curve 2 (palette blue) through its middle point (2.5, 20); curve 1 black at (5, 20).
    EXPECT_TRUE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x0000FFu));
    EXPECT_TRUE(HasColourNear(d.image, map.PixelX(5), map.PixelY(20), 0x000000u));
    // Depth 0 at the top edge: the curves start at the top-left corner, not at the bottom.
    EXPECT_EQ(map.PixelY(0), g.Top);
}

TEST(PlotRenderer, HiddenCurvesAreNotDrawnAndDeactivationShiftsColours) {
    TGraphPlot plot;
    MakePlot(plot);
    plot.List(TLineKind::Main).Line(0).Active = false; // curve 2 takes colour 0 (black)
    Drawn d = Draw(plot);
    TPlotMapping map(d.layout.GraphArea, *FullExtent(plot), true);
    EXPECT_TRUE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x000000u));
    EXPECT_FALSE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x0000FFu, 3));
    plot.List(TLineKind::Main).Line(0).Active = true;
    plot.List(TLineKind::Main).Line(0).Visible = false; // curve 2 keeps blue, curve 1 gone
    d = Draw(plot);
    map = TPlotMapping(d.layout.GraphArea, *FullExtent(plot), true);
    EXPECT_TRUE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x0000FFu));
    const double x = map.PixelX(7.5L), y = map.PixelY(30);
    EXPECT_FALSE(HasColourNear(d.image, x, y, 0x000000u, 0));
}

TEST(PlotRenderer, MeasuredPointsAloneAndDashedReferenceLines) {
    TGraphPlot plot;
    MakePlot(plot); // the plot's markers are off
    plot.List(TLineKind::Main).Line(1).Role = TLineRole::Markers;
    Drawn d = Draw(plot);
    TPlotMapping map(d.layout.GraphArea, *FullExtent(plot), true);
    // Nothing blue halfway between the points (1.25, 10); a blue marker outline around the
    // point (2.5, 20), its radius 96 / 32 = 3 pixels, and its centre left white.
    EXPECT_FALSE(HasColourNear(d.image, map.PixelX(1.25L), map.PixelY(10), 0x0000FFu, 1));
    EXPECT_TRUE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x0000FFu, 4));
    EXPECT_FALSE(HasColourNear(d.image, map.PixelX(2.5L), map.PixelY(20), 0x0000FFu, 0));

    plot.List(TLineKind::Main).Line(1).Role = TLineRole::Reference;
    d = Draw(plot);
    map = TPlotMapping(d.layout.GraphArea, *FullExtent(plot), true);
    // Along the dashed line from (0, 0) to (2.5, 20): some samples blue, some gaps.
    int blue = 0, gaps = 0;
    for (int k = 10; k < 90; ++k) {
        const long double t = k / 100.0L;
        const bool on =
            HasColourNear(d.image, map.PixelX(2.5L * t), map.PixelY(20 * t), 0x0000FFu, 0);
        (on ? blue : gaps) += 1;
    }
    EXPECT_GT(blue, 20);
    EXPECT_GT(gaps, 10);
    // Solid, the same samples are all blue.
    plot.List(TLineKind::Main).Line(1).Role = TLineRole::Curve;
    d = Draw(plot);
    map = TPlotMapping(d.layout.GraphArea, *FullExtent(plot), true);
    for (int k = 10; k < 90; k += 7) {
        const long double t = k / 100.0L;
        EXPECT_TRUE(HasColourNear(d.image, map.PixelX(2.5L * t), map.PixelY(20 * t), 0x0000FFu));
    }
}

TEST(PlotRenderer, SoilStripHatchedAndOutlined) {
    TGraphPlot plot;
    MakePlot(plot);
    plot.ShowLayers = true;
    const Drawn d = Draw(plot);
    ASSERT_TRUE(d.layout.HasLayers);
    const TPixelRect& s = d.layout.LayersArea;
    const TPlotMapping map(d.layout.GraphArea, *FullExtent(plot), true);
    // The clay band (depth 0..20) carries black hatch pixels away from its name.
    int black = 0, white = 0;
    const int y0 = static_cast<int>(map.PixelY(2)), y1 = static_cast<int>(map.PixelY(6));
    for (int y = y0; y <= y1; ++y)
        for (int x = s.Left + 2; x < s.Right - 2; ++x) (Rgb(d.image, x, y) == 0 ? black : white)++;
    EXPECT_GT(black, 20);
    EXPECT_GT(white, black);
    // Outline at the band boundary (depth 20) across the strip.
    EXPECT_EQ(Rgb(d.image, s.Left + (s.Right - s.Left) / 2, static_cast<int>(map.PixelY(20))), 0u);
    // Sand band has its picture pattern: some black too.
    black = 0;
    for (int y = static_cast<int>(map.PixelY(22)); y <= static_cast<int>(map.PixelY(26)); ++y)
        for (int x = s.Left + 2; x < s.Right - 2; ++x) black += Rgb(d.image, x, y) == 0;
    EXPECT_GT(black, 5);
    // Nothing of the strip leaks into the graph area's right part.
    EXPECT_EQ(Rgb(d.image, d.layout.GraphArea.Right + 5, static_cast<int>(map.PixelY(3))),
              0xFFFFFFu);
}

TEST(PlotRenderer, LegendBoxOnlyInPictures) {
    TGraphPlot plot;
    MakePlot(plot);
    const Drawn pic = Draw(plot);
    const Drawn screen = Draw(plot, 960, 720, TPlotTarget::Screen);
    const TPixelRect& g = pic.layout.GraphArea;
    // Legend box at the lower-right corner of the graph area: a white box with a black
    // outline whose left edge lies left of the frame's corner.
    int boxLeft = -1;
    for (int x = g.Right - 1; x > g.Left; --x)
        if (Rgb(pic.image, x, g.Bottom - 2) == 0 && Rgb(pic.image, x - 1, g.Bottom - 2) != 0 &&
            Rgb(pic.image, x, g.Bottom - 6) == 0) {
            boxLeft = x;
            break;
        }
    EXPECT_GT(boxLeft, g.Left + g.Width() / 2);
    EXPECT_NE(pic.image, screen.image);
}

// A picture of size inches at ppi with the window's legend near the lower-right corner.
QImage Picture(const TGraphPlot& plot, int ppi, TPlotLayout& layout,
               std::optional<std::pair<double, double>> legend = std::pair{0.85, 0.8}) {
    QImage image(10 * ppi, 7 * ppi, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    layout = PaintPlot(painter, plot, *FullExtent(plot),
                       {image.rect(), ppi, ppi, TPlotTarget::Picture, legend});
    return image;
}

TEST(PlotRendererReport, LegendBoxStaysInsideTheFrameAt100150And300Dpi) {
    for (int ppi : {100, 150, 300}) {
        TGraphPlot plot;
        MakePlot(plot);
        plot.ShowLayers = true;
        for (int i = 0; i < 2; ++i)
            plot.List(TLineKind::Main)
                .Line(i)
                .SetLineName("A rather long curve name " + std::to_string(i));
        TPlotLayout layout;
        const QImage image = Picture(plot, ppi, layout);
        const TPixelRect& g = layout.GraphArea;
        ASSERT_TRUE(layout.HasLayers);
        // Below the frame (the x axis is on top; the last y label may reach below the frame at
        // its left) the picture is blank: no box spilled there.
        for (int y = g.Bottom + 2; y < image.height(); y += 3)
            for (int x = g.Left; x < image.width(); x += 3)
                ASSERT_EQ(Rgb(image, x, y), 0xFFFFFFu) << ppi << " " << x << " " << y;
        // Between the frame and the soil strip: blank too.
        for (int y = g.Top; y <= g.Bottom; y += 2)
            for (int x = g.Right + 2; x < layout.LayersArea.Left - 1; ++x)
                ASSERT_EQ(Rgb(image, x, y), 0xFFFFFFu) << ppi << " " << x << " " << y;
        // The frame's right edge is unbroken: the box does not cover it.
        for (int y = g.Top; y <= g.Bottom; ++y) ASSERT_EQ(Rgb(image, g.Right, y), 0u) << ppi;
    }
}

TEST(PlotRendererReport, LinesAndTextAreAntialiased) {
    TGraphPlot plot;
    MakePlot(plot);
    TPlotLayout layout;
    const QImage image = Picture(plot, 100, layout, std::nullopt);
    // Along the slanted blue curve (the second one): more than two grey levels.
    std::set<QRgb> levels;
    const TPixelRect& g = layout.GraphArea;
    for (int y = g.Top + 20; y < g.Top + 120; ++y)
        for (int x = g.Left + 1; x < g.Right; ++x) {
            const QRgb c = Rgb(image, x, y);
            if ((c >> 16) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF)) continue; // greys
            if ((c & 0xFF) == 0xFF && (c >> 16) < 0xFF) levels.insert(c);             // blues
        }
    EXPECT_GT(levels.size(), 2u);
    // Text edges: the captions have grey pixels between black and white.
    std::set<QRgb> text;
    for (int y = 0; y < g.Top; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = Rgb(image, x, y);
            if ((c >> 16) == (c & 0xFF)) text.insert(c);
        }
    EXPECT_GT(text.size(), 2u);
}

TEST(PlotRendererReport, BlackTextKeepsLegendNamesBlack) {
    TGraphPlot plot;
    MakePlot(plot);
    plot.List(TLineKind::Main).SetLineCount(3);
    plot.List(TLineKind::Main).SetCount(3);
    // The third curve is red: with BlackText its legend name has no red pixels.
    for (bool black : {false, true}) {
        QImage image(1000, 700, QImage::Format_RGB32);
        QPainter painter(&image);
        TPlotTarget target{image.rect(), 100, 100, TPlotTarget::Picture, {}};
        target.BlackText = black;
        const TPlotLayout layout = PaintPlot(painter, plot, *FullExtent(plot), target);
        painter.end();
        int red = 0;
        // The legend box sits at the lower right of the graph area; names right of the samples.
        for (int y = layout.GraphArea.Bottom - 80; y < layout.GraphArea.Bottom; ++y)
            for (int x = layout.GraphArea.Right - 120; x < layout.GraphArea.Right; ++x) {
                const QRgb c = Rgb(image, x, y);
                if ((c >> 16) > 0xC0 && ((c >> 8) & 0xFF) < 0x60) ++red;
            }
        if (black)
            EXPECT_LT(red, 40); // only the short line sample is red
        else
            EXPECT_GT(red, 40);
    }
}

TEST(PlotRendererReport, LegendOffTheCurvesTakesAFreeCorner) {
    TGraphPlot plot;
    MakePlot(plot);
    plot.LegendOffCurves = true;
    // Curves run from the upper left to the lower right: the lower-right corner is taken.
    TPlotLayout layout;
    const QImage image = Picture(plot, 100, layout, std::nullopt);
    const TPixelRect& g = layout.GraphArea;
    // A box outline lies in the upper-right corner region (black pixels on a row near the top).
    int black = 0;
    for (int x = g.Right - 200; x < g.Right - 1; ++x)
        if (Rgb(image, x, g.Top + 100 / 16) == 0) ++black;
    EXPECT_GT(black, 50);
    // The legend choice of the target wins over the plot's: at the Part's corner instead.
    QImage part(1000, 700, QImage::Format_RGB32);
    {
        QPainter painter(&part);
        TPlotTarget target{part.rect(), 100, 100, TPlotTarget::Picture, {}};
        target.LegendOffCurves = 0;
        PaintPlot(painter, plot, *FullExtent(plot), target);
    }
    int partBlack = 0;
    for (int x = g.Right - 200; x < g.Right - 1; ++x)
        if (Rgb(part, x, g.Bottom - 1) == 0) ++partBlack;
    EXPECT_GT(partBlack, 50);
}

TEST(PlotRendererReport, ThickLinesKeepTheirMarkersVisible) {
    TGraphPlot plot;
    MakePlot(plot);
    plot.Markers = 1;
    plot.WidthLine = 10; // 10-pixel lines at 96 ppi: a 1/32-inch marker would vanish
    const Drawn d = Draw(plot);
    const TPlotMapping map(d.layout.GraphArea, *FullExtent(plot), true);
    // The first curve's middle marker (a triangle, kind 1) shows outside the 10-pixel line:
    // black pixels 15 pixels left of the point, where the line is far away.
    const double x = map.PixelX(5), y = map.PixelY(20);
    EXPECT_TRUE(HasColourNear(d.image, x - 19, y, 0x000000, 2) ||
                HasColourNear(d.image, x - 18, y, 0x000000, 2));
}

TEST(PlotRenderer, TinyTargetsAndBadDataNeverFail) {
    TGraphPlot plot;
    MakePlot(plot);
    const Drawn tiny = Draw(plot, 80, 60); // under one inch: white only
    for (int y = 0; y < 60; y += 7)
        for (int x = 0; x < 80; x += 7) EXPECT_EQ(Rgb(tiny.image, x, y), 0xFFFFFFu);

    TGraphPlot one; // one point per curve, 25 curves, values near 1e30, no captions
    one.List(TLineKind::Main).SetLineCount(25);
    one.List(TLineKind::Main).SetCount(1);
    for (int i = 0; i < 25; ++i) one.List(TLineKind::Main).Point(i, 0) = {1e30L * (i + 1), -1e30L};
    one.ApplyActiveLimit();
    EXPECT_FALSE(one.List(TLineKind::Main).Line(20).Active);
    (void)Draw(one);
    one.List(TLineKind::Main).SetCount(600);
    for (int i = 0; i < 25; ++i)
        for (int j = 0; j < 600; ++j)
            one.List(TLineKind::Main).Point(i, j) = {j * 1e28L, (j % 7) * 1e29L};
    one.Markers = 1;
    const Drawn d = Draw(one);
    EXPECT_EQ(Rgb(d.image, 1, 1), 0xFFFFFFu);
}

TEST(SoilPatternsTest, EveryCodeFillsOrNot) {
    for (int code = 1; code <= 12; ++code) {
        QImage img(64, 64, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            FillSoilPattern(p, img.rect(), code, 96, code % 2 == 0);
        }
        int black = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) black += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(black, 16) << "code " << code;
        EXPECT_LT(black, 64 * 64 / 2) << "code " << code;
    }
    EXPECT_TRUE(SoilPatternTile(6).isNull());
    EXPECT_EQ(SoilPatternTile(7).size(), QSize(8, 8));
    EXPECT_FALSE(HasSoilPattern(13));
    EXPECT_FALSE(HasSoilPattern(0));
}

class PlotPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dorvek-pictures-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir_);
        MakePlot(plot_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir_;
    TGraphPlot plot_;
};

TEST_F(PlotPictureTest, BitmapSizeFromInchesAndResolution) {
    const fs::path bmp = dir_ / "plot.bmp";
    WritePlotPicture(plot_, *FullExtent(plot_), bmp, {4.0, 3.0, 50});
    QImage read(QString::fromStdString(bmp.string()));
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), QSize(200, 150));
    EXPECT_EQ(Read(bmp).substr(0, 2), "BM");
    const fs::path png = dir_ / "plot.PNG";
    WritePlotPicture(plot_, *FullExtent(plot_), png, {});
    EXPECT_EQ(QImage(QString::fromStdString(png.string())).size(), QSize(1000, 750));
}

TEST_F(PlotPictureTest, SvgHasOnePolylinePerVisibleCurve) {
    plot_.List(TLineKind::Main).Line(1).Visible = false;
    const std::string svg =
        PlotPictureBytes(plot_, *FullExtent(plot_), PictureFormat::Svg, TPictureSize{});
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    int curves = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("polyline")) {
            // Ticks and grid lines have two points; the curves have three.
            const auto points = xml.attributes().value("points").toString().simplified();
            if (points.split(' ', Qt::SkipEmptyParts).size() > 2) ++curves;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(curves, 1);
}

TEST_F(PlotPictureTest, PdfHasOnePage) {
    const std::string pdf =
        PlotPictureBytes(plot_, *FullExtent(plot_), PictureFormat::Pdf, TPictureSize{});
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    int pages = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") != 0;
    EXPECT_EQ(pages, 1);
}

TEST_F(PlotPictureTest, FailuresWriteNothing) {
    const fs::path huge = dir_ / "huge.bmp";
    try {
        WritePlotPicture(plot_, *FullExtent(plot_), huge, {500, 500, 600});
        FAIL() << "no error";
    } catch (const PlotPictureError& e) {
        EXPECT_STREQ(e.what(), NotEnoughMemoryMessage);
    }
    EXPECT_FALSE(fs::exists(huge));
    EXPECT_THROW(WritePlotPicture(plot_, *FullExtent(plot_), dir_ / "plot.gif", {}),
                 PlotPictureError);
    EXPECT_THROW(WritePlotPicture(plot_, *FullExtent(plot_), dir_ / "no" / "such" / "x.png", {}),
                 PlotPictureError);
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(PlotPictureTest, GraphPicturesNamedAfterCaptionsSkippingEmptyGraphs) {
    TGraphPlot empty, same;
    plot_.Caption = "Load Distribution";
    same.Caption = "Load Distribution";
    MakePlot(same);
    const auto files =
        WriteGraphPictures({&plot_, &empty, &same}, dir_ / "pics", PictureFormat::Png, {});
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "Load_Distribution.png");
    EXPECT_EQ(files[1].filename(), "Load_Distribution_2.png");
}

} // namespace
} // namespace dorvek
