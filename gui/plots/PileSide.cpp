#include "gui/plots/PileSide.h"

#include "gui/common/Messages.h"
#include "gui/common/SubWindowActivation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <exception>

namespace dorvek {

namespace {

const QString ViewTitle = QStringLiteral("Elevation View");
constexpr const char* PictureFilter =
    "PNG Picture (*.png)|*.png|SVG Picture (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf";
constexpr const char* PictureExtensions[] = {".png", ".svg", ".pdf"};

} // namespace

TDlgSideView::TDlgSideView(TSideViewContext context, QWidget* parent)
    : QWidget(parent), fContext(std::move(context)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ViewTitle);
    setMouseTracking(true);
    setMinimumSize(320, 240);
    resize(640, 480);

    fLabel = new QLabel(QStringLiteral("Pile Geometry"), this);
    fLabel->move(8, 6);
    fPrint = new QPushButton(QStringLiteral("Print"), this);
    fClose = new QPushButton(QStringLiteral("Close"), this);
    fClose->setToolTip(QStringLiteral("Press to Close"));
    fOmitHatches = new QCheckBox(QStringLiteral("Omit Hatches"), this);
    fOmitHatches->setToolTip(QStringLiteral("Click to omit hatches from printing"));
    fSave = new QPushButton(QStringLiteral("Save..."), this);
    fSave->setToolTip(QStringLiteral("Save the profile as a PNG, SVG or PDF picture"));
    for (QWidget* w : {static_cast<QWidget*>(fLabel), static_cast<QWidget*>(fPrint),
                       static_cast<QWidget*>(fClose), static_cast<QWidget*>(fOmitHatches),
                       static_cast<QWidget*>(fSave)}) {
        w->adjustSize();
        w->setAutoFillBackground(true);
    }

    connect(fPrint, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(fClose, &QPushButton::clicked, this, [this] { close(); });
    connect(fSave, &QPushButton::clicked, this, [this] { SaveClick(); });
    connect(fOmitHatches, &QCheckBox::toggled, this, [this] { update(); });

    ChoosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    FormActivate();
}

void TDlgSideView::FormActivate() {
    if (fContext.Input) fModel.Build(fContext.Input());
    fModel.Layout(DrawingWidth(), height());
    update();
}

int TDlgSideView::ButtonsWidth() const {
    return 2 * fPrint->width() + 4;
}

// The buttons stand beside the drawing, not over its depth scale.
int TDlgSideView::DrawingWidth() const {
    return std::max(width() - ButtonsWidth(), 1);
}

TPileSideStyle TDlgSideView::Style() const {
    TPileSideStyle style;
    style.Background = palette().color(QPalette::Base);
    style.Text = palette().color(QPalette::Text);
    style.Font = fLabel->font();
    style.OmitHatches = fOmitHatches->isChecked();
    return style;
}

void TDlgSideView::PlaceButtons() {
    // The buttons stand one above the other, twice the width of "Print" from the right.
    const int x = width() - 2 * fPrint->width();
    int y = 6;
    for (QWidget* w : {static_cast<QWidget*>(fPrint), static_cast<QWidget*>(fClose),
                       static_cast<QWidget*>(fOmitHatches), static_cast<QWidget*>(fSave)}) {
        w->move(x, y);
        y += w->height() + 4;
    }
}

void TDlgSideView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintScreen(p, fModel, Style());
}

void TDlgSideView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fModel.Layout(DrawingWidth(), height());
    PlaceButtons();
    update();
}

void TDlgSideView::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (fModel.NoDraw) return;
    const int y = static_cast<int>(event->position().y());
    setWindowTitle(ViewTitle +
                   QString::fromStdString(TPileSideModel::DepthTitle(fModel.DepthAt(y))));
}

void TDlgSideView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fFollowing) return;
    fFollowing = true;
    FollowSubWindowActivation(*this, [this](bool active) {
        if (active) FormActivate();
    });
}

void TDlgSideView::closeEvent(QCloseEvent* event) {
    fModel.Clear();
    event->accept();
    emit Closed();
}

void TDlgSideView::PrintTo(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Soil-Pile Profile"));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(1, 1);
    QPainter p;
    if (!p.begin(&printer)) {
        if (fContext.Messages) fContext.Messages->Information("The printer could not be started.");
        return;
    }
    TPileSideStyle style = Style();
    style.OmitHatches = true;
    PaintPage(p, fModel, printer.width(), printer.height(), printer.resolution(), style);
    p.end();
}

void TDlgSideView::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Soil-Pile Profile"));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (ChoosePrinter && ChoosePrinter(printer)) PrintTo(printer);
}

void TDlgSideView::SaveClick() {
    if (!fContext.Messages) return;
    const std::string preset = fContext.PictureName ? fContext.PictureName() : "profile.png";
    const auto choice = fContext.Messages->SaveFile("Save Soil Profile", PictureFilter, preset);
    if (!choice) return;
    std::filesystem::path file = choice->FileName;
    if (!PictureKindOf(file)) {
        const int index = std::clamp(choice->FilterIndex, 1, 3);
        file += PictureExtensions[index - 1];
    }
    try {
        WriteProfilePicture(fModel.Input(), file);
    } catch (const std::exception& e) {
        fContext.Messages->Information(e.what());
    }
}

} // namespace dorvek
