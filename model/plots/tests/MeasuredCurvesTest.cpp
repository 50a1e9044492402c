// Measured load-settlement curves: the CSV files of a load test, the ".dv4m" side file beside
// a project, and bad input refused with the line at fault named.
#include "model/plots/MeasuredCurves.h"
#include "model/plots/MeasuredEdit.h"
#include "model/plots/tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dorvek {
namespace {

std::string Fault(const std::string& csv) {
    try {
        ParseMeasuredCsv(csv, "test", "test.csv");
    } catch (const EMeasuredError& e) {
        return e.what();
    }
    return "";
}

TEST(MeasuredCsv, HeaderSeparatorsAndBlankLines) {
    const TMeasuredCurve c = ParseMeasuredCsv(
        "\xEF\xBB\xBFhead load (lbs),head movement (in)\r\n0,0\r\n\r\n# a hold\r\n"
        "50000,0.016\r\n100000;0.032\n\"150000\"\t0.054\n200000   +0.077\n250000,2.5E-1,\n",
        "Morganza", "m.csv");
    EXPECT_EQ(c.name, "Morganza");
    ASSERT_EQ(c.points.size(), 6u);
    EXPECT_EQ(c.points[2].load, 100000);
    EXPECT_DOUBLE_EQ(static_cast<double>(c.points[3].settlement), 0.054);
    EXPECT_DOUBLE_EQ(static_cast<double>(c.points[4].settlement), 0.077);
    EXPECT_DOUBLE_EQ(static_cast<double>(c.points[5].settlement), 0.25);
    // Without a header the first line is a point.
    EXPECT_EQ(ParseMeasuredCsv("0 0\n1 1\n", "x", "x").points.size(), 2u);
}

TEST(MeasuredCsv, BadFilesNameTheLine) {
    EXPECT_EQ(Fault("load,settlement\n100,0.1\n"),
              "test.csv, line 2: only one point; a measured curve needs at least two");
    EXPECT_EQ(Fault("load,settlement\n"),
              "test.csv: no points: a measured curve needs at least two");
    EXPECT_EQ(Fault("0,0\n100,0.2\n200,0.1\n"),
              "test.csv, line 3: the settlement is smaller than at the point before (line 2); "
              "the points must follow the test, settlements never decreasing");
    EXPECT_EQ(Fault("0,0\n-100,0.1\n"),
              "test.csv, line 2: the head load is negative (a measured curve is a compression "
              "test: loads and settlements from 0 upward)");
    EXPECT_EQ(Fault("0,0\n100,-0.1\n").substr(0, 46),
              "test.csv, line 2: the settlement is negative (");
    EXPECT_EQ(Fault("P,s\n0,0\n100,0.1O\n"),
              "test.csv, line 3: the settlement \"0.1O\" is not a number");
    EXPECT_EQ(Fault("P,s\n0,0\nabc,0.1\n"),
              "test.csv, line 3: the head load \"abc\" is not a number");
    EXPECT_EQ(Fault("0,0\n100,0.1,7\n"),
              "test.csv, line 2: expected two numbers, the head load and the settlement "
              "(3 values found)");
    EXPECT_EQ(Fault("0,0\n100\n"), "test.csv, line 2: expected two numbers, the head load and "
                                   "the settlement (1 value found)");
    EXPECT_EQ(Fault("0,0\n100,inf\n"), "test.csv, line 2: the settlement \"inf\" is not a number");
    // A header only counts on the first line of content.
    EXPECT_EQ(Fault("0,0\nload,settlement\n1,1\n"),
              "test.csv, line 2: the head load \"load\" is not a number");
}

TEST(MeasuredCsv, FileNamedAfterItsStemAndMissingFile) {
    test::TempDir dir;
    std::ofstream(dir / "pile 7.csv") << "0,0\n10,0.1\n";
    EXPECT_EQ(ReadMeasuredCsv(dir / "pile 7.csv").name, "pile 7");
    EXPECT_THROW(ReadMeasuredCsv(dir / "none.csv"), EMeasuredError);
    EXPECT_THROW(ReadMeasuredCsv(dir.Path()), EMeasuredError);
}

TMeasuredCurves TwoCurves() {
    TMeasuredCurves m;
    m.units = 1;
    m.curves.push_back({"Test A", {{0, 0}, {50000, 0.016}, {492000, 0.376}}});
    m.curves.push_back({"B, re-test", {{0, 0}, {1e6, 1.25}}});
    return m;
}

TEST(MeasuredFile, LayoutByteForByteAndReadBack) {
    const std::string text = MeasuredFileText(TwoCurves());
    EXPECT_EQ(text, "DORVEK MEASURED CURVES 1\r\nUNITS 1\r\nCURVE Test A\r\n0 0\r\n50000 0.016\r\n"
                    "492000 0.376\r\nCURVE B, re-test\r\n0 0\r\n1000000 1.25\r\n");
    const TMeasuredCurves back = ParseMeasuredFile(text, "p.dv4m");
    ASSERT_EQ(back.curves.size(), 2u);
    EXPECT_EQ(back.units, 1);
    EXPECT_EQ(back.curves[1].name, "B, re-test");
    EXPECT_EQ(MeasuredFileText(back), text);
    // LF line ends, comments and empty lines are read as well.
    const TMeasuredCurves lf = ParseMeasuredFile(
        "DORVEK MEASURED CURVES 1\n# written by hand\nUNITS 2\n\nCURVE x\n0 0\n1.5 0.002\n", "f");
    EXPECT_EQ(lf.units, 2);
    EXPECT_EQ(lf.curves[0].points[1].load, 1.5L);
}

std::string FileFault(const std::string& text) {
    try {
        ParseMeasuredFile(text, "p.dv4m");
    } catch (const EMeasuredError& e) {
        return e.what();
    }
    return "";
}

TEST(MeasuredFile, BadFilesNameTheLine) {
    EXPECT_EQ(FileFault("measured\r\n"), "p.dv4m, line 1: expected \"DORVEK MEASURED CURVES 1\": "
                                         "not a file of measured curves of this version");
    EXPECT_EQ(FileFault(""), "p.dv4m: the file is empty");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nCURVE a\n"),
              "p.dv4m, line 2: UNITS must come before the first curve");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 3\n"),
              "p.dv4m, line 2: the unit system \"3\" is neither 1 (English) nor 2 (S.I.)");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 1\n0 0\n"),
              "p.dv4m, line 3: a point before the first CURVE line");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 1\nCURVE a\n0 0\n5 x\n"),
              "p.dv4m, line 5: the settlement \"x\" is not a number");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 1\nCURVE a\n0 0\n5 1\nCURVE b\n2 2\n"),
              "p.dv4m (curve \"b\"), line 7: only one point; a measured curve needs at least two");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 1\nCURVE empty\nCURVE b\n0 0\n2 2\n"),
              "p.dv4m (curve \"empty\"): no points: a measured curve needs at least two");
    EXPECT_EQ(FileFault("DORVEK MEASURED CURVES 1\nUNITS 1\n"), "");
}

