// The soil-profile model: pile geometry and extent in display units, equal scales on both
// axes, the pixel mapping, the bands and their labels, ground and depth ticks, the printed
// page, and projects that are missing parts.

#include "model/plots/PileSideModel.h"
#include "model/plots/PlotProject.h"
#include "model/plots/tests/PileSideInputs.h"
#include "model/project/DataUnit.h"

#include <gtest/gtest.h>

using namespace dorvek;

using dorvek::test::ThreeLayers;

TEST(PileSideModel, EnglishGeometryInFeet) {
    TPileSideModel m;
    m.Build(ThreeLayers());
    EXPECT_DOUBLE_EQ(double(m.diam1), 2.25); // 18 in x 1.5 = 2.25 ft
    EXPECT_DOUBLE_EQ(double(m.dleng1), 60);
    ASSERT_EQ(m.DataG.size(), 1u);
    EXPECT_DOUBLE_EQ(double(m.DataG[0][0].x), -1.125);
    EXPECT_DOUBLE_EQ(double(m.DataG[0][2].x), 1.125);
    EXPECT_DOUBLE_EQ(double(m.DataG[0][0].y), 0);
    EXPECT_DOUBLE_EQ(double(m.DataG[0][2].y), 60);
    // The pile reaches below the last band: the extent's bottom is 1.05 x the tip depth.
    EXPECT_NEAR(double(m.DBottom), 63, 1e-12);
    EXPECT_NEAR(double(m.DLeft), -1.18125, 1e-12);
    EXPECT_NEAR(double(m.DRight), 1.18125, 1e-12);
    // 5 % of the bottom above the ground, for the ground line and the first label.
    EXPECT_NEAR(double(m.DTop), -3.15, 1e-12);
    EXPECT_EQ(m.TipText(), "Tip: 60 ft");
}

TEST(PileSideModel, BandsLabelsAndFamilies) {
    TPileSideModel m;
    m.Build(ThreeLayers());
    const auto bands = m.Bands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].Label, "depth= 0 - 10; Clay");
    EXPECT_EQ(bands[1].Label, "depth= 10 - 25; Sand");
    EXPECT_EQ(bands[2].Label, "depth= 25 - 40; Clay");
    EXPECT_EQ(bands[1].MethodName, "Driven Pile in Sand (Mosher)");
    EXPECT_EQ(bands[2].MethodName, "Driven Pile in Clay (API)");
    EXPECT_DOUBLE_EQ(double(m.LayersBottom()), 40);
    for (int method : {1, 3, 5}) EXPECT_EQ(SoilFamilyOf(method), TSoilFamily::Clay);
    for (int method : {2, 4, 6}) EXPECT_EQ(SoilFamilyOf(method), TSoilFamily::Sand);
    // A code no soil method has is drawn as unknown soil, never as one of the families.
    for (int method : {0, 7, -1}) EXPECT_EQ(SoilFamilyOf(method), TSoilFamily::Unknown);
    TPileSideInput odd = ThreeLayers();
    odd.Layers = {{9, 60}};
    m.Build(odd);
    EXPECT_EQ(m.Bands()[0].Label, "depth= 0 - 5; Unknown");
    EXPECT_EQ(m.Bands()[0].MethodName, "Unknown soil type");
}

TEST(PileSideModel, LabelsWithFourDigitsAndInsideTheFrame) {
    TPileSideModel m;
    TPileSideInput in = ThreeLayers();
    in.Layers = {{1, 200}, {2, 100}}; // 16.666... ft, then a layer whose bottom lies above
    m.Build(in);
    const auto bands = m.Bands();
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].Label, "depth= 0 - 16.67; Clay");
    EXPECT_EQ(bands[1].Label, "depth= 16.67 - 8.333; Sand");
    // Text boxes between a frame's lines 100 and 1000 drawn 12 wide.
    EXPECT_DOUBLE_EQ(TextTopInside(500, 40, 100, 1000, 12), 500);
    EXPECT_DOUBLE_EQ(TextTopInside(990, 40, 100, 1000, 12),
                     1000 - 12 - 40 - 1);                          // tip at the bottom
    EXPECT_DOUBLE_EQ(TextTopInside(1500, 40, 100, 1000, 12), 947); // below the frame
    EXPECT_DOUBLE_EQ(TextTopInside(20, 40, 100, 1000, 12), 113);
    EXPECT_DOUBLE_EQ(TextTopInside(500, 2000, 100, 1000, 12), 113); // taller than the frame
}

