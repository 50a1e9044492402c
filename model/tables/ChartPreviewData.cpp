#include "model/tables/ChartPreviewData.h"

#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/TableChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dorvek {

namespace {

// The value a cell contributes to a curve: floats and integers as they are, texts when
// they hold a number, anything else 0.
double CellNumber(const TGridTable& table, int col, int row) {
    if (col < 0 || col >= table.ColCount() || row < 0 || row >= table.RowCount()) return 0;
    const TColumn& column = table.GetColumn(col);
    if (dynamic_cast<const TFloatColumn*>(&column))
        return static_cast<double>(column.GetFloatValue(row));
    if (dynamic_cast<const TIntColumn*>(&column) || dynamic_cast<const TEnumColumn*>(&column))
        return column.GetIntValue(row);
    long double value = 0;
    if (ParseNumber(column.GetStringValue(row), value)) return static_cast<double>(value);
    return 0;
}

std::string FirstHeading(const TGridTable& table, int col) {
    if (col < 0 || col >= table.ColCount()) return {};
    std::string text = table.GetColumn(col).GetDisplayHeadings(0);
    auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

TChartPreviewData BuildChartPreview(const TGridTableChart& table) {
    TChartPreviewData data;
    const TChartSettings& chart = table.Chart;
    const int rows = table.RowCount();
    const int dataColumns = table.VisibleColumnCount();
    data.InvertX = table.InvertedXAxis;
    data.InvertY = table.InvertedYAxis;

    if (dataColumns == 3 && chart.XColumn == 0 && chart.YColumn == 1) {
        data.ShowSeries2 = true;
        for (int r = 0; r < rows; ++r)
            data.Series2.push_back({CellNumber(table, 0, r), CellNumber(table, 2, r)});
    } else if (dataColumns == 3 && chart.XColumn == 1 && chart.YColumn == 0) {
        data.ShowSeries2 = true;
        for (int r = 0; r < rows; ++r)
            data.Series2.push_back({CellNumber(table, 2, r), CellNumber(table, 0, r)});
    }
    if (data.ShowSeries2) {
        data.Series1Title = FirstHeading(table, 1);
        data.Series2Title = FirstHeading(table, 2);
    }

    data.XIsRowIndex = dataColumns == 1;
    for (int r = 0; r < rows; ++r) {
        double x = data.XIsRowIndex ? r : CellNumber(table, chart.XColumn, r);
        data.Series1.push_back({x, CellNumber(table, chart.YColumn, r)});
    }

    if (rows > 1) {
        const double first = data.Series1.front().Y;
        auto same = [first](const TPreviewPoint& p) { return p.Y == first; };
        bool flat = std::all_of(data.Series1.begin(), data.Series1.end(), same);
        if (data.ShowSeries2)
            flat = flat && std::all_of(data.Series2.begin(), data.Series2.end(), same);
        if (flat) {
            data.Flat = true;
            data.Series1[1].Y = first * 1.001;
            data.FlatYMin = 0.9 * first;
            data.FlatYMax = 1.1 * first;
            // A flat line at zero (every new table) or below zero still needs a range
            // that runs upwards.
            if (first < 0) std::swap(data.FlatYMin, data.FlatYMax);
            if (first == 0) {
                data.FlatYMin = -1;
                data.FlatYMax = 1;
            }
        }
    }

    data.XTitle = data.XIsRowIndex ? std::string("N") : FirstHeading(table, chart.XColumn);
    data.YTitle = FirstHeading(table, chart.YColumn);
    return data;
}

TSegmentPreviewData BuildSegmentPreview(const TGridTableChart& table) {
    TSegmentPreviewData data;
    const TChartSettings& chart = table.Chart;
    const int rows = table.RowCount();
    if (rows == 0) return data;
    std::vector<TPreviewSegment> segments;
    for (int r = 0; r < rows; ++r)
        segments.push_back(
            {CellNumber(table, chart.XColumn, r), CellNumber(table, chart.YColumn, r),
             CellNumber(table, chart.X2Column, r), CellNumber(table, chart.Y2Column, r), r + 1});
    data.XMin = data.YMin = HUGE_VAL;
    data.XMax = data.YMax = -HUGE_VAL;
    for (const auto& s : segments) {
        data.XMin = std::min({data.XMin, s.X1, s.X2});
        data.XMax = std::max({data.XMax, s.X1, s.X2});
        data.YMin = std::min({data.YMin, s.Y1, s.Y2});
        data.YMax = std::max({data.YMax, s.Y1, s.Y2});
    }
    if (data.XMax > data.XMin && data.YMax > data.YMin) data.Segments = std::move(segments);
    return data;
}

TAxisScale NiceScale(double min, double max, int intervals) {
    if (!std::isfinite(min) || !std::isfinite(max)) return {};
    if (min > max) std::swap(min, max);
    if (max == min) {
        double half = min == 0 ? 1 : std::fabs(min) * 0.1;
        min -= half;
        max += half;
    }
    intervals = std::max(intervals, 1);
    double raw = (max - min) / intervals;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    double fraction = raw / power;
    double nice = fraction <= 1     ? 1
                  : fraction <= 2   ? 2
                  : fraction <= 2.5 ? 2.5
                  : fraction <= 5   ? 5
                                    : 10;
    double step = nice * power;
    TAxisScale scale;
    scale.Step = step;
    // A small tolerance keeps a value that is a whole number of steps from adding a step.
    scale.Min = std::floor(min / step + 1e-9) * step;
    scale.Max = std::ceil(max / step - 1e-9) * step;
    if (scale.Max <= scale.Min) scale.Max = scale.Min + step;
    return scale;
}

TAxisFormat ChooseAxisFormat(double min, double max) {
    double a = std::fabs(min), b = std::fabs(max);
    if (a == 0 && b == 0) return TAxisFormat::Fixed;
    if (a > 100000 || b > 100000) return TAxisFormat::Scientific;
    if (a < 0.001 && b < 0.001) return TAxisFormat::Scientific;
    return TAxisFormat::Fixed;
}

namespace {

// Digits of the whole part with a group separator every three digits.
std::string Grouped(const std::string& digits, char groupSeparator) {
    std::string out;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0) out.insert(out.begin(), groupSeparator);
        out.insert(out.begin(), *it);
        ++count;
    }
    return out;
}

std::string FixedLabel(double value, int decimals, char decimalSeparator, char groupSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
    std::string text = buffer;
    std::string whole = text.substr(0, text.find('.'));
    std::string fraction =
        text.find('.') == std::string::npos ? "" : text.substr(text.find('.') + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    bool zero = whole.find_first_not_of('0') == std::string::npos && fraction.empty();
    std::string out = (value < 0 && !zero) ? "-" : "";
    out += Grouped(whole, groupSeparator);
    if (!fraction.empty()) out += decimalSeparator + fraction;
    return out;
}

std::string ScientificLabel(double value, char decimalSeparator) {
    if (value == 0) return std::string("0") + decimalSeparator + "0E0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3E", value);
    std::string text = buffer;
    auto e = text.find('E');
    std::string mantissa = text.substr(0, e);
    int exponent = std::atoi(text.c_str() + e + 1);
    // One decimal at least, three at most.
    while (mantissa.size() > 1 && mantissa.back() == '0' && mantissa[mantissa.size() - 2] != '.')
        mantissa.pop_back();
    std::replace(mantissa.begin(), mantissa.end(), '.', decimalSeparator);
    return mantissa + "E" + std::to_string(exponent);
}

} // namespace

std::string FormatAxisLabel(double value, TAxisFormat format, char decimalSeparator,
                            char groupSeparator) {
    switch (format) {
    case TAxisFormat::Whole:
        return FixedLabel(value, 0, decimalSeparator, groupSeparator);
    case TAxisFormat::Scientific:
        return ScientificLabel(value, decimalSeparator);
    case TAxisFormat::Fixed:
    default:
        return FixedLabel(value, 3, decimalSeparator, groupSeparator);
    }
}

} // namespace dorvek
