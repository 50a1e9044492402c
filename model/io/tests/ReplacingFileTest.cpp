// A file written piece by piece through a temporary file: in place only when committed, the
// old file kept otherwise, no temporary file left behind, and what was written read back.

#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dorvek::EInOutError;
using dorvek::ReplaceFile;
using dorvek::TReplacingFile;

std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no exception";
}

class ReplacingFile : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("dorvek-replacing-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                std::to_string(counter++));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t Entries() {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    fs::path dir_;
};

TEST_F(ReplacingFile, InPlaceOnlyWhenCommitted) {
    const fs::path table = dir_ / "table.csv";
    std::ofstream(table, std::ios::binary) << "old\n";
    {
        TReplacingFile file(table);
        file.Write("a,b\n");
        file.Write("1,2\n");
        EXPECT_EQ(Read(table), "old\n"); // not yet
        EXPECT_EQ(Entries(), 2u);        // the old file and the temporary one
    }                                    // dropped without Commit()
    EXPECT_EQ(Read(table), "old\n");
    EXPECT_EQ(Entries(), 1u);

    {
        TReplacingFile file(table);
        file.Write("a,b\n");
        file.Write("");
        file.Write("1,2\n3,4");
        std::vector<std::string> lines;
        file.ReadBack([&](std::string_view line) { lines.emplace_back(line); });
        EXPECT_EQ(lines, (std::vector<std::string>{"a,b", "1,2", "3,4"}));
        // Read back, it can only be dropped.
        EXPECT_THROW(file.Write("late"), EInOutError);
        EXPECT_THROW(file.Commit(), EInOutError);
    }
    EXPECT_EQ(Read(table), "old\n");
    EXPECT_EQ(Entries(), 1u);

    TReplacingFile file(table);
    file.Write("a,b\n1,2\n");
    file.Write("3,4");
    file.Commit();
    EXPECT_EQ(Read(table), "a,b\n1,2\n3,4");
    EXPECT_EQ(Entries(), 1u);
    EXPECT_THROW(file.Write("late"), EInOutError);
    EXPECT_THROW(file.Commit(), EInOutError);
}

TEST_F(ReplacingFile, AFolderThatIsNotThereIsRefusedAtOnce) {
    try {
        TReplacingFile file(dir_ / "missing" / "table.csv");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("table.csv"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Entries(), 0u);
}

TEST_F(ReplacingFile, ALongFileReadsBackWhole) {
    const fs::path big = dir_ / "big.csv";
    TReplacingFile file(big);
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string line = "row " + std::to_string(i) + ",0.123456789";
        file.Write(line + "\n");
        expected += line + "\n";
    }
    std::size_t count = 0;
    std::string joined;
    file.ReadBack([&](std::string_view line) {
        ++count;
        joined.append(line).append("\n");
    });
    EXPECT_EQ(count, 20000u);
    EXPECT_EQ(joined, expected);
}

TEST_F(ReplacingFile, ASecondWriterIsRefusedAndALeftTemporaryIsTakenOver) {
    const fs::path table = dir_ / "table.csv";
    {
        TReplacingFile first(table);
        first.Write("first\n");
        const std::string message = Message([&] { TReplacingFile second(table); });
        EXPECT_NE(message.find("Cannot write \"" + table.string() + "\": another run"),
                  std::string::npos)
            << message;
        first.Commit();
    }
    EXPECT_EQ(Read(table), "first\n");
    // What a killed run left under the temporary's name is emptied and used.
    std::ofstream(dir_ / ".table.csv.tmp", std::ios::binary) << "half of a killed run's table";
    ReplaceFile(table, "second\n");
    EXPECT_EQ(Read(table), "second\n");
    EXPECT_EQ(Entries(), 1u);
}

#ifndef _WIN32
TEST_F(ReplacingFile, AFolderPipeOrDeviceIsRefusedNotReplaced) {
    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir_ / "folder");
    for (const fs::path& target : {fifo, dir_ / "folder", fs::path("/dev/full")}) {
        SCOPED_TRACE(target.string());
        const std::string message = Message([&] { ReplaceFile(target, "text"); });
        EXPECT_EQ(message.rfind("Cannot write \"" + target.string() + "\": ", 0), 0u) << message;
    }
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    ASSERT_EQ(::lstat("/dev/full", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(Entries(), 2u);
    // The null device takes the bytes as they are.
    ReplaceFile("/dev/null", "thrown away");
    ASSERT_EQ(::lstat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

// A file size limit makes the write fail part way, as a full disk does.
TEST_F(ReplacingFile, AWriteThatFailsPartWayKeepsTheOldFile) {
    const fs::path table = dir_ / "table.csv";
    std::ofstream(table, std::ios::binary) << "old\n";
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string message;
    {
        TReplacingFile file(table);
        message = Message([&] {
            for (int i = 0; i < 10000; ++i) file.Write("row " + std::to_string(i) + ",1.25\n");
            file.Commit();
        });
    }
    const std::string whole = Message([&] { ReplaceFile(table, std::string(200000, 'x')); });
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(message, "Cannot write \"" + table.string() + "\": File too large");
    EXPECT_EQ(whole, message);
    EXPECT_EQ(Read(table), "old\n");
    EXPECT_EQ(Entries(), 1u);
}
#endif

} // namespace