TEST(PileSideModel, EqualScalesOnBothAxes) {
    TPileSideModel m;
    m.Build(ThreeLayers());
    m.Layout(400, 300);
    ASSERT_FALSE(m.NoDraw);
    // r = (4/3) / (2.3625 / 66.15): the horizontal range becomes 66.15 x 4/3 = 88.2.
    EXPECT_NEAR(double(m.Left), -44.1, 1e-9);
    EXPECT_NEAR(double(m.Right), 44.1, 1e-9);
    EXPECT_NEAR(double(m.Bottom), 63, 1e-12);
    EXPECT_EQ(m.PixelY(0), 14);   // 300 x 3.15 / 66.15 = 14.29
    EXPECT_EQ(m.PixelY(10), 60);  // 59.64
    EXPECT_EQ(m.PixelY(60), 286); // 286.39
    EXPECT_EQ(m.PixelX(0), 200);
    EXPECT_EQ(m.PixelX(1.125), 205); // 400 x 45.225 / 88.2 = 205.10
    EXPECT_NEAR(double(m.DepthAt(150)), 29.925, 1e-12);
    EXPECT_EQ(TPileSideModel::DepthTitle(m.DepthAt(150)), "  Depth: 29.9");
    EXPECT_EQ(TPileSideModel::DepthTitle(-0.01), "  Depth: 0.0");

    // Twice as wide as high: the horizontal range widens to twice the depth range.
    m.Layout(600, 300);
    EXPECT_NEAR(double(m.Right - m.Left), 132.3, 1e-9);
    EXPECT_NEAR(double(m.Bottom - m.Top), 66.15, 1e-12);
    // Narrower than the extent: the depth range grows instead (r = 0.28, 63 / r = 225).
    m.Layout(10, 1000);
    EXPECT_NEAR(double(m.Right), 1.18125, 1e-12);
    EXPECT_NEAR(double(m.Bottom), 225, 1e-9);
    EXPECT_NEAR(double(m.Top), -11.25, 1e-9);
    // One world unit has the same length in pixels on both axes.
    EXPECT_NEAR(10 / double(m.Right - m.Left), 1000 / double(m.Bottom - m.Top), 1e-9);
}

TEST(PileSideModel, NoClientAreaSuppressesDrawingUntilTheNextLayout) {
    TPileSideModel m;
    m.Build(ThreeLayers());
    m.Layout(400, 0);
    EXPECT_TRUE(m.NoDraw);
    m.Layout(400, 300);
    EXPECT_FALSE(m.NoDraw);
    m.Clear();
    EXPECT_TRUE(m.NoDraw);
    EXPECT_TRUE(m.DataG.empty());
}

TEST(PileSideModel, SIProjectInMetres) {
    TPileSideInput in;
    in.Units = 2;
    in.OD = 0.6; // metres, as the S.I. project keeps it
    in.PLength = 6;
    in.Layers = {{5, 3}, {6, 10}};
    TPileSideModel m;
    m.Build(in);
    EXPECT_NEAR(double(m.diam1), 0.9, 1e-15);
    EXPECT_NEAR(double(m.DRight), 0.4725, 1e-15);
    // The layers reach deeper than the pile.
    EXPECT_NEAR(double(m.DBottom), 10.5, 1e-15);
    const auto bands = m.Bands();
    EXPECT_EQ(bands[0].Label, "depth= 0 - 3; Clay");
    EXPECT_EQ(bands[1].Label, "depth= 3 - 10; Sand");
    EXPECT_EQ(m.TipText(), "Tip: 6 m");
    EXPECT_STREQ(DisplayUnitName(2), "m");
}

TEST(PileSideModel, ProjectsMissingParts) {
    TPileSideModel m;
    // No layers: the pile is still drawn, the extent follows it alone.
    TPileSideInput noLayers = ThreeLayers();
    noLayers.Layers.clear();
    noLayers.PLength = 240;
    m.Build(noLayers);
    EXPECT_EQ(m.DataG.size(), 1u);
    EXPECT_TRUE(m.Bands().empty());
    EXPECT_NEAR(double(m.DBottom), 21, 1e-12);

    // A pile of no length: no polygon; the extent has no width, so the window's ratio gives
    // the horizontal range (44.1 x 4/3).
    TPileSideInput noPile = ThreeLayers();
    noPile.PLength = 0;
    m.Build(noPile);
    EXPECT_TRUE(m.DataG.empty());
    EXPECT_EQ(m.dleng1, 0);
    m.Layout(400, 300);
    EXPECT_FALSE(m.NoDraw);
    EXPECT_NEAR(double(m.Right - m.Left), 58.8, 1e-12);
    EXPECT_NEAR(double(m.Bottom), 42, 1e-12); // the last layer's 40 ft x 1.05

    // A negative length counts as none.
    noPile.PLength = -100;
    m.Build(noPile);
    EXPECT_TRUE(m.DataG.empty());

    // Nothing at all: the initial extent, stretched at equal scales.
    m.Build(TPileSideInput{});
    m.Layout(400, 300);
    EXPECT_FALSE(m.NoDraw);
    EXPECT_NEAR(double(m.Right - m.Left), 20, 1e-12);
    EXPECT_NEAR(double(m.Bottom), 15, 1e-12);
}

