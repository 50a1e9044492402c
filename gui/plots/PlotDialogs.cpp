#include "gui/plots/PlotDialogs.h"

#include "gui/common/Messages.h"
#include "gui/tables/DataEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dorvek {

namespace {

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// ---- Graph Caption

TdlgGraphCaption::TdlgGraphCaption(const std::string& caption, bool onTop, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Graph Caption"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Enter Graph Caption"), this);
    fEdit = new QLineEdit(FromStd(caption), this);
    fEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    label->setBuddy(fEdit);
    layout->addWidget(label);
    layout->addWidget(fEdit);
    auto* group = new QGroupBox(tr("Caption Location"), this);
    auto* row = new QHBoxLayout(group);
    fTop = new QRadioButton(tr("Top"), group);
    fBottom = new QRadioButton(tr("Bottom"), group);
    row->addWidget(fTop);
    row->addWidget(fBottom);
    (onTop ? fTop : fBottom)->setChecked(true);
    layout->addWidget(group);
    layout->addWidget(OkCancel(this));
}

std::string TdlgGraphCaption::Caption() const {
    return fEdit->text().toStdString();
}

bool TdlgGraphCaption::OnTop() const {
    return fTop->isChecked();
}

// ---- Legend

TdlgLegend::TdlgLegend(TLegendNamesModel& model, TMessages* messages,
                       std::function<QColor(int)> colourOf, QWidget* parent)
    : QDialog(parent), fModel(model), fMessages(messages), fColourOf(std::move(colourOf)) {
    setWindowTitle(tr("Legend"));
    setMinimumSize(195, 167);
    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(tr("Select line to modify:"), this);
    fList = new QListWidget(this);
    for (int i = 0; i < fModel.Count(); ++i) fList->addItem(FromStd(fModel.Name(i)));
    listLabel->setBuddy(fList);
    auto* editLabel = new QLabel(tr("Type new legend below:"), this);
    fEdit = new QLineEdit(this);
    editLabel->setBuddy(fEdit);
    layout->addWidget(listLabel);
    layout->addWidget(fList, 1);
    layout->addWidget(editLabel);
    layout->addWidget(fEdit);
    layout->addWidget(OkCancel(this));

    // Enter and leaving the edit store its text; Enter must not close the dialog, so the edit
    // takes Enter itself before the default button sees it.
    connect(fEdit, &QLineEdit::editingFinished, this, [this] { StoreEdit(); });
    fEdit->installEventFilter(this);
    connect(fList, &QListWidget::currentRowChanged, this, [this](int row) {
        fModel.Select(row);
        ShowSelected();
    });
    if (fModel.Count() > 0) fList->setCurrentRow(0);
    ShowSelected();
}

void TdlgLegend::ShowSelected() {
    const int i = fModel.Selected();
    if (i < 0) {
        fEdit->clear();
        fEdit->setEnabled(false);
        return;
    }
    fEdit->setText(FromStd(fModel.Name(i)));
    QPalette palette = fEdit->palette();
    palette.setColor(QPalette::Text, fColourOf ? fColourOf(i) : QColor(Qt::black));
    fEdit->setPalette(palette);
}

bool TdlgLegend::StoreEdit() {
    if (fStoring || fModel.Selected() < 0) return true;
    fStoring = true;
    const bool stored = fModel.Store(fEdit->text().toStdString());
    if (stored) {
        if (QListWidgetItem* item = fList->item(fModel.Selected()))
            item->setText(FromStd(fModel.Name(fModel.Selected())));
    } else {
        fEdit->setText(FromStd(fModel.Name(fModel.Selected())));
        if (fMessages) fMessages->Information(EmptyLegendMessage);
    }
    fStoring = false;
    return stored;
}

bool TdlgLegend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            StoreEdit();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgLegend::accept() {
    if (!StoreEdit()) return;
    QDialog::accept();
}

// ---- Active Curves

