// Plot data files written by the kernel for every example project, loaded into the graphs and
// compared with the file's own numbers read independently.

#include "kernel/Kernel.h"
#include "model/plots/PlotProject.h"
#include "model/plots/PltData.h"
#include "model/plots/tests/PlotFileValues.h"
#include "model/plots/tests/TempDir.h"
#include "model/project/DataUnit.h"
#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::PlotFileValues;

std::vector<fs::path> Examples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(DORVEK_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".dv4d") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void CheckLoaded(const PlotFileValues& f, const TResultGraphs& g, int projectUnits) {
    const bool english = f.unit == 1;
    const long double lengthScale = english ? 12 : 1;
    const long double forceScale = english ? 1000 : 1;

    const TGraphPlot& tz = g.pltTZcurves;
    ASSERT_EQ(tz.List(TLineKind::Main).LineCount(), static_cast<int>(f.curves.size()));
    size_t longest = 2;
    for (const auto& c : f.curves) longest = std::max(longest, c.points.size());
    for (int i = 0; i < tz.List(TLineKind::Main).LineCount(); ++i) {
        const auto& c = f.curves[static_cast<size_t>(i)];
        const TLine& line = tz.List(TLineKind::Main).Line(i);
        EXPECT_EQ(line.LineName(), FormatShortest(c.depth) + (projectUnits == 2 ? " m" : " in"));
        ASSERT_EQ(line.Count(), static_cast<int>(longest));
        for (int j = 0; j < line.Count(); ++j) {
            const size_t from = std::min(static_cast<size_t>(j), c.points.size() - 1);
            EXPECT_EQ(line.Point(j).x, c.points[from][1]) << i << " " << j; // z
            EXPECT_EQ(line.Point(j).y, c.points[from][0]) << i << " " << j; // t
        }
    }

    ASSERT_EQ(g.PltQW.List(TLineKind::Main).Count(), static_cast<int>(f.qw.size()));
    for (int j = 0; j < g.PltQW.List(TLineKind::Main).Count(); ++j) {
        EXPECT_EQ(g.PltQW.List(TLineKind::Main).Point(0, j).x, f.qw[static_cast<size_t>(j)][0]);
        EXPECT_EQ(g.PltQW.List(TLineKind::Main).Point(0, j).y, f.qw[static_cast<size_t>(j)][1]);
    }

    const int s = static_cast<int>(f.tipCases.size());
    ASSERT_EQ(g.pltLoad.List(TLineKind::Main).LineCount(), s);
    ASSERT_EQ(g.pltAxial.List(TLineKind::Main).Count(), s + 1);
    for (int i = 0; i < s; ++i) {
        const auto& c = f.tipCases[static_cast<size_t>(i)];
        ASSERT_EQ(g.pltLoad.List(TLineKind::Main).Line(i).Count(), static_cast<int>(c.rows.size()));
        for (int j = 0; j < g.pltLoad.List(TLineKind::Main).Line(i).Count(); ++j) {
            const auto& r = c.rows[static_cast<size_t>(j)];
            EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(i, j).x, r[1] / forceScale);
            EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Point(i, j).y, r[0] / lengthScale);
            EXPECT_EQ(g.pltDisp.List(TLineKind::Main).Point(i, j).x, r[2]);
            EXPECT_EQ(g.pltDispDown.List(TLineKind::Main).Point(i, j).y, r[0] / lengthScale);
        }
        EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, i + 1).x, c.headLoad / forceScale);
        EXPECT_EQ(g.pltAxial.List(TLineKind::Main).Point(0, i + 1).y, c.headMove);
        // Each distribution curve is named by its tip movement and head load.
        const std::string name =
            "w = " + FormatGeneral(c.tipMove, 4) + (english ? " in, Q = " : " m, Q = ") +
            FormatGeneral(c.headLoad / forceScale, 4) + (english ? " kips" : " kN");
        EXPECT_EQ(g.pltLoad.List(TLineKind::Main).Line(i).LineName(), name);
        EXPECT_EQ(g.pltDisp.List(TLineKind::Main).Line(i).LineName(), name);
        EXPECT_EQ(g.pltDispDown.List(TLineKind::Main).Line(i).LineName(), name);
    }

    if (!f.hasLoads) return;
    std::vector<const PlotFileValues::Case*> converged;
    for (const auto& c : f.loadCases)
        if (c.converged) converged.push_back(&c);
    const long double loadForce = f.loadUnit == 1 ? 1000 : 1;
    const long double loadLength = f.loadUnit == 1 ? 12 : 1;
    ASSERT_EQ(g.pltLoadLoads.List(TLineKind::Main).LineCount(), static_cast<int>(converged.size()));
    for (int k = 0; k < g.pltLoadLoads.List(TLineKind::Main).LineCount(); ++k) {
        const auto& c = *converged[static_cast<size_t>(k)];
        EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Line(k).LineName(),
                  FormatShortest(c.headLoad / loadForce) + (f.loadUnit == 1 ? " kips" : " kN"));
        EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Point(1, k).x, c.headLoad / loadForce);
        EXPECT_EQ(g.pltAxialLoads.List(TLineKind::Main).Point(1, k).y, c.headMove);
        for (int j = 0; j < g.pltLoadLoads.List(TLineKind::Main).Line(k).Count(); ++j) {
            const auto& r = c.rows[static_cast<size_t>(j)];
            EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Point(k, j).x, r[1] / loadForce);
            EXPECT_EQ(g.pltDispLoads.List(TLineKind::Main).Point(k, j).x, r[2]);
            EXPECT_EQ(g.pltDispLoads.List(TLineKind::Main).Point(k, j).y, r[0] / loadLength);
        }
    }
}

