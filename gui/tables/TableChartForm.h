#pragma once
// TTableChartForm: the editor of a chart-backed table. It is the table editor with a preview
// above the grid (the table's curve, or one segment per row), the optional "OK" and "Cancel"
// buttons, and reading rows from a text file or the clipboard and copying them back.

#include "gui/tables/TableForm.h"

class QLineEdit;

namespace dorvek {

class TChartPreview;
class TGridTableChart;
class TSegmentPreview;

class TTableChartForm : public TTableForm {
    Q_OBJECT
public:
    TTableChartForm(TGridTableChart& table, bool modal, const TTableWindowHost& host);
    ~TTableChartForm() override;

    TChartPreview* Chart() const { return fChart; }
    TSegmentPreview* Segments() const { return fSegments; }
    QLineEdit* FileNameEdit() const { return fFileName; }
    QPushButton* BrowseButton() const { return fBtnBrowse; }
    QPushButton* ViewFileButton() const { return fBtnView; }
    QPushButton* ReadFileButton() const { return fBtnRead; }
    QPushButton* PasteButton() const { return fBtnPaste; }
    QPushButton* CopyButton() const { return fBtnCopy; }
    QPushButton* OKButton() const { return fBtnOK; }
    QPushButton* CancelButton() const { return fBtnCancel; }

    // Draws the preview from the table now (it otherwise follows changes at the next turn
    // of the event loop).
    void RefreshPreview();

    void BrowseClick();
    void ViewFileClick();
    void ReadFileClick();
    void PasteClick();
    void CopyClick();

protected:
    int RowsCap() const override;
    QSize TopAreaSize(int gridWidth) const override;
    void PlaceTopArea(QRect area) override;
    int PlaceLowerArea(int y, int& right) override;
    void ValuesChanged() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TGridTableChart& ChartTable() const;
    bool PreviewShown() const;
    void UpdateFileButtons();
    QPushButton* NewButton(const char* text, void (TTableChartForm::*click)());

    TChartPreview* fChart = nullptr;
    TSegmentPreview* fSegments = nullptr;
    QPushButton* fBtnOK = nullptr;
    QPushButton* fBtnCancel = nullptr;
    QLabel* fFileLabel = nullptr;
    QLineEdit* fFileName = nullptr;
    QPushButton* fBtnBrowse = nullptr;
    QPushButton* fBtnView = nullptr;
    QPushButton* fBtnRead = nullptr;
    QPushButton* fBtnPaste = nullptr;
    QPushButton* fBtnCopy = nullptr;
    bool fPreviewPending = false;
};

} // namespace dorvek
