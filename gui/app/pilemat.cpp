#include "gui/app/pilemat.h"

#include "gui/tables/DataEdit.h"
#include "model/project/PileFields.h"
#include "model/project/ProgramData.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace dorvek {

TfrmMaterial::TfrmMaterial(TDialogContext context, std::function<void()> editAE, QWidget* parent)
    : TDataDialog(std::move(context), parent), fOpenAE(std::move(editAE)) {
    setWindowTitle(tr("Pile Properties"));
    auto* grid = new QGridLayout(this);
    fDataPL = AddField(PileFields::Length, 0);
    fDataHC = AddField(PileFields::Head, 1);
    fDataTC = AddField(PileFields::Tip, 2);
    fDataNI = AddField(PileFields::Increments, 3);
    fDataOD = AddField(PileFields::Diameter, 4);
    fDataArea = AddField(PileFields::TipArea, 5);
    fDataTol = AddField(PileFields::Tolerance, 6);
    fDataTC->setEnabled(false);

    connect(fDataPL, &QLineEdit::textChanged, this, [this] { UpdateTip(); });
    connect(fDataHC, &QLineEdit::textChanged, this, [this](const QString& text) {
        // A lone minus sign is the start of a number: wait for its digits.
        if (!text.endsWith('-')) UpdateTip();
    });

    fEditAE = new QPushButton(tr("Edit AE vs. Depth Data"), this);
    fEditAE->setToolTip(tr("Enter pile stiffness versus depth"));
    connect(fEditAE, &QPushButton::clicked, this, [this] {
        if (fOpenAE) fOpenAE();
    });
    grid->addWidget(fEditAE, 7, 0, 1, 2);

    auto* heading = new QLabel(tr("* Notes for Pile Head Coordinate:"), this);
    QFont underlined = heading->font();
    underlined.setUnderline(true);
    heading->setFont(underlined);
    grid->addWidget(heading, 8, 0, 1, 2);
    int row = 9;
    for (const char* note :
         {"- Enter (-) if pile head above ground", "- Enter (0) if pile head on ground",
          "- Enter (+) if pile head below ground"})
        grid->addWidget(new QLabel(tr(note), this), row++, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

TDataEdit* TfrmMaterial::AddField(const TPileField& rules, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* label = new QLabel(this);
    auto* field = new TDataEdit(this, fContext.Messages);
    field->SetEditLabel(label);
    field->SetCaption(tr(rules.Caption));
    field->SetUnitsString(QString::fromUtf8(rules.Units));
    field->SetIntegerOnly(rules.IntegerOnly);
    field->SetMaxVal(rules.MaxVal);
    field->SetMinVal(rules.MinVal);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

void TfrmMaterial::UpdateTip() {
    try {
        fDataTC->SetNumber(fDataHC->Number() + fDataPL->Number());
    } catch (const std::exception&) {
        // Not yet a number: the tip stays as it is.
    }
}

void TfrmMaterial::FormActivate() {
    const TProgramData& data = Project();
    for (TDataEdit* field : {fDataPL, fDataHC, fDataTC, fDataNI, fDataOD, fDataArea, fDataTol})
        field->SetUnits(data.fUnits);
    // The stored values as they are, even outside the fields' limits: closing then asks for
    // valid ones instead of showing one value and keeping another.
    fDataPL->ShowNumber(data.PLength);
    fDataHC->ShowNumber(data.HeadCoord);
    fDataNI->ShowNumber(data.NINC);
    fDataOD->ShowNumber(data.OD);
    fDataArea->ShowNumber(data.Tiparea);
    fDataTol->ShowNumber(data.Tolerance);
    UpdateTip();
    fShown.clear();
    for (TDataEdit* field : {fDataPL, fDataHC, fDataNI, fDataOD, fDataArea, fDataTol})
        fShown.push_back(field->text());
}

// A field the user did not touch keeps the project's value as it is (the text shows it to
// eight digits only); an edited one is stored and marks the project as changed.
void TfrmMaterial::StoreFields() {
    if (fShown.size() != 6) return;
    TProgramData& data = Project();
    bool changed = false;
    auto store = [&](TDataEdit* field, size_t index, auto& target) {
        if (field->text() == fShown[index]) return;
        long double value = 0;
        try {
            value = field->Number();
        } catch (const std::exception&) {
            return; // a field without the focus that holds no number keeps the old value
        }
        value = std::clamp(value, field->MinVal(), field->MaxVal());
        using Target = std::remove_reference_t<decltype(target)>;
        const Target stored = std::is_integral_v<Target> ? static_cast<Target>(std::lround(value))
                                                         : static_cast<Target>(value);
        if (stored != target) changed = true;
        target = stored;
        fShown[index] = field->text();
    };
    store(fDataPL, 0, data.PLength);
    store(fDataHC, 1, data.HeadCoord);
    store(fDataNI, 2, data.NINC);
    store(fDataOD, 3, data.OD);
    store(fDataArea, 4, data.Tiparea);
    store(fDataTol, 5, data.Tolerance);
    if (changed) MarkChanged();
}

} // namespace dorvek
