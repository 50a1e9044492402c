#include "gui/plots/PlotForm.h"

#include "gui/common/Messages.h"
#include "gui/plots/PlotLegendList.h"
#include "gui/plots/PlotPicture.h"
#include "gui/plots/PlotRenderer.h"
#include "model/io/AtomicFile.h"
#include "model/plots/AxisRanges.h"
#include "model/plots/PlotMenuModel.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRubberBand>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace dorvek {

namespace {

QString Escaped(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr const char* PictureFilter =
    "Bitmap (*.bmp)|*.bmp|PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document "
    "(*.pdf)|*.pdf";
constexpr PictureFormat FilterFormats[] = {PictureFormat::Bmp, PictureFormat::Png,
                                           PictureFormat::Svg, PictureFormat::Pdf};

// The chosen file with the extension of its file type when it has no picture extension.
std::filesystem::path PictureFile(const TFileChoice& choice) {
    std::filesystem::path file(choice.FileName);
    if (PictureFormatFromPath(file)) return file;
    const int index = std::clamp(choice.FilterIndex, 1, 4) - 1;
    file += PictureExtension(FilterFormats[index]);
    return file;
}

// A bitmap reduced to the chosen colours.
QImage Reduced(const QImage& image, TPictureColors colors) {
    switch (colors) {
    case TPictureColors::Monochrome:
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    case TPictureColors::Colors16: {
        // The curve palette is made of these sixteen colours.
        QList<QRgb> table;
        for (QRgb c : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u,
                       0xC0C0C0u, 0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu,
                       0x00FFFFu, 0xFFFFFFu})
            table << (0xFF000000u | c);
        return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
    }
    case TPictureColors::Colors256:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    case TPictureColors::TrueColor:
        break;
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

// The client area: paints the graph and passes the mouse to the window.
class TPlotCanvas : public QWidget {
public:
    TPlotCanvas(TPlotForm& form, QWidget* parent) : QWidget(parent), fForm(form) {
        setMouseTracking(true);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }

    TPlotTarget Target() const {
        return TPlotTarget{rect(), logicalDpiX(), logicalDpiY(), TPlotTarget::Screen, {}};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!fForm.fData) {
            painter.fillRect(rect(), Qt::white);
            return;
        }
        PaintPlot(painter, *fForm.fData, fForm.fView.LogicBounds, Target());
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        fForm.Relayout();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        fForm.MouseMoved(e->position().toPoint(), e->buttons());
    }
    void mousePressEvent(QMouseEvent* e) override {
        fForm.MousePressed(e->position().toPoint(), e->button());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        fForm.MouseReleased(e->position().toPoint(), e->button());
    }

private:
    TPlotForm& fForm;
};

TPlotForm::TPlotForm(TGraphPlot& plot, const TPlotView& view, const TPlotWindowHost& host)
    : fData(&plot), fView(view), fHost(host),
      fPage(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(1, 1, 1, 1),
            QPageLayout::Inch) {
    if (!fHost.Dialogs) fOwnDialogs = std::make_unique<TPlotDialogs>();
    setWindowTitle(QString::fromStdString(plot.Caption));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    fMenuBar = new QMenuBar(this);
    layout->setMenuBar(fMenuBar);
    fCanvas = new TPlotCanvas(*this, this);
    layout->addWidget(fCanvas, 1);
    fBand = new QRubberBand(QRubberBand::Rectangle, fCanvas);
    fLegend = new TPlotLegendList(plot, fCanvas);
    connect(fLegend, &TPlotLegendList::VisibilityToggled, this, [this] {
        Changed();
        UpdateMenu();
    });

    BuildMenu();
    plot.LegendFont = 11; // the legend's own font: 15 pixels at 96 pixels per inch
    ApplyLegendFont();
    RebuildLegend();
    RebuildCurveEntries();
    const bool printer = Dialogs().HasPrinter();
    fPrint->setEnabled(printer);
    fPageSetup->setEnabled(printer);
    resize(640, 480);
    UpdateMenu();
}

TPlotForm::~TPlotForm() = default;

TPlotDialogs& TPlotForm::Dialogs() {
    return fHost.Dialogs ? *fHost.Dialogs : *fOwnDialogs;
}

QMdiSubWindow* TPlotForm::Frame() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QWidget* TPlotForm::Client() const {
    return fCanvas;
}

void TPlotForm::ShowWindow() {
    if (!Frame() && !isVisible() && fHost.AddChildWindow) {
        fHost.AddChildWindow(*this);
    } else if (QMdiSubWindow* sub = Frame()) {
        if (sub->isMinimized()) sub->showNormal();
        sub->show();
    } else {
        if (isMinimized()) showNormal();
        show();
    }
    QWidget* frame = Frame() ? static_cast<QWidget*>(Frame()) : this;
    frame->raise();
    if (QMdiSubWindow* sub = Frame())
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    Relayout();
}

// A closed window is Qt's to free: its child-window frame deletes itself on closing, a
// top-level window is deleted here. The plot's handle sees it closed from now on.
void TPlotForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!Frame()) setAttribute(Qt::WA_DeleteOnClose);
    fData = nullptr;
}

