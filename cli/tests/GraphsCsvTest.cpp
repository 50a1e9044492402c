// dorvek-run --graphs-csv: results of the example projects as CSV files whose numbers are those
// of the plot data file, depths in feet and loads in kips for English projects.

#include "model/plots/tests/PlotFileValues.h"

#include "cli/tests/CliTestSupport.h"
#include "model/tables/NumberFormat.h"

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace dorvek::test;

struct Csv {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    // Cell (row, column) as a number; the cell must not be empty.
    long double At(size_t row, size_t column) const {
        const std::string& cell = rows.at(row).at(column);
        EXPECT_FALSE(cell.empty()) << row << " " << column;
        return std::strtold(cell.c_str(), nullptr);
    }
};

// Cells of a CSV line; a quoted cell may hold commas and doubled quotes.
std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    if (line.empty()) cells.clear();
    return cells;
}

// The name of a tip-movement curve: its tip movement and pile-head load.
std::string TipCurveName(const PlotFileValues::Case& c, bool english) {
    return "w = " + dorvek::FormatGeneral(c.tipMove, 4) + (english ? " in, Q = " : " m, Q = ") +
           dorvek::FormatGeneral(c.headLoad / (english ? 1000 : 1), 4) +
           (english ? " kips" : " kN");
}

Csv ReadCsv(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    Csv csv;
    std::string line;
    if (std::getline(in, line)) csv.header = Split(line);
    while (std::getline(in, line)) csv.rows.push_back(Split(line));
    return csv;
}

// 15 significant digits in the file.
void ExpectNear(long double csv, long double expected, const std::string& where) {
    EXPECT_LE(std::fabs(csv - expected), 1e-14L * std::fabs(expected)) << where;
}

using GraphsCsv = CliTest; // standard error discarded

// Distribution columns: line i has x in column 2i and y in 2i + 1, one row per increment.
void CheckDistribution(const Csv& csv, const std::vector<const PlotFileValues::Case*>& cases,
                       int xColumn, long double xScale, long double depthScale) {
    ASSERT_EQ(csv.header.size(), 2 * cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& rows = cases[i]->rows;
        ASSERT_LE(rows.size(), csv.rows.size());
        for (size_t j = 0; j < rows.size(); ++j) {
            const std::string where = "line " + std::to_string(i) + " row " + std::to_string(j);
            ExpectNear(csv.At(j, 2 * i), rows[j][static_cast<size_t>(xColumn)] / xScale, where);
            ExpectNear(csv.At(j, 2 * i + 1), rows[j][0] / depthScale, where);
        }
    }
}

