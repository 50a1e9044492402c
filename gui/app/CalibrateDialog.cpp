#include "gui/app/CalibrateDialog.h"

#include "gui/app/MainController.h"
#include "gui/app/PlotPreview.h"
#include "gui/common/Messages.h"
#include "model/calibration/CalibrationPlot.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

// A UTF-8 file name as a path on every system.
fs::path PathOf(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

} // namespace

TDlgCalibrate::TDlgCalibrate(TCalibrateContext context, QWidget* parent)
    : QDialog(parent), fContext(std::move(context)) {
    setWindowTitle(QStringLiteral("Calibrate to Measured Curve"));
    setModal(true);
    fProject = std::make_unique<TFactorProject>(*fContext.Data, *fContext.Tables);

    auto* factors =
        new QGroupBox(QStringLiteral("Factors to calibrate (each from 0.2 to 5)"), this);
    fSide = new QCheckBox(QStringLiteral("&Side resistance (side-factor)"), factors);
    fTip = new QCheckBox(QStringLiteral("&Tip resistance (tip-factor)"), factors);
    fAe = new QCheckBox(QStringLiteral("&Axial stiffness AE (ae-factor)"), factors);
    const int layers = fProject->LayerCount();
    fPerLayer = new QCheckBox(
        QStringLiteral("Side and tip resistance &per soil layer (%1 layers)").arg(layers), factors);
    fPerLayer->setEnabled(layers > 1);
    fSide->setChecked(true);
    fTip->setChecked(true);
    auto* grid = new QGridLayout(factors);
    grid->addWidget(fSide, 0, 0);
    grid->addWidget(fTip, 0, 1);
    grid->addWidget(fAe, 0, 2);
    grid->addWidget(fPerLayer, 1, 0, 1, 3);

    const auto points = static_cast<int>(CalibrationPoints(fContext.Measured).size());
    auto* about = new QLabel(QStringLiteral("Least squares of the settlement differences at the "
                                            "loads of %1 measured points; a load the pile cannot "
                                            "carry counts as a plunge.")
                                 .arg(points),
                             this);
    about->setWordWrap(true);

    fStart = new QPushButton(QStringLiteral("&Start"), this);
    fStop = new QPushButton(QStringLiteral("St&op"), this);
    fProgress = new QProgressBar(this);
    fProgress->setRange(0, 1);
    fProgress->setValue(0);
    fStatus = new QLabel(this);
    auto* run = new QHBoxLayout;
    run->addWidget(fStart);
    run->addWidget(fStop);
    run->addWidget(fProgress, 1);

    fResult = new QPlainTextEdit(this);
    fResult->setReadOnly(true);
    fResult->setLineWrapMode(QPlainTextEdit::NoWrap);
    fResult->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fResult->setMaximumHeight(fResult->fontMetrics().height() * 7);
    fPreview = new TPlotPreview(this);

    fSave = new QPushButton(QStringLiteral("Save &Calibrated Project As..."), this);
    fClose = new QPushButton(QStringLiteral("Close"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fSave);
    bottom->addStretch();
    bottom->addWidget(fClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(factors);
    layout->addWidget(about);
    layout->addLayout(run);
    layout->addWidget(fStatus);
    layout->addWidget(fResult);
    layout->addWidget(fPreview, 1);
    layout->addLayout(bottom);

    connect(fStart, &QPushButton::clicked, this, [this] { StartClick(); });
    connect(fStop, &QPushButton::clicked, this, [this] { StopClick(); });
    connect(fSave, &QPushButton::clicked, this, [this] { SaveClick(); });
    connect(fClose, &QPushButton::clicked, this, &QDialog::reject);
    for (QCheckBox* box : {fSide, fTip, fAe, fPerLayer})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateStates(); });
    UpdateStates();
    resize(760, 720);
}

TDlgCalibrate::~TDlgCalibrate() = default;

