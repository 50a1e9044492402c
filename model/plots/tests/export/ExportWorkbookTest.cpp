// The spreadsheet export read back from the written file: sheets, index cells and links, data
// cells, chart series and axes, column letters, and failures that keep an existing file.

#include "model/plots/ExportWorkbook.h"

#include "model/plots/tests/TempDir.h"
#include "model/plots/tests/export/WorkbookParts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dorvek {
namespace {

using test::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// A depth graph (x axis on top) of two curves of different lengths, in English units.
void FillDepthGraph(TGraphPlot& plot) {
    plot.Caption = "Load Distribution";
    plot.XCaption = "Axial Load";
    plot.XUnits = "F1";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.XOnTop = true;
    plot.List(TLineKind::Main).SetLineCount(2);
    plot.List(TLineKind::Main).Line(0).SetCount(3);
    plot.List(TLineKind::Main).Line(1).SetCount(5);
    for (int p = 0; p < 3; ++p) plot.List(TLineKind::Main).Point(0, p) = {10.5L * p, 2.0L * p};
    for (int p = 0; p < 5; ++p) plot.List(TLineKind::Main).Point(1, p) = {-1.25L * p, 3.0L * p};
    plot.List(TLineKind::Main).Line(1).SetLineName("Second");
}

void FillCurveGraph(TGraphPlot& plot, int curves, int points) {
    plot.Caption = "t-z Curves";
    plot.XCaption = "Pile Movement";
    plot.XUnits = "L";
    plot.YCaption = "Load Transfer";
    plot.YUnits = "F/L^2";
    plot.XOnTop = false;
    plot.SetUnits(2);
    plot.List(TLineKind::Main).SetLineCount(curves);
    plot.List(TLineKind::Main).SetCount(points);
    for (int i = 0; i < curves; ++i)
        for (int p = 0; p < points; ++p)
            plot.List(TLineKind::Main).Point(i, p) = {p * 0.5L, i * 100.0L + p};
}

TEST(ExportColumnLetter, OneAndTwoLettersThenNone) {
    EXPECT_EQ(ColumnLetter(1), "A");
    EXPECT_EQ(ColumnLetter(26), "Z");
    EXPECT_EQ(ColumnLetter(27), "AA");
    EXPECT_EQ(ColumnLetter(52), "AZ");
    EXPECT_EQ(ColumnLetter(53), "BA");
    EXPECT_EQ(ColumnLetter(702), "ZZ");
    EXPECT_EQ(ColumnLetter(703), "");
    EXPECT_EQ(ColumnLetter(0), "");
}

class ExportWorkbookTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "plots.xlsx";
};

TEST_F(ExportWorkbookTest, IndexSheetHeadingsNumbersAndLinks) {
    TGraphPlot load, tz;
    FillDepthGraph(load);
    FillCurveGraph(tz, 2, 4);
    WriteExportWorkbook({&load, &tz}, nullptr, file);
    const test::Workbook book(file);
    EXPECT_THAT(book.SheetNames(), ElementsAre("Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"));
    const std::string legend = "xl/worksheets/sheet1.xml";
    EXPECT_EQ(book.Text(legend, "B2"), "     N    ");
    EXPECT_EQ(book.Text(legend, "C2"),
              "                             Plot Name                             ");
    EXPECT_EQ(book.Text(legend, "D2"), "  Sheet Name  ");
    EXPECT_EQ(book.Text(legend, "E2"), "  Chart Name  ");
    EXPECT_EQ(book.Text(legend, "F2"), "          Status          ");
    // The numbers are text, as typed.
    EXPECT_EQ(book.Text(legend, "B3"), "1");
    EXPECT_EQ(book.Text(legend, "B4"), "2");
    EXPECT_EQ(book.Text(legend, "C3"), "Load Distribution");
    EXPECT_EQ(book.Text(legend, "C4"), "t-z Curves");
    EXPECT_EQ(book.Text(legend, "D4"), "Page_2");
    EXPECT_EQ(book.Text(legend, "E4"), "Plot_2");
    EXPECT_EQ(book.Text(legend, "F3"), "Complete");
    const std::string xml = book.Part(legend);
    EXPECT_THAT(xml, HasSubstr("<hyperlink ref=\"D3\" location=\"Page_1!A1\""));
    EXPECT_THAT(xml, HasSubstr("<hyperlink ref=\"D4\" location=\"Page_2!A1\""));
    // Headings bold; column C fitted to its 67 characters (+1).
    const std::string styles = book.Part("xl/styles.xml");
    EXPECT_THAT(styles, HasSubstr("<b/>"));
    EXPECT_THAT(styles, HasSubstr("vertical=\"center\""));
    EXPECT_THAT(xml, HasSubstr("<col min=\"3\" max=\"3\" width=\"68.7109375\""));
}

