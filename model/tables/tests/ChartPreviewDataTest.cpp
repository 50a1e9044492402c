// What a chart-backed table's preview shows: points, titles, the flat-line rule, the second
// series, row-index curves, segments, axis scales and label texts.
#include "model/tables/ChartPreviewData.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

using Points = std::vector<TPreviewPoint>;

// A curve table previewed with column 1 across and column 0 up, as the t-z curve table.
struct Curve {
    explicit Curve(int columns = 2) {
        for (int c = 0; c < columns; ++c) {
            auto& column = table.AddColumn<TFloatColumn>();
            column.SetHeading({"Column " + std::to_string(c) + ",", "second line"});
            if (c == 0) column.SetUnitsString("F/L^2");
        }
        table.Chart = {true, false, 1, 0, 0, 0};
        table.SetRowCount(3);
    }
    void Set(int row, std::vector<long double> values) {
        for (size_t c = 0; c < values.size(); ++c)
            table.SetFloatValue(static_cast<int>(c), row, values[c]);
    }
    TTableFamilies families;
    TGridTableChart table{families};
};

} // namespace

TEST(ChartPreviewData, PointsInRowOrderWithTitles) {
    Curve curve;
    curve.Set(0, {10, 0.5});
    curve.Set(1, {30, 0.1});
    curve.Set(2, {20, 0.3});
    curve.table.InvertedYAxis = true;
    TChartPreviewData data = BuildChartPreview(curve.table);
    // x from column 1, y from column 0, not sorted.
    EXPECT_EQ(data.Series1, (Points{{0.5, 10}, {0.1, 30}, {0.3, 20}}));
    EXPECT_FALSE(data.ShowSeries2);
    EXPECT_FALSE(data.Flat);
    EXPECT_FALSE(data.XIsRowIndex);
    EXPECT_EQ(data.XTitle, "Column 1,");
    // The first display line carries no unit (only the last heading line does).
    EXPECT_EQ(data.YTitle, "Column 0,");
    EXPECT_TRUE(data.InvertY);
    EXPECT_FALSE(data.InvertX);
}

TEST(ChartPreviewData, UnitLabelOfAOneLineHeadingIsInTheTitle) {
    TTableFamilies families;
    TGridTableChart table{families};
    auto& y = table.AddColumn<TFloatColumn>();
    y.SetHeading({"Load Transfer (t),"});
    y.SetUnitsString("F/L^2");
    auto& x = table.AddColumn<TFloatColumn>();
    x.SetHeading({"Pile Movement (z),"});
    x.SetUnitsString("L");
    table.Chart = {true, false, 1, 0, 0, 0};
    table.SetRowCount(2);
    TChartPreviewData data = BuildChartPreview(table);
    EXPECT_EQ(data.XTitle, "Pile Movement (z), (in)");
    EXPECT_EQ(data.YTitle, "Load Transfer (t), (lbs/in^2)");
}

TEST(ChartPreviewData, FlatLinesGetAFixedRange) {
    Curve curve;
    for (int r = 0; r < 3; ++r) curve.Set(r, {5, r * 1.0L});
    TChartPreviewData data = BuildChartPreview(curve.table);
    ASSERT_TRUE(data.Flat);
    // The second point is drawn 1.001 times higher; the axis runs from 0.9 to 1.1 times y.
    EXPECT_DOUBLE_EQ(data.Series1[1].Y, 5.005);
    EXPECT_DOUBLE_EQ(data.Series1[2].Y, 5);
    EXPECT_DOUBLE_EQ(data.FlatYMin, 4.5);
    EXPECT_DOUBLE_EQ(data.FlatYMax, 5.5);

    // Every new table is flat at zero; negative values keep an upward range.
    Curve zero;
    data = BuildChartPreview(zero.table);
    ASSERT_TRUE(data.Flat);
    EXPECT_LT(data.FlatYMin, data.FlatYMax);
    for (int r = 0; r < 3; ++r) zero.Set(r, {-10, 1});
    data = BuildChartPreview(zero.table);
    EXPECT_DOUBLE_EQ(data.FlatYMin, -11);
    EXPECT_DOUBLE_EQ(data.FlatYMax, -9);

    // One row is never flat.
    zero.table.SetRowCount(1);
    EXPECT_FALSE(BuildChartPreview(zero.table).Flat);
}

TEST(ChartPreviewData, ThreeColumnsShowASecondSeries) {
    // As the t-z modification factors: depth, t-multiplier, z-multiplier.
    Curve factors(3);
    factors.Set(0, {0, 1, 1});
    factors.Set(1, {10, 1.5, 0.8});
    factors.Set(2, {20, 2, 0.5});
    TChartPreviewData data = BuildChartPreview(factors.table);
    ASSERT_TRUE(data.ShowSeries2);
    EXPECT_EQ(data.Series1, (Points{{1, 0}, {1.5, 10}, {2, 20}}));
    EXPECT_EQ(data.Series2, (Points{{1, 0}, {0.8, 10}, {0.5, 20}}));
    EXPECT_EQ(data.Series1Title, "Column 1,");
    EXPECT_EQ(data.Series2Title, "Column 2,");

    // With x from column 0 and y from column 1 the second series is (column 0, column 2).
    factors.table.Chart.XColumn = 0;
    factors.table.Chart.YColumn = 1;
    data = BuildChartPreview(factors.table);
    EXPECT_EQ(data.Series2, (Points{{0, 1}, {10, 0.8}, {20, 0.5}}));

    // Flat only when the second series is flat too.
    for (int r = 0; r < 3; ++r) factors.Set(r, {r * 1.0L, 1, 1});
    EXPECT_TRUE(BuildChartPreview(factors.table).Flat);
    factors.Set(2, {2, 1, 3});
    EXPECT_FALSE(BuildChartPreview(factors.table).Flat);
}