void TDlgCalibrate::UpdateStates() {
    const bool chosen = fSide->isChecked() || fTip->isChecked() || fAe->isChecked();
    for (QCheckBox* box : {fSide, fTip, fAe}) box->setEnabled(!fRunning);
    fPerLayer->setEnabled(!fRunning && fProject->LayerCount() > 1);
    fStart->setEnabled(!fRunning && chosen);
    fStop->setEnabled(fRunning);
    fSave->setEnabled(!fRunning && fOutcome != nullptr);
    fClose->setEnabled(!fRunning);
}

void TDlgCalibrate::StartClick() {
    if (fRunning) return;
    fNames =
        ChosenFactors(fSide->isChecked(), fTip->isChecked(), fAe->isChecked(),
                      fPerLayer->isChecked() && fPerLayer->isEnabled(), fProject->LayerCount());
    TCalibrationRequest request;
    request.factors = fNames;
    request.measured = fContext.Measured;
    const int units = fProject->Data().fUnits;
    const QString unit = units == 2 ? QStringLiteral("m") : QStringLiteral("in");
    // The analyses run here, between which the window keeps answering (Stop among others).
    request.progress = [&](const TCalibrationProgress& p) {
        fProgress->setRange(0, p.maxEvaluations);
        fProgress->setValue(std::min(p.evaluation, p.maxEvaluations));
        fStatus->setText(QStringLiteral("Analysis %1 of at most %2; best misfit so far %3 %4")
                             .arg(p.evaluation)
                             .arg(p.maxEvaluations)
                             .arg(p.best, 0, 'g', 5)
                             .arg(unit));
        QApplication::processEvents();
        return !fStopAsked;
    };
    fRunning = true;
    fStopAsked = false;
    fOutcome.reset();
    fResult->clear();
    UpdateStates();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    try {
        fOutcome = std::make_unique<TCalibrationOutcome>(Calibrate(*fProject, request));
    } catch (const std::exception& e) {
        fResult->setPlainText(QString::fromStdString(std::string("Not calibrated: ") + e.what()));
    }
    QApplication::restoreOverrideCursor();
    fRunning = false;
    if (fOutcome) {
        fProgress->setValue(fProgress->maximum());
        fStatus->setText(fOutcome->stopped ? QStringLiteral("Stopped: the best factors so far.")
                                           : QStringLiteral("Done."));
        fResult->setPlainText(QString::fromStdString(CalibrationText(fNames, *fOutcome, units)));
        TGraphPlot& plot = fPreview->Plot();
        FillCalibrationPlot(plot, *fOutcome, fContext.Measured, units,
                            fProject->Data().downdrag == 1);
        fPreview->update();
    }
    UpdateStates();
}

void TDlgCalibrate::SaveClick() {
    if (!fOutcome || !fContext.Messages) return;
    const fs::path original = PathOf(fContext.Data->FileName);
    const fs::path preset =
        original.parent_path() / (original.stem().string() + "-calibrated.dv4d");
    const auto choice =
        fContext.Messages->SaveFile("Save Calibrated Project As", SaveFilter, preset.string());
    if (!choice) return;
    fs::path target = PathOf(choice->FileName);
    if (target.extension().empty()) target += ".dv4d";
    if (fs::weakly_canonical(target) == fs::weakly_canonical(original)) {
        fContext.Messages->Information("The calibrated project must not replace the project it "
                                       "was calibrated from; choose another name.");
        return;
    }
    try {
        fProject->Apply(fNames, fOutcome->factors);
        fProject->Write(target);
        WriteMeasuredCurves(target, fContext.Measured);
    } catch (const std::exception& e) {
        fContext.Messages->Information(e.what());
        return;
    }
    if (fContext.Messages->Question("The calibrated project was saved as " + target.string() +
                                    ". Open it now?") == TAnswer::Yes) {
        fToOpen = target.string();
        accept();
    }
}

void TDlgCalibrate::closeEvent(QCloseEvent* event) {
    if (fRunning) {
        fStopAsked = true; // closes once the analysis under way has ended
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TDlgCalibrate::reject() {
    if (fRunning) {
        fStopAsked = true;
        return;
    }
    QDialog::reject();
}

} // namespace dorvek
