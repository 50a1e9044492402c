#include "gui/app/ReportWindow.h"

#include "gui/common/Messages.h"
#include "model/workspace/FileNames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dorvek {

namespace {

constexpr const char* PdfFilter = "PDF Document (*.pdf)|*.pdf";

// The file's text with its lines ended by LF; nothing when it cannot be read.
std::optional<QString> ReadText(const std::string& fileName) {
    QFile file(QString::fromStdString(fileName));
    if (fileName.empty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QPlainTextEdit* MakeView(QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return view;
}

QAction* AddAction(QToolBar* bar, QWidget* owner, const QString& text, const QKeySequence& key) {
    QAction* action = bar->addAction(text);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                           QLatin1Char(')'));
    }
    owner->addAction(action);
    return action;
}

} // namespace

TReportWindow::TReportWindow(TMessages* messages, QWidget* parent)
    : QWidget(parent), fMessages(messages) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(bar);
    AddAction(bar, this, tr("Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(bar->actions().back(), &QAction::triggered, this, [this] { OpenFind(); });
    AddAction(bar, this, tr("Find Next"), QKeySequence(Qt::Key_F3));
    connect(bar->actions().back(), &QAction::triggered, this, [this] { FindFromField(false); });
    AddAction(bar, this, tr("Find Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(bar->actions().back(), &QAction::triggered, this, [this] { FindFromField(true); });
    bar->addSeparator();
    AddAction(bar, this, tr("Copy"), {});
    bar->actions().back()->setToolTip(tr("Copy the selection, or the whole text"));
    connect(bar->actions().back(), &QAction::triggered, this, [this] { CopyText(); });
    AddAction(bar, this, tr("Save as PDF..."), {});
    connect(bar->actions().back(), &QAction::triggered, this, [this] { AskPdf(); });
    fPrint = AddAction(bar, this, tr("Print..."), {});
    connect(fPrint, &QAction::triggered, this, [this] { Print(); });
    // Without a printer, the PDF document is the way to paper.
    fPrint->setEnabled(!QPrinterInfo::availablePrinterNames().isEmpty());

    fTabs = new QTabWidget(this);
    fReport = MakeView(fTabs);
    fNotes = MakeView(fTabs);
    fNotes->setPlaceholderText(tr("The run notes are empty. Computation > Edit Processor-Run "
                                  "Notes opens them in the text editor."));
    fCapacities = MakeView(fTabs);
    fTabs->addTab(fReport, tr("Report"));
    fTabs->addTab(fNotes, tr("Run Notes"));
    layout->addWidget(fTabs, 1);

    fFindBar = new QWidget(this);
    auto* find = new QHBoxLayout(fFindBar);
    find->setContentsMargins(0, 0, 0, 0);
    find->addWidget(new QLabel(tr("Find:"), fFindBar));
    fFindField = new QLineEdit(fFindBar);
    find->addWidget(fFindField, 1);
    auto* next = new QPushButton(tr("Next"), fFindBar);
    auto* previous = new QPushButton(tr("Previous"), fFindBar);
    auto* close = new QToolButton(fFindBar);
    close->setText(QStringLiteral("×"));
    close->setToolTip(tr("Close the find bar (Esc)"));
    fFindStatus = new QLabel(fFindBar);
    find->addWidget(next);
    find->addWidget(previous);
    find->addWidget(fFindStatus);
    find->addWidget(close);
    layout->addWidget(fFindBar);
    fFindBar->hide();
    connect(fFindField, &QLineEdit::returnPressed, this, [this] { FindFromField(false); });
    connect(next, &QPushButton::clicked, this, [this] { FindFromField(false); });
    connect(previous, &QPushButton::clicked, this, [this] { FindFromField(true); });
    auto hide = [this] {
        fFindBar->hide();
        Current()->setFocus();
    };
    connect(close, &QToolButton::clicked, this, hide);
    auto* escape = new QAction(fFindBar);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    fFindBar->addAction(escape);
    connect(escape, &QAction::triggered, this, hide);

    resize(760, 520);
}

void TReportWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) emit Closed();
}

QPlainTextEdit* TReportWindow::Current() const {
    if (fTabs->currentWidget() == fCapacities) return fCapacities;
    return fTabs->currentIndex() == 1 ? fNotes : fReport;
}

void TReportWindow::ShowPlace(const TReportPlace& place) {
    fPlace = place;
    setWindowTitle(tr("Report") + QStringLiteral(" - ") +
                   QString::fromStdString(DisplayName(place.ReportFile)));
    const auto report = ReadText(place.ReportFile);
    fReport->setPlainText(
        report
            ? *report
            : tr("The report %1 could not be read.").arg(QString::fromStdString(place.ReportFile)));
    fNotes->setPlainText(ReadText(place.NotesFile).value_or(QString()));
    SetCapacities(place.Capacities);
    if (place.CapacitiesInFront && !place.Capacities.empty())
        fTabs->setCurrentWidget(fCapacities);
    else
        fTabs->setCurrentIndex(place.Notes ? 1 : 0);

    // The line of the place selected, near the top of the view (with two lines above it).
    const QTextBlock block = fReport->document()->findBlockByNumber(std::max(place.Line, 0));
    QTextCursor cursor(block.isValid() ? block : fReport->document()->firstBlock());
    if (place.Line > 0) cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    fReport->setTextCursor(cursor);
    ScrollToPlace();
    // Once more when the window has its size and the view its lines.
    QTimer::singleShot(0, this, [this] { ScrollToPlace(); });
    Current()->setFocus();
}

void TReportWindow::SetCapacities(const std::string& text) {
    fPlace.Capacities = text;
    fCapacities->setPlainText(QString::fromStdString(text));
    const int tab = fTabs->indexOf(fCapacities);
    if (text.empty() && tab >= 0) fTabs->removeTab(tab);
    if (!text.empty() && tab < 0) fTabs->addTab(fCapacities, tr("Load Tests"));
}

void TReportWindow::ScrollToPlace() {
    // Without wrapping, the scroll bar of the view counts lines.
    fReport->verticalScrollBar()->setValue(std::max(fPlace.Line - 2, 0));
}

void TReportWindow::OpenFind() {
    fFindBar->show();
    QPlainTextEdit* view = Current();
    if (view->textCursor().hasSelection() &&
        !view->textCursor().selectedText().contains(QChar(0x2029)))
        fFindField->setText(view->textCursor().selectedText());
    fFindField->setFocus();
    fFindField->selectAll();
}

void TReportWindow::FindFromField(bool backward) {
    if (fFindField->text().isEmpty()) {
        OpenFind();
        return;
    }
    fFindStatus->setText(Find(fFindField->text(), backward) ? QString() : tr("Not found"));
}

bool TReportWindow::Find(const QString& text, bool backward) {
    QPlainTextEdit* view = Current();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (view->find(text, flags)) return true;
    // Round the end: from the other end of the text.
    const QTextCursor before = view->textCursor();
    view->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (view->find(text, flags)) return true;
    view->setTextCursor(before);
    return false;
}

void TReportWindow::CopyText() {
    const QPlainTextEdit* view = Current();
    const QTextCursor cursor = view->textCursor();
    QString text = cursor.hasSelection() ? cursor.selection().toPlainText() : view->toPlainText();
    QApplication::clipboard()->setText(text);
}

void TReportWindow::AskPdf() {
    if (!fMessages) return;
    const std::string preset =
        ChangeExtension(fTabs->currentIndex() == 1 ? fPlace.NotesFile : fPlace.ReportFile, ".pdf");
    const auto choice = fMessages->SaveFile("Save as PDF", PdfFilter, preset);
    if (!choice) return;
    std::string name = choice->FileName;
    if (LowerExtension(name) != ".pdf") name += ".pdf";
    SaveAsPdf(name);
}

bool TReportWindow::SaveAsPdf(const std::string& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(fileName));
    printer.setDocName(windowTitle());
    PrintOn(printer);
    // The writer says nothing of a failure: the file tells.
    const QFileInfo written(QString::fromStdString(fileName));
    if (written.isFile() && written.size() > 0) return true;
    if (fMessages) fMessages->Information("The file " + fileName + " could not be written.");
    return false;
}

