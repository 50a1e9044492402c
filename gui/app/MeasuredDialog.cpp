#include "gui/app/MeasuredDialog.h"

#include "gui/common/Messages.h"
#include "model/tables/UnitCodes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dorvek {

namespace {

// Rows kept free below the points for typing more.
constexpr int kFreeRows = 20;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

std::string CellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text().toStdString() : std::string();
}

} // namespace

TDlgMeasured::TDlgMeasured(const TMeasuredCurves& curves, int units, TMessages& messages,
                           QWidget* parent)
    : QDialog(parent), fMessages(messages), fUnits(units) {
    setWindowTitle(QStringLiteral("Measured Load-Settlement Curves"));
    setModal(true);
    TMeasuredCurves inUnits = curves;
    ConvertMeasuredCurves(inUnits, units);
    fEdit = MeasuredEditCurves(inUnits);

    fList = new QListWidget(this);
    fAdd = new QPushButton(QStringLiteral("&Add Curve"), this);
    fImport = new QPushButton(QStringLiteral("&Import CSV..."), this);
    fDelete = new QPushButton(QStringLiteral("&Delete Curve"), this);
    fName = new QLineEdit(this);
    fTable = new QTableWidget(0, 2, this);
    fTable->setHorizontalHeaderLabels({Text("Head Load (" + ColumnUnitLabel("F", units) + ")"),
                                       Text("Settlement (" + ColumnUnitLabel("L", units) + ")")});
    fTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    fTable->setMinimumWidth(320);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Curves:"), this));
    left->addWidget(fList);
    left->addWidget(fAdd);
    left->addWidget(fImport);
    left->addWidget(fDelete);
    auto* right = new QGridLayout;
    auto* nameLabel = new QLabel(QStringLiteral("&Name:"), this);
    nameLabel->setBuddy(fName);
    right->addWidget(nameLabel, 0, 0);
    right->addWidget(fName, 0, 1);
    right->addWidget(fTable, 1, 0, 1, 2);
    auto* hint = new QLabel(QStringLiteral("Points in the order of the test, settlements never "
                                           "decreasing; empty rows are left out."),
                            this);
    hint->setWordWrap(true);
    right->addWidget(hint, 2, 0, 1, 2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(fAdd, &QPushButton::clicked, this, [this] { AddCurve(); });
    connect(fImport, &QPushButton::clicked, this, [this] { ImportCsv(); });
    connect(fDelete, &QPushButton::clicked, this, [this] { DeleteCurve(); });
    connect(fList, &QListWidget::currentRowChanged, this, [this](int row) {
        StoreCurve();
        ShowCurve(row);
    });
    connect(fName, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (fCurrent >= 0 && fCurrent < fList->count()) fList->item(fCurrent)->setText(text);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgMeasured::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    RefreshList();
    if (!fEdit.empty()) fList->setCurrentRow(0);
    ShowCurve(fList->currentRow());
    resize(640, 420);
}

void TDlgMeasured::RefreshList() {
    const QSignalBlocker block(fList);
    fList->clear();
    for (const TMeasuredEditCurve& c : fEdit) fList->addItem(Text(c.name));
}

void TDlgMeasured::ShowCurve(int index) {
    fCurrent = index >= 0 && index < static_cast<int>(fEdit.size()) ? index : -1;
    const bool any = fCurrent >= 0;
    fName->setEnabled(any);
    fTable->setEnabled(any);
    fDelete->setEnabled(any);
    fTable->clearContents();
    if (!any) {
        fName->clear();
        fTable->setRowCount(0);
        return;
    }
    const TMeasuredEditCurve& c = fEdit[static_cast<std::size_t>(fCurrent)];
    fName->setText(Text(c.name));
    fTable->setRowCount(static_cast<int>(c.rows.size()) + kFreeRows);
    for (int r = 0; r < static_cast<int>(c.rows.size()); ++r) {
        fTable->setItem(r, 0, new QTableWidgetItem(Text(c.rows[static_cast<std::size_t>(r)].load)));
        fTable->setItem(r, 1,
                        new QTableWidgetItem(Text(c.rows[static_cast<std::size_t>(r)].settlement)));
    }
}

void TDlgMeasured::StoreCurve() {
    if (fCurrent < 0 || fCurrent >= static_cast<int>(fEdit.size())) return;
    TMeasuredEditCurve& c = fEdit[static_cast<std::size_t>(fCurrent)];
    c.name = fName->text().toStdString();
    c.rows.clear();
    int last = -1; // trailing empty rows are not kept
    for (int r = 0; r < fTable->rowCount(); ++r)
        if (!CellText(*fTable, r, 0).empty() || !CellText(*fTable, r, 1).empty()) last = r;
    for (int r = 0; r <= last; ++r)
        c.rows.push_back({CellText(*fTable, r, 0), CellText(*fTable, r, 1)});
}

void TDlgMeasured::AddCurve() {
    StoreCurve();
    fEdit.push_back({"Curve " + std::to_string(fEdit.size() + 1), {}});
    RefreshList();
    fList->setCurrentRow(static_cast<int>(fEdit.size()) - 1);
    ShowCurve(fList->currentRow());
}

void TDlgMeasured::ImportCsv() {
    const auto choice =
        fMessages.OpenFile("Import Measured Curve",
                           "Measured points (*.csv;*.txt)|*.csv;*.txt|All Files (*.*)|*.*", {});
    if (!choice) return;
    TMeasuredCurve curve;
    try {
        curve = ReadMeasuredCsv(choice->FileName);
    } catch (const EMeasuredError& e) {
        fMessages.Information(e.what());
        return;
    }
    TMeasuredCurves one;
    one.units = fUnits; // a CSV file holds values in the project's units
    one.curves.push_back(std::move(curve));
    StoreCurve();
    for (TMeasuredEditCurve& c : MeasuredEditCurves(one)) fEdit.push_back(std::move(c));
    RefreshList();
    fList->setCurrentRow(static_cast<int>(fEdit.size()) - 1);
    ShowCurve(fList->currentRow());
}

void TDlgMeasured::DeleteCurve() {
    if (fCurrent < 0 || fCurrent >= static_cast<int>(fEdit.size())) return;
    fEdit.erase(fEdit.begin() + fCurrent);
    fCurrent = -1;
    RefreshList();
    if (!fEdit.empty()) fList->setCurrentRow(0);
    ShowCurve(fList->currentRow());
}

void TDlgMeasured::accept() {
    StoreCurve();
    try {
        fResult = MeasuredCurvesFromEdit(fEdit, fUnits);
    } catch (const EMeasuredError& e) {
        fMessages.Information(e.what());
        return; // the dialog stays open with what was typed
    }
    QDialog::accept();
}

} // namespace dorvek
