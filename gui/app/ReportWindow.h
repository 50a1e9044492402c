#pragma once
// The report of a run inside the program: a read-only child window with the report (".dv4o")
// and the run notes (".dv4r") on two tabs, and with results shown the capacities of the
// load-settlement curves on a third ("Load Tests"), in a fixed-pitch font, with find (Ctrl+F,
// F3, Shift+F3), copy, saving as a PDF document and printing.

#include "gui/app/MainController.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPlainTextEdit;
class QPrinter;
class QTabWidget;

namespace dorvek {

class TMessages;

class TReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit TReportWindow(TMessages* messages, QWidget* parent = nullptr);

    // Reads both files again and shows the place: its tab, and its line at the top of the
    // view, selected.
    void ShowPlace(const TReportPlace& place);

    // Replaces the text of the "Load Tests" tab (removed while empty); the tab in front stays.
    void SetCapacities(const std::string& text);

    // Finds text in the tab in front, from the caret on (backward: before it), going round
    // the end; the match is selected. False when the text is nowhere.
    bool Find(const QString& text, bool backward = false);
    // The selection, or the whole text of the tab in front when nothing is selected, to the
    // clipboard.
    void CopyText();
    // Writes the tab in front as a PDF document; false after saying why.
    bool SaveAsPdf(const std::string& fileName);
    // Lays the tab in front out on the printer's pages: the font is made small enough for the
    // longest line.
    void PrintOn(QPrinter& printer) const;

    QTabWidget* Tabs() const { return fTabs; }
    QPlainTextEdit* Report() const { return fReport; }
    QPlainTextEdit* Notes() const { return fNotes; }
    // The "Load Tests" tab's text (the tab is there only while the place has capacities).
    QPlainTextEdit* Capacities() const { return fCapacities; }
    QLineEdit* FindField() const { return fFindField; }
    QLabel* FindStatus() const { return fFindStatus; }
    QAction* PrintAction() const { return fPrint; }

signals:
    // The window has closed (it is freed soon after).
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* Current() const;
    void ScrollToPlace();
    void OpenFind();
    void FindFromField(bool backward);
    void AskPdf();
    void Print();

    TMessages* fMessages;
    TReportPlace fPlace;
    QTabWidget* fTabs;
    QPlainTextEdit* fReport;
    QPlainTextEdit* fNotes;
    QPlainTextEdit* fCapacities;
    QWidget* fFindBar;
    QLineEdit* fFindField;
    QLabel* fFindStatus;
    QAction* fPrint;
};

// Opens the report window as a child window of the main window, or brings the open one (held
// by window) to the front, at the place.
void ShowReportWindow(QMdiArea& area, QPointer<TReportWindow>& window, TMessages* messages,
                      const TReportPlace& place);

} // namespace dorvek
