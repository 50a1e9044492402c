// A file written piece by piece through a temporary file: in place only when committed, the
// old file kept otherwise, no temporary file left behind, and what was written read back.

#include "model/io/AtomicFile.h"
#include "model/io/ReadError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dorvek::EInOutError;
using dorvek::TReplacingFile;

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

} // namespace
