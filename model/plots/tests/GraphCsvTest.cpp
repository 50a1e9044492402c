// CSV files of the result graphs.

#include "model/plots/GraphCsv.h"
#include "model/plots/ResultGraphs.h"
#include "model/plots/tests/TempDir.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;

TEST(GraphCsvTest, FileNamesMadeFromCaptions) {
    EXPECT_EQ(GraphCsvFileName("Load Distribution"), "Load_Distribution.csv");
    EXPECT_EQ(GraphCsvFileName("Displacement/Soil Settlement"), "Displacement_Soil_Settlement.csv");
    EXPECT_EQ(GraphCsvFileName("Axial Load vs Settlement (Applied Loads)"),
              "Axial_Load_vs_Settlement_Applied_Loads.csv");
    EXPECT_EQ(GraphCsvFileName("t-z Curves"), "t-z_Curves.csv");
    EXPECT_EQ(GraphCsvFileName("../..//"), "Graph.csv");
    EXPECT_EQ(GraphCsvFileName(""), "Graph.csv");
    EXPECT_EQ(GraphCsvFileName("a:b*c?\"<>|\\d"), "a_b_c_d.csv");
}

TEST(GraphCsvTest, HeaderNamesEachColumnAndShortLinesLeaveEmptyCells) {
    TResultGraphs g;
    TGraphPlot& plot = g.pltLoad;
    plot.List(TLineKind::Main).SetLineCount(2);
    plot.List(TLineKind::Main).SetCount(2);
    plot.List(TLineKind::Main).Line(0).SetLineName("From Applied Loads    ");
    plot.List(TLineKind::Main).Line(1).SetLineName("a, \"b\"");
    plot.List(TLineKind::Main).Point(0, 0) = {0, 25};
    plot.List(TLineKind::Main).Point(0, 1) = {12.34L, 0.5L};
    plot.List(TLineKind::Main).Line(1).SetCount(3);
    plot.List(TLineKind::Main).Point(1, 0) = {-1e-7L, 1e20L};
    plot.List(TLineKind::Main).Point(1, 2) = {1.0L / 3, 2};
    EXPECT_EQ(GraphCsvText(plot),
              "From Applied Loads: Axial Load (kips),From Applied Loads: Depth (ft),"
              "\"a, \"\"b\"\": Axial Load (kips)\",\"a, \"\"b\"\": Depth (ft)\"\n"
              "0,25,-1E-7,1E20\n"
              "12.34,0.5,0,0\n"
              ",,0.333333333333333,2\n");
    g.SetUnits(2);
    EXPECT_EQ(GraphCsvText(g.PltQW), "\n"); // no lines: an empty header
}

TEST(GraphCsvTest, OneFilePerGraphWithLines) {
    test::TempDir dir;
    TResultGraphs g;
    g.pltLoad.List(TLineKind::Main).SetLineCount(1);
    g.pltLoad.List(TLineKind::Main).SetCount(1);
    g.pltLoad.List(TLineKind::Main).Point(0, 0) = {3, 4};
    g.pltAxial.List(TLineKind::Main).SetLineCount(1);
    TGraphPlot twin;
    twin.Caption = "Load Distribution";
    twin.List(TLineKind::Main).SetLineCount(1);
    const fs::path out = dir / "csv" / "deep";
    const auto files = WriteGraphsCsv({&g.pltLoad, &g.pltDisp, &g.pltAxial, &twin}, out);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], out / "Load_Distribution.csv");
    EXPECT_EQ(files[1], out / "Axial_Load_vs_Settlement.csv");
    EXPECT_EQ(files[2], out / "Load_Distribution_2.csv");
    EXPECT_EQ(ReadFile(files[0]), "Curve #1: Axial Load (kips),Curve #1: Depth (ft)\n3,4\n");
    EXPECT_EQ(ReadFile(files[1]),
              "Curve #1: Pile-Head Load (kips),Curve #1: Pile-Head Settlement (in)\n");
    EXPECT_FALSE(fs::exists(out / "Displacement_Distribution.csv"));

    // A file where the folder should be.
    std::ofstream(dir / "blocked") << "x";
    EXPECT_THROW(WriteGraphsCsv({&g.pltLoad}, dir / "blocked"), GraphCsvError);
}

} // namespace
} // namespace dorvek