TEST_F(ExportWorkbookTest, DataSheetTitlesNamesAndNumbers) {
    TGraphPlot load;
    FillDepthGraph(load);
    WriteExportWorkbook({&load}, nullptr, file);
    const test::Workbook book(file);
    const std::string page = "xl/worksheets/sheet2.xml";
    EXPECT_EQ(book.Text(page, "A1"), "Load Distribution");
    EXPECT_EQ(book.Text(page, "A2"), "X");
    EXPECT_EQ(book.Text(page, "B2"), "Axial Load (kips)");
    EXPECT_EQ(book.Text(page, "A3"), "Y");
    EXPECT_EQ(book.Text(page, "B3"), "Depth (ft)");
    EXPECT_EQ(book.Text(page, "A4"), "Curve #1");
    EXPECT_EQ(book.Text(page, "C4"), "Second");
    EXPECT_EQ(book.Text(page, "C5"), "X");
    EXPECT_EQ(book.Text(page, "D5"), "Y");
    EXPECT_DOUBLE_EQ(book.Number(page, "A8"), 21.0); // third point of curve 1: 10.5 * 2
    EXPECT_DOUBLE_EQ(book.Number(page, "B8"), 4.0);
    // The longer second curve keeps all five points.
    EXPECT_DOUBLE_EQ(book.Number(page, "C10"), -5.0);
    EXPECT_DOUBLE_EQ(book.Number(page, "D10"), 12.0);
    EXPECT_EQ(book.Cell(page, "A9"), "");
}

TEST_F(ExportWorkbookTest, ChartSeriesEndAtTheFirstCurvesLastRow) {
    TGraphPlot load;
    FillDepthGraph(load);
    WriteExportWorkbook({&load}, nullptr, file);
    const test::Workbook book(file);
    const std::string chart = book.Part("xl/charts/chart1.xml");
    EXPECT_THAT(chart, HasSubstr("<c:scatterChart>"));
    EXPECT_THAT(chart, HasSubstr("<c:scatterStyle val=\"lineMarker\"/>"));
    EXPECT_THAT(test::AllMatches(chart, "<c:f>([^<]*)</c:f>"),
                ElementsAre("Page_1!$A$6:$A$8", "Page_1!$B$6:$B$8", "Page_1!$C$6:$C$8",
                            "Page_1!$D$6:$D$8"));
    EXPECT_THAT(test::AllMatches(chart, "<c:tx><c:v>([^<]*)</c:v></c:tx>"),
                ElementsAre("Curve #1", "Second"));
    EXPECT_THAT(chart, Not(HasSubstr("<c:symbol val=\"none\"/>")));
    // Axis titles, gridlines on both axes, no chart title, depth axis reversed.
    EXPECT_THAT(chart, HasSubstr("Axial Load (kips)"));
    EXPECT_THAT(chart, HasSubstr("Depth (ft)"));
    EXPECT_EQ(test::AllMatches(chart, "(<c:majorGridlines/>)").size(), 2u);
    EXPECT_THAT(chart, HasSubstr("<c:autoTitleDeleted val=\"1\"/>"));
    EXPECT_EQ(test::AllMatches(chart, "(<c:orientation val=\"maxMin\"/>)").size(), 1u);
    const size_t valAx = chart.find("<c:valAx>", chart.find("<c:valAx>") + 1);
    ASSERT_NE(valAx, std::string::npos);
    EXPECT_THAT(chart.substr(valAx, chart.find("</c:valAx>", valAx) - valAx), HasSubstr("maxMin"));
    // The chart sheet shows the chart.
    EXPECT_THAT(book.Part("xl/chartsheets/sheet1.xml"), HasSubstr("<drawing r:id=\"rId1\"/>"));
    // Both axes cross at their minimum (with negative loads the labels would sit over the
    // data where they crossed at zero), never at an automatic zero.
    EXPECT_EQ(test::AllMatches(chart, "(<c:crosses val=\"min\"/>)").size(), 2u);
    EXPECT_THAT(chart, Not(HasSubstr("<c:crosses val=\"autoZero\"/>")));
}

