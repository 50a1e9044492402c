#include "gui/tables/ChartPreview.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

// Ticks and labels of one axis: a round scale around the values, or the fixed range of a
// flat line with round ticks inside it.
void SetScale(QCategoryAxis* axis, double min, double max, bool fixed, TAxisFormat format,
              char decimalSeparator, char groupSeparator) {
    const QStringList old = axis->categoriesLabels();
    for (const QString& label : old) axis->remove(label);
    TAxisScale scale = NiceScale(min, max);
    double low = fixed ? std::min(min, max) : scale.Min;
    double high = fixed ? std::max(min, max) : scale.Max;
    if (format != TAxisFormat::Whole) format = ChooseAxisFormat(low, high);
    axis->setStartValue(low);
    axis->setRange(low, high);
    const double step = scale.Step;
    double first = std::ceil(low / step - 1e-9) * step;
    QStringList used;
    for (int i = 0; i < 100; ++i) {
        double value = first + i * step;
        if (value > high + step * 1e-9) break;
        if (std::fabs(value) < step * 1e-9) value = 0;
        QString label = QString::fromStdString(
            FormatAxisLabel(value, format, decimalSeparator, groupSeparator));
        // Category labels must differ; a repeated text gets invisible padding.
        while (used.contains(label)) label += QChar(0x200B);
        used << label;
        axis->append(label, value);
    }
}

QCategoryAxis* NewAxis() {
    auto* axis = new QCategoryAxis();
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QFont font = axis->labelsFont();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() - 1.5));
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setGridLineVisible(true);
    return axis;
}

} // namespace

// The view is given its chart when it is made: a view made without one makes an empty chart
// of its own, which setChart would hand back to nobody.
TChartPreview::TChartPreview(QWidget* parent) : QChartView(new QChart(), parent) {
    QChart* chart = this->chart();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 4, 12, 2));
    chart->legend()->hide();
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSizeF(std::max(6.0, legendFont.pointSizeF() - 1.5));
    chart->legend()->setFont(legendFont);

    fSeries1 = new QLineSeries();
    fSeries1->setPen(QPen(Qt::red, 2));
    fSeries2 = new QLineSeries();
    fSeries2->setPen(QPen(Qt::green, 2));
    chart->addSeries(fSeries1);
    chart->addSeries(fSeries2);
    fAxisX = NewAxis();
    fAxisY = NewAxis();
    chart->addAxis(fAxisX, Qt::AlignBottom);
    chart->addAxis(fAxisY, Qt::AlignLeft);
    for (QLineSeries* series : {fSeries1, fSeries2}) {
        series->attachAxis(fAxisX);
        series->attachAxis(fAxisY);
    }
    setRenderHint(QPainter::Antialiasing);
}

void TChartPreview::ShowData(const TChartPreviewData& data, char decimalSeparator,
                             char groupSeparator) {
    auto points = [](const std::vector<TPreviewPoint>& source) {
        QList<QPointF> list;
        for (const auto& p : source) list << QPointF(p.X, p.Y);
        return list;
    };
    fSeries1->replace(points(data.Series1));
    fSeries1->setPointsVisible(!data.XIsRowIndex);
    fSeries2->replace(points(data.ShowSeries2 ? data.Series2 : std::vector<TPreviewPoint>{}));
    fSeries2->setVisible(data.ShowSeries2);
    fSeries2->setPointsVisible(true);
    fSeries1->setName(QString::fromStdString(data.Series1Title));
    fSeries2->setName(QString::fromStdString(data.Series2Title));
    chart()->legend()->setVisible(data.ShowSeries2);
    // The second series has no entry in the legend while it is off.
    const auto markers = chart()->legend()->markers(fSeries2);
    for (auto* marker : markers) marker->setVisible(data.ShowSeries2);

    double xMin = HUGE_VAL, xMax = -HUGE_VAL, yMin = HUGE_VAL, yMax = -HUGE_VAL;
    auto extend = [&](const std::vector<TPreviewPoint>& source) {
        for (const auto& p : source) {
            xMin = std::min(xMin, p.X);
            xMax = std::max(xMax, p.X);
            yMin = std::min(yMin, p.Y);
            yMax = std::max(yMax, p.Y);
        }
    };
    extend(data.Series1);
    if (data.ShowSeries2) extend(data.Series2);
    if (xMin > xMax) xMin = xMax = 0;
    if (yMin > yMax) yMin = yMax = 0;

    SetScale(fAxisX, xMin, xMax, false, data.XIsRowIndex ? TAxisFormat::Whole : TAxisFormat::Fixed,
             decimalSeparator, groupSeparator);
    if (data.Flat)
        SetScale(fAxisY, data.FlatYMin, data.FlatYMax, true, TAxisFormat::Fixed, decimalSeparator,
                 groupSeparator);
    else
        SetScale(fAxisY, yMin, yMax, false, TAxisFormat::Fixed, decimalSeparator, groupSeparator);
    fAxisX->setTitleText(QString::fromStdString(data.XTitle));
    fAxisY->setTitleText(QString::fromStdString(data.YTitle));
    fAxisX->setReverse(data.InvertX);
    fAxisY->setReverse(data.InvertY);
}

TSegmentPreview::TSegmentPreview(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void TSegmentPreview::ShowData(TSegmentPreviewData data, bool invertX, bool invertY) {
    fData = std::move(data);
    fInvertX = invertX;
    fInvertY = invertY;
    update();
}

void TSegmentPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (fData.Segments.empty()) return;
    constexpr int border = 20;
    const double w = std::max(width() - 2 * border, 1);
    const double h = std::max(height() - 2 * border, 1);
    auto map = [&](double x, double y) {
        double fx = (x - fData.XMin) / (fData.XMax - fData.XMin);
        double fy = (y - fData.YMin) / (fData.YMax - fData.YMin);
        if (fInvertX) fx = 1 - fx;
        if (!fInvertY) fy = 1 - fy; // y runs upwards unless inverted
        return QPointF(border + fx * w, border + fy * h);
    };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    const QFontMetrics metrics(font());
    for (const auto& s : fData.Segments) {
        const QPointF a = map(s.X1, s.Y1);
        const QPointF b = map(s.X2, s.Y2);
        painter.drawLine(a, b);
        const QPointF mid = (a + b) / 2;
        const QString number = QString::number(s.Row);
        painter.drawText(QPointF(mid.x() - metrics.horizontalAdvance(number) / 2.0,
                                 mid.y() + (metrics.ascent() - metrics.descent()) / 2.0),
                         number);
    }
}

} // namespace dorvek
