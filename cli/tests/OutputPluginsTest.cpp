// The picture and workbook outputs come from plug-ins beside the program: an analysis needs
// neither Qt nor libxlsxwriter, and a missing plug-in is told before anything runs.

#include "cli/tests/CliTestSupport.h"

#include <gmock/gmock.h>

namespace {

using namespace dorvek::test;
using ::testing::HasSubstr;
using ::testing::Not;

using OutputPlugins = CliTest;

#ifndef _WIN32
TEST_F(OutputPlugins, TheProgramLinksNeitherQtNorTheWorkbookLibrary) {
    FILE* pipe = popen(("ldd " + Quote(kProgram) + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string libraries;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        libraries.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << libraries;
    EXPECT_THAT(libraries, HasSubstr("libc.so"));
    EXPECT_THAT(libraries, Not(HasSubstr("Qt")));
    EXPECT_THAT(libraries, Not(HasSubstr("xlsxwriter")));
}
#endif

TEST_F(OutputPlugins, AProgramWithoutItsPlugInsAnalysesAndRefusesTheirOptions) {
    // The program alone in a folder of its own.
    const fs::path bin = dir_ / "bin";
    fs::create_directories(bin);
    const fs::path program = bin / fs::path(kProgram).filename();
    fs::copy_file(kProgram, program);
    const fs::path project = copyExample(kExamples / "driven-pile-clay-over-sand.dv4d");
    auto run = [&](const std::string& arguments) {
#ifdef _WIN32
        const std::string command = "\"\"" + program.string() + "\" " + arguments + " 2>&1\"";
        FILE* pipe = _popen(command.c_str(), "rt");
#else
        FILE* pipe = popen((Quote(program) + " " + arguments + " 2>&1").c_str(), "r");
#endif
        Output out;
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.text.append(buffer, n);
#ifdef _WIN32
        out.status = _pclose(pipe);
#else
        const int raw = pclose(pipe);
        out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        return out;
    };
    struct Case {
        std::string options, message;
    };
    std::vector<Case> cases;
#ifdef DORVEK_HAVE_PICTURES
    cases.push_back({"--graphs " + Quote(dir_ / "g"), "--graphs: the output library "});
    cases.push_back({"--profile " + Quote(dir_ / "p.png"), "--profile: the output library "});
#endif
#ifdef DORVEK_HAVE_WORKBOOK
    cases.push_back({"--xlsx " + Quote(dir_ / "w.xlsx"), "--xlsx: the output library "});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const Output out = run(c.options + " " + Quote(project));
        EXPECT_EQ(out.status, 2) << out.text;
        EXPECT_THAT(out.text, HasSubstr(c.message));
        EXPECT_THAT(out.text, HasSubstr("could not be loaded"));
        EXPECT_FALSE(fs::exists(fs::path(project).replace_extension(".dv4o")));
    }
    const Output analysed = run("-q " + Quote(project));
    EXPECT_EQ(analysed.status, 0) << analysed.text;
    EXPECT_THAT(analysed.text, HasSubstr(": result 0, run completed"));
}

} // namespace