TEST_F(ExportWorkbookTest, MeasuredPointsAndReferenceLinesKeepTheirOwnLengthAndStyle) {
    TGraphPlot load;
    FillDepthGraph(load);
    TLineList& curves = load.List(TLineKind::Main);
    curves.Line(1).Role = TLineRole::Markers; // 5 points, beyond the first curve's 3
    curves.SetLineCount(3);
    curves.Line(2).Role = TLineRole::Reference;
    curves.Line(2).SetCount(2);
    WriteExportWorkbook({&load}, nullptr, file);
    const std::string chart = test::Workbook(file).Part("xl/charts/chart1.xml");
    EXPECT_THAT(test::AllMatches(chart, "<c:f>([^<]*)</c:f>"),
                ElementsAre("Page_1!$A$6:$A$8", "Page_1!$B$6:$B$8", "Page_1!$C$6:$C$10",
                            "Page_1!$D$6:$D$10", "Page_1!$E$6:$E$7", "Page_1!$F$6:$F$7"));
    // The measured series has no line, the reference line is dashed without markers.
    EXPECT_EQ(test::AllMatches(chart, "(<a:ln><a:noFill/></a:ln>)").size(), 1u);
    EXPECT_EQ(test::AllMatches(chart, "(<a:prstDash val=\"dash\"/>)").size(), 1u);
    EXPECT_EQ(test::AllMatches(chart, "(<c:symbol val=\"none\"/>)").size(), 1u);
}

TEST_F(ExportWorkbookTest, LinesOnlyWithoutMarkersAndUpwardAxisForCurves) {
    TGraphPlot tz;
    FillCurveGraph(tz, 3, 4);
    TExportOptions options;
    options.markers = false;
    WriteExportWorkbook({&tz}, nullptr, file, options);
    const std::string chart = test::Workbook(file).Part("xl/charts/chart1.xml");
    EXPECT_EQ(test::AllMatches(chart, "(<c:marker><c:symbol val=\"none\"/></c:marker>)").size(),
              3u);
    EXPECT_THAT(chart, Not(HasSubstr("maxMin")));
    EXPECT_THAT(chart, HasSubstr("Load Transfer (kN/m^2)"));
}

TEST_F(ExportWorkbookTest, CurveFourteenUsesTwoLetterColumns) {
    TGraphPlot tz;
    FillCurveGraph(tz, 14, 2);
    WriteExportWorkbook({&tz}, nullptr, file);
    const test::Workbook book(file);
    const std::vector<std::string> formulas =
        test::AllMatches(book.Part("xl/charts/chart1.xml"), "<c:f>([^<]*)</c:f>");
    ASSERT_EQ(formulas.size(), 28u);
    EXPECT_EQ(formulas[24], "Page_1!$Y$6:$Y$7");
    EXPECT_EQ(formulas[25], "Page_1!$Z$6:$Z$7");
    EXPECT_EQ(formulas[26], "Page_1!$AA$6:$AA$7");
    EXPECT_EQ(formulas[27], "Page_1!$AB$6:$AB$7");
    const std::string page = "xl/worksheets/sheet2.xml";
    EXPECT_EQ(book.Text(page, "AA4"), "Curve #14");
    EXPECT_DOUBLE_EQ(book.Number(page, "AB7"), 1301.0);
}

