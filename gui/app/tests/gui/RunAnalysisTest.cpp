#include "gui/app/tests/support/WindowFixture.h"
#include "model/workspace/FileNames.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

const std::string Completed =
    "Computations are completed. Please, check output file for results or error messages.";

std::string FakeKernelFolder(const char* name) {
    return std::string(DORVEK_FAKE_KERNELS) + "/" + name;
}

std::string Read(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool NamesFileGone(const TTempFolder& dir) {
    return !std::filesystem::exists(dir.Path() / "names.dat") &&
           !std::filesystem::exists(dir.Path() / "Names.dat");
}

} // namespace

TEST(RunAnalysis, KernelMissingFromFolderFailsAndRestoresState) {
    TWindowFixture f; // its kernel folder does not exist
    f.Form->Startup({f.Dir.Touch("p.dv4d")});
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{"Attempt to initialize DLL failed"});
    EXPECT_EQ(f.Log.Saves, std::vector<std::string>{f.Dir.File("p.dv4d")}); // saved first
    EXPECT_FALSE(f.Controller().RunInProgress());
    EXPECT_TRUE(NamesFileGone(f.Dir));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(f.Controller().Project().ShowOutput);
    // A later run is not refused as a second one.
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information").size(), 2u);
    EXPECT_EQ(f.Messages.Texts("information")[1], "Attempt to initialize DLL failed");
}

TEST(RunAnalysis, LibraryWithoutEntryPointFails) {
    TWindowFixture f(FakeKernelFolder("noentry"));
    f.Form->Startup({f.Dir.Touch("p.dv4d")});
    f.Form->Execute(C::RunAnalysis);
    const auto shown = f.Messages.Texts("information");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("Error Getting Function, error code = ", 0), 0u);
    EXPECT_EQ(shown[1], "Attempt to initialize DLL failed");
    EXPECT_TRUE(NamesFileGone(f.Dir));
}

TEST(RunAnalysis, KernelReadsNamesFileFromProjectFolder) {
    TWindowFixture f(FakeKernelFolder("writes"));
    TUserSettings user;
    user.UserCompany = "Ground Works";
    user.UserCity = "Austin ";
    user.UserState = "TX";
    user.InstallationNumber = 7;
    TSettings(f.Dir.File("settings.ini")).Write(user);
    const std::string project = f.Dir.Touch("pile.dv4d");
    f.Form->Startup({project});
    f.Dir.Touch("pile.dv4p");
    f.Workspace->PlotReadResult = true;
    f.Form->Execute(C::RunAnalysis);

    EXPECT_EQ(f.Messages.Texts("information"), std::vector<std::string>{Completed});
    const std::string stem = f.Dir.File("pile");
    EXPECT_EQ(Read(stem + ".dv4o"), "fake kernel 4 4\n2021.4.4\nGround Works\nAustin, TX\n7\n" +
                                        stem + ".dv4d\n" + stem + ".dv4o\n" + stem + ".dv4p\n" +
                                        stem + ".dv4r\n");
    ASSERT_EQ(f.Log.PlotReads.size(), 1u);  // no plot file at opening
    EXPECT_TRUE(f.Log.PlotReads[0].second); // errors reported after a run
    EXPECT_TRUE(f.Controller().Project().ShowOutput);
    EXPECT_TRUE(f.ToolEnabled(C::PlotLoad));
    EXPECT_TRUE(f.ToolEnabled(C::EditOutputText));
    EXPECT_TRUE(NamesFileGone(f.Dir));
    EXPECT_FALSE(f.Controller().RunInProgress());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(RunAnalysis, WithoutPlotFileResultCommandsKeepTheirState) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    f.Form->Execute(C::RunAnalysis);
    EXPECT_TRUE(f.Log.PlotReads.empty());
    EXPECT_FALSE(f.Controller().Project().ShowOutput);
    EXPECT_FALSE(f.ToolEnabled(C::PlotLoad));
    EXPECT_TRUE(NamesFileGone(f.Dir));
}