TdlgActiveCurves::TdlgActiveCurves(TActiveCurvesModel& model, QWidget* parent)
    : QDialog(parent), fModel(model) {
    setWindowTitle(tr("Active Curves"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Select Curve to Active/Desactive"), this);
    fList = new QListWidget(this);
    fList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QFont mono = fList->font();
    mono.setFamily(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    fList->setFont(mono); // the flags line up
    label->setBuddy(fList);
    layout->addWidget(label);
    layout->addWidget(fList, 1);
    auto* row = new QHBoxLayout;
    auto* toggle = new QPushButton(tr("Activate/Deactivate Selected"), this);
    auto* all = new QPushButton(tr("Activate All"), this);
    auto* none = new QPushButton(tr("Deactivate All"), this);
    for (QPushButton* b : {toggle, all, none}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);
    layout->addWidget(OkCancel(this));
    connect(toggle, &QPushButton::clicked, this, [this] { ToggleSelected(); });
    connect(all, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(fList, &QListWidget::itemDoubleClicked, this, [this] { ToggleSelected(); });
    Refill();
    if (fModel.Count() > 0) fList->setCurrentRow(0);
    resize(std::max(sizeHint().width(), 420), 360);
}

void TdlgActiveCurves::Refill() {
    for (int i = 0; i < fModel.Count(); ++i) {
        if (i < fList->count())
            fList->item(i)->setText(FromStd(fModel.EntryText(i)));
        else
            fList->addItem(FromStd(fModel.EntryText(i)));
    }
}

void TdlgActiveCurves::ToggleSelected() {
    std::vector<int> rows;
    for (int i = 0; i < fList->count(); ++i)
        if (fList->item(i)->isSelected()) rows.push_back(i);
    fModel.Toggle(rows);
    Refill();
}

void TdlgActiveCurves::SetAll(bool active) {
    fModel.SetAll(active);
    Refill();
}

// ---- Save Attributes

TdlgSaveAttributes::TdlgSaveAttributes(const TSaveAttributes& values, TMessages* messages,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Save Attributes"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto field = [&](const char* caption, double value, double minimum, int row) {
        auto* label = new QLabel(this);
        auto* edit = new TDataEdit(this, messages);
        edit->SetEditLabel(label);
        edit->SetCaption(tr(caption));
        edit->SetMinVal(minimum);
        edit->SetNumber(value);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    auto* sizeLabel = new QLabel(tr("Si&ze"), this);
    fSize = new QComboBox(this);
    fSize->addItem(tr("Free Size"));
    for (const TSizePreset& preset : PictureSizePresets()) fSize->addItem(FromStd(preset.Name));
    const std::optional<size_t> preset = PresetOf(values);
    fSize->setCurrentIndex(preset ? static_cast<int>(*preset) + 1 : 0);
    sizeLabel->setBuddy(fSize);
    grid->addWidget(sizeLabel, 0, 0);
    grid->addWidget(fSize, 0, 1);
    fHeight = field("&Height (in)", values.HeightIn, MinPictureInches, 1);
    fWidth = field("&Width (in)", values.WidthIn, MinPictureInches, 2);
    fPpi = field("&Pixels Per Inch", values.PixelsPerInch, MinPixelsPerInch, 3);
    auto* colorsLabel = new QLabel(tr("Colors"), this);
    fColors = new QComboBox(this);
    for (const std::string& name : PictureColorNames()) fColors->addItem(FromStd(name));
    fColors->setCurrentIndex(static_cast<int>(values.Colors));
    colorsLabel->setBuddy(fColors);
    grid->addWidget(colorsLabel, 4, 0);
    grid->addWidget(fColors, 4, 1);
    // A preset fills the three fields; they stay free to edit.
    connect(fSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 1) return;
        const TSizePreset& chosen = PictureSizePresets().at(static_cast<size_t>(index - 1));
        fHeight->SetNumber(chosen.HeightIn);
        fWidth->SetNumber(chosen.WidthIn);
        fPpi->SetNumber(chosen.PixelsPerInch);
    });
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this));
}

