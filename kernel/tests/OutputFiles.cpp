// Outputs written whole or not at all: the temporary file and its renaming, the lock that
// keeps two writers of one file apart, the refusal of what is not a regular file, and runs
// that fail, are killed or race each other on the same outputs.

#include "kernel/OutputFile.h"
#include "kernel/TemporaryFile.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <streambuf>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CapturedRun;
using test::FilesIn;
using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kExample =
    std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d";

// The example with another number of increments and print option.
std::string ExampleWith(int ninc, int iprint) {
    std::string text = ReadFile(kExample);
    const std::string control = "\r\n50 0 1\r\n";
    const std::size_t at = text.find(control);
    EXPECT_NE(at, std::string::npos);
    text.replace(at, control.size(),
                 "\r\n" + std::to_string(ninc) + " " + std::to_string(iprint) + " 1\r\n");
    return text;
}

// The file holds exactly `expected`; a failure tells sizes and the first difference only
// (reports run to megabytes).
void ExpectFile(const fs::path& path, const std::string& expected) {
    const std::string actual = ReadFile(path);
    if (actual == expected) return;
    const auto first =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    ADD_FAILURE() << path << ": " << actual.size() << " bytes instead of " << expected.size()
                  << ", first difference at byte " << (first.first - actual.begin());
}

// Names in `dir` that start with a point: temporaries.
std::vector<std::string> HiddenFiles(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.front() == '.') names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4o";
    WriteFile(target, "older report\r\n");
    OutputFile out;
    ASSERT_TRUE(out.open(target)) << out.problem();
    out.stream() << "new report\r\n";
    ASSERT_TRUE(out.finish());
    // Written, but not in place yet: the old file is whole, the new one beside it.
    ExpectFile(target, "older report\r\n");
    EXPECT_EQ(HiddenFiles(dir), std::vector<std::string>{".pile.dv4o.tmp"});
#ifndef _WIN32
    // (Windows lets no one open it while it is written.)
    ExpectFile(dir.path() / ".pile.dv4o.tmp", "new report\r\n");
#endif
    ASSERT_TRUE(out.commit());
    ExpectFile(target, "new report\r\n");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(OutputFile, DiscardedFileLeavesTheOldOneAndNothingElse) {
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4p";
    WriteFile(target, "older plot data");
    {
        OutputFile out;
        ASSERT_TRUE(out.open(target));
        out.stream() << "half of a plot";
        out.discard();
        ExpectFile(target, "older plot data");
        EXPECT_TRUE(HiddenFiles(dir).empty());
    }
    {
        // An object that goes away uncommitted discards its file.
        OutputFile out;
        ASSERT_TRUE(out.open(target));
        out.stream() << "half of a plot";
    }
    ExpectFile(target, "older plot data");
    EXPECT_TRUE(HiddenFiles(dir).empty());
    // A new file that was never committed is not created either.
    {
        OutputFile out;
        ASSERT_TRUE(out.open(dir.path() / "new.dv4p"));
    }
    EXPECT_FALSE(fs::exists(dir.path() / "new.dv4p"));
}

TEST(OutputFile, SecondWriterOfAFileIsRefusedWithTheFirstOnesProcess) {
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4o";
    OutputFile first, second;
    ASSERT_TRUE(first.open(target));
    first.stream() << "first";
    EXPECT_FALSE(second.open(target));
#ifdef __linux__
    EXPECT_EQ(second.problem(),
              "Another run (process " + std::to_string(ProcessId()) + ") is writing it");
#else
    EXPECT_EQ(second.problem(), "Another run is writing it"); // the holder is not known here
#endif
    // The refused writer took nothing from the first one.
    ASSERT_TRUE(first.commit());
    ExpectFile(target, "first");
    // Once the first is done, the file is free again.
    ASSERT_TRUE(second.open(target)) << second.problem();
    second.stream() << "second";
    ASSERT_TRUE(second.commit());
    ExpectFile(target, "second");
}