TEST(MeasuredFile, BesideTheProjectWrittenReadAndRemoved) {
    test::TempDir dir;
    const std::filesystem::path project = dir / "pile.dv4d";
    EXPECT_EQ(MeasuredFileName(project), dir / "pile.dv4m");
    EXPECT_TRUE(ReadMeasuredCurves(project).empty()); // no side file: no curves
    WriteMeasuredCurves(project, TwoCurves());
    EXPECT_EQ(test::ReadFile(dir / "pile.dv4m"), MeasuredFileText(TwoCurves()));
    EXPECT_EQ(ReadMeasuredCurves(project).curves.size(), 2u);
    WriteMeasuredCurves(project, {});
    EXPECT_FALSE(std::filesystem::exists(dir / "pile.dv4m"));
    std::ofstream(dir / "pile.dv4m") << "nonsense\n";
    EXPECT_THROW(ReadMeasuredCurves(project), EMeasuredError);
}

TEST(MeasuredFile, UnitConversion) {
    TMeasuredCurves m = TwoCurves();
    ConvertMeasuredCurves(m, 2);
    EXPECT_EQ(m.units, 2);
    // 492000 lb = 2188.5 kN; 0.376 in = 0.0095504 m.
    EXPECT_NEAR(static_cast<double>(m.curves[0].points[2].load), 492000 * 0.0044482216, 1e-3);
    EXPECT_NEAR(static_cast<double>(m.curves[0].points[2].settlement), 0.0095504, 1e-9);
    ConvertMeasuredCurves(m, 1);
    EXPECT_NEAR(static_cast<double>(m.curves[0].points[2].load), 492000, 1e-6);
}

} // namespace
} // namespace dorvek

namespace dorvek {
namespace {

std::string EditFault(const std::vector<TMeasuredEditCurve>& edit) {
    try {
        MeasuredCurvesFromEdit(edit, 1);
    } catch (const EMeasuredError& e) {
        return e.what();
    }
    return "";
}

TEST(MeasuredEdit, TextsBackToCurvesThroughTheEvaluator) {
    TMeasuredCurves m;
    m.units = 2;
    m.curves.push_back({"Test", {{0, 0}, {1250.5, 0.0125}}});
    const std::vector<TMeasuredEditCurve> edit = MeasuredEditCurves(m);
    ASSERT_EQ(edit.size(), 1u);
    EXPECT_EQ(edit[0].rows[1].load, "1250.5");
    EXPECT_EQ(edit[0].rows[1].settlement, "0.0125");

    std::vector<TMeasuredEditCurve> typed = {
        {"", {{"0", "0"}, {"", ""}, {"2*500", "1/8"}, {" ", ""}}}};
    const TMeasuredCurves back = MeasuredCurvesFromEdit(typed, 2);
    EXPECT_EQ(back.units, 2);
    ASSERT_EQ(back.curves.size(), 1u);
    EXPECT_EQ(back.curves[0].name, "Curve 1");
    ASSERT_EQ(back.curves[0].points.size(), 2u); // empty rows skipped
    EXPECT_EQ(back.curves[0].points[1].load, 1000);
    EXPECT_EQ(back.curves[0].points[1].settlement, 0.125L);
}

TEST(MeasuredEdit, FaultsNameTheCurveAndTheRow) {
    EXPECT_EQ(EditFault({{"A", {{"0", "0"}, {"", ""}, {"100", "abc"}}}}).substr(0, 50),
              "Curve \"A\", row 3: the settlement \"abc\" is not a nu");
    EXPECT_EQ(EditFault({{"A", {{"0", "0"}, {"100", ""}}}}),
              "Curve \"A\", row 2: the settlement is missing");
    EXPECT_EQ(EditFault({{"A", {{"0", "0"}, {"", ""}, {"100", "0.1"}, {"50", "0.05"}}}}),
              "Curve \"A\", row 4: the settlement is smaller than at the point before (row 3); "
              "the points must follow the test, settlements never decreasing");
    EXPECT_EQ(EditFault({{"B", {{"5", "0.1"}}}}),
              "Curve \"B\", row 1: only one point; a measured curve needs at least two");
    EXPECT_EQ(EditFault({{"B", {}}}),
              "Curve \"B\": no points: a measured curve needs at least two");
}

} // namespace
} // namespace dorvek