TEST(ChartPreviewData, OneColumnAgainstTheRowIndex) {
    Curve moves(1);
    moves.table.Chart = {true, false, 0, 0, 0, 0};
    moves.Set(0, {0.1});
    moves.Set(1, {0.2});
    moves.Set(2, {0.4});
    TChartPreviewData data = BuildChartPreview(moves.table);
    EXPECT_TRUE(data.XIsRowIndex);
    EXPECT_EQ(data.XTitle, "N");
    ASSERT_EQ(data.Series1.size(), 3u);
    EXPECT_DOUBLE_EQ(data.Series1[2].X, 2);
    EXPECT_DOUBLE_EQ(data.Series1[2].Y, static_cast<double>(0.4L));
}

TEST(ChartPreviewData, SegmentsOneRowEach) {
    Curve rows(4);
    rows.table.Chart = {true, true, 0, 1, 2, 3};
    rows.table.SetRowCount(2);
    rows.Set(0, {0, 0, 10, 5});
    rows.Set(1, {10, 5, 20, -5});
    TSegmentPreviewData data = BuildSegmentPreview(rows.table);
    ASSERT_EQ(data.Segments.size(), 2u);
    EXPECT_EQ(data.Segments[1].Row, 2);
    EXPECT_DOUBLE_EQ(data.Segments[1].X2, 20);
    EXPECT_DOUBLE_EQ(data.Segments[1].Y2, -5);
    EXPECT_DOUBLE_EQ(data.XMin, 0);
    EXPECT_DOUBLE_EQ(data.XMax, 20);
    EXPECT_DOUBLE_EQ(data.YMin, -5);
    EXPECT_DOUBLE_EQ(data.YMax, 5);

    // Nothing is drawn when a range is empty or there are no rows.
    rows.Set(1, {10, 0, 20, 0});
    rows.Set(0, {0, 0, 10, 0});
    EXPECT_TRUE(BuildSegmentPreview(rows.table).Segments.empty());
    rows.table.SetRowCount(0);
    EXPECT_TRUE(BuildSegmentPreview(rows.table).Segments.empty());
}

TEST(ChartPreviewData, RoundScales) {
    TAxisScale scale = NiceScale(0, 10);
    EXPECT_DOUBLE_EQ(scale.Min, 0);
    EXPECT_DOUBLE_EQ(scale.Max, 10);
    EXPECT_DOUBLE_EQ(scale.Step, 2);
    // 0.13..0.87: a step of 0.2 (raw 0.148) from 0 to 1.
    scale = NiceScale(0.13, 0.87);
    EXPECT_DOUBLE_EQ(scale.Step, 0.2);
    EXPECT_DOUBLE_EQ(scale.Min, 0);
    EXPECT_NEAR(scale.Max, 1, 1e-12);
    // A range of zero width is widened around its value.
    scale = NiceScale(3, 3);
    EXPECT_LT(scale.Min, 3);
    EXPECT_GT(scale.Max, 3);
    scale = NiceScale(0, 0);
    EXPECT_LT(scale.Min, 0);
    EXPECT_GT(scale.Max, 0);
    // Reversed ends are taken in order.
    scale = NiceScale(-200, -1000);
    EXPECT_DOUBLE_EQ(scale.Min, -1000);
    EXPECT_DOUBLE_EQ(scale.Max, -200);
}

TEST(ChartPreviewData, AxisLabelTexts) {
    EXPECT_EQ(ChooseAxisFormat(0, 50000), TAxisFormat::Fixed);
    EXPECT_EQ(ChooseAxisFormat(0, 150000), TAxisFormat::Scientific);
    EXPECT_EQ(ChooseAxisFormat(-200000, 0), TAxisFormat::Scientific);
    EXPECT_EQ(ChooseAxisFormat(0.0001, 0.0005), TAxisFormat::Scientific);
    EXPECT_EQ(ChooseAxisFormat(0, 0.0005), TAxisFormat::Scientific);
    EXPECT_EQ(ChooseAxisFormat(0, 0), TAxisFormat::Fixed);

    // #,##0.###
    EXPECT_EQ(FormatAxisLabel(1234.5, TAxisFormat::Fixed), "1,234.5");
    EXPECT_EQ(FormatAxisLabel(0.12345, TAxisFormat::Fixed), "0.123");
    EXPECT_EQ(FormatAxisLabel(-0.0001, TAxisFormat::Fixed), "0");
    EXPECT_EQ(FormatAxisLabel(-1234567, TAxisFormat::Fixed), "-1,234,567");
    EXPECT_EQ(FormatAxisLabel(1234.5, TAxisFormat::Fixed, ',', '.'), "1.234,5");
    // #.0##E-0
    EXPECT_EQ(FormatAxisLabel(150000, TAxisFormat::Scientific), "1.5E5");
    EXPECT_EQ(FormatAxisLabel(0.0002, TAxisFormat::Scientific), "2.0E-4");
    EXPECT_EQ(FormatAxisLabel(123456789, TAxisFormat::Scientific), "1.235E8");
    EXPECT_EQ(FormatAxisLabel(-250000, TAxisFormat::Scientific, ','), "-2,5E5");
    // #,##0
    EXPECT_EQ(FormatAxisLabel(12, TAxisFormat::Whole), "12");
    EXPECT_EQ(FormatAxisLabel(2500, TAxisFormat::Whole), "2,500");
}
