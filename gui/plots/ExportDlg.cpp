#include "gui/plots/ExportDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace dorvek {

namespace {

const char* const Notes[] = {
    "The workbook is written to a file of your choice and then opened.",
    "Please wait until all the data has been exported to the file.",
    "The workbook is saved already: there is no need to save it afterwards."};

} // namespace

TDlgExport::TDlgExport(std::vector<TExportEntry> entries, const TLoadSettlementSummary* summary,
                       TMessages& messages, std::string defaultName, TOpenDocument open,
                       QWidget* parent)
    : QDialog(parent), fEntries(std::move(entries)), fSummary(summary), fMessages(messages),
      fDefaultName(std::move(defaultName)), fOpen(std::move(open)) {
    setWindowTitle(QStringLiteral("Export to Excel"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    for (const char* note : Notes) layout->addWidget(new QLabel(QString::fromUtf8(note), this));

    auto* group = new QGroupBox(QStringLiteral("Available Plots"), this);
    auto* groupLayout = new QVBoxLayout(group);
    fList = new QListWidget(group);
    for (const TExportEntry& entry : fEntries) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.Plot->Caption), fList);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (entry.Enabled) flags |= Qt::ItemIsEnabled;
        item->setFlags(flags);
        item->setCheckState(entry.Enabled ? Qt::Checked : Qt::Unchecked);
    }
    groupLayout->addWidget(fList);
    layout->addWidget(group);

    fMarkers = new QCheckBox(QStringLiteral("Add markers in plots"), this);
    fMarkers->setChecked(true);
    layout->addWidget(fMarkers);

    auto* buttons = new QHBoxLayout;
    fSelectAll = new QPushButton(QStringLiteral("Select All"), this);
    fUnselectAll = new QPushButton(QStringLiteral("Unselect All"), this);
    fGenerate = new QPushButton(QStringLiteral("Generate Excel File"), this);
    fClose = new QPushButton(QStringLiteral("Close Window"), this);
    for (QPushButton* button : {fSelectAll, fUnselectAll, fGenerate, fClose}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    connect(fSelectAll, &QPushButton::clicked, this, [this] { SetAllChecks(true); });
    connect(fUnselectAll, &QPushButton::clicked, this, [this] { SetAllChecks(false); });
    connect(fGenerate, &QPushButton::clicked, this, [this] { Generate(); });
    connect(fClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(fList, &QListWidget::itemChanged, this, [this] { UpdateGenerate(); });
    UpdateGenerate();
}

void TDlgExport::SetAllChecks(bool checked) {
    for (int i = 0; i < fList->count(); ++i) {
        QListWidgetItem* item = fList->item(i);
        if (item->flags().testFlag(Qt::ItemIsEnabled))
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    UpdateGenerate();
}

std::vector<const TGraphPlot*> TDlgExport::CheckedPlots() const {
    std::vector<const TGraphPlot*> plots;
    for (int i = 0; i < fList->count(); ++i)
        if (fList->item(i)->checkState() == Qt::Checked)
            plots.push_back(fEntries[static_cast<size_t>(i)].Plot);
    return plots;
}

void TDlgExport::UpdateGenerate() {
    fGenerate->setEnabled(!CheckedPlots().empty());
}

void TDlgExport::Generate() {
    const std::vector<const TGraphPlot*> plots = CheckedPlots();
    if (plots.empty()) return;
    const std::optional<TFileChoice> choice =
        fMessages.SaveFile("Export to Excel", "Excel Workbook (*.xlsx)|*.xlsx", fDefaultName);
    if (!choice || choice->FileName.empty()) return;
    std::filesystem::path file = choice->FileName;
    if (file.extension().empty()) file += ".xlsx";
    TExportOptions options;
    options.markers = fMarkers->isChecked();
    try {
        WriteExportWorkbook(plots, fSummary, file, options);
    } catch (const ExportError& e) {
        fMessages.Information(e.what());
        return;
    }
    fMessages.Information("Export to Excel Completed\rThe workbook was saved as " + file.string() +
                          "\r");
    if (fOpen) fOpen(file.string());
}

} // namespace dorvek