// ---- Menu

QAction* TPlotForm::MenuEntry(const QString& caption) const {
    std::vector<QMenu*> menus{fPlotMenu};
    while (!menus.empty()) {
        QMenu* m = menus.back();
        menus.pop_back();
        for (QAction* a : m->actions()) {
            if (a->text() == caption) return a;
            if (a->menu()) menus.push_back(a->menu());
        }
    }
    return nullptr;
}

void TPlotForm::BuildMenu() {
    fPlotMenu = fMenuBar->addMenu(tr("&Plot"));
    // Ctrl+Z opens the menu.
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    // The menu pops up under its title, from the graph and from the legend alike (the menu
    // bar only highlights an action it is asked to activate without the keyboard focus).
    connect(shortcut, &QShortcut::activated, this, [this] {
        const QRect title = fMenuBar->actionGeometry(fPlotMenu->menuAction());
        fPlotMenu->popup(fMenuBar->mapToGlobal(title.bottomLeft()));
    });
    connect(fPlotMenu, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });

    fShowLegend = fPlotMenu->addAction(tr("Show &Legend"), this, [this] { ToggleLegend(); });
    fShowLayers = fPlotMenu->addAction(tr("Show &Soil Layer"), this, [this] { ToggleLayers(); });
    fShowWall = fPlotMenu->addAction(tr("Show &Wall Geometry"), this, [this] { ToggleWall(); });
    for (QAction* a : {fShowLegend, fShowLayers, fShowWall}) a->setCheckable(true);

    auto submenu = [this](const QString& caption, const std::vector<TMenuChoice>& choices,
                          std::vector<QAction*>& entries, void (TPlotForm::*set)(int)) {
        QMenu* menu = fPlotMenu->addMenu(caption);
        for (const TMenuChoice& c : choices) {
            const int value = c.Value;
            QAction* a =
                menu->addAction(tr(c.Text), this, [this, set, value] { (this->*set)(value); });
            a->setCheckable(true);
            a->setData(value);
            entries.push_back(a);
        }
        return menu;
    };
    fMarkersMenu =
        submenu(tr("Show &Markers"), MarkerChoices(), fMarkerEntries, &TPlotForm::SetMarkers);
    fFontMenu = submenu(tr("&Font Size"), FontSizeChoices(), fFontEntries, &TPlotForm::SetSizeFont);
    fWidthMenu =
        submenu(tr("&Line Width"), LineWidthChoices(), fWidthEntries, &TPlotForm::SetWidthLine);
    fPlotMenu->addAction(tr("&Graph Title"), this, [this] { EditTitle(); });
    fPlotMenu->addAction(tr("&Edit Legend"), this, [this] { EditLegend(); });
    fPlotMenu->addAction(tr("&Active Curves"), this, [this] { EditActiveCurves(); });
    // Additions for report pictures: they change pictures and printouts and the palette.
    fLegendOffCurves = fPlotMenu->addAction(tr("Legend &Off the Curves"), this, [this] {
        fData->LegendOffCurves = !fData->LegendOffCurves;
        Changed();
    });
    fLegendOffCurves->setCheckable(true);
    fSafePalette = fPlotMenu->addAction(tr("Colour-&Blind-Safe Palette"), this, [this] {
        fData->PaletteKind = fData->PaletteKind == 1 ? 0 : 1;
        Changed();
    });
    fSafePalette->setCheckable(true);
    fRisingPart = fPlotMenu->addAction(tr("&Zoom to the Rising Part"), this, [this] {
        if (!fData || !ZoomToRisingPart(*fData)) return;
        if (const auto view = TPlotView::Create(*fData)) fView = *view;
        Changed();
    });
    fPlotMenu->addAction(tr("Axis &Ranges..."), this, [this] { EditAxisRanges(); });
    fPlotMenu->addAction(tr("Full E&xtent"), this, [this] {
        if (!fData) return;
        fData->XRange = {};
        fData->YRange = {};
        if (const auto view = TPlotView::Create(*fData)) fView = *view;
        Changed();
    });
    fPlotMenu->addSeparator();
    fPrint = fPlotMenu->addAction(tr("&Print..."), this, [this] { Print(); });
    fPageSetup = fPlotMenu->addAction(tr("P&age Setup"), this, [this] { PageSetup(); });
    fPlotMenu->addAction(tr("&Save To Disk..."), this, [this] { SaveToDisk(); });
    fPlotMenu->addSeparator();
}