TEST(RunAnalysis, SecondRunWhileOneIsInProgressIsRefused) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    bool nested = false;
    f.Messages.OnInformation = [&](const std::string& text) {
        if (text == Completed && !nested) {
            nested = true;
            EXPECT_TRUE(f.Controller().RunInProgress());
            f.Form->Execute(C::RunAnalysis);
        }
    };
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information"),
              (std::vector<std::string>{Completed, "Attempt to reinitialize DLL"}));
    EXPECT_EQ(f.Log.Saves.size(), 1u); // the refused run saved nothing
    EXPECT_FALSE(f.Controller().RunInProgress());
    EXPECT_TRUE(NamesFileGone(f.Dir));
}

TEST(RunAnalysis, NewProjectWithCancelledSaveAsStopsBeforeAnything) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({});
    std::filesystem::current_path(f.Dir.Path());
    f.Messages.SaveChoices = {std::nullopt};
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("save").size(), 1u);
    EXPECT_TRUE(f.Messages.Texts("information").empty());
    EXPECT_TRUE(f.Log.Saves.empty());
    EXPECT_TRUE(NamesFileGone(f.Dir));
}

TEST(RunAnalysis, NewProjectIsNamedThroughSaveAsThenRun) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({});
    f.Messages.SaveChoices = {TFileChoice{f.Dir.File("first.dv4d"), 1}};
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information"), std::vector<std::string>{Completed});
    EXPECT_TRUE(std::filesystem::exists(f.Dir.Path() / "first.dv4o"));
}

TEST(RunAnalysis, SaveErrorStopsTheRun) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    f.Workspace->FailSave = true;
    f.Form->Execute(C::RunAnalysis);
    // The reason follows the message.
    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{"An error occured during saving\ndisk full"});
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "pile.dv4o"));
}

TEST(RunAnalysis, DataCheckWarningStopsTheRun) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    TCheckDataInput in;
    in.Nloadmethod = 1;
    in.UserQw = true;
    in.TipMovements = {0.1L, 2.5L};
    in.LastQwMovement = 1.5L;
    f.Workspace->CheckInput = in;
    f.Form->Execute(C::RunAnalysis);
    const auto warnings = f.Messages.Texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].find("Tip Movement entered ("), 0u);
    EXPECT_NE(warnings[0].find("(2) ."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "pile.dv4o"));
    EXPECT_TRUE(f.Messages.Texts("information").empty());
}

TEST(RunAnalysis, UnwritableNamesFileStopsTheRun) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    std::filesystem::create_directories(f.Dir.Path() / "names.dat");
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{"An error occured while writing file names"});
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "pile.dv4o"));
    EXPECT_TRUE(std::filesystem::is_directory(f.Dir.Path() / "names.dat")); // not ours to remove
}

TEST(RunAnalysis, WarningsBeforeTheRunAreRunPastOneByOne) {
    TWindowFixture f(FakeKernelFolder("writes"));
    f.Form->Startup({f.Dir.Touch("pile.dv4d")});
    f.Workspace->PreRunFindings = {"The layers end above the tip.", "Every load is 0."};
    // Run anyway at the first, Cancel at the second: no run.
    f.Messages.Answers = {TAnswer::Yes, TAnswer::Cancel};
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("proceed"),
              (std::vector<std::string>{"The layers end above the tip.", "Every load is 0."}));
    EXPECT_EQ(f.Messages.Shown.back().Detail, "Run anyway");
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "pile.dv4o"));
    EXPECT_TRUE(NamesFileGone(f.Dir));
    // Run anyway at both: the run goes on, and its report window opens.
    f.Messages.Answers = {TAnswer::Yes, TAnswer::Yes};
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information"), std::vector<std::string>{Completed});
    EXPECT_TRUE(std::filesystem::exists(f.Dir.Path() / "pile.dv4o"));
    ASSERT_NE(f.Form->ReportWindow(), nullptr);
    EXPECT_TRUE(f.Form->ReportWindow()->Report()->toPlainText().startsWith("fake kernel 4 4"));
}
