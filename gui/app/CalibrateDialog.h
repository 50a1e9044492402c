#pragma once
// TDlgCalibrate, "Calibrate to Measured Curve": the factors on side resistance, tip resistance
// and stiffness (all soil layers at once or one per layer) that bring the project's computed
// settlements closest to its measured curves. Shows the progress of the analyses, the factors
// and misfit found and the curves before and after; the calibrated project can be saved as a
// new project file and opened.

#include "model/calibration/Calibrate.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace dorvek {

class TMessages;
class TPlotPreview;

// The project of the main window, worked on while the dialog is open and restored when it
// goes.
struct TCalibrateContext {
    TMessages* Messages = nullptr;
    TProgramData* Data = nullptr;
    TProjectTables* Tables = nullptr;
    TMeasuredCurves Measured;
};

class TDlgCalibrate : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCalibrate(TCalibrateContext context, QWidget* parent = nullptr);
    ~TDlgCalibrate() override;

    QCheckBox* SideBox() const { return fSide; }
    QCheckBox* TipBox() const { return fTip; }
    QCheckBox* AeBox() const { return fAe; }
    QCheckBox* PerLayerBox() const { return fPerLayer; }
    QPushButton* StartButton() const { return fStart; }
    QPushButton* StopButton() const { return fStop; }
    QPushButton* SaveButton() const { return fSave; }
    QProgressBar* Progress() const { return fProgress; }
    QPlainTextEdit* ResultText() const { return fResult; }
    TPlotPreview* Preview() const { return fPreview; }
    bool Running() const { return fRunning; }
    const TCalibrationOutcome* Outcome() const { return fOutcome.get(); }
    // The calibrated project the user chose to open once the dialog has closed; empty when
    // none.
    const std::string& ProjectToOpen() const { return fToOpen; }

    // The buttons' work.
    void StartClick();
    void StopClick() { fStopAsked = true; }
    void SaveClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void UpdateStates();

    TCalibrateContext fContext;
    std::unique_ptr<TFactorProject> fProject;
    std::unique_ptr<TCalibrationOutcome> fOutcome;
    std::vector<TFactorName> fNames;
    bool fRunning = false;
    bool fStopAsked = false;
    std::string fToOpen;
    QCheckBox* fSide;
    QCheckBox* fTip;
    QCheckBox* fAe;
    QCheckBox* fPerLayer;
    QPushButton* fStart;
    QPushButton* fStop;
    QPushButton* fSave;
    QPushButton* fClose;
    QProgressBar* fProgress;
    QLabel* fStatus;
    QPlainTextEdit* fResult;
    TPlotPreview* fPreview;
};

} // namespace dorvek
