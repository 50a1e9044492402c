#pragma once
// TDlgMeasured, "Measured Load-Settlement Curves": the project's load tests, each a name and a
// table of head loads and settlements, typed in or imported from a CSV file. OK checks every
// curve and names the curve and row at fault.

#include "model/plots/MeasuredEdit.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace dorvek {

class TMessages;

class TDlgMeasured : public QDialog {
    Q_OBJECT
public:
    // `curves` in the project's unit system `units`.
    TDlgMeasured(const TMeasuredCurves& curves, int units, TMessages& messages,
                 QWidget* parent = nullptr);

    // The curves after OK.
    const TMeasuredCurves& Curves() const { return fResult; }

    QListWidget* CurveList() const { return fList; }
    QLineEdit* NameEdit() const { return fName; }
    QTableWidget* PointTable() const { return fTable; }
    QPushButton* AddButton() const { return fAdd; }
    QPushButton* ImportButton() const { return fImport; }
    QPushButton* DeleteButton() const { return fDelete; }

    // The buttons' work, for the buttons and for tests.
    void AddCurve();
    void ImportCsv();
    void DeleteCurve();
    void accept() override;

private:
    void ShowCurve(int index);
    void StoreCurve();
    void RefreshList();

    TMessages& fMessages;
    int fUnits;
    std::vector<TMeasuredEditCurve> fEdit;
    int fCurrent = -1;
    TMeasuredCurves fResult;
    QListWidget* fList;
    QLineEdit* fName;
    QTableWidget* fTable;
    QPushButton* fAdd;
    QPushButton* fImport;
    QPushButton* fDelete;
};

} // namespace dorvek
