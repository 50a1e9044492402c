// dorvek-run --xlsx: the workbook of the example projects read back, its numbers those of the
// plot data file; names of the workbooks of several projects; wrong use.

#include "model/plots/tests/PlotFileValues.h"
#include "model/plots/tests/export/WorkbookParts.h"

#include "cli/tests/CliTestSupport.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace dorvek::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class Xlsx : public CliTest {
protected:
    void SetUp() override {
#ifndef DORVEK_HAVE_XLSX
        GTEST_SKIP() << "dorvek-run was built without libxlsxwriter";
#endif
        CliTest::SetUp();
    }
};

// What the help and the option say agrees with what the build was made with.
class XlsxInThisBuild : public CliTest {};

TEST_F(XlsxInThisBuild, HelpAndOptionTellWhetherWorkbooksAreWritten) {
    const std::string help = RunProgram("--help").text;
    ASSERT_THAT(help, HasSubstr("--xlsx OUT.xlsx"));
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const Output out = RunProgram("--xlsx " + Quote(dir_ / "out.xlsx") + " " + Quote(project),
                                  StandardError::Joined);
#ifdef DORVEK_HAVE_XLSX
    EXPECT_THAT(help, Not(HasSubstr("libxlsxwriter was missing")));
    EXPECT_EQ(out.status, 0) << out.text;
#else
    EXPECT_THAT(help, HasSubstr("(not in this build: libxlsxwriter was missing)"));
    EXPECT_EQ(out.status, 2);
    EXPECT_THAT(out.text, HasSubstr("--xlsx: this build has no spreadsheet export"));
    // Refused before anything ran.
    EXPECT_FALSE(fs::exists(dir_ / "driven-pile-clay-over-sand.dv4o"));
#endif
}

void ExpectClose(double actual, long double expected, const char* what) {
    EXPECT_NEAR(actual, static_cast<double>(expected),
                1e-6 * std::max(1.0, std::fabs(static_cast<double>(expected))))
        << what;
}

