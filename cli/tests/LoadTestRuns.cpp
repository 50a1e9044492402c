// Measured load tests through dorvek-run: --measured in the summary, the table and the graphs,
// --calibrate on the Morganza test, bad measured files, and head loads on softening curves.
#include "cli/tests/CliTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvek::test {
namespace {

const fs::path kLoadTest = kExamples / "load-test";

using LoadTestRuns = CliTest;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
    for (const std::string& l : SplitLines(text))
        if (l == line) return true;
    return false;
}

// The Morganza test pile (18 in, AE/L = 1.76664e9 / 1039.2 lb/in) and its measured curve.
// Davisson's line: s = 0.15 + 18 / 120 + P * 1039.2 / 1.76664e9 = 0.3 + 5.8825e-7 P; the
// measured curve passes it between 506000 lb (0.596 in, line 0.59765) and 514000 (0.668,
// line 0.60236): 0.00165 / 0.06729 of the way, 506196 lb at 0.59777 in. 10 % of D = 1.8 in
// lies between 535000 (1.13) and 542000 (1.81): 541897 lb.
TEST_F(LoadTestRuns, MeasuredCurveInTheSummaryTheTableAndTheGraphs) {
    const fs::path project = copyExample(kLoadTest / "morganza-api.dv4d");
    const fs::path csv = copyExample(kLoadTest / "morganza-measured.csv");
    const Output out =
        RunProgram("-q --summary --measured " + Quote(csv) + " --table " + Quote(dir_ / "t.csv") +
                       " --graphs-csv " + Quote(dir_ / "g") + " " + Quote(project),
                   StandardError::Joined);
    ASSERT_EQ(out.status, 0) << out.text;
    EXPECT_TRUE(HasLine(out.text, "  Capacity by the usual criteria (loads in kips, settlements in "
                                  "in; D = 18 in, Davisson offset 0.3 in):"))
        << out.text;
    EXPECT_TRUE(HasLine(out.text, "    morganza-measured (measured):")) << out.text;
    EXPECT_TRUE(HasLine(out.text, "      Davisson offset limit:   506.2 kips at 0.5978 in"));
    EXPECT_TRUE(HasLine(out.text, "      Settlement of 10 % of D: 541.9 kips at 1.8 in"));

    // The table: capacity columns on every row, and a row for the measured curve.
    const std::string table = ReadBytes(dir_ / "t.csv");
    const std::vector<std::string> rows = SplitLines(table);
    ASSERT_GT(rows.size(), 3u);
    EXPECT_NE(rows[0].find(",converged,Davisson capacity,capacity at 10 % D,"
                           "Chin-Kondner capacity,units,study,shard"),
              std::string::npos);
    const std::string& measured = rows.back();
    ASSERT_NE(measured.find(",measured: morganza-measured,,,,,,"), std::string::npos) << measured;
    std::istringstream cells(measured.substr(measured.find(",,,,,,") + 6));
    double davisson = 0, tenPercent = 0, chin = 0;
    char comma = 0;
    cells >> davisson >> comma >> tenPercent >> comma >> chin;
    EXPECT_NEAR(davisson, 506196, 1.0);
    EXPECT_NEAR(tenPercent, 541897, 1.0);
    EXPECT_GT(chin, 542000); // the hyperbola's asymptote lies beyond the last load
    // The computed curve's capacities repeat on every row of the analysis.
    const std::string computedCells = rows[1].substr(rows[1].rfind(",,") + 2);
    EXPECT_NE(computedCells, "");

    // The axial graph's CSV carries the measured points and the capacity lines.
    const std::string axial = ReadBytes(dir_ / "g" / "Axial_Load_vs_Settlement.csv");
    EXPECT_NE(axial.find("Measured: morganza-measured: Pile-Head Load (kips)"), std::string::npos)
        << axial.substr(0, 400);
    EXPECT_NE(axial.find("Davisson offset line: Pile-Head Load (kips)"), std::string::npos);
    EXPECT_NE(axial.find(",542,1.81,"), std::string::npos);
}