void TPlotForm::UpdateMenu() {
    if (!fData) return;
    const TGraphPlot& plot = *fData;
    const TPlotMenuState state = PlotMenuState(plot);
    fShowLegend->setChecked(plot.ShowLegend);
    fLegendOffCurves->setChecked(plot.LegendOffCurves);
    fSafePalette->setChecked(plot.PaletteKind == 1);
    fRisingPart->setVisible(!plot.XOnTop && RisingPartEnd(plot).has_value());
    fShowLayers->setVisible(state.LayersVisible);
    fShowLayers->setChecked(plot.ShowLayers);
    fShowWall->setVisible(state.WallVisible);
    fShowWall->setEnabled(state.WallEnabled);
    fShowWall->setChecked(plot.ShowWall);
    fFontMenu->menuAction()->setVisible(state.FontWidthVisible);
    fWidthMenu->menuAction()->setVisible(state.FontWidthVisible);
    for (QAction* a : fMarkerEntries) a->setChecked(a->data().toInt() == plot.Markers);
    for (QAction* a : fFontEntries) a->setChecked(a->data().toInt() == plot.SizeFont);
    for (QAction* a : fWidthEntries) a->setChecked(a->data().toInt() == plot.WidthLine);
    const TPlotLegendModel& legend = fLegend->Model();
    const TLineList& curves = plot.List(TLineKind::Main);
    for (size_t i = 0; i < fCurveEntries.size(); ++i) {
        const int e = static_cast<int>(i);
        if (e >= legend.Count()) break;
        const int line = legend.Entry(e).Curve;
        fCurveEntries[i]->setText(Escaped(legend.Entry(e).Name));
        fCurveEntries[i]->setChecked(line < curves.LineCount() && curves.Line(line).Visible);
    }
}

void TPlotForm::RebuildCurveEntries() {
    const TPlotLegendModel& legend = fLegend->Model();
    // Entries are reused, added or deleted to match the active curves.
    while (static_cast<int>(fCurveEntries.size()) > legend.Count()) {
        QAction* a = fCurveEntries.back();
        fCurveEntries.pop_back();
        fPlotMenu->removeAction(a);
        a->deleteLater();
    }
    while (static_cast<int>(fCurveEntries.size()) < legend.Count()) {
        const int entry = static_cast<int>(fCurveEntries.size());
        QAction* a = fPlotMenu->addAction(QString(), this, [this, entry] { ToggleCurve(entry); });
        a->setCheckable(true);
        fCurveEntries.push_back(a);
    }
    UpdateMenu();
}

