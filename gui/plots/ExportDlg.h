#pragma once
// "Export to Excel": the result graphs chosen from a check list are written to a workbook
// file the user names, which is then opened with the system's default handler.

#include "gui/common/Messages.h"
#include "model/plots/ExportWorkbook.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace dorvek {

struct TExportEntry {
    const TGraphPlot* Plot = nullptr;
    bool Enabled = false; // the main window's command showing the graph is enabled
};

// Opens a written workbook (the program: the system's default handler).
using TOpenDocument = std::function<void(const std::string& file)>;

class TDlgExport : public QDialog {
    Q_OBJECT
public:
    // entries in list order; summary (may be null) goes to the workbook's last sheet;
    // defaultName is offered by the save dialog.
    TDlgExport(std::vector<TExportEntry> entries, const TLoadSettlementSummary* summary,
               TMessages& messages, std::string defaultName, TOpenDocument open,
               QWidget* parent = nullptr);

    QListWidget* PlotList() const { return fList; }
    QPushButton* SelectAllButton() const { return fSelectAll; }
    QPushButton* UnselectAllButton() const { return fUnselectAll; }
    QPushButton* GenerateButton() const { return fGenerate; }
    QPushButton* CloseButton() const { return fClose; }
    QCheckBox* MarkersBox() const { return fMarkers; }

    // Asks for the file, writes the checked graphs, reports and opens the workbook.
    void Generate();

private:
    void SetAllChecks(bool checked);
    void UpdateGenerate();
    std::vector<const TGraphPlot*> CheckedPlots() const;

    std::vector<TExportEntry> fEntries;
    const TLoadSettlementSummary* fSummary;
    TMessages& fMessages;
    std::string fDefaultName;
    TOpenDocument fOpen;
    QListWidget* fList = nullptr;
    QPushButton* fSelectAll = nullptr;
    QPushButton* fUnselectAll = nullptr;
    QPushButton* fGenerate = nullptr;
    QPushButton* fClose = nullptr;
    QCheckBox* fMarkers = nullptr;
};

} // namespace dorvek
