#pragma once
// TDlgSideView, "Elevation View": the pile in its soil layers to scale, the depth under the
// mouse in the title, printing of the profile and saving it as a picture.

#include "gui/plots/PileSideRender.h"
#include "model/plots/PileSideModel.h"

#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace dorvek {

class TMessages;

// What the view needs from the main window.
struct TSideViewContext {
    TMessages* Messages = nullptr;
    // The current project's values.
    std::function<TPileSideInput()> Input;
    // File name offered by the save dialog.
    std::function<std::string()> PictureName;
};

class TDlgSideView : public QWidget {
    Q_OBJECT
public:
    explicit TDlgSideView(TSideViewContext context, QWidget* parent = nullptr);

    // Activation: the geometry is built afresh from the project, then laid out and shown.
    void FormActivate();

    const TPileSideModel& Model() const { return fModel; }
    QLabel* GeometryLabel() const { return fLabel; }
    QPushButton* PrintButton() const { return fPrint; }
    QPushButton* CloseButton() const { return fClose; }
    QPushButton* SaveButton() const { return fSave; }
    QCheckBox* OmitHatches() const { return fOmitHatches; }

    // The print dialog; true to print. Tests replace it.
    std::function<bool(QPrinter&)> ChoosePrinter;
    // One landscape page titled "Soil-Pile Profile" on an already chosen printer.
    void PrintTo(QPrinter& printer);
    // The style of the window's drawing.
    TPileSideStyle Style() const;
    // The column of the buttons at the right, and the drawing's width left of it.
    int ButtonsWidth() const;
    int DrawingWidth() const;

signals:
    // The window has closed (the main window's presence flag is cleared).
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceButtons();
    void PrintClick();
    void SaveClick();

    TSideViewContext fContext;
    TPileSideModel fModel;
    QLabel* fLabel;
    QPushButton* fPrint;
    QPushButton* fClose;
    QPushButton* fSave;
    QCheckBox* fOmitHatches;
    bool fFollowing = false;
};

} // namespace dorvek