std::optional<TSaveAttributes> TdlgSaveAttributes::Values() const {
    try {
        TSaveAttributes a;
        a.HeightIn = static_cast<double>(fHeight->Number());
        a.WidthIn = static_cast<double>(fWidth->Number());
        a.PixelsPerInch = static_cast<double>(fPpi->Number());
        a.Colors = static_cast<TPictureColors>(std::max(0, fColors->currentIndex()));
        if (!SaveAttributesValid(a)) return std::nullopt;
        return a;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TdlgSaveAttributes::accept() {
    for (TDataEdit* edit : {fHeight, fWidth, fPpi})
        if (!edit->CloseQuery()) return;
    if (!Values()) return;
    QDialog::accept();
}

TdlgAxisRanges::TdlgAxisRanges(const TAxisRangesChoice& start, TMessages* messages, QWidget* parent)
    : QDialog(parent), fMessages(messages) {
    setWindowTitle(tr("Axis Ranges"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* heads[] = {"From", "To", "Tick Step"};
    for (int c = 0; c < 3; ++c) grid->addWidget(new QLabel(tr(heads[c]), this), 0, c + 1);
    const TGraphPlot::TAxisRange* ranges[] = {&start.X, &start.Y};
    const char* axes[] = {"&x axis", "&y axis"};
    for (int r = 0; r < 2; ++r) {
        auto* label = new QLabel(tr(axes[r]), this);
        grid->addWidget(label, r + 1, 0);
        const long double values[] = {ranges[r]->From, ranges[r]->To, ranges[r]->Step};
        for (int c = 0; c < 3; ++c) {
            auto* edit = new TDataEdit(this, messages);
            edit->SetNumber(values[c]);
            if (c == 0) label->setBuddy(edit);
            grid->addWidget(edit, r + 1, c + 1);
            fFields.push_back(edit);
        }
    }
    layout->addLayout(grid);
    auto* buttons = OkCancel(this);
    fFullExtent = buttons->addButton(tr("&Full Extent"), QDialogButtonBox::ResetRole);
    connect(fFullExtent, &QPushButton::clicked, this, [this] {
        fFullExtentChosen = true;
        QDialog::accept();
    });
    layout->addWidget(buttons);
}

std::optional<TAxisRangesChoice> TdlgAxisRanges::Values() const {
    TAxisRangesChoice choice;
    if (fFullExtentChosen) {
        choice.FullExtent = true;
        return choice;
    }
    try {
        TGraphPlot::TAxisRange* ranges[] = {&choice.X, &choice.Y};
        for (int r = 0; r < 2; ++r) {
            ranges[r]->Set = true;
            ranges[r]->From = fFields[static_cast<size_t>(3 * r)]->Number();
            ranges[r]->To = fFields[static_cast<size_t>(3 * r + 1)]->Number();
            ranges[r]->Step = fFields[static_cast<size_t>(3 * r + 2)]->Number();
            if (!AxisRangeProblem(*ranges[r], r == 0 ? "x" : "y").empty()) return std::nullopt;
        }
        return choice;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TdlgAxisRanges::accept() {
    for (TDataEdit* edit : fFields)
        if (!edit->CloseQuery()) return;
    for (int r = 0; r < 2; ++r) {
        TGraphPlot::TAxisRange range{true, fFields[static_cast<size_t>(3 * r)]->Number(),
                                     fFields[static_cast<size_t>(3 * r + 1)]->Number(),
                                     fFields[static_cast<size_t>(3 * r + 2)]->Number()};
        const std::string problem = AxisRangeProblem(range, r == 0 ? "x" : "y");
        if (!problem.empty()) {
            if (fMessages) fMessages->Information(problem);
            return;
        }
    }
    QDialog::accept();
}

} // namespace dorvek