TEST_F(LoadTestRuns, ProjectsOwnMeasuredCurvesComeFromItsSideFile) {
    const fs::path project = copyExample(kLoadTest / "morganza-api.dv4d");
    write("morganza-api.dv4m",
          "DORVEK MEASURED CURVES 1\r\nUNITS 2\r\nCURVE S.I. copy\r\n0 0\r\n2250 0.01\r\n"
          "2400 0.05\r\n");
    const Output out = RunProgram("-q --summary " + Quote(project));
    ASSERT_EQ(out.status, 0) << out.text;
    // Taken into the project's English units: 2250 kN = 505.8 kips, 0.01 m = 0.3937 in.
    EXPECT_TRUE(HasLine(out.text, "    S.I. copy (measured):")) << out.text;
    // A damaged side file is told and left out; the analysis goes on.
    write("morganza-api.dv4m", "DORVEK MEASURED CURVES 1\r\nUNITS 1\r\nCURVE x\r\n0 0\r\n");
    const Output bad = RunProgram("-q --summary " + Quote(project), StandardError::Joined);
    EXPECT_EQ(bad.status, 0);
    EXPECT_NE(bad.text.find("morganza-api.dv4m (curve \"x\"), line 4: only one point; a measured "
                            "curve needs at least two (its curves are left out)"),
              std::string::npos)
        << bad.text;
}

TEST_F(LoadTestRuns, BadMeasuredFilesStopWithStatusTwoNamingTheLine) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const std::pair<std::string, std::string> cases[] = {
        {"P,s\n0,0\n100,abc\n", "line 3: the settlement \"abc\" is not a number"},
        {"0,0\n", "line 1: only one point; a measured curve needs at least two"},
        {"0,0\n100,0.2\n200,0.1\n", "line 3: the settlement is smaller than at the point before"},
        {"0,0\n-5,0.1\n", "line 2: the head load is negative"},
    };
    for (const auto& [text, message] : cases) {
        const fs::path csv = write("m.csv", text);
        const Output out =
            RunProgram("--measured " + Quote(csv) + " " + Quote(project), StandardError::Joined);
        EXPECT_EQ(out.status, 2) << text;
        EXPECT_NE(out.text.find("dorvek-run: --measured " + csv.string() + ", " + message),
                  std::string::npos)
            << out.text;
        EXPECT_FALSE(fs::exists(dir_ / "driven-pile-clay-over-sand.dv4o")); // nothing ran
    }
    const Output missing = RunProgram(
        "--measured " + Quote(dir_ / "none.csv") + " " + Quote(project), StandardError::Joined);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.text.find("the file cannot be opened"), std::string::npos);
}

