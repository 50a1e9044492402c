// The run of the example project through the kernel library built beside the program.

#include "FileNames.h"
#include "RealWindow.h"

#include <QAction>

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
    EXPECT_TRUE(w.Form->MenuAction(C::EditOutputText) != nullptr);

    // The library was unloaded: a second run starts from a fresh library and writes a report
    // of the same length (only its date and time differ).
    w.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(w.Messages.Texts("information").size(), 2u);
    EXPECT_EQ(Read(OutputFileOf(project)).size(), report.size());
}