void TPlotForm::RebuildLegend() {
    fLegend->Rebuild();
    fLegend->Resize();
    if (fData) fLegend->setVisible(fData->HasSomethingToDraw() && fData->ShowLegend);
    Relayout();
}

void TPlotForm::ApplyLegendFont() {
    if (!fData) return;
    if (fData->SizeFont == 10) {
        fLegend->SetLegendFont(fData->LegendFont, 0);
    } else {
        ApplyScaledLegendFont();
    }
}

// The legend font follows the font size index; items are 1.5 times the font high.
void TPlotForm::ApplyScaledLegendFont() {
    const int points = ScaledLegendFont(*fData);
    const int pixels = static_cast<int>(std::lround(points * logicalDpiY() / 72.0));
    fLegend->SetLegendFont(points, static_cast<int>(std::lround(1.5 * pixels)));
}

void TPlotForm::Changed() {
    if (fData) fData->AnyChange = true;
    fCanvas->update();
}

TPlotLayout TPlotForm::ClientLayout() const {
    if (!fData) return {};
    return PlotLayoutFor(*fData, fCanvas->Target());
}

void TPlotForm::PlaceLegendAtCorner() {
    const TPlotLayout layout = ClientLayout();
    fLegend->Place(QPoint(layout.GraphArea.Right - fLegend->width(),
                          layout.GraphArea.Bottom - fLegend->height()));
}

void TPlotForm::Relayout() {
    if (!fData) return;
    // Until the user moves it, the legend sits in the lower-right corner of the graph area.
    if (fLegend->Dragged())
        fLegend->Place(fLegend->pos());
    else
        PlaceLegendAtCorner();
    fCanvas->update();
}

std::pair<double, double> TPlotForm::LegendPosition() const {
    const double w = std::max(1, fCanvas->width());
    const double h = std::max(1, fCanvas->height());
    return {fLegend->x() / w, fLegend->y() / h};
}

// ---- Commands

void TPlotForm::ToggleLegend() {
    if (!fData) return;
    fData->ShowLegend = !fData->ShowLegend;
    fLegend->setVisible(fData->HasSomethingToDraw() && fData->ShowLegend);
    Changed();
    UpdateMenu();
}

void TPlotForm::ToggleLayers() {
    if (!fData) return;
    fData->ShowLayers = !fData->ShowLayers;
    Changed();
    Relayout();
    UpdateMenu();
}

void TPlotForm::ToggleWall() {
    if (!fData) return;
    fData->ShowWall = !fData->ShowWall;
    Changed();
    UpdateMenu();
}

void TPlotForm::SetMarkers(int markers) {
    if (!fData) return;
    fData->Markers = markers;
    Changed();
    UpdateMenu();
}

void TPlotForm::SetSizeFont(int sizeFont) {
    if (!fData) return;
    fData->SizeFont = sizeFont;
    ApplyScaledLegendFont();
    fLegend->Resize();
    Changed();
    Relayout();
    UpdateMenu();
}

void TPlotForm::SetWidthLine(int widthLine) {
    if (!fData) return;
    fData->WidthLine = widthLine;
    Changed();
    UpdateMenu();
}

void TPlotForm::ToggleCurve(int entry) {
    if (!fData || !fLegend->Model().Toggle(*fData, entry)) return;
    fLegend->Refresh();
    Changed();
    UpdateMenu();
}

void TPlotForm::EditTitle() {
    if (!fData) return;
    std::string caption = fData->UserCaption;
    bool onTop = fData->UserCaptionOnTop;
    if (!Dialogs().EditCaption(this, caption, onTop) || !fData) return;
    fData->UserCaption = caption;
    fData->UserCaptionOnTop = onTop;
    Changed();
    Relayout();
}