void TReportWindow::PrintOn(QPrinter& printer) const {
    const QString text = Current()->toPlainText();
    int longest = 1;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
        longest = std::max(longest, static_cast<int>(line.size()));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10);
    const double width = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    const double advance = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('0'));
    // Each line on one line of paper, from 5 to 9 points.
    const double size = advance > 0 ? 10 * width / (advance * (longest + 1)) : 9;
    font.setPointSizeF(std::clamp(size, 5.0, 9.0));
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(text);
    document.print(&printer);
}

void TReportWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintOn(printer);
}

void ShowReportWindow(QMdiArea& area, QPointer<TReportWindow>& window, TMessages* messages,
                      const TReportPlace& place) {
    if (!window) {
        window = new TReportWindow(messages);
        // A closed window is gone, even while it waits to be freed.
        QObject::connect(window.data(), &TReportWindow::Closed, &area,
                         [&window] { window = nullptr; });
        QMdiSubWindow* sub = area.addSubWindow(window);
        sub->setWindowIcon(area.window()->windowIcon());
        // Wide enough for the report's lines, within the frame.
        const QSize room = area.viewport()->size();
        sub->resize(std::min(room.width(), 820), std::max(room.height() - 20, 300));
        sub->show();
    }
    QWidget* frame = window->parentWidget() ? window->parentWidget() : window.data();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) {
        if (sub->isMinimized()) sub->showNormal();
        area.setActiveSubWindow(sub);
    }
    frame->raise();
    window->ShowPlace(place);
}

} // namespace dorvek
