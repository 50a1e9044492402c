// The run of the example project through the kernel library built beside the program.

#include "gui/app/tests/support/RealWindow.h"
#include "model/workspace/FileNames.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

std::string Read(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string Completed =
    "Computations are completed. Please, check output file for results or error messages.";

} // namespace

TEST(KernelRun, ExampleProjectThroughTheKernelLibrary) {
    TRealWindow w(DORVEK_BIN_DIR);
    TUserSettings user;
    user.UserCompany = "Ground Works";
    user.UserCity = "Austin";
    user.UserState = "TX";
    user.InstallationNumber = 31;
    TSettings(w.Dir.File("settings.ini")).Write(user);
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    w.Project().SetChanged(); // the run saves first
    w.Form->Execute(C::RunAnalysis);

    EXPECT_EQ(w.Messages.Texts("information"), std::vector<std::string>{Completed});
    EXPECT_FALSE(w.Project().Changed());
    const std::string report = Read(OutputFileOf(project));
    EXPECT_NE(report.find("DORVEK for Windows, Version 2021.4.4"), std::string::npos);
    EXPECT_NE(report.find("Installation Number         31"), std::string::npos);
    EXPECT_NE(report.find("Ground Works"), std::string::npos);
    EXPECT_NE(report.find("Austin, TX"), std::string::npos);
    EXPECT_NE(report.find("driven-pile-clay-over-sand.dv4d"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(PlotFileOf(project)));
    EXPECT_TRUE(std::filesystem::exists(RunNotesFileOf(project)));
    EXPECT_FALSE(std::filesystem::exists(w.Dir.Path() / "names.dat"));
    EXPECT_FALSE(std::filesystem::exists(w.Dir.Path() / "Names.dat"));
    EXPECT_FALSE(w.Controller().RunInProgress());

    // The results are in the graphs and their commands are offered.
    EXPECT_TRUE(w.Project().ShowOutput);
    const TResultGraphs& g = w.Project().Graphs();
    EXPECT_GT(g.pltTZcurves.List(TLineKind::Main).LineCount(), 0);
    EXPECT_GT(g.PltQW.List(TLineKind::Main).Count(), 1);
    EXPECT_GT(g.pltLoad.List(TLineKind::Main).LineCount(), 0);
    EXPECT_GT(g.pltLoad.List(TLineKind::Main).Count(), 1);
    EXPECT_GT(g.pltAxial.List(TLineKind::Main).Count(), 1);
    // One line per applied load of the example.
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).LineCount(), 3);
    EXPECT_EQ(g.pltLoadLoads.List(TLineKind::Main).Line(0).LineName(), "100 kips");
    for (C c : {C::PlotLoad, C::PlotDisp, C::PlotAxial, C::PlotTz, C::PlotQw, C::PlotLoadLoads,
                C::PlotDispLoads, C::PlotAxialLoads, C::EditOutputText})
        EXPECT_TRUE(w.Form->ToolAction(c)->isEnabled()) << static_cast<int>(c);
    EXPECT_FALSE(w.Form->ToolAction(C::PlotDispDown)->isEnabled()); // no down-drag
    emit w.Form->TopMenus()[4]->aboutToShow();
    EXPECT_TRUE(w.Form->MenuAction(C::ExportPlots)->isEnabled());
    EXPECT_FALSE(w.Form->MenuAction(C::PlotDispDown)->isEnabled());

    // The library was unloaded: a second run starts from a fresh library and writes a report
    // of the same length (only its date and time differ).
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("information").size(), 2u);
    EXPECT_EQ(Read(OutputFileOf(project)).size(), report.size());
}

TEST(KernelRun, OpeningAProjectWithResultsLoadsThem) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    w.Form->Execute(C::RunAnalysis);
    const int axialPoints = w.Project().Graphs().pltAxial.List(TLineKind::Main).Count();

    w.Form->Execute(C::FileNew);
    EXPECT_FALSE(w.Project().ShowOutput);
    EXPECT_FALSE(w.Form->ToolAction(C::PlotAxial)->isEnabled());

    w.Form->Controller().OpenFileName(project, 1);
    EXPECT_TRUE(w.Project().ShowOutput);
    EXPECT_EQ(w.Project().Graphs().pltAxial.List(TLineKind::Main).Count(), axialPoints);
    EXPECT_TRUE(w.Form->ToolAction(C::PlotAxial)->isEnabled());
    EXPECT_EQ(w.Messages.Texts("information").size(), 1u); // only the completion message
}

TEST(KernelRun, UnreadablePlotFileAfterRunIsReported) {
    // A stand-in kernel that writes a report but a plot file cut short.
    TRealWindow w(DORVEK_FAKE_KERNELS "/writes");
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    std::ofstream(PlotFileOf(project)) << "3\n1 2\n";
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(
        w.Messages.Texts("information"),
        (std::vector<std::string>{Completed, "An error occured in running the main program."}));
    EXPECT_FALSE(w.Project().ShowOutput);
    EXPECT_FALSE(w.Form->ToolAction(C::PlotLoad)->isEnabled());
}

TEST(KernelRun, DownDragExampleAddsTheSoilSettlementLine) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->Startup({w.CopyExample("si-api-clay-over-sand-downdrag.dv4d")});
    ASSERT_EQ(w.Project().Data().downdrag, 1);
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("information").size(), 1u);
    const TResultGraphs& g = w.Project().Graphs();
    ASSERT_EQ(g.pltDispDown.List(TLineKind::Main).LineCount(),
              g.pltDisp.List(TLineKind::Main).LineCount() + 1);
    EXPECT_EQ(g.pltDispDown.List(TLineKind::Main)
                  .Line(g.pltDispDown.List(TLineKind::Main).LineCount() - 1)
                  .LineName(),
              "Soil Settl.");
    EXPECT_TRUE(w.Form->ToolAction(C::PlotDispDown)->isEnabled());
    EXPECT_TRUE(w.Form->ToolAction(C::DataSettlement)->isEnabled());
}

TEST(KernelRun, UserCurvesExampleOffersNoSoilLayers) {
    TRealWindow w(DORVEK_BIN_DIR);
    w.Form->Startup({w.CopyExample("user-curves-downdrag-multipliers.dv4d")});
    const TProgramData& d = w.Project().Data();
    ASSERT_TRUE(d.UserTz && d.UserQw);
    EXPECT_FALSE(w.Form->ToolAction(C::DataSoilLayers)->isEnabled());
    EXPECT_TRUE(w.Form->ToolAction(C::DataTzCurves)->isEnabled());
    EXPECT_TRUE(w.Form->ToolAction(C::DataQwCurve)->isEnabled());
    emit w.Form->TopMenus()[3]->aboutToShow();
    EXPECT_FALSE(w.Form->MenuAction(C::ViewSoilProfile)->isVisible());
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("information").size(), 1u) << w.Messages.Shown.back().Text;
    EXPECT_TRUE(w.Project().ShowOutput);
    EXPECT_GT(w.Project().Graphs().pltTZcurves.List(TLineKind::Main).LineCount(), 0);
}
