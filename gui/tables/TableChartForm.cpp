#include "gui/tables/TableChartForm.h"

#include "gui/common/CutConnections.h"
#include "gui/common/Messages.h"
#include "gui/tables/ChartPreview.h"
#include "gui/tables/TableGrid.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableTransfer.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

namespace dorvek {

namespace {

constexpr const char* kFileFilter =
    "Text Files (*.txt)|*.txt|Data Files (*.dat)|*.dat|All Files (*.*)|*.*";

char UserGroupSeparator() {
    const QString group = QLocale().groupSeparator();
    return group.size() == 1 && group[0].unicode() < 128 ? group[0].toLatin1() : ' ';
}

} // namespace

TTableChartForm::TTableChartForm(TGridTableChart& table, bool modal, const TTableWindowHost& host)
    : TTableForm(table, modal, host) {
    if (table.Chart.VisibleChart && !table.Chart.RowsOption) fChart = new TChartPreview(this);
    if (table.Chart.VisibleChart && table.Chart.RowsOption) fSegments = new TSegmentPreview(this);
    if (table.OKCancelButtons) {
        fBtnOK = NewButton("OK", nullptr);
        fBtnCancel = NewButton("Cancel", nullptr);
        connect(fBtnOK, &QPushButton::clicked, this, [this] { Close(); });
        connect(fBtnCancel, &QPushButton::clicked, this, [this] {
            // The entry not yet stored is dropped.
            Grid()->ReloadEditor();
            Close();
        });
    }
    if (table.GetDataFromFile) {
        fFileLabel = new QLabel(tr("File Name:"), this);
        fFileName = new QLineEdit(this);
        fFileLabel->setBuddy(fFileName);
        connect(fFileName, &QLineEdit::textChanged, this, [this] { UpdateFileButtons(); });
        fBtnBrowse = NewButton("Browse", &TTableChartForm::BrowseClick);
        fBtnView = NewButton("View/Edit File", &TTableChartForm::ViewFileClick);
        fBtnRead = NewButton("Read values from File", &TTableChartForm::ReadFileClick);
        fBtnPaste = NewButton("Paste values from  Clipboard (text)", &TTableChartForm::PasteClick);
        fBtnCopy =
            NewButton("Copy values to Clipboard (comma separated)", &TTableChartForm::CopyClick);
        UpdateFileButtons();
    }
}

TTableChartForm::~TTableChartForm() {
    // The file-name box and the buttons outlive this part of the window (see ~TTableForm).
    CutConnectionsTo(*this);
}

QPushButton* TTableChartForm::NewButton(const char* text, void (TTableChartForm::*click)()) {
    auto* button = new QPushButton(tr(text), this);
    button->setFocusPolicy(Qt::TabFocus);
    if (click) connect(button, &QPushButton::clicked, this, [this, click] { (this->*click)(); });
    return button;
}

TGridTableChart& TTableChartForm::ChartTable() const {
    return static_cast<TGridTableChart&>(*fTable);
}

bool TTableChartForm::PreviewShown() const {
    return fChart || fSegments;
}

int TTableChartForm::RowsCap() const {
    return PreviewShown() ? 5 : 10;
}

// 285 x 170 at 96 pixels per inch for an 8-point text 13 pixels high. A larger text gets a
// larger preview, and a wider grid a wider one of the same shape, so that the axis titles
// keep their room.
QSize TTableChartForm::TopAreaSize(int gridWidth) const {
    if (!PreviewShown()) return {};
    const double scale = std::max(logicalDpiX() / 96.0, fontMetrics().height() / 13.0);
    const int width = std::max(static_cast<int>(285 * scale), gridWidth);
    return {width, width * 170 / 285};
}

void TTableChartForm::PlaceTopArea(QRect area) {
    if (fChart) fChart->setGeometry(area);
    if (fSegments) fSegments->setGeometry(area);
}

int TTableChartForm::PlaceLowerArea(int y, int& right) {
    const int m = fMargin;
    const int ppi = logicalDpiX();
    auto size = [ppi](QPushButton* b) {
        const QSize hint = b->sizeHint();
        return QSize(std::max(81 * ppi / 96, hint.width()), std::max(21 * ppi / 96, hint.height()));
    };
    if (fBtnOK) {
        y += m;
        const QSize s = size(fBtnOK);
        fBtnOK->setGeometry(m, y, s.width(), s.height());
        fBtnCancel->setGeometry(m + s.width() + m, y, s.width(), s.height());
        right = std::max(right, fBtnCancel->geometry().right() + 1);
        y += s.height() + m;
    }
    if (fFileName) {
        UpdateFileButtons();
        // The three file buttons in one row; the edit box spans them beside its label.
        int x = m;
        const int rowHeight = size(fBtnBrowse).height();
        for (QPushButton* b : {fBtnBrowse, fBtnView, fBtnRead}) x += size(b).width() + m;
        const int rowRight = x - m;
        const QSize label = fFileLabel->sizeHint();
        const int editHeight = fFileName->sizeHint().height();
        fFileLabel->setGeometry(m, y + (editHeight - label.height()) / 2, label.width(),
                                label.height());
        const int editLeft = m + label.width() + m;
        fFileName->setGeometry(editLeft, y, std::max(rowRight - editLeft, 80), editHeight);
        y += editHeight + m;
        x = m;
        for (QPushButton* b : {fBtnBrowse, fBtnView, fBtnRead}) {
            const QSize s = size(b);
            b->setGeometry(x, y, s.width(), rowHeight);
            x += s.width() + m;
        }
        y += rowHeight + m;
        for (QPushButton* b : {fBtnPaste, fBtnCopy}) {
            const QSize s = size(b);
            b->setGeometry(std::max(m, rowRight - s.width()), y, s.width(), rowHeight);
            right = std::max(right, b->geometry().right() + 1);
            y += rowHeight + m;
        }
        right = std::max({right, rowRight, fFileName->geometry().right() + 1});
    }
    return y;
}

void TTableChartForm::UpdateFileButtons() {
    if (!fFileName) return;
    const QString name = fFileName->text();
    const bool exists = !name.isEmpty() && QFileInfo(name).isFile();
    fBtnView->setEnabled(exists);
    fBtnRead->setEnabled(exists);
}

void TTableChartForm::ValuesChanged() {
    if (!PreviewShown() || fPreviewPending) return;
    fPreviewPending = true;
    QTimer::singleShot(0, this, [this] { RefreshPreview(); });
}

void TTableChartForm::RefreshPreview() {
    fPreviewPending = false;
    if (!fTable) return;
    if (fChart)
        fChart->ShowData(BuildChartPreview(ChartTable()), UserDecimalSeparator(),
                         UserGroupSeparator());
    if (fSegments)
        fSegments->ShowData(BuildSegmentPreview(ChartTable()), ChartTable().InvertedXAxis,
                            ChartTable().InvertedYAxis);
}

void TTableChartForm::mousePressEvent(QMouseEvent* event) {
    TTableForm::mousePressEvent(event);
    RefreshPreview();
}

void TTableChartForm::BrowseClick() {
    if (!fHost.Messages) return;
    auto choice = fHost.Messages->OpenFile("Open", kFileFilter, fFileName->text().toStdString());
    if (choice) fFileName->setText(QString::fromStdString(choice->FileName));
    UpdateFileButtons();
}

void TTableChartForm::ViewFileClick() {
    const std::string program = fHost.TextEditor ? fHost.TextEditor() : std::string();
    const QString file = fFileName->text();
    if (program.empty() || !QProcess::startDetached(QString::fromStdString(program), {file}))
        Inform("An error occurred in running the Word Processor");
}

void TTableChartForm::ReadFileClick() {
    Guarded([this] {
        if (!fTable || !CommitCurrentCell()) return;
        Record("Read Values from File", [this] {
            ReadValuesFromFile(*fTable, fFileName->text().toStdString(), UserDecimalSeparator());
        });
        RefreshPreview();
    });
}

void TTableChartForm::PasteClick() {
    Guarded([this] {
        if (!fTable || !CommitCurrentCell()) return;
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        std::optional<std::string> text;
        if (mime && mime->hasText()) text = mime->text().toStdString();
        std::string message;
        Record("Paste Values",
               [&] { message = PasteValuesFromClipboard(*fTable, text, UserDecimalSeparator()); });
        RefreshPreview();
        Inform(message);
    });
}

void TTableChartForm::CopyClick() {
    Guarded([this] {
        if (!fTable || !CommitCurrentCell()) return;
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(CopyValuesText(*fTable, UserDecimalSeparator())));
        Inform(kCopiedToClipboard);
    });
}

} // namespace dorvek