TEST(TemporaryFile, OnePerOutputAndTheSecondWriterIsRefused) {
    TempDir dir;
    const fs::path a = dir.path() / "a.dv4o", b = dir.path() / "b.dv4o";
    TemporaryFile first, second, again;
    ASSERT_EQ(first.open(a), TemporaryFile::Result::Open);
    ASSERT_EQ(second.open(b), TemporaryFile::Result::Open);
    EXPECT_EQ(first.path(), dir.path() / ".a.dv4o.tmp");
    EXPECT_EQ(again.open(a), TemporaryFile::Result::Busy);
#ifdef __linux__
    EXPECT_EQ(again.holder(), ProcessId());
#endif
    FileSink sink;
    sink.attach(first.descriptor());
    ASSERT_EQ(sink.sputn("a", 1), 1);
    sink.close();
    ASSERT_TRUE(first.replace(a));
    ExpectFile(a, "a");
    // Once the first is in place the name is free; the new temporary starts empty.
    ASSERT_EQ(again.open(a), TemporaryFile::Result::Open);
    again.discard();
    second.discard();
    ExpectFile(a, "a");
    EXPECT_FALSE(fs::exists(b));
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(OutputFile, NullDeviceIsWrittenDirectly) {
    if (!fs::exists("/dev/null")) GTEST_SKIP() << "no null device";
    OutputFile out;
    ASSERT_TRUE(out.open("/dev/null")) << out.problem();
    out.stream() << "thrown away";
    EXPECT_TRUE(out.commit());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

#ifndef _WIN32

TEST(OutputFile, LinkedTargetIsReplacedWhereTheLinkLeads) {
    TempDir dir;
    fs::create_directories(dir.path() / "results");
    const fs::path real = dir.path() / "results" / "pile.dv4o";
    const fs::path link = dir.path() / "pile.dv4o";
    WriteFile(real, "older");
    fs::create_symlink("results/pile.dv4o", link);
    OutputFile out;
    ASSERT_TRUE(out.open(link));
    out.stream() << "newer";
    ASSERT_TRUE(out.commit());
    EXPECT_TRUE(fs::is_symlink(link));
    ExpectFile(real, "newer");
    EXPECT_TRUE(fs::is_empty(dir.path() / "results") == false);

    // A link to a file not written yet creates it there.
    const fs::path dangling = dir.path() / "plot.dv4p";
    fs::create_symlink("results/plot.dv4p", dangling);
    ASSERT_TRUE(out.open(dangling));
    out.stream() << "plot";
    ASSERT_TRUE(out.commit());
    EXPECT_TRUE(fs::is_symlink(dangling));
    ExpectFile(dir.path() / "results" / "plot.dv4p", "plot");

    // A loop of links leads nowhere.
    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");
    EXPECT_FALSE(out.open(dir.path() / "loop-a"));
    EXPECT_EQ(out.problem(), "Too many levels of symbolic links");
}

TEST(OutputFile, NewFileKeepsThePermissionsOfTheOldOne) {
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4o";
    WriteFile(target, "older");
    ::chmod(target.c_str(), 0640);
    OutputFile out;
    ASSERT_TRUE(out.open(target));
    out.stream() << "newer";
    ASSERT_TRUE(out.commit());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(OutputFile, OnlyRegularFilesAreOutputs) {
    TempDir dir;
    const fs::path fifo = dir.path() / "pipe.dv4o";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    OutputFile out;
    // Refused at once (no wait for a reader), and the pipe stays a pipe.
    EXPECT_FALSE(out.open(fifo));
    EXPECT_EQ(out.problem(), "Not a regular file (a device, pipe or socket)");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_FALSE(out.open(dir.path()));
    EXPECT_EQ(out.problem(), "Is a directory");
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(out.open("/dev/full"));
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
    EXPECT_FALSE(out.open(dir.path() / "missing" / "pile.dv4o"));
    EXPECT_EQ(out.problem(), "No such file or directory");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

// Runs `body` in a child process; its exit status as waitpid() gives it.
template <class Body> int InChildProcess(Body body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(OutputFile, ReadOnlyFileIsRefused) {
    // Renaming over it would get round the missing permission. The superuser may write any
    // file, so the check runs as an ordinary user where the test runs as the superuser.
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4o";
    WriteFile(target, "kept");
    ::chmod(target.c_str(), 0444);
    ::chmod(dir.path().c_str(), 0777); // only the file is read-only
    const int status = InChildProcess([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
        OutputFile out;
        if (out.open(target)) return 3;
        return out.problem() == "Permission denied" ? 0 : 4;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ExpectFile(target, "kept");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(OutputFile, TemporaryOfAWriterThatDiedIsReplacedByTheNext) {
    TempDir dir;
    const fs::path target = dir.path() / "pile.dv4o";
    WriteFile(target, "complete older report");
    // The writer ends without committing and without any clean-up, as a killed one would.
    const int status = InChildProcess([&] {
        OutputFile out;
        if (!out.open(target)) return 1;
        out.stream() << "half of a newer report" << std::string(1000, '~');
        out.finish();
        ::_exit(0);
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ExpectFile(target, "complete older report");
    ExpectFile(dir.path() / ".pile.dv4o.tmp", "half of a newer report" + std::string(1000, '~'));

    OutputFile out;
    ASSERT_TRUE(out.open(target)) << out.problem();
    out.stream() << "complete newer report";
    ASSERT_TRUE(out.commit());
    ExpectFile(target, "complete newer report");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

// A child's console: the second banner (the start of the head-load solution, when the report
// holds the tip-movement results) kills the process on the spot.
class KillAtSecondBanner : public std::streambuf {
protected:
    int_type overflow(int_type c) override {
        line_ += static_cast<char>(c);
        if (c == '\n') {
            if (line_.find("PROGRAM DORVEK") != std::string::npos && ++banners_ == 2)
                ::kill(::getpid(), SIGKILL);
            line_.clear();
        }
        return c;
    }

private:
    std::string line_;
    int banners_ = 0;
};

TEST(RunOutputs, KilledRunLeavesTheOlderOutputsAndTheNextRunCleansUp) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ExampleWith(3000, 0));
    ASSERT_EQ(CapturedRun().run(files), 0);
    const std::string report = ReadFile(files.report), plot = ReadFile(files.plot);

    // An older, longer report of the project is being replaced when the run is killed.
    const std::string older = report + std::string(100000, '~');
    WriteFile(files.report, older);
    WriteFile(files.plot, "older plot data");
    const int status = InChildProcess([&] {
        KillAtSecondBanner console;
        std::ostream out(&console);
        RunOptions options;
        options.console = &out;
        RunAnalysis(files, {}, options);
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    ExpectFile(files.report, older);
    ExpectFile(files.plot, "older plot data");
    // What the killed run had written is beside them, not in them.
    EXPECT_GT(fs::file_size(dir.path() / ".pile.dv4o.tmp"), 1000000u);

    ASSERT_EQ(CapturedRun().run(files), 0);
    ExpectFile(files.report, report);
    ExpectFile(files.plot, plot);
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

// Runs the analysis in a child process whose files may not grow beyond `limit` bytes (as on a
// full disk, but with "File too large"); the code and the diagnostic come back in a file.
std::pair<int, std::string> RunWithFileSizeLimit(const RunFiles& files, rlim_t limit,
                                                 const fs::path& answer) {
    const int status = InChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return 98;
        CapturedRun run;
        run.run(files);
        std::FILE* out = std::fopen(answer.c_str(), "wb");
        if (!out) return 97;
        std::fprintf(out, "%d\n%s", run.code, run.store.diagnostic.c_str());
        std::fclose(out);
        return 0;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string text = ReadFile(answer);
    const std::size_t end = text.find('\n');
    if (end == std::string::npos) return {-1, text};
    return {std::stoi(text.substr(0, end)), text.substr(end + 1)};
}

TEST(RunOutputs, ReportThatCannotBeFinishedLeavesTheOlderOutputs) {
    TempDir dir, answers;
    RunFiles files = FilesIn(dir);
    // A report of about 3 MB, plot data of about 1 MB: only the report fails.
    WriteFile(files.input, ExampleWith(2000, 0));
    WriteFile(files.report, "complete older report");
    WriteFile(files.plot, "complete older plot data");
    const auto [code, diagnostic] =
        RunWithFileSizeLimit(files, 1536 * 1024, answers.path() / "answer");
    EXPECT_EQ(code, 2);
    EXPECT_EQ(diagnostic,
              "File: " + files.report + "\nThe report file could not be written: File too large.");
    // Neither file is replaced: the plot data belongs to the report that stays.
    ExpectFile(files.report, "complete older report");
    ExpectFile(files.plot, "complete older plot data");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(RunOutputs, PlotFileThatCannotBeFinishedIsToldInTheReport) {
    TempDir dir, answers;
    RunFiles files = FilesIn(dir);
    // Without the distributions the report is small; the plot data are about 1 MB.
    WriteFile(files.input, ExampleWith(2000, 1));
    WriteFile(files.plot, "complete older plot data");
    const auto [code, diagnostic] =
        RunWithFileSizeLimit(files, 256 * 1024, answers.path() / "answer");
    EXPECT_EQ(code, 2);
    const std::string expected =
        "File: " + files.plot + "\nThe plot data file could not be written: File too large.";
    EXPECT_EQ(diagnostic, expected);
    ExpectFile(files.plot, "complete older plot data");
    const auto lines = Lines(ReadFile(files.report));
    const std::vector<std::string> tail = {" **** FILE ERROR ****", " File: " + files.plot,
                                           " The plot data file could not be written: File too "
                                           "large.",
                                           " The analysis was stopped."};
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), tail);
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(RunOutputs, RunOfAnotherProcessOnTheSameOutputsIsNamed) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    WriteFile(files.report, "complete older report");
    int toChild[2], toParent[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(toParent), 0);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        // Holds the report as a run would while it writes, until told to finish.
        OutputFile out;
        const char ready = out.open(files.report) ? 'y' : 'n';
        out.stream() << "the other run's report";
        [[maybe_unused]] auto n = ::write(toParent[1], &ready, 1);
        char go = 0;
        n = ::read(toChild[0], &go, 1);
        ::_exit(out.commit() ? 0 : 1);
    }
    char ready = 0;
    ASSERT_EQ(::read(toParent[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');

    CapturedRun second;
    EXPECT_EQ(second.run(files), 2);
    EXPECT_EQ(second.store.diagnostic, "File: " + files.report +
                                           "\nThe report file could not be created: Another run "
                                           "(process " +
                                           std::to_string(child) + ") is writing it.");
    ExpectFile(files.report, "complete older report");
    EXPECT_FALSE(fs::exists(files.plot));

    ASSERT_EQ(::write(toChild[1], "g", 1), 1);
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ExpectFile(files.report, "the other run's report");
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) ::close(fd);
    EXPECT_EQ(CapturedRun().run(files), 0);
}

TEST(RunOutputs, PipesAndFoldersAsOutputsAreRefused) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    WriteFile(files.input, ReadFile(kExample));
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string notRegular = "Not a regular file (a device, pipe or socket).";

    RunFiles report = files;
    report.report = fifo;
    CapturedRun first;
    EXPECT_EQ(first.run(report), 2);
    EXPECT_EQ(first.store.diagnostic,
              "File: " + fifo + "\nThe report file could not be created: " + notRegular);

    RunFiles plot = files;
    plot.plot = dir.path().string();
    CapturedRun second;
    EXPECT_EQ(second.run(plot), 2);
    EXPECT_EQ(second.store.diagnostic, "File: " + plot.plot +
                                           "\nThe plot data file could not be created: Is a "
                                           "directory.");

    // The run notes, which are only ever created, are no exception (a pipe without a reader
    // would otherwise hold the run).
    RunFiles notes = files;
    notes.notes = fifo;
    CapturedRun third;
    EXPECT_EQ(third.run(notes), 2);
    EXPECT_EQ(third.store.diagnostic,
              "File: " + fifo + "\nThe run-notes file could not be opened: " + notRegular);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

#endif // _WIN32

TEST(RunOutputs, OutputsThatAreTheInputOrEachOtherAreRefused) {
    TempDir dir;
    RunFiles files = FilesIn(dir);
    const std::string input = ReadFile(kExample);
    WriteFile(files.input, input);

    RunFiles report = files;
    report.report = files.input;
    CapturedRun first;
    EXPECT_EQ(first.run(report), 2);
    EXPECT_EQ(first.store.diagnostic, "File: " + files.input +
                                          "\nThe report file could not be created: It is the "
                                          "input data file.");
    RunFiles plot = files;
    plot.plot = files.input;
    CapturedRun second;
    EXPECT_EQ(second.run(plot), 2);
    EXPECT_EQ(second.store.diagnostic, "File: " + files.input +
                                           "\nThe plot data file could not be created: It is the "
                                           "input data file.");
    ExpectFile(files.input, input);

    RunFiles both = files;
    both.plot = (dir.path() / "." / "pile.dv4o").string();
    CapturedRun third;
    EXPECT_EQ(third.run(both), 2);
    EXPECT_EQ(third.store.diagnostic, "File: " + both.plot +
                                          "\nThe plot data file could not be created: It is the "
                                          "report file.");
    EXPECT_TRUE(HiddenFiles(dir).empty());
}

TEST(RunOutputs, RunsRacingOnTheSameOutputsNeverMix) {
    // Two projects analysed into the same report and plot file at once: each run completes or
    // is refused, and the files are always one run's complete pair.
    TempDir dir;
    RunFiles a = FilesIn(dir, "a");
    RunFiles b = FilesIn(dir, "b");
    b.report = a.report;
    b.plot = a.plot;
    b.notes = a.notes;
    // Large enough for the runs to overlap.
    WriteFile(a.input, ExampleWith(1000, 0));
    WriteFile(b.input, "Other\r\n2000 1 2\r\n2 2 \r\n1\r\n1 0 2\r\n0 0\r\n10 0.01\r\n"
                       "2\r\n0 0\r\n500 0.05\r\n2\r\n2E6 0\r\n2E6 15\r\n"
                       "1E-5 15 0 0.6 0.28\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n");
    ASSERT_EQ(CapturedRun().run(a), 0);
    const std::pair<std::string, std::string> fromA{ReadFile(a.report), ReadFile(a.plot)};
    ASSERT_EQ(CapturedRun().run(b), 0);
    const std::pair<std::string, std::string> fromB{ReadFile(b.report), ReadFile(b.plot)};
    ASSERT_NE(fromA.first, fromB.first);

    for (int round = 0; round < 20; ++round) {
        CapturedRun runA, runB;
        std::thread first([&] { runA.run(a); });
        std::thread second([&] { runB.run(b); });
        first.join();
        second.join();
        EXPECT_TRUE(runA.code == 0 || runA.code == 2) << runA.code;
        EXPECT_TRUE(runB.code == 0 || runB.code == 2) << runB.code;
        EXPECT_TRUE(runA.code == 0 || runB.code == 0);
        const std::pair<std::string, std::string> now{ReadFile(a.report), ReadFile(a.plot)};
        EXPECT_TRUE(now == fromA || now == fromB) << "round " << round;
        EXPECT_TRUE(HiddenFiles(dir).empty());
        if (::testing::Test::HasFailure()) break;
    }
}

} // namespace
} // namespace dorvek