TEST(PileSideModel, HeadAboveTheGround) {
    TPileSideInput in = ThreeLayers();
    in.HeadCoord = -24; // 2 ft above the ground
    TPileSideModel m;
    m.Build(in);
    EXPECT_NEAR(double(m.DTop), -3.045, 1e-12); // 5 % of the 58 ft tip lies above the head
    EXPECT_NEAR(double(m.DBottom), 60.9, 1e-12);
    const TPrintLayout page = m.PrintLayout(3300, 2550, 300);
    // From 2 ft above the ground to the tip at 58 ft: 2040 / 60 = 34 pixels per foot.
    EXPECT_DOUBLE_EQ(page.Scale, 34);
    EXPECT_DOUBLE_EQ(page.Y(-2), 255);
    EXPECT_DOUBLE_EQ(page.GroundY, 255 + 68);
}

TEST(PileSideModel, GroundAndDepthTicks) {
    EXPECT_EQ(TPileSideModel::GroundTicks(100), (std::vector<int>{20, 40, 60}));
    EXPECT_EQ(TPileSideModel::GroundTicks(85), (std::vector<int>{20, 40}));
    EXPECT_TRUE(TPileSideModel::GroundTicks(45).empty());
    const auto ticks = TPileSideModel::DepthTicks(0, 63, 8); // 7.9 per interval -> 10
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_EQ(ticks.front().Text, "0");
    EXPECT_EQ(ticks.back().Text, "60");
    const auto fine = TPileSideModel::DepthTicks(-0.3, 1, 5); // 0.26 -> 0.5
    ASSERT_EQ(fine.size(), 3u);
    EXPECT_EQ(fine[0].Text, "0");
    EXPECT_EQ(fine[2].Text, "1");
    EXPECT_TRUE(TPileSideModel::DepthTicks(5, 5, 8).empty());
}

TEST(PileSideModel, PrintedPage) {
    TPileSideModel m;
    TPileSideInput in = ThreeLayers();
    in.PLength = 360; // 30 ft: the last layer's bottom (40 ft) is the deepest
    m.Build(in);
    const TPrintLayout page = m.PrintLayout(3300, 2550, 300);
    ASSERT_TRUE(page.Valid);
    EXPECT_EQ(page.FrameLeft, 330);
    EXPECT_EQ(page.FrameRight, 2970);
    EXPECT_EQ(page.FrameTop, 255);
    EXPECT_EQ(page.FrameBottom, 2295);
    EXPECT_DOUBLE_EQ(page.GroundY, 255); // depth 0 at 10 %
    EXPECT_DOUBLE_EQ(page.Y(40), 2295);  // the last layer's bottom at 90 %
    EXPECT_DOUBLE_EQ(page.X(0), 1650);
    EXPECT_DOUBLE_EQ(page.PenWidth, 12);
    ASSERT_EQ(page.TickX.size(), 10u);
    EXPECT_EQ(page.TickX.front(), 380);
    EXPECT_EQ(page.TickX.back(), 830);
    // Unit steps follow the printer's resolution.
    EXPECT_DOUBLE_EQ(m.PrintLayout(6600, 5100, 600).PenWidth, 24);
    EXPECT_DOUBLE_EQ(m.PrintLayout(1100, 850, 96).Unit, 100 / 300.0);
    EXPECT_EQ(TPileSideModel::ResolutionStep(1200), 1200);
    EXPECT_EQ(TPileSideModel::ResolutionStep(720), 600);
    EXPECT_EQ(TPileSideModel::ResolutionStep(0), 100);
    // A pile deeper than the layers stays on the page.
    m.Build(ThreeLayers());
    EXPECT_DOUBLE_EQ(m.PrintLayout(3300, 2550, 300).Y(60), 2295);
    EXPECT_FALSE(m.PrintLayout(0, 2550, 300).Valid);
    // No depth at all still gives a page.
    m.Build(TPileSideInput{});
    EXPECT_TRUE(m.PrintLayout(3300, 2550, 300).Valid);
}

TEST(PileSideModel, InputFromTheExampleProject) {
    TProjectTables owner;
    TProgramData data;
    data.CreateFromFile(std::string(DORVEK_SOURCE_DIR) +
                            "/examples/driven-pile-clay-over-sand.dv4d",
                        FilterCurrent, owner);
    const TPileSideInput in = PileSideInputFrom(data, owner.Tables());
    EXPECT_EQ(in.Units, 1);
    EXPECT_DOUBLE_EQ(double(in.OD), 18);
    EXPECT_DOUBLE_EQ(double(in.PLength), 720);
    ASSERT_EQ(in.Layers.size(), 2u);
    EXPECT_EQ(in.Layers[0].method, 1);
    EXPECT_DOUBLE_EQ(double(in.Layers[1].bottom), 960);
    EXPECT_EQ(in.Layers[1].method, 2);
    TPileSideModel m;
    m.Build(in);
    EXPECT_EQ(m.Bands()[1].Label, "depth= 30 - 80; Sand");
}