TEST_F(LoadTestRuns, CalibrateTheMorganzaTest) {
    const fs::path project = copyExample(kLoadTest / "morganza-api.dv4d");
    const fs::path csv = copyExample(kLoadTest / "morganza-measured.csv");
    const Output out = RunProgram("-q --calibrate side-factor,tip-factor --measured " + Quote(csv) +
                                  " " + Quote(project));
#ifndef DORVEK_HAVE_CALIBRATION_PLUGIN
    // A build without NLopt (the Windows cross build) says so before anything runs.
    EXPECT_EQ(out.status, 2);
    EXPECT_FALSE(fs::exists(dir_ / "morganza-api-calibrated.dv4d"));
    return;
#endif
    ASSERT_EQ(out.status, 0) << out.text;
    const std::vector<std::string> lines = SplitLines(out.text);
    ASSERT_GE(lines.size(), 8u) << out.text;
    EXPECT_EQ(lines[0],
              project.string() + ": calibrated to 17 points of 1 measured curve (lbs, in)");
    EXPECT_EQ(lines[1].rfind("  side-factor  ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("  tip-factor   ", 0), 0u) << lines[2];
    const double side = std::stod(lines[1].substr(15)), tip = std::stod(lines[2].substr(15));
    EXPECT_GE(side, 0.2);
    EXPECT_LE(side, 5);
    EXPECT_GE(tip, 0.2);
    EXPECT_LE(tip, 5);
    // "  misfit: B in before, A in after (...)", the fit better than the uncalibrated project.
    const std::string& misfit = lines[3];
    ASSERT_EQ(misfit.rfind("  misfit: ", 0), 0u) << misfit;
    std::istringstream numbers(misfit.substr(10));
    double before = 0, after = 0;
    std::string unit, word;
    numbers >> before >> unit >> word >> after;
    EXPECT_EQ(unit, "in");
    EXPECT_GT(before, 0.5);
    EXPECT_LT(after, 0.5 * before);
    const fs::path calibrated = dir_ / "morganza-api-calibrated.dv4d";
    EXPECT_EQ(lines[4].rfind("  analyses: ", 0), 0u);
    // The API project carries less than the test: some of its loads are beyond it at first.
    EXPECT_EQ(lines[5].rfind("  measured loads beyond the computed capacity: ", 0), 0u);
    EXPECT_EQ(lines[6], "  calibrated project: " + calibrated.string());
    EXPECT_EQ(lines[7], calibrated.string() + ": result 0, run completed");
    EXPECT_TRUE(fs::exists(dir_ / "morganza-api-calibrated.dv4m"));
    EXPECT_TRUE(fs::exists(dir_ / "morganza-api-calibrated.dv4p"));
    // The calibrated file is the project with its side and tip resistances scaled: the first
    // layer's unit side friction 0.0694444 times the factor.
    const std::string text = ReadBytes(calibrated);
    EXPECT_EQ(text.substr(0, 60), ReadBytes(project).substr(0, 60));
    EXPECT_NE(text, ReadBytes(project));
}

TEST_F(LoadTestRuns, CalibrationRefusals) {
#ifndef DORVEK_HAVE_CALIBRATION_PLUGIN
    GTEST_SKIP() << "dorvek-run was built without the calibration";
#endif
    const fs::path project = copyExample(kLoadTest / "morganza-api.dv4d");
    const fs::path csv = copyExample(kLoadTest / "morganza-measured.csv");
    const std::string measured = " --measured " + Quote(csv) + " ";
    const std::pair<std::string, std::string> cases[] = {
        {"--calibrate length" + measured, "\"length\" is not a factor that can be calibrated"},
        {"--calibrate side-factor@9" + measured, "side-factor@9: the project has 8 soil layers"},
        {"--calibrate side-factor ", "no measured curve to calibrate to"},
        {"--calibrate side-factor --vary tip-factor=1,2 --out v" + measured,
         "--calibrate cannot be combined with --vary"},
    };
    for (const auto& [arguments, message] : cases) {
        const Output out = RunProgram(arguments + Quote(project), StandardError::Joined);
        EXPECT_EQ(out.status, 2) << arguments;
        EXPECT_NE(out.text.find(message), std::string::npos) << out.text;
        EXPECT_FALSE(fs::exists(dir_ / "morganza-api-calibrated.dv4d"));
    }
}

// A rigid pile on a side curve that softens after 0.02 in, with a tip that hardens to 2000 lb
// at 1 in: a load of 3000 rising from zero stops at 3000 / (314.16 * 500 + 2000) = 0.018858 in,
// before the side peak, although the search from the nearest rows lands near 0.71 in.
TEST_F(LoadTestRuns, HeadLoadOnSofteningCurvesIsTheFirstEquilibrium) {
    const fs::path input =
        write("soft.dv4d", "Softening side curve, hardening tip\r\n1 0 1\r\n2 2 \r\n1\r\n1 0 4\r\n"
                           "0 0\r\n10 0.02\r\n5 0.04\r\n5.5 100\r\n3\r\n0 0\r\n2000 1\r\n"
                           "2000 100\r\n2\r\n1E12 0\r\n1E12 100\r\n1E-6 100 0 1 0.7854\r\n 0\r\n"
                           "1\r\n3000\r\n 0\r\n 0\r\n 0\r\n");
    ASSERT_EQ(RunProgram("-q " + Quote(input)).status, 0);
    const std::string report = ReadBytes(dir_ / "soft.dv4o");
    const std::size_t row = report.find("       3.0000E+03");
    ASSERT_NE(row, std::string::npos);
    EXPECT_NEAR(std::stod(report.substr(row + 17, 16)), 3000.0 / 159080.0, 1.5e-5);
    EXPECT_NE(report.find(" NOTE: LOAD 1 WAS SOLVED AGAIN IN THE FIRST BRACKET OF TIP MOVEMENTS "
                          "THAT\r\n"),
              std::string::npos);
}

} // namespace
} // namespace dorvek::test
