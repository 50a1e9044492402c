// dorvek-run's outputs as a user meets them when something goes wrong: a table whose write
// fails keeps the old one, outputs that would overwrite each other or a device are refused
// before anything runs, and temporaries a killed run left are cleared by the next.

#include "cli/tests/CliTestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <vector>

namespace {

using namespace dorvek::test;

const fs::path kEnglish = kExamples / "driven-pile-clay-over-sand.dv4d";

std::vector<std::string> Hidden(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().front() == '.')
            names.push_back(entry.path().filename().string());
    return names;
}

using SafeOutputs = CliTest;

#ifndef _WIN32
// The system refuses to let a file grow past the limit of `ulimit -f` (the signal it sends
// is ignored): the write fails as on a full disk, with the system's reason.
TEST_F(SafeOutputs, AFailedTableWriteKeepsTheOldTableAndLeavesNoTemporary) {
    const fs::path project = copyExample(kEnglish);
    const fs::path table = write("t.csv", "the old table\n");
    Output run;
    {
        const std::string command = "trap '' XFSZ; ulimit -f 64; exec " + Quote(kProgram) +
                                    " -q --vary side-factor=0.5:1.5:0.005 --table " + Quote(table) +
                                    " " + Quote(project) + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.text.append(buffer, n);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    EXPECT_EQ(run.status, 1) << run.text;
    EXPECT_NE(run.text.find("--table: Cannot write \"" + table.string() + "\": File too large"),
              std::string::npos)
        << run.text;
    EXPECT_EQ(ReadBytes(table), "the old table\n");
    EXPECT_TRUE(Hidden(dir_).empty());

    // Without the limit the same run writes it whole.
    ASSERT_EQ(RunProgram("-q --vary side-factor=0.5:1.5:0.005 --table " + Quote(table) + " " +
                         Quote(project))
                  .status,
              0);
    EXPECT_GT(fs::file_size(table), 64u * 1024);
    EXPECT_TRUE(Hidden(dir_).empty());
}

TEST_F(SafeOutputs, OutputsThatAreNotRegularFilesAreRefusedAndKept) {
    const fs::path project = copyExample(kEnglish);
    const fs::path fifo = dir_ / "fifo.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir_ / "folder.csv");
    const std::string study = " --vary side-factor=1,2 ";
    const std::pair<std::string, std::string> cases[] = {
        {"--table " + Quote(fifo) + " " + Quote(project), "--table"},
        {"--stats " + Quote(fifo) + study + Quote(project), "--stats"},
        {"--table " + Quote(dir_ / "folder.csv") + " " + Quote(project), "--table"},
        {"--convert " + Quote(project) + " -o " + Quote(fifo), "-o"},
        {"--xlsx " + Quote(dir_ / "folder.csv") + " " + Quote(project), "--xlsx"},
        {"--profile " + Quote(fifo) + " " + Quote(project), "--profile"},
    };
    for (const auto& [arguments, option] : cases) {
        SCOPED_TRACE(arguments);
        const Output run = RunProgram(arguments, StandardError::Joined);
        EXPECT_EQ(run.status, 2) << run.text;
        EXPECT_NE(run.text.find(option), std::string::npos) << run.text;
        EXPECT_EQ(run.text.find("result 0"), std::string::npos) << run.text;
        struct stat status {};
        ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
        EXPECT_TRUE(fs::is_directory(dir_ / "folder.csv"));
    }
    EXPECT_FALSE(fs::exists(fs::path(project).replace_extension(".dv4o")));
    // The null device is the usual way of throwing a table away.
    EXPECT_EQ(RunProgram("-q --table /dev/null " + Quote(project)).status, 0);
}
#endif

TEST_F(SafeOutputs, TwoAnalysesOrOptionsOnOneFileAreRefusedBeforeAnythingRuns) {
    const fs::path project = copyExample(kEnglish);
    fs::create_directory(dir_ / "sub");
    const fs::path report = fs::path(project).replace_extension(".dv4o");
    const std::string p = Quote(project);
    std::vector<std::pair<std::string, std::string>> cases = {
        {p + " " + Quote(dir_ / "." / project.filename()), "given twice"},
        {p + " " + Quote(dir_ / "sub" / ".." / project.filename()), "given twice"},
        {p + " " + p, "given twice"},
        {"--table " + Quote(report) + " " + p,
         "--table and the report of " + project.string() + " would both write"},
        {"--table " + Quote(project) + " " + p, "would overwrite the input file"},
        {"--table " + Quote(dir_ / "t.csv") + " --stats " + Quote(dir_ / "sub" / ".." / "t.csv") +
             " --vary side-factor=1,2 " + p,
         "--table and --stats would both write"},
        {"--table " + Quote(dir_ / "v" / "driven-pile-clay-over-sand_side-factor=2.dv4o") +
             " --vary side-factor=1,2 --out " + Quote(dir_ / "v") + " " + p,
         "a file of the variant"},
    };
#ifndef _WIN32
    fs::create_symlink(project, dir_ / "link.dv4d");
    cases.emplace_back(p + " " + Quote(dir_ / "link.dv4d"), "given twice");
    fs::create_symlink(report, dir_ / "report-link.csv");
    cases.emplace_back("--table " + Quote(dir_ / "report-link.csv") + " " + p, "would both write");
#endif
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments);
        const Output run = RunProgram(arguments, StandardError::Joined);
        EXPECT_EQ(run.status, 2) << run.text;
        EXPECT_NE(run.text.find(message), std::string::npos) << run.text;
        EXPECT_EQ(run.text.find("result"), std::string::npos) << run.text;
        EXPECT_FALSE(fs::exists(report));
    }
}

