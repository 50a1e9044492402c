// A project read only in part never keeps its file's name, so that no Save can overwrite the
// file with the part that was read.

#include "model/workspace/FileNames.h"
#include "model/workspace/ProjectWorkspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

using namespace dorvek;

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

class PartialRead : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("dorvek_partial_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        example =
            ReadBytes(fs::path(DORVEK_SOURCE_DIR) / "examples" / "english-six-soil-types.dv4d");
        ASSERT_EQ(example.size(), 952u);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The example with one character of a line changed.
    std::string Damaged(int line, char from, char to) const {
        std::string text = example;
        size_t at = 0;
        for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
        const size_t pos = text.find(from, at);
        EXPECT_LT(pos, text.find('\n', at));
        text[pos] = to;
        return text;
    }

    fs::path folder;
    std::string example;
    TProjectWorkspace project;
};

} // namespace

TEST_F(PartialRead, AWrongCharacterOnLine13LeavesTheProjectUnnamed) {
    // Line 13 is the top row of the sand layer: "0.0365 0.0  32 0 20 ...".
    const fs::path file = folder / "six.dv4d";
    const std::string damaged = Damaged(13, '0', 'O');
    WriteBytes(file, damaged);

    const auto message = project.LoadFromFile(file.string(), 1);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, std::string("Error on Line 13 Item 1\r"
                                    "A floating point number was expected but not found.\n") +
                            PartialReadNote);
    EXPECT_TRUE(IsUnnamed(project.Data().FileName));
    EXPECT_TRUE(NeedsSaveAs(project.Data().FileName));
    EXPECT_TRUE(project.Changed());
    // What was read stays: six layers, the first two with their data; the pile line and the
    // loads after the break keep the defaults.
    const TInputTables& t = project.Tables();
    EXPECT_EQ(t.D2().RowCount(), 6);
    EXPECT_EQ(t.D2().GetDataValue(2, 0)->GetFloatValue(7, 1), 4.5L);
    EXPECT_EQ(project.Data().PLength, 0);
    EXPECT_EQ(ReadBytes(file), damaged); // nothing was written
}

TEST_F(PartialRead, AFileCutShortAndAWrongFilterAreReadInPartToo) {
    const fs::path cut = folder / "cut.dv4d";
    WriteBytes(cut, example.substr(0, 500));
    auto message = project.LoadFromFile(cut.string(), 1);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, std::string("This file either invalid or incomplete.\n") + PartialReadNote);
    EXPECT_TRUE(IsUnnamed(project.Data().FileName));

    // A current file opened as a 2.0 file: its two-value curve-source line throws every
    // record after it off.
    const fs::path current = folder / "six.dv4d";
    WriteBytes(current, example);
    message = project.LoadFromFile(current.string(), 3);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message,
              std::string("Error on Line 11 Item 4\rAn integer was expected but not found.\n") +
                  PartialReadNote);
    EXPECT_TRUE(project.Changed());

    // Read whole, the project keeps its name and is unchanged.
    EXPECT_FALSE(project.LoadFromFile(current.string(), 1));
    EXPECT_EQ(project.Data().FileName, current.string());
    EXPECT_FALSE(project.Changed());
    EXPECT_EQ(project.Data().PLength, 660);

    // A file that cannot be opened is not taken for an empty project of that name either.
    EXPECT_TRUE(project.LoadFromFile((folder / "missing.dv4d").string(), 1));
    EXPECT_TRUE(IsUnnamed(project.Data().FileName));
}
