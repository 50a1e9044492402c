// The soil-profile drawing and window: pixels of the drawn layers, hatches and pile, labels on
// screen and on the page, pictures of each kind, and the window's controls, title, printing
// and closing.

#include "gui/plots/PileSide.h"
#include "model/plots/tests/PileSideInputs.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using dorvek::test::ThreeLayers;

namespace {

QImage Screen(const TPileSideInput& in, bool omitHatches, int width = 400, int height = 300) {
    TPileSideModel model;
    model.Build(in);
    model.Layout(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    TPileSideStyle style;
    style.OmitHatches = omitHatches;
    QPainter p(&image);
    PaintScreen(p, model, style);
    return image;
}

// Pixels of the colour in the rectangle x0..x1, y0..y1 (inclusive).
int Count(const QImage& image, QColor colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

int Dark(const QImage& image, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (image.pixelColor(x, y).lightness() < 100) ++n;
    return n;
}

std::string Bytes(const QString& file) {
    std::ifstream in(file.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// 400 x 300 at equal scales: depth 0 at y 14, 10 ft at y 60, 25 ft at 128, 40 ft at 196, the
// tip (60 ft) at 286; the pile from x 195 to 205.
TEST(PileSideRender, ScreenPixels) {
    const QImage image = Screen(ThreeLayers(), false);
    EXPECT_EQ(Count(image, Qt::red, 0, 0, 399, 299), 0); // the background covers all
    // Ground line, the first layer's bottom and the pile in the text colour.
    EXPECT_EQ(Count(image, Qt::black, 0, 14, 399, 14), 400);
    EXPECT_EQ(Count(image, Qt::black, 300, 60, 399, 60), 100);
    EXPECT_EQ(Count(image, Qt::black, 197, 100, 203, 280), 7 * 181);
    // Hatches: olive in the clay bands, silver in the sand band, right of the depth scale.
    const QColor olive(0x80, 0x80, 0x00), silver(0xC0, 0xC0, 0xC0);
    EXPECT_GT(Count(image, olive, 300, 20, 399, 58), 200);
    EXPECT_EQ(Count(image, silver, 300, 20, 399, 58), 0);
    EXPECT_GT(Count(image, silver, 300, 62, 399, 126), 200);
    EXPECT_EQ(Count(image, olive, 300, 62, 399, 126), 0);
    EXPECT_GT(Count(image, olive, 300, 130, 399, 194), 200);
    // Above the ground and below the last layer: background only.
    EXPECT_EQ(Count(image, Qt::white, 300, 0, 399, 13), 100 * 14);
    EXPECT_EQ(Count(image, Qt::white, 300, 197, 399, 299), 100 * 103);
    // Ground ticks: strokes from (20, 14) to (25, 19).
    EXPECT_EQ(image.pixelColor(23, 17), QColor(Qt::black));
}

TEST(PileSideRender, OmitHatchesDrawsWhiteBandsWithOutlines) {
    const QImage image = Screen(ThreeLayers(), true);
    // Under the ground ticks (rows 15 to 19).
    EXPECT_EQ(Count(image, Qt::white, 300, 20, 399, 59), 100 * 40);
    EXPECT_EQ(Count(image, Qt::white, 300, 61, 399, 127), 100 * 67);
    EXPECT_EQ(Count(image, Qt::black, 300, 128, 399, 128), 100);
    EXPECT_EQ(Count(image, Qt::black, 300, 196, 399, 196), 100);
}

TEST(PileSideRender, LabelsOnlyForACircularSectionOnScreen) {
    TPileSideInput in = ThreeLayers();
    // Left of the pile, under the first band's top: the label's lines of text.
    EXPECT_GT(Dark(Screen(in, true), 0, 25, 150, 58), 50);
    in.CircPile = false;
    EXPECT_EQ(Dark(Screen(in, true), 0, 25, 150, 58), 0);

    // The printed page carries them anyway.
    TPileSideModel model;
    model.Build(in);
    QImage page(1100, 850, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        PaintPage(p, model, 1100, 850, 100, TPileSideStyle{});
    }
    const TPrintLayout layout = model.PrintLayout(1100, 850, 100);
    const int labelTop = static_cast<int>(layout.GroundY) + 8;
    EXPECT_GT(Dark(page, layout.FrameLeft, labelTop, layout.FrameLeft + 200, labelTop + 40), 50);
    // The ground line, 12 units (4 pixels at 100 dpi) wide, spans the frame.
    EXPECT_EQ(Dark(page, layout.FrameLeft, static_cast<int>(layout.GroundY), layout.FrameRight - 1,
                   static_cast<int>(layout.GroundY)),
              layout.FrameRight - layout.FrameLeft);
    // The pile reaches the bottom of the frame, no hatch anywhere.
    EXPECT_EQ(page.pixelColor(550, layout.FrameBottom - 3), QColor(Qt::black));
    EXPECT_EQ(Count(page, QColor(0x80, 0x80, 0x00), 0, 0, 1099, 849), 0);
}

TEST(PileSideRender, PicturesOfEachKind) {
    QTemporaryDir dir;
    const TPileSideInput in = ThreeLayers();
    WriteProfilePicture(in, (dir.path() + "/p.png").toStdString());
    WriteProfilePicture(in, (dir.path() + "/p.SVG").toStdString());
    WriteProfilePicture(in, (dir.path() + "/p.pdf").toStdString());
    const QImage png(dir.path() + "/p.png");
    ASSERT_EQ(png.size(), QSize(1754, 1240));
    EXPECT_EQ(png.pixelColor(877, 900), QColor(Qt::black)); // the pile at mid-page
    EXPECT_EQ(Bytes(dir.path() + "/p.pdf").substr(0, 5), "%PDF-");
    const std::string svg = Bytes(dir.path() + "/p.SVG");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("depth= 10 - 25; Sand"), std::string::npos);
    // An unknown type is refused and writes nothing.
    EXPECT_THROW(WriteProfilePicture(in, (dir.path() + "/p.bmp").toStdString()), std::exception);
    EXPECT_FALSE(QFile::exists(dir.path() + "/p.bmp"));
    EXPECT_THROW(WriteProfilePicture(in, (dir.path() + "/none/p.png").toStdString()),
                 std::exception);
}

TEST(DlgSideView, ControlsTitleAndEqualScales) {
    TSideViewContext context;
    context.Input = [] { return ThreeLayers(); };
    TDlgSideView view(context);
    view.resize(600, 300);
    view.show();
    EXPECT_EQ(view.windowTitle(), "Elevation View");
    EXPECT_EQ(view.GeometryLabel()->text(), "Pile Geometry");
    EXPECT_EQ(view.PrintButton()->text(), "Print");
    EXPECT_EQ(view.CloseButton()->text(), "Close");
    EXPECT_EQ(view.CloseButton()->toolTip(), "Press to Close");
    EXPECT_EQ(view.OmitHatches()->text(), "Omit Hatches");
    EXPECT_EQ(view.OmitHatches()->toolTip(), "Click to omit hatches from printing");
    EXPECT_EQ(view.PrintButton()->x(), 600 - 2 * view.PrintButton()->width());
    EXPECT_EQ(view.CloseButton()->x(), view.PrintButton()->x());
    // The drawing takes the width left of the buttons at equal scales: 66.15 ft of depth over
    // 300 pixels.
    const int drawing = view.PrintButton()->x() - 4;
    EXPECT_EQ(view.DrawingWidth(), drawing);
    EXPECT_EQ(view.Model().Width(), drawing);
    EXPECT_NEAR(double(view.Model().Right - view.Model().Left), 66.15 * drawing / 300, 1e-9);

    QMouseEvent move(QEvent::MouseMove, QPointF(10, 150), QPointF(10, 150), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    EXPECT_EQ(view.windowTitle(), "Elevation View  Depth: 29.9");

    // The check box repaints without hatches.
    const QColor olive(0x80, 0x80, 0x00);
    EXPECT_GT(Count(view.grab().toImage(), olive, 400, 150, 599, 190), 0);
    view.OmitHatches()->setChecked(true);
    EXPECT_EQ(Count(view.grab().toImage(), olive, 0, 0, 599, 299), 0);
}

TEST(DlgSideView, PrintsOneLandscapePageAndCloses) {
    QTemporaryDir dir;
    TSideViewContext context;
    context.Input = [] { return ThreeLayers(); };
    auto* view = new TDlgSideView(context);
    view->show();
    const QString file = dir.path() + "/printed.pdf";
    bool asked = false;
    view->ChoosePrinter = [&](QPrinter& printer) {
        asked = true;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    };
    view->PrintButton()->click();
    EXPECT_TRUE(asked);
    const std::string pdf = Bytes(file);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // One page, landscape: the media box is wider than high.
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
    const auto box = pdf.find("/MediaBox [");
    ASSERT_NE(box, std::string::npos);
    std::istringstream numbers(pdf.substr(box + 11, 40));
    double x0, y0, x1, y1;
    numbers >> x0 >> y0 >> x1 >> y1;
    EXPECT_GT(x1 - x0, y1 - y0);
    // Cancelled: nothing printed.
    QFile::remove(file);
    view->ChoosePrinter = [](QPrinter&) { return false; };
    view->PrintButton()->click();
    EXPECT_FALSE(QFile::exists(file));

    QSignalSpy closed(view, &TDlgSideView::Closed);
    QPointer<TDlgSideView> alive(view);
    view->CloseButton()->click();
    EXPECT_EQ(closed.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}
