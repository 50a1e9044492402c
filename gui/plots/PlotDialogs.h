#pragma once
// The dialogs of the plot window: "Graph Caption", "Legend", "Active Curves" and
// "Save Attributes". Each works on a plain model (PlotDialogModels.h) or on plain values.

#include "model/plots/AxisRanges.h"
#include "model/plots/PlotDialogModels.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;
class QRadioButton;
class QComboBox;
class QPushButton;

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
    // "Free Size" first, then the named presets.
    QComboBox* SizeBox() const { return fSize; }
    void accept() override;

private:
    QComboBox* fSize;
    TDataEdit* fHeight;
    TDataEdit* fWidth;
    TDataEdit* fPpi;
    QComboBox* fColors;
};

// "Axis Ranges": from, to and tick step of both axes (a step of 0 keeps the automatic ticks),
// or "Full Extent" to go back to the whole graph.
class TdlgAxisRanges : public QDialog {
    Q_OBJECT
public:
    TdlgAxisRanges(const TAxisRangesChoice& start, TMessages* messages, QWidget* parent = nullptr);

    // The ranges typed, once every field holds a number and both ranges can be used.
    std::optional<TAxisRangesChoice> Values() const;
    // Fields in the order x from, x to, x step, y from, y to, y step.
    TDataEdit* Field(int index) const { return fFields.at(static_cast<size_t>(index)); }
    QPushButton* FullExtentButton() const { return fFullExtent; }
    void accept() override;

private:
    std::vector<TDataEdit*> fFields;
    QPushButton* fFullExtent;
    TMessages* fMessages;
    bool fFullExtentChosen = false;
};

} // namespace dorvek