void TPlotForm::EditLegend() {
    if (!fData) return;
    TLegendNamesModel names(*fData);
    if (!Dialogs().EditLegend(this, names, fHost.Messages, *fData) || !fData) return;
    names.Apply(*fData);
    fLegend->Refresh();
    fLegend->Resize();
    Changed();
    Relayout();
    UpdateMenu();
}

void TPlotForm::EditAxisRanges() {
    if (!fData) return;
    const auto choice = Dialogs().AxisRanges(this, AxisRangesStart(*fData), fHost.Messages);
    if (!choice || !fData) return;
    fData->XRange = choice->FullExtent ? TGraphPlot::TAxisRange{} : choice->X;
    fData->YRange = choice->FullExtent ? TGraphPlot::TAxisRange{} : choice->Y;
    if (const auto view = TPlotView::Create(*fData)) fView = *view;
    Changed();
}

void TPlotForm::EditActiveCurves() {
    if (!fData) return;
    TActiveCurvesModel curves(*fData);
    if (!Dialogs().EditActiveCurves(this, curves) || !fData) return;
    curves.Apply(*fData);
    RebuildLegend();
    RebuildCurveEntries();
    Changed();
}

void TPlotForm::Print() {
    if (!fData) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(fPage);
    printer.setDocName(QString::fromStdString(fData->Caption));
    if (!Dialogs().Print(this, printer) || !fData) return;
    printer.setDocName(QString::fromStdString(fData->Caption));
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (fHost.Messages) fHost.Messages->Information("The printer could not be started.");
        return;
    }
    // The page inside the page-setup margins, never inside the unprintable border.
    QPageLayout page = printer.pageLayout();
    page.setUnits(QPageLayout::Inch);
    const QMarginsF minimum = page.minimumMargins();
    const QMarginsF margins = fPage.margins(QPageLayout::Inch);
    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    auto px = [](double inches, double minInches, int dpi) {
        return static_cast<int>(std::lround(std::max(inches, minInches) * dpi));
    };
    const int left = px(margins.left(), minimum.left(), dpiX);
    const int right = px(margins.right(), minimum.right(), dpiX);
    const int top = px(margins.top(), minimum.top(), dpiY);
    const int bottom = px(margins.bottom(), minimum.bottom(), dpiY);
    const QRect target(left, top, std::max(1, printer.width() - left - right),
                       std::max(1, printer.height() - top - bottom));
    PaintPlot(painter, *fData, fView.LogicBounds,
              TPlotTarget{target, dpiX, dpiY, TPlotTarget::Printer, LegendPosition()});
    painter.end();
    Relayout();
}

void TPlotForm::PageSetup() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(fPage);
    if (Dialogs().PageSetup(this, printer)) fPage = printer.pageLayout();
}

void TPlotForm::SaveToDisk() {
    if (!fData || !fHost.Messages) return;
    const std::string preset = fData->Caption.empty() ? "graph.bmp" : fData->Caption + ".bmp";
    const auto choice = fHost.Messages->SaveFile("Save As", PictureFilter, preset);
    if (!choice || !fData) return;
    const std::filesystem::path file = PictureFile(*choice);

    TSaveAttributes start;
    const double ppi = logicalDpiX();
    start.PixelsPerInch = ppi;
    start.WidthIn = std::max(MinPictureInches, std::round(fCanvas->width() / ppi * 100) / 100);
    start.HeightIn = std::max(MinPictureInches, std::round(fCanvas->height() / ppi * 100) / 100);
    const auto attributes = Dialogs().SaveAttributes(this, start, fHost.Messages);
    if (!attributes || !fData) return;

    TPictureSize size;
    size.WidthIn = attributes->WidthIn;
    size.HeightIn = attributes->HeightIn;
    size.Ppi = static_cast<int>(std::lround(attributes->PixelsPerInch));
    try {
        const PictureFormat format = *PictureFormatFromPath(file);
        const bool bitmap = format == PictureFormat::Bmp || format == PictureFormat::Png;
        if (!bitmap || attributes->Colors == TPictureColors::TrueColor) {
            WritePlotPicture(*fData, fView.LogicBounds, file, size, LegendPosition());
        } else {
            size.BlackText = attributes->Colors == TPictureColors::Monochrome;
            const std::string bytes = PlotPictureBytes(*fData, fView.LogicBounds,
                                                       PictureFormat::Png, size, LegendPosition());
            QImage image;
            if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                    static_cast<int>(bytes.size())))
                throw PlotPictureError(NotEnoughMemoryMessage);
            const QImage reduced = Reduced(image, attributes->Colors);
            if (reduced.isNull()) throw PlotPictureError(NotEnoughMemoryMessage);
            QByteArray data;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            if (!reduced.save(&buffer, format == PictureFormat::Bmp ? "BMP" : "PNG"))
                throw PlotPictureError(NotEnoughMemoryMessage);
            ReplaceFile(file, std::string_view(data.constData(), static_cast<size_t>(data.size())));
        }
    } catch (const std::exception& e) {
        fHost.Messages->Information(e.what());
    }
    Relayout();
}