TEST_F(Xlsx, DowndragProjectGivesSixGraphsAndTheSummary) {
    const fs::path project = copyExample(kExamples / "si-api-clay-over-sand-downdrag.dv4d");
    const fs::path book = dir_ / "out.xlsx";
    const Output out = RunProgram("-q --xlsx " + Quote(book) + " " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    EXPECT_EQ(out.text, book.string() + "\n");
    const Workbook w(book);
    EXPECT_THAT(w.SheetNames(),
                ElementsAre("Legend", "Page_1", "Plot_1", "Page_2", "Plot_2", "Page_3", "Plot_3",
                            "Page_4", "Plot_4", "Page_5", "Plot_5", "Page_6", "Plot_6", "Summary"));
    const std::string legend = "xl/worksheets/sheet1.xml";
    EXPECT_EQ(w.Text(legend, "C3"), "Load Distribution");
    EXPECT_EQ(w.Text(legend, "C5"), "Displacement/Soil Settlement");
    EXPECT_EQ(w.Text(legend, "C8"), "Tip Resistance Curve");
    EXPECT_EQ(w.Text(legend, "F8"), "Complete");

    const PlotFileValues f = ParsePlotFileValues(fs::path(project).replace_extension(".dv4p"));
    ASSERT_EQ(f.unit, 2);
    ASSERT_FALSE(f.tipCases.empty());
    // Load distribution: curve 1 from the tip upward, S.I. values unchanged.
    const std::string page1 = "xl/worksheets/sheet2.xml";
    EXPECT_EQ(w.Text(page1, "B2"), "Axial Load (kN)");
    const auto& first = f.tipCases.front().rows;
    ExpectClose(w.Number(page1, "A6"), first.at(0)[1], "load");
    ExpectClose(w.Number(page1, "B6"), first.at(0)[0], "depth");
    ExpectClose(w.Number(page1, "A7"), first.at(1)[1], "load");
    // The series of the depth graph end at row 5 + increments, on a reversed value axis.
    const std::string chart = w.Part("xl/charts/chart1.xml");
    EXPECT_THAT(chart, HasSubstr("Page_1!$A$6:$A$" + std::to_string(5 + first.size())));
    EXPECT_THAT(chart, HasSubstr("<c:orientation val=\"maxMin\"/>"));
    // t-z curves (graph 5): the axes run as usual.
    EXPECT_THAT(w.Part("xl/charts/chart5.xml"), ::testing::Not(HasSubstr("maxMin")));

    // Summary: one row per tip movement with head load and movement of the plot file.
    const std::string summary = "xl/worksheets/sheet8.xml";
    EXPECT_EQ(w.Text(summary, "A5"), "Pile-Head Load (kN)");
    EXPECT_EQ(w.Text(summary, "B5"), "Pile-Head Movement (m)");
    for (size_t j = 0; j < f.tipCases.size(); ++j) {
        const std::string row = std::to_string(6 + j);
        ExpectClose(w.Number(summary, "A" + row), f.tipCases[j].headLoad, "head load");
        ExpectClose(w.Number(summary, "B" + row), f.tipCases[j].headMove, "head movement");
    }
    EXPECT_TRUE(std::isnan(w.Number(summary, "A" + std::to_string(6 + f.tipCases.size()))));
}

TEST_F(Xlsx, SeveralProjectsAndNoMarkers) {
    const fs::path a = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const fs::path b = copyExample(kExamples / "english-six-soil-types.dv4d");
    Output out =
        RunProgram("-q -j 2 --xlsx " + Quote(dir_ / "out.xlsx") + " " + Quote(a) + " " + Quote(b));
    ASSERT_EQ(out.status, 0) << out.text;
    EXPECT_TRUE(fs::exists(dir_ / "out-driven-pile-clay-over-sand.xlsx"));
    EXPECT_TRUE(fs::exists(dir_ / "out-english-six-soil-types.xlsx"));
    EXPECT_FALSE(fs::exists(dir_ / "out.xlsx"));

    // No down-drag: five graphs; without markers every series is a plain line.
    out = RunProgram("--no-run --no-markers --xlsx " + Quote(dir_ / "{name}-plots.xlsx") + " " +
                     Quote(a));
    ASSERT_EQ(out.status, 0) << out.text;
    const Workbook w(dir_ / "driven-pile-clay-over-sand-plots.xlsx");
    EXPECT_EQ(w.SheetNames().size(), 12u);
    EXPECT_EQ(w.SheetNames().back(), "Summary");
    const std::string chart = w.Part("xl/charts/chart1.xml");
    EXPECT_THAT(chart, HasSubstr("<c:symbol val=\"none\"/>"));
    EXPECT_EQ(AllMatches(chart, "(<c:ser>)").size(), AllMatches(chart, "(val=\"none\")").size());
}

TEST_F(Xlsx, FailuresAreToldAndKeepAnOldWorkbook) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    // A folder that cannot be made (a file stands in its way) is told; a missing one is made.
    write("plain", "x");
    Output out =
        RunProgram("-q --xlsx " + Quote(dir_ / "plain" / "out.xlsx") + " " + Quote(project),
                   StandardError::Joined);
    EXPECT_EQ(out.status, 1);
    EXPECT_THAT(out.text, HasSubstr("--xlsx"));
    out = RunProgram("-q --xlsx " + Quote(dir_ / "missing" / "out.xlsx") + " " + Quote(project),
                     StandardError::Joined);
    EXPECT_EQ(out.status, 0) << out.text;
    EXPECT_TRUE(fs::exists(dir_ / "missing" / "out.xlsx"));
    // A damaged plot file: the old workbook stays.
    write("old.xlsx", "old");
    write("driven-pile-clay-over-sand.dv4p", " 3\r\n 1 2");
    out = RunProgram("--no-run --xlsx " + Quote(dir_ / "old.xlsx") + " " + Quote(project));
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(ReadBytes(dir_ / "old.xlsx"), "old");
    EXPECT_NE(RunProgram("--no-markers " + Quote(project)).status, 0);
    EXPECT_NE(RunProgram("--no-run " + Quote(project)).status, 0);
}

// An English project's first data sheet holds the plot file's numbers in kips and feet, in
// the cells the chart's series refer to.
TEST_F(Xlsx, EnglishNumbersAreConvertedInTheCells) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const fs::path book = dir_ / "book.xlsx";
    ASSERT_EQ(RunProgram("-q --xlsx " + Quote(book) + " " + Quote(project)).status, 0);
    const Workbook w(book);
    const PlotFileValues f = ParsePlotFileValues(fs::path(project).replace_extension(".dv4p"));
    ASSERT_EQ(f.unit, 1);
    ASSERT_FALSE(f.tipCases.empty());
    const auto& first = f.tipCases.front().rows;
    ASSERT_GE(first.size(), 2u);
    const std::string page1 = "xl/worksheets/sheet2.xml";
    EXPECT_EQ(w.Text(page1, "B2"), "Axial Load (kips)");
    for (size_t r = 0; r < 2; ++r) {
        const std::string row = std::to_string(6 + r);
        ExpectClose(w.Number(page1, "A" + row), first[r][1] / 1000, "load in kips");
        ExpectClose(w.Number(page1, "B" + row), first[r][0] / 12, "depth in feet");
    }
    EXPECT_THAT(w.Part("xl/charts/chart1.xml"),
                HasSubstr("Page_1!$A$6:$A$" + std::to_string(5 + first.size())));
}

} // namespace
