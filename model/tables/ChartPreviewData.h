#pragma once
// What the preview of a chart-backed table shows, computed from the table alone: the points
// of its one or two curves, titles, the flat-line rule, axis directions and the label texts
// of the axes; or, with the rows option, one segment per row. The window only draws it.

#include <string>
#include <vector>

namespace dorvek {

class TGridTableChart;

struct TPreviewPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TPreviewPoint&) const = default;
};

struct TChartPreviewData {
    std::vector<TPreviewPoint> Series1;
    // Shown (with the legend) for a three-column table whose curve uses columns 0 and 1.
    bool ShowSeries2 = false;
    std::vector<TPreviewPoint> Series2;
    std::string Series1Title, Series2Title;
    std::string XTitle, YTitle;
    // One-column tables are drawn against the row index ("N"), without point marks.
    bool XIsRowIndex = false;
    // All y values equal: the y axis is fixed around them instead of automatic.
    bool Flat = false;
    double FlatYMin = 0, FlatYMax = 0;
    bool InvertX = false, InvertY = false;
};

TChartPreviewData BuildChartPreview(const TGridTableChart& table);

struct TPreviewSegment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int Row = 0; // 1-based label
};

struct TSegmentPreviewData {
    std::vector<TPreviewSegment> Segments; // empty: nothing to draw
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
};

// One segment per row from (X, Y) to (X2, Y2) of the chart settings; nothing when the table
// is empty or the x or y values span no range.
TSegmentPreviewData BuildSegmentPreview(const TGridTableChart& table);

// Axis scale: a range with round ends, divided by a round step.
struct TAxisScale {
    double Min = 0, Max = 1, Step = 0.2;
};
// Round ends around min..max (a range of zero width is widened around its value).
TAxisScale NiceScale(double min, double max, int intervals = 5);

enum class TAxisFormat {
    Fixed,      // #,##0.###
    Scientific, // #.0##E-0
    Whole,      // #,##0
};
// Scientific when an end exceeds 100000 in magnitude or both ends lie below 0.001 in
// magnitude (but are not both 0); fixed otherwise.
TAxisFormat ChooseAxisFormat(double min, double max);
// The label text of one axis value with the user's separators.
std::string FormatAxisLabel(double value, TAxisFormat format, char decimalSeparator = '.',
                            char groupSeparator = ',');

} // namespace dorvek
