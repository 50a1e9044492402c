// The project as the kernel sees it: files written by Save are analysed by the kernel library.

#include "kernel/Kernel.h"
#include "model/project/DataUnit.h"
#include "model/project/tests/support/ProjectFiles.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace dorvek;
using namespace dorvek::test;

namespace {

const std::string Example =
    std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d";

// Analyses input; the report, plot and notes files go beside it. Returns the result code.
int Analyse(const std::string& input) {
    std::filesystem::path base(input);
    auto beside = [&](const char* extension) {
        return std::filesystem::path(base).replace_extension(extension).string();
    };
    std::ostringstream console;
    RunOptions options;
    options.console = &console;
    options.clock = [] { return std::tm{}; };
    return RunAnalysis({input, beside(".dv4o"), beside(".dv4p"), beside(".dv4r")}, RunHeader{},
                       options);
}

std::string PlotOf(const std::string& input) {
    return ReadBytes(std::filesystem::path(input).replace_extension(".dv4p").string());
}

using KernelLinkTest = NewProjectTest;

} // namespace

// The example entered as a user would, through the tables and fields, then saved.
TEST_F(KernelLinkTest, SavedProjectAnalysesLikeTheHandWrittenExample) {
    data.Title = "60 ft driven steel pipe pile, 18 in OD, soft clay over dense sand";
    data.Nloadmethod = 2;
    data.PLength = 720;
    data.OD = 18;
    data.Tiparea = 254.469L;

    TGridTable& layers = tables.D2();
    layers.SetRowCount(2);
    layers.SetIntValue(0, 0, 1);
    layers.SetFloatValue(1, 0, 360);
    layers.SetIntValue(0, 1, 2);
    layers.SetFloatValue(1, 1, 960);
    struct Row {
        int layer, row;
        std::vector<std::pair<int, long double>> values;
    };
    // Columns: 0 unit weight, 1 strength, 2 e50, 3 angle, 4 blow count, 7 side, 8 tip.
    for (const Row& r : {Row{0, 0, {{0, 0.0318L}, {1, 3.47L}, {2, 0.01L}, {7, 3.47L}, {8, 31.2L}}},
                         Row{0, 1, {{0, 0.0318L}, {1, 6.94L}, {2, 0.007L}, {7, 5.5L}, {8, 62.5L}}},
                         Row{1, 0, {{0, 0.0365L}, {3, 36}, {4, 30}, {7, 6}, {8, 1000}}},
                         Row{1, 1, {{0, 0.0365L}, {3, 38}, {4, 45}, {7, 11.5L}, {8, 1400}}}}) {
        TGridTable* p = layers.GetDataValue(2, r.layer);
        ASSERT_NE(p, nullptr);
        for (auto [column, value] : r.values) p->SetFloatValue(column, r.row, value);
    }
    tables.TblAE2().SetFloatValue(1, 0, 7.972e8L);
    tables.TblAE2().SetFloatValue(0, 1, 720);
    tables.TblAE2().SetFloatValue(1, 1, 7.972e8L);
    TGridTable& loads = tables.TblTopload();
    loads.SetRowCount(3);
    for (int i = 0; i < 3; ++i) loads.SetFloatValue(0, i, 100000.0L * (i + 1));

    data.FileName = folder.File("entered.dv4d");
    data.Save(owner);
    EXPECT_EQ(ReadBytes(data.FileName), ReadBytes(Example));

    const std::string copy = folder.File("example.dv4d");
    WriteBytes(copy, ReadBytes(Example));
    ASSERT_EQ(Analyse(data.FileName), 0);
    ASSERT_EQ(Analyse(copy), 0);
    const std::string plot = PlotOf(data.FileName);
    EXPECT_FALSE(plot.empty());
    EXPECT_EQ(plot, PlotOf(copy));
}

// The example opened, switched to S.I. and saved: the kernel reads every converted value.
TEST_F(KernelLinkTest, ConvertedUnitsAnalyse) {
    data.CreateFromFile(Example, FilterCurrent, owner);
    data.SetUnits(2, tables);
    data.FileName = folder.File("si.dv4d");
    data.Save(owner);
    EXPECT_NE(ReadBytes(data.FileName).find("\r\n50 0 2\r\n"), std::string::npos);
    EXPECT_EQ(Analyse(data.FileName), 0);
    EXPECT_FALSE(PlotOf(data.FileName).empty());
}

// A 2.0 project with user curves of both kinds, down-drag and pile-head loads (S.I.),
// brought to the current form and analysed.
TEST_F(KernelLinkTest, ConvertedOlderProjectAnalyses) {
    const std::string old = folder.File("user.dvd");
    WriteBytes(old, CrLf({
                        "User curves", "30 0 2",   "1",        "2",        "1 0 3",
                        "0 0",         "10 0.005", "20 0.01",  "2 10 3",   "0 0",
                        "15 0.004",    "30 0.01",  "2",        "500000 0", "500000 10",
                        "3",           "0 0",      "200 0.01", "250 0.02", "1E-5 10 0.5 0.19635",
                        " 0",          "2",        "100",      "200",      "2",
                        "0 0.01",      "10 0",
                    }));
    data.CreateFromFile(old, Filter20, owner);
    data.FileName = folder.File("user.dv4d");
    data.Save(owner);
    EXPECT_EQ(Analyse(data.FileName), 0);
    EXPECT_FALSE(PlotOf(data.FileName).empty());
}
