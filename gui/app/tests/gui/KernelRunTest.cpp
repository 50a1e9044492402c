// The run of an example project through the kernel library built beside the program.

#include "FileNames.h"
#include "WindowFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

namespace {

std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const char* Example = "driven-pile-clay-over-sand";

} // namespace

TEST(KernelRun, ExampleProjectThroughTheKernelLibrary) {
    TWindowFixture f(DORVEK_BIN_DIR);
    TUserSettings user;
    user.UserCompany = "Ground Works";
    user.UserCity = "Austin";
    user.UserState = "TX";
    user.InstallationNumber = 31;
    TSettings(f.Dir.File("settings.ini")).Write(user);
    const auto project = f.Dir.Path() / (std::string(Example) + ".dv4d");
    std::filesystem::copy_file(std::filesystem::path(DORVEK_SOURCE_DIR) / "examples" /
                                   (std::string(Example) + ".dv4d"),
                               project);
    f.Session->KeepFileOnSave = true;
    f.Form->Startup({project.string()});
    f.Form->Execute(C::RunAnalysis);

    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{"Computations are completed. Please, check output file "
                                       "for results or error messages."});
    const std::string report = Read(OutputFileOf(project.string()));
    EXPECT_NE(report.find("DORVEK for Windows, Version 2021.4.4"), std::string::npos);
    EXPECT_NE(report.find("Installation Number         31"), std::string::npos);
    EXPECT_NE(report.find("Ground Works"), std::string::npos);
    EXPECT_NE(report.find("Austin, TX"), std::string::npos);
    EXPECT_NE(report.find(std::string(Example) + ".dv4d"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(PlotFileOf(project.string())));
    EXPECT_TRUE(std::filesystem::exists(RunNotesFileOf(project.string())));
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "names.dat"));
    EXPECT_FALSE(std::filesystem::exists(f.Dir.Path() / "Names.dat"));
    EXPECT_FALSE(f.Controller().RunInProgress());

    // The library was unloaded: a second run starts from a fresh library and gives the same
    // report apart from its date and time.
    f.Form->Execute(C::RunAnalysis);
    EXPECT_EQ(f.Messages.Texts("information").size(), 2u);
    EXPECT_EQ(Read(OutputFileOf(project.string())).size(), report.size());
}