TEST_F(SafeOutputs, ARerunClearsWhatAKilledRunLeft) {
#ifdef _WIN32
    GTEST_SKIP() << "temporaries of dead processes are swept on POSIX systems only";
#endif
    const fs::path project = copyExample(kEnglish);
    fs::create_directory(dir_ / "v");
    // The locked temporary of today, left by a killed run, and the names of a process that
    // no longer runs (earlier versions; file systems without locks).
    write(".t.csv.tmp", "half a table");
    write(".t.csv.999999999-0.tmp", "half a table");
    write("v/.driven-pile-clay-over-sand_side-factor=1.dv4d.999999999-0.tmp", "half a project");
    write("v/.driven-pile-clay-over-sand_side-factor=1.dv4o.tmp-999999998-3", "half a report");
    // Not a temporary of this run's files: kept.
    write("v/.notes.txt.999999999-0.tmp", "someone else's");
    const Output run = RunProgram("-q --vary side-factor=1,2 --out " + Quote(dir_ / "v") +
                                  " --table " + Quote(dir_ / "t.csv") + " " + Quote(project));
    ASSERT_EQ(run.status, 0) << run.text;
    EXPECT_TRUE(Hidden(dir_).empty());
    EXPECT_EQ(Hidden(dir_ / "v"), std::vector<std::string>{".notes.txt.999999999-0.tmp"});
    EXPECT_EQ(ReadBytes(dir_ / "t.csv").rfind("file,side-factor,result,", 0), 0u);
}

TEST_F(SafeOutputs, TheTableOnStandardOutputIsTheTableOfTheFile) {
    const fs::path project = copyExample(kEnglish);
    ASSERT_EQ(RunProgram("-q --table " + Quote(dir_ / "t.csv") + " " + Quote(project)).status, 0);
    const Output run = RunProgram("--table - " + Quote(project));
    EXPECT_EQ(run.status, 0);
    // The result line went to standard error.
    EXPECT_EQ(run.text, ReadBytes(dir_ / "t.csv"));
    const Output both = RunProgram("--table - --stats - --vary side-factor=1,2 " + Quote(project),
                                   StandardError::Joined);
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.text.find("only one of them"), std::string::npos) << both.text;
}

} // namespace
