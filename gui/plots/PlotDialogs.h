#pragma once
// The dialogs of the plot window: "Graph Caption", "Legend", "Active Curves" and
// "Save Attributes". Each works on a plain model (PlotDialogModels.h) or on plain values.

#include "model/plots/PlotDialogModels.h"

#include <QColor>
#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;
class QRadioButton;
class QComboBox;

namespace dorvek {

class TDataEdit;
class TMessages;

class TdlgGraphCaption : public QDialog {
    Q_OBJECT
public:
    TdlgGraphCaption(const std::string& caption, bool onTop, QWidget* parent = nullptr);
    std::string Caption() const;
    bool OnTop() const;

    QLineEdit* CaptionEdit() const { return fEdit; }
    QRadioButton* TopButton() const { return fTop; }
    QRadioButton* BottomButton() const { return fBottom; }

private:
    QLineEdit* fEdit;
    QRadioButton* fTop;
    QRadioButton* fBottom;
};

class TdlgLegend : public QDialog {
    Q_OBJECT
public:
    // colourOf: the palette colour of a list position.
    TdlgLegend(TLegendNamesModel& model, TMessages* messages, std::function<QColor(int)> colourOf,
               QWidget* parent = nullptr);

    QListWidget* List() const { return fList; }
    QLineEdit* NameEdit() const { return fEdit; }
    // Stores the edit's text into the selected entry (Enter, leaving the edit, OK).
    bool StoreEdit();
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowSelected();

    TLegendNamesModel& fModel;
    TMessages* fMessages;
    std::function<QColor(int)> fColourOf;
    QListWidget* fList;
    QLineEdit* fEdit;
    bool fStoring = false;
};

class TdlgActiveCurves : public QDialog {
    Q_OBJECT
public:
    TdlgActiveCurves(TActiveCurvesModel& model, QWidget* parent = nullptr);

    QListWidget* List() const { return fList; }
    void ToggleSelected();
    void SetAll(bool active);

private:
    void Refill();

    TActiveCurvesModel& fModel;
    QListWidget* fList;
};

class TdlgSaveAttributes : public QDialog {
    Q_OBJECT
public:
    TdlgSaveAttributes(const TSaveAttributes& values, TMessages* messages,
                       QWidget* parent = nullptr);

    // The values typed, once every field holds a number within its limits.
    std::optional<TSaveAttributes> Values() const;
    TDataEdit* HeightEdit() const { return fHeight; }
    TDataEdit* WidthEdit() const { return fWidth; }
    TDataEdit* PpiEdit() const { return fPpi; }
    QComboBox* ColorsBox() const { return fColors; }
    void accept() override;

private:
    TDataEdit* fHeight;
    TDataEdit* fWidth;
    TDataEdit* fPpi;
    QComboBox* fColors;
};

} // namespace dorvek
