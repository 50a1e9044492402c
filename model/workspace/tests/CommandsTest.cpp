#include "model/workspace/Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace dorvek;
using C = TCommand;

TEST(Commands, DataItemsFollowTheOptions) {
    TProgramData d;
    TCommandContext ctx;
    EXPECT_TRUE(MenuItemEnabled(C::DataSoilLayers, d, ctx));
    for (C c : {C::DataTzCurves, C::DataQwCurve, C::DataTipMovements, C::DataPileHeadLoads,
                C::DataSettlement, C::DataTzFactors, C::DataQwFactors}) {
        EXPECT_FALSE(MenuItemEnabled(c, d, ctx)) << static_cast<int>(c);
        EXPECT_FALSE(ToolButtonEnabled(c, d, ctx)) << static_cast<int>(c);
    }
    d.UserTz = true;
    EXPECT_TRUE(MenuItemEnabled(C::DataSoilLayers, d, ctx));
    d.UserQw = true;
    EXPECT_FALSE(MenuItemEnabled(C::DataSoilLayers, d, ctx));
    EXPECT_FALSE(MenuItemVisible(C::ViewSoilProfile, d));
    EXPECT_TRUE(MenuItemEnabled(C::DataTzCurves, d, ctx));
    EXPECT_TRUE(MenuItemEnabled(C::DataQwCurve, d, ctx));
    d.Nloadmethod = 1;
    EXPECT_TRUE(MenuItemEnabled(C::DataTipMovements, d, ctx));
    EXPECT_FALSE(MenuItemEnabled(C::DataPileHeadLoads, d, ctx));
    d.Nloadmethod = 2;
    EXPECT_FALSE(MenuItemEnabled(C::DataTipMovements, d, ctx));
    EXPECT_TRUE(ToolButtonEnabled(C::DataPileHeadLoads, d, ctx));
    d.downdrag = d.ModTZ = d.ModQw = 1;
    EXPECT_TRUE(ToolButtonEnabled(C::DataSettlement, d, ctx));
    EXPECT_TRUE(ToolButtonEnabled(C::DataTzFactors, d, ctx));
    EXPECT_TRUE(MenuItemEnabled(C::DataQwFactors, d, ctx));
}

TEST(Commands, GraphCommandsNeedShownResultsAndThePlotFile) {
    TProgramData d;
    TCommandContext ctx;
    ctx.PlotFileExists = true;
    EXPECT_FALSE(MenuItemEnabled(C::PlotLoad, d, ctx));
    ctx.ShowOutput = true;
    for (C c : {C::PlotLoad, C::PlotDisp, C::PlotAxial, C::PlotTz, C::PlotQw, C::ExportPlots})
        EXPECT_TRUE(MenuItemEnabled(c, d, ctx)) << static_cast<int>(c);
    EXPECT_FALSE(MenuItemEnabled(C::PlotDispDown, d, ctx));
    EXPECT_FALSE(ToolButtonEnabled(C::PlotAxialLoads, d, ctx));
    d.downdrag = 1;
    d.Nloadmethod = 2;
    EXPECT_TRUE(MenuItemEnabled(C::PlotDispDown, d, ctx));
    EXPECT_TRUE(ToolButtonEnabled(C::PlotLoadLoads, d, ctx));
    ctx.PlotFileExists = false;
    EXPECT_FALSE(ToolButtonEnabled(C::PlotLoadLoads, d, ctx));
    EXPECT_FALSE(MenuItemEnabled(C::PlotTz, d, ctx));
}

TEST(Commands, LoadTestCommands) {
    // The capacities need results; the measured curves and the calibration are always there
    // (the calibration says what is missing).
    TProgramData d;
    TCommandContext ctx;
    EXPECT_FALSE(MenuItemEnabled(C::ViewCapacities, d, ctx));
    EXPECT_TRUE(MenuItemEnabled(C::DataMeasuredCurves, d, ctx));
    EXPECT_TRUE(MenuItemEnabled(C::CalibrateMeasured, d, ctx));
    ctx.ShowOutput = true;
    ctx.PlotFileExists = true;
    EXPECT_TRUE(MenuItemEnabled(C::ViewCapacities, d, ctx));
}

TEST(Commands, OutputTextMenuNeedsFileButtonAlsoShownResults) {
    TProgramData d;
    TCommandContext ctx;
    ctx.OutputExists = true;
    EXPECT_TRUE(MenuItemEnabled(C::EditOutputText, d, ctx));
    EXPECT_FALSE(ToolButtonEnabled(C::EditOutputText, d, ctx));
    ctx.ShowOutput = true;
    EXPECT_TRUE(ToolButtonEnabled(C::EditOutputText, d, ctx));
    EXPECT_FALSE(MenuItemEnabled(C::EditRunNotes, d, ctx));
    EXPECT_FALSE(MenuItemEnabled(C::EditInputText, d, ctx));
    for (C c : {C::FileNew, C::FileSave, C::RunAnalysis, C::DataTitle, C::HelpAbout,
                C::ViewSoilProfile, C::OptionsTextEditor})
        EXPECT_TRUE(MenuItemEnabled(c, d, ctx) && ToolButtonEnabled(c, d, ctx));
}

TEST(Commands, TheReportWindowNeedsOnlyTheReport) {
    TProgramData d;
    TCommandContext ctx;
    EXPECT_FALSE(MenuItemEnabled(C::ViewReport, d, ctx));
    EXPECT_FALSE(ToolButtonEnabled(C::ViewReport, d, ctx));
    // A run that stopped shows no results, but its report explains why.
    ctx.OutputExists = true;
    EXPECT_TRUE(MenuItemEnabled(C::ViewReport, d, ctx));
    EXPECT_TRUE(ToolButtonEnabled(C::ViewReport, d, ctx));
}

TEST(Commands, ContextLooksAtTheCompanionFiles) {
    const auto dir = std::filesystem::temp_directory_path() / "dorvek-commands-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    TProgramData d;
    d.FileName = (dir / "p.dv4d").string();
    std::ofstream(dir / "p.dv4d") << "x";
    std::ofstream(dir / "p.dv4p") << "x";
    const auto ctx = MakeCommandContext(d, true);
    EXPECT_TRUE(ctx.ShowOutput);
    EXPECT_TRUE(ctx.ProjectFileExists);
    EXPECT_TRUE(ctx.PlotFileExists);
    EXPECT_FALSE(ctx.OutputExists);
    EXPECT_FALSE(ctx.RunNotesExists);
    std::filesystem::remove_all(dir);
}