TEST_F(ExportWorkbookTest, SummarySheetIsLastWithUnits) {
    TGraphPlot load;
    FillDepthGraph(load);
    TLoadSettlementSummary summary;
    summary.units = 1;
    summary.tipMovements = {{1000, 0.1L, 0.05L, 200, true}, {2500, 0.3L, 0.2L, 450, true}};
    summary.appliedLoads = {{3000, 0.5L, 0.4L, 600, false}};
    WriteExportWorkbook({&load}, &summary, file);
    const test::Workbook book(file);
    EXPECT_THAT(book.SheetNames(), ElementsAre("Legend", "Page_1", "Plot_1", "Summary"));
    const std::string sheet = "xl/worksheets/sheet3.xml";
    EXPECT_EQ(book.Text(sheet, "A4"), "Results for Tip Movements");
    EXPECT_EQ(book.Text(sheet, "A5"), "Pile-Head Load (lbs)");
    EXPECT_EQ(book.Text(sheet, "B5"), "Pile-Head Movement (in)");
    EXPECT_EQ(book.Text(sheet, "D5"), "Tip Load (lbs)");
    EXPECT_DOUBLE_EQ(book.Number(sheet, "A7"), 2500.0);
    EXPECT_DOUBLE_EQ(book.Number(sheet, "C7"), 0.2);
    EXPECT_EQ(book.Text(sheet, "A9"), "Results for Applied Loads");
    EXPECT_EQ(book.Text(sheet, "A10"), "Applied Load (lbs)");
    EXPECT_DOUBLE_EQ(book.Number(sheet, "D11"), 600.0);
    EXPECT_EQ(book.Text(sheet, "E11"), "No");
}

TEST_F(ExportWorkbookTest, RefusedGraphsAndFailedWritesKeepTheOldFile) {
    test::WriteFile(file, "old workbook");
    TGraphPlot tooMany, empty, fine;
    FillCurveGraph(tooMany, MaxExportCurves + 1, 2);
    empty.Caption = "Tip Resistance Curve";
    FillDepthGraph(fine);
    try {
        WriteExportWorkbook({&fine, &tooMany}, nullptr, file);
        FAIL() << "a graph of 352 curves was exported";
    } catch (const ExportError& e) {
        EXPECT_THAT(e.what(), HasSubstr("352 curves; at most 351"));
    }
    EXPECT_THROW(WriteExportWorkbook({&empty}, nullptr, file), ExportError);
    EXPECT_THROW(WriteExportWorkbook({}, nullptr, file), ExportError);
    EXPECT_EQ(test::ReadFile(file), "old workbook");

    // 351 curves end in column ZZ.
    TGraphPlot widest;
    FillCurveGraph(widest, MaxExportCurves, 1);
    WriteExportWorkbook({&widest}, nullptr, file);
    EXPECT_THAT(test::Workbook(file).Part("xl/charts/chart1.xml"), HasSubstr("$ZZ$6:$ZZ$6"));

    // A folder that does not exist, and a target that is a folder.
    EXPECT_THROW(WriteExportWorkbook({&fine}, nullptr, dir / "missing" / "out.xlsx"), ExportError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::create_directories(dir / "taken.xlsx");
    test::WriteFile(dir / "taken.xlsx" / "inside", "kept");
    try {
        WriteExportWorkbook({&fine}, nullptr, dir / "taken.xlsx");
        FAIL() << "a folder was replaced";
    } catch (const ExportError& e) {
        EXPECT_THAT(e.what(), HasSubstr("taken.xlsx"));
    }
    EXPECT_EQ(test::ReadFile(dir / "taken.xlsx" / "inside"), "kept");
    // No temporary file is left beside the target.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2); // plots.xlsx and taken.xlsx
}

} // namespace
} // namespace dorvek
