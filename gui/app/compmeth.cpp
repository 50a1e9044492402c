#include "gui/app/compmeth.h"

#include "gui/tables/DataEdit.h"
#include "model/project/ProgramData.h"

#include <QGridLayout>
#include <QLabel>

namespace dorvek {

TfrmQwFactors::TfrmQwFactors(TDialogContext context, QWidget* parent)
    : TDataDialog(std::move(context), parent) {
    setWindowTitle(tr("Enter Modifications Factors for Tip Resistance"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (auto [field, caption] :
         {std::pair{&fDataQfactor, "Q-multiplier"}, std::pair{&fDatawfactor, "w-multiplier"}}) {
        auto* label = new QLabel(this);
        *field = new TDataEdit(this, fContext.Messages);
        (*field)->SetEditLabel(label);
        (*field)->SetCaption(tr(caption));
        (*field)->SetNumber(1.0);
        grid->addWidget(label, row, 0);
        grid->addWidget(*field, row++, 1);
    }
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmQwFactors::FormActivate() {
    fDataQfactor->ShowNumber(Project().QFactor);
    fDatawfactor->ShowNumber(Project().wFactor);
    fShownQ = fDataQfactor->text();
    fShownW = fDatawfactor->text();
}

// Edited multipliers are stored and mark the project as changed; untouched ones keep the
// project's value to its last digit.
void TfrmQwFactors::StoreFields() {
    bool changed = false;
    auto store = [&](TDataEdit* field, QString& shown, long double& target) {
        if (field->text() == shown) return;
        try {
            const long double value = field->Number();
            changed = changed || value != target;
            target = value;
            shown = field->text();
        } catch (const std::exception&) {
        }
    };
    store(fDataQfactor, fShownQ, Project().QFactor);
    store(fDatawfactor, fShownW, Project().wFactor);
    if (changed) MarkChanged();
}

} // namespace dorvek