// ---- Mouse

void TPlotForm::MouseMoved(QPoint pos, Qt::MouseButtons) {
    if (!fData) return;
    const TPlotLayout layout = ClientLayout();
    const TPlotMapping map(layout.GraphArea, fView.LogicBounds, fData->XOnTop);
    setWindowTitle(QString::fromStdString(
        CoordinateTitle(fData->Caption, map.ValueX(pos.x()), map.ValueY(pos.y()))));
    if (fZooming) {
        const TPixelRect& g = layout.GraphArea;
        const QPoint corner(std::clamp(pos.x(), g.Left, g.Right),
                            std::clamp(pos.y(), g.Top, g.Bottom));
        fBand->setGeometry(QRect(fZoomOrigin, corner).normalized());
    }
}

void TPlotForm::MousePressed(QPoint pos, Qt::MouseButton button) {
    if (!fData) return;
    const TPlotLayout layout = ClientLayout();
    if (!layout.GraphArea.Contains(pos.x(), pos.y())) return;
    if (button == Qt::LeftButton && !fData->ShowThree) {
        fZooming = true;
        fZoomOrigin = pos;
        fBand->setGeometry(QRect(pos, QSize()));
        fBand->show();
    } else if (button == Qt::RightButton) {
        const TPlotMapping map(layout.GraphArea, fView.LogicBounds, fData->XOnTop);
        fView.ZoomOut(map.ValueX(pos.x()), map.ValueY(pos.y()));
        fCanvas->update();
    }
}

void TPlotForm::MouseReleased(QPoint pos, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !fZooming) return;
    fZooming = false;
    fBand->hide();
    if (!fData) return;
    const TPlotLayout layout = ClientLayout();
    const TPlotMapping map(layout.GraphArea, fView.LogicBounds, fData->XOnTop);
    if (fView.ZoomToRect(map, fZoomOrigin.x(), fZoomOrigin.y(), pos.x(), pos.y()))
        fCanvas->update();
}

// ---- The plot's handle

TPlotFormHandle::~TPlotFormHandle() {
    TPlotForm* form = Form();
    if (!form) return;
    if (QMdiSubWindow* frame = form->Frame())
        delete frame; // the window goes with it
    else
        delete form;
}

void TPlotFormHandle::ShowWindow() {
    if (TPlotForm* form = Form()) form->ShowWindow();
}

std::unique_ptr<TPlotWindow> MakePlotForm(TGraphPlot& plot, const TPlotWindowHost& host) {
    const std::optional<TPlotView> view = TPlotView::Create(plot);
    if (!view) return nullptr; // a degenerate extent: no window
    return std::make_unique<TPlotFormHandle>(*new TPlotForm(plot, *view, host));
}

TPlotForm* PlotFormOf(const TGraphPlot& plot) {
    const auto* handle = dynamic_cast<const TPlotFormHandle*>(plot.Window());
    return handle ? handle->Form() : nullptr;
}

} // namespace dorvek
