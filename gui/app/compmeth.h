#pragma once
// TfrmQwFactors, "Enter Modifications Factors for Tip Resistance": the Q- and w-multipliers
// applied to the Q-w curve.

#include "gui/app/DataDialog.h"

#include <QString>

namespace dorvek {

class TDataEdit;

class TfrmQwFactors : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmQwFactors(TDialogContext context, QWidget* parent = nullptr);

    void FormActivate() override;

    TDataEdit* DataQfactor() const { return fDataQfactor; }
    TDataEdit* Datawfactor() const { return fDatawfactor; }

protected:
    void StoreFields() override;

private:
    TDataEdit* fDataQfactor;
    TDataEdit* fDatawfactor;
    QString fShownQ, fShownW;
};

} // namespace dorvek
