#pragma once
// The previews above the grid of a chart-backed table editor: a line chart of the table's
// curve (Qt Charts) and, for tables with the rows option, a drawing of one segment per row.

#include "model/tables/ChartPreviewData.h"

#include <QChartView>
#include <QWidget>

class QCategoryAxis;
class QLineSeries;

namespace dorvek {

class TChartPreview : public QChartView {
    Q_OBJECT
public:
    explicit TChartPreview(QWidget* parent = nullptr);

    // Shows the curve; numbers on the axes use the given separators.
    void ShowData(const TChartPreviewData& data, char decimalSeparator, char groupSeparator);

    QLineSeries* Series1() const { return fSeries1; }
    QLineSeries* Series2() const { return fSeries2; }
    QCategoryAxis* AxisX() const { return fAxisX; }
    QCategoryAxis* AxisY() const { return fAxisY; }

private:
    QLineSeries* fSeries1;
    QLineSeries* fSeries2;
    QCategoryAxis* fAxisX;
    QCategoryAxis* fAxisY;
};

class TSegmentPreview : public QWidget {
    Q_OBJECT
public:
    explicit TSegmentPreview(QWidget* parent = nullptr);

    void ShowData(TSegmentPreviewData data, bool invertX, bool invertY);
    const TSegmentPreviewData& Data() const { return fData; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TSegmentPreviewData fData;
    bool fInvertX = false;
    bool fInvertY = false;
};

} // namespace dorvek