TEST_F(GraphsCsv, EveryExampleWritesItsGraphsWithTheNumbersOfThePlotFile) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".dv4d") continue;
        ++examples;
        SCOPED_TRACE(entry.path().filename().string());
        const fs::path project = copyExample(entry.path());
        const fs::path folder = dir_ / (entry.path().stem().string() + "-csv");
        const Output out = RunProgram("-q --graphs-csv " + Quote(folder) + " " + Quote(project));
        ASSERT_EQ(out.status, 0);

        const PlotFileValues f =
            dorvek::test::ParsePlotFileValues(fs::path(project).replace_extension(".dv4p"));
        const bool english = f.unit == 1;
        const long double kips = english ? 1000 : 1;
        const long double feet = english ? 12 : 1;

        std::set<std::string> listed;
        std::istringstream lines(out.text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_EQ(fs::path(line).parent_path(), folder);
            EXPECT_TRUE(fs::exists(line)) << line;
            listed.insert(fs::path(line).filename().string());
        }
        for (const char* name :
             {"Load_Distribution.csv", "Displacement_Distribution.csv",
              "Axial_Load_vs_Settlement.csv", "t-z_Curves.csv", "Tip_Resistance_Curve.csv"})
            EXPECT_EQ(listed.count(name), 1u) << name;
        EXPECT_EQ(listed.count("Load_Distribution_Applied_Load.csv"), f.hasLoads ? 1u : 0u);

        std::vector<const PlotFileValues::Case*> tip;
        for (const auto& c : f.tipCases) tip.push_back(&c);
        const Csv load = ReadCsv(folder / "Load_Distribution.csv");
        EXPECT_EQ(load.header.at(0), TipCurveName(f.tipCases.at(0), english) +
                                         (english ? ": Axial Load (kips)" : ": Axial Load (kN)"));
        CheckDistribution(load, tip, 1, kips, feet);
        CheckDistribution(ReadCsv(folder / "Displacement_Distribution.csv"), tip, 2, 1, feet);

        const Csv axial = ReadCsv(folder / "Axial_Load_vs_Settlement.csv");
        ASSERT_EQ(axial.rows.size(), f.tipCases.size() + 1);
        for (size_t j = 0; j < f.tipCases.size(); ++j) {
            ExpectNear(axial.At(j + 1, 0), f.tipCases[j].headLoad / kips, "head load");
            ExpectNear(axial.At(j + 1, 1), f.tipCases[j].headMove, "head movement");
        }

        // t-z curves: x = z, y = t, shorter curves repeating their last point.
        const Csv tz = ReadCsv(folder / "t-z_Curves.csv");
        ASSERT_EQ(tz.header.size(), 2 * f.curves.size());
        for (size_t i = 0; i < f.curves.size(); ++i) {
            const auto& points = f.curves[i].points;
            for (size_t j = 0; j < tz.rows.size(); ++j) {
                const auto& p = points.at(std::min(j, points.size() - 1));
                ExpectNear(tz.At(j, 2 * i), p[1], "z");
                ExpectNear(tz.At(j, 2 * i + 1), p[0], "t");
            }
        }
        const Csv qw = ReadCsv(folder / "Tip_Resistance_Curve.csv");
        ASSERT_EQ(qw.rows.size(), f.qw.size());
        for (size_t j = 0; j < f.qw.size(); ++j) {
            ExpectNear(qw.At(j, 0), f.qw[j][0], "Q");
            ExpectNear(qw.At(j, 1), f.qw[j][1], "w");
        }

        if (f.hasLoads) {
            std::vector<const PlotFileValues::Case*> converged;
            for (const auto& c : f.loadCases)
                if (c.converged) converged.push_back(&c);
            const long double loadKips = f.loadUnit == 1 ? 1000 : 1;
            const long double loadFeet = f.loadUnit == 1 ? 12 : 1;
            CheckDistribution(ReadCsv(folder / "Load_Distribution_Applied_Load.csv"), converged, 1,
                              loadKips, loadFeet);
        }
    }
    EXPECT_GE(examples, 1);
}

TEST_F(GraphsCsv, WithoutRunTheExistingResultsAndSavedCurveNamesAreUsed) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const fs::path folder = dir_ / "csv";
    // No plot data file yet.
    EXPECT_EQ(RunProgram("--no-run --graphs-csv " + Quote(folder) + " " + Quote(project)).status,
              1);
    EXPECT_FALSE(fs::exists(folder / "Load_Distribution.csv"));

    ASSERT_EQ(RunProgram("-q " + Quote(project)).status, 0);
    const PlotFileValues f =
        dorvek::test::ParsePlotFileValues(fs::path(project).replace_extension(".dv4p"));
    // Settings of the load-distribution graph with its first curve renamed; the other blocks
    // hold no curves and change nothing.
    const size_t lines = f.tipCases.size(), points = f.tipCases.at(0).rows.size();
    std::string settings = ":Plot Caption\nLoad Distribution\n" + std::to_string(lines) + " " +
                           std::to_string(points) + "   :LineCount, Count\n" +
                           "1 : Show Legend\n0 : Do not Show Soil Layers\n"
                           "0 : Do not Show Wall Geometry\n1   :Markers Index\n"
                           "10   :FontSize Index\n1   :LineWidth Index\n:Graph Title\n\n"
                           "0 : User Caption on Bottom\n";
    for (size_t k = 1; k <= lines; ++k)
        settings +=
            ":Legend, Line " + std::to_string(k) + "\n" +
            (k == 1 ? std::string("Smallest, tip movement") : "Curve #" + std::to_string(k)) + "\n";
    for (size_t k = 1; k <= lines; ++k)
        settings += "1 1 : Active, Visible, Line " + std::to_string(k) + "\n";
    for (const char* caption : {"Displacement Distribution", "Axial Load vs Settlement",
                                "t-z Curves", "Tip Resistance Curve"})
        settings += std::string(":Plot Caption\n") + caption + "\n0 0   :LineCount, Count\n";
    std::ofstream(fs::path(project).replace_extension(".dv4g"), std::ios::binary) << settings;

    const Output out = RunProgram("--no-run --graphs-csv " + Quote(folder) + " " + Quote(project));
    ASSERT_EQ(out.status, 0);
    std::string header;
    std::getline(std::ifstream(folder / "Load_Distribution.csv"), header);
    EXPECT_EQ(header.rfind("\"Smallest, tip movement: Axial Load (kips)\","
                           "\"Smallest, tip movement: Depth (ft)\","
                           "Curve #2: Axial Load (kips),",
                           0),
              0u)
        << header;

    // After a run the graphs start afresh, as in the program.
    ASSERT_EQ(RunProgram("-q --graphs-csv " + Quote(folder) + " " + Quote(project)).status, 0);
    EXPECT_EQ(ReadCsv(folder / "Load_Distribution.csv").header.at(0),
              TipCurveName(f.tipCases.at(0), true) + ": Axial Load (kips)");
}

