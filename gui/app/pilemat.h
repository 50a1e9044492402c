#pragma once
// TfrmMaterial, "Pile Properties": the pile's length, head and tip coordinates, number of
// increments, diameter, tip area and convergence tolerance, and the way to the editor of
// the axial stiffness table.

#include "gui/app/DataDialog.h"

class QLabel;
class QPushButton;

namespace dorvek {

class TDataEdit;
struct TPileField;

class TfrmMaterial : public TDataDialog {
    Q_OBJECT
public:
    // editAE opens the editor of the axial stiffness table.
    TfrmMaterial(TDialogContext context, std::function<void()> editAE, QWidget* parent = nullptr);

    void FormActivate() override;

    TDataEdit* DataPL() const { return fDataPL; }
    TDataEdit* DataHC() const { return fDataHC; }
    TDataEdit* DataTC() const { return fDataTC; }
    TDataEdit* DataNI() const { return fDataNI; }
    TDataEdit* DataOD() const { return fDataOD; }
    TDataEdit* DataArea() const { return fDataArea; }
    TDataEdit* DataTol() const { return fDataTol; }
    QPushButton* EditAEButton() const { return fEditAE; }

protected:
    void StoreFields() override;

private:
    TDataEdit* AddField(const TPileField& rules, int row);
    // Tip coordinate := head coordinate + pile length, while both are numbers.
    void UpdateTip();

    std::function<void()> fOpenAE;
    TDataEdit* fDataPL;
    TDataEdit* fDataHC;
    TDataEdit* fDataTC;
    TDataEdit* fDataNI;
    TDataEdit* fDataOD;
    TDataEdit* fDataArea;
    TDataEdit* fDataTol;
    QPushButton* fEditAE;
    // The texts shown by the last activation: an untouched field stores nothing.
    std::vector<QString> fShown;
};

} // namespace dorvek