// The report and plot file next to the input, named after it.
RunFiles FilesBeside(const fs::path& input) {
    return {input.string(), fs::path(input).replace_extension(".dv4o").string(),
            fs::path(input).replace_extension(".dv4p").string(), ""};
}

int RunQuietly(const RunFiles& files) {
    std::ostringstream console;
    RunOptions options;
    options.console = &console;
    return RunAnalysis(files, RunHeader{}, options);
}

TEST(KernelPlotFilesTest, EveryExampleLoadsAsItsFileReads) {
    const std::vector<fs::path> examples = Examples();
    ASSERT_FALSE(examples.empty());
    test::TempDir dir;
    for (const fs::path& example : examples) {
        SCOPED_TRACE(example.filename().string());
        const fs::path input = dir / example.filename().string();
        fs::copy_file(example, input, fs::copy_options::overwrite_existing);
        const RunFiles files = FilesBeside(input);
        ASSERT_EQ(RunQuietly(files), kRunCompleted);

        const PlotFileValues f = test::ParsePlotFileValues(files.plot);
        ASSERT_FALSE(f.curves.empty());
        ASSERT_FALSE(f.tipCases.empty());
        // The project as the program holds it after opening the file.
        TProjectTables owner;
        TProgramData data;
        data.CreateFromFile(input.string(), FilterCurrent, owner);
        const PlotProjectInfo project = PlotProjectInfoFrom(data, owner.Tables());
        EXPECT_EQ(project.units, f.unit);
        EXPECT_EQ(project.nloadmethod == 2, f.hasLoads);
        TResultGraphs g;
        std::vector<std::string> messages;
        ASSERT_TRUE(ReadPlotData(g, files.plot, true, project,
                                 [&](const std::string& m) { messages.push_back(m); }));
        EXPECT_TRUE(messages.empty());
        CheckLoaded(f, g, project.units);
        for (TGraphPlot* plot : g.All()) EXPECT_EQ(plot->Units(), f.hasLoads ? f.loadUnit : f.unit);

        // Soil-layer overlay of the distribution graphs: clay coded 1, sand 7, bottoms in feet
        // for English projects.
        if (data.UserTz && data.UserQw) continue;
        const TGraphPlot& load = g.pltLoad;
        ASSERT_EQ(load.List(TLineKind::Layers).LineCount(),
                  static_cast<int>(project.layers.size()));
        for (int i = 0; i < load.List(TLineKind::Layers).LineCount(); ++i) {
            const LayerRow& layer = project.layers[static_cast<size_t>(i)];
            EXPECT_EQ(load.List(TLineKind::Layers).Point(i, 0).x, layer.method % 2 == 1 ? 1 : 7);
            EXPECT_EQ(load.List(TLineKind::Layers).Point(i, 0).y,
                      project.units == 1 ? layer.bottom / 12 : layer.bottom);
        }
    }
}

// A multiplier of 1.51e38 takes the loads beyond single precision: the run completes, the
// values that do not fit are asterisks in the plot file as in the report, and loading refuses
// the file with its message once instead of drawing garbage (a fuzz finding).
TEST(KernelPlotFilesTest, ValuesBeyondTheirFieldsAreRefusedWhenLoaded) {
    test::TempDir dir;
    const fs::path input = dir / "huge.dv4d";
    fs::copy_file(fs::path(DORVEK_SOURCE_DIR) /
                      "fuzz/regressions/kernel/multiplier-beyond-single-precision.dv4d",
                  input);
    const RunFiles files = FilesBeside(input);
    ASSERT_EQ(RunQuietly(files), kRunCompleted);

    std::ifstream plot(files.plot);
    const std::string text{std::istreambuf_iterator<char>(plot), {}};
    EXPECT_NE(text.find("   **********   **********\r\n"), std::string::npos);

    TResultGraphs g;
    std::vector<std::string> messages;
    EXPECT_FALSE(ReadPlotData(g, files.plot, true, PlotProjectInfo{},
                              [&](const std::string& m) { messages.push_back(m); }));
    EXPECT_EQ(messages, std::vector<std::string>{RunErrorMessage});
}

} // namespace
} // namespace dorvek