TEST_F(GraphsCsv, SeveralProjectsGetAFolderEachInParallel) {
    const fs::path first = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const fs::path second = copyExample(kExamples / "si-api-clay-over-sand-downdrag.dv4d");
    const fs::path folder = dir_ / "csv";
    const Output out = RunProgram("-q -j 2 --graphs-csv " + Quote(folder) + " " + Quote(first) +
                                  " " + Quote(second));
    ASSERT_EQ(out.status, 0);
    // Listed in input order: every file of the first project before those of the second.
    const std::string a =
        (folder / "driven-pile-clay-over-sand" / "Load_Distribution.csv").string();
    const std::string b =
        (folder / "si-api-clay-over-sand-downdrag" / "Load_Distribution.csv").string();
    ASSERT_NE(out.text.find(a + "\n"), std::string::npos) << out.text;
    ASSERT_NE(out.text.find(b + "\n"), std::string::npos) << out.text;
    EXPECT_LT(out.text.find(a), out.text.find(b));
    EXPECT_FALSE(fs::exists(folder / "Load_Distribution.csv"));
    // Each folder holds what a run of its project alone writes.
    const fs::path alone = dir_ / "alone";
    ASSERT_EQ(RunProgram("-q --graphs-csv " + Quote(alone) + " " + Quote(second)).status, 0);
    for (const auto& entry : fs::directory_iterator(alone))
        EXPECT_EQ(ReadBytes(entry.path()),
                  ReadBytes(folder / "si-api-clay-over-sand-downdrag" / entry.path().filename()))
            << entry.path();
}

TEST_F(GraphsCsv, WrongUseIsRefused) {
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    const fs::path folder = dir_ / "csv";
    // The same file twice would be analysed twice at once.
    EXPECT_EQ(
        RunProgram("--graphs-csv " + Quote(folder) + " " + Quote(project) + " " + Quote(project))
            .status,
        2);
    EXPECT_NE(RunProgram("--no-run " + Quote(project)).status, 0);
    fs::copy_file(project, dir_ / "old.dv3d");
    EXPECT_EQ(RunProgram("--graphs-csv " + Quote(folder) + " " + Quote(dir_ / "old.dv3d")).status,
              1);
    EXPECT_EQ(RunProgram("--graphs-csv " + Quote(folder) + " " + Quote(dir_ / "none.dv4d")).status,
              1);
    // A damaged plot file: nothing is written.
    std::ofstream(dir_ / "driven-pile-clay-over-sand.dv4p", std::ios::binary) << " 3\r\n 1 2";
    EXPECT_EQ(RunProgram("--no-run --graphs-csv " + Quote(folder) + " " + Quote(project)).status,
              1);
    EXPECT_FALSE(fs::exists(folder));
}

} // namespace
