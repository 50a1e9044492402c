// names.dat: fixed field lengths, line ends, short files, and runs started from it.

#include "kernel/NamesFile.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CrLf;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

NamesData Read(const std::string& text) {
    FreeFormatReader in(text);
    return ReadNamesFile(in);
}

TEST(NamesFile, EightLinesWithFixedFieldLengths) {
    const std::string longPath = "C:\\" + std::string(300, 'p');
    NamesData names =
        Read(CrLf({"2021.4.4-and-more", "Ostrel Testing Ltd   ", "Springfield, IL", "  17",
                   "C:\\job\\pile.dv4d   ", longPath, "C:\\job\\pile.dv4p", "C:\\job\\pile.dv4r"}));
    EXPECT_FALSE(names.fileErrors);
    EXPECT_EQ(names.header.version, "2021.4.4-and"); // first 12 characters
    EXPECT_EQ(names.header.organisation, "Ostrel Testing Ltd");
    EXPECT_EQ(names.header.location, "Springfield, IL");
    EXPECT_EQ(names.header.installation, 17);
    EXPECT_EQ(names.files.input, "C:\\job\\pile.dv4d");
    EXPECT_EQ(names.files.report, longPath.substr(0, 255));
    EXPECT_EQ(names.files.plot, "C:\\job\\pile.dv4p");
    EXPECT_EQ(names.files.notes, "C:\\job\\pile.dv4r");
}

TEST(NamesFile, LfLineEndsAndEmptyUserLines) {
    NamesData names = Read("2021.4.4\n\n\n0\n/a.dv4d\n/a.dv4o\n/a.dv4p\n/a.dv4r\n");
    EXPECT_FALSE(names.fileErrors);
    EXPECT_EQ(names.header.organisation, "");
    EXPECT_EQ(names.header.location, "");
    EXPECT_EQ(names.files.notes, "/a.dv4r");
}

TEST(NamesFile, SevenLinesLeaveTheRunNotesNameEmpty) {
    NamesData names = Read(CrLf({"2021.4.4", "", "", "0", "/a.dv4d", "/a.dv4o", "/a.dv4p"}));
    EXPECT_TRUE(names.fileErrors);
    EXPECT_EQ(names.files.plot, "/a.dv4p");
    EXPECT_EQ(names.files.notes, "");
}

TEST(NamesFile, FourLinesLeaveEveryNameEmpty) {
    NamesData names = Read(CrLf({"2021.4.4", "", "", "0"}));
    EXPECT_TRUE(names.fileErrors);
    EXPECT_EQ(names.files.input, "");
    EXPECT_EQ(names.files.report, "");
}

TEST(NamesFile, FaultsInTheFirstFourLinesAreFatal) {
    EXPECT_THROW(Read(""), InputError);
    EXPECT_THROW(Read("2021.4.4\r\nOrg\r\n"), InputError);
    try {
        Read(CrLf({"2021.4.4", "", "", "none", "/a.dv4d"}));
        FAIL();
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(),
                     "Line 4: expected an integer (installation number), found \"none\".");
    }
}

// A run from names.dat with a fixed clock; the console is captured.
struct NamesRun {
    std::ostringstream console;
    Store store;
    int run(const std::string& namesPath) {
        RunOptions options;
        options.console = &console;
        options.clock = test::FixedTime;
        options.results = &store;
        return RunFromNamesFile(namesPath, options);
    }
};

TEST(NamesFile, SevenLineRunGoesOnWithoutRunNotes) {
    TempDir dir;
    const std::string example =
        ReadFile(std::string(DORVEK_SOURCE_DIR) + "/examples/driven-pile-clay-over-sand.dv4d");
    WriteFile(dir.file("pile.dv4d"), example);
    WriteFile(dir.file("names.dat"),
              CrLf({"2021.4.4", "Org", "City, ST", "3", dir.file("pile.dv4d"),
                    dir.file("pile.dv4o"), dir.file("pile.dv4p")}));
    NamesRun run;
    EXPECT_EQ(run.run(dir.file("names.dat")), 0);
    const std::string console = run.console.str();
    const auto banner = console.find("VERSION 2021.4.4");
    const auto errors = console.find("  FILE ERRORS!\n");
    const auto proceeding = console.find("COMPUTATION IS PROCEEDING");
    ASSERT_NE(errors, std::string::npos);
    EXPECT_LT(banner, errors);
    EXPECT_LT(errors, proceeding);
    EXPECT_TRUE(fs::exists(dir.file("pile.dv4o")));
    EXPECT_TRUE(fs::exists(dir.file("pile.dv4p")));
    EXPECT_FALSE(fs::exists(dir.file("pile.dv4r")));
    EXPECT_NE(ReadFile(dir.file("pile.dv4o")).find("Installation Number          3"),
              std::string::npos);
}

TEST(NamesFile, RunFromNamesFileMatchesRunAnalysis) {
    TempDir dir;
    WriteFile(dir.file("pile.dv4d"), ReadFile(std::string(DORVEK_SOURCE_DIR) +
                                              "/examples/driven-pile-clay-over-sand.dv4d"));
    WriteFile(dir.file("names.dat"),
              CrLf({"2021.4.4", "Org", "City, ST", "3", dir.file("pile.dv4d"),
                    dir.file("pile.dv4o"), dir.file("pile.dv4p"), dir.file("pile.dv4r")}));
    NamesRun run;
    ASSERT_EQ(run.run(dir.file("names.dat")), 0);
    EXPECT_EQ(run.console.str().find("FILE ERRORS"), std::string::npos);
    const std::string fromNames = ReadFile(dir.file("pile.dv4o"));

    test::CapturedRun direct;
    RunHeader header;
    header.organisation = "Org";
    header.location = "City, ST";
    header.installation = 3;
    ASSERT_EQ(direct.run(test::FilesIn(dir), header), 0);
    EXPECT_EQ(ReadFile(dir.file("pile.dv4o")), fromNames);
}

TEST(NamesFile, MissingNamesFileIsAFileErrorAndIsNotCreated) {
    TempDir dir;
    NamesRun run;
    EXPECT_EQ(run.run(dir.file("names.dat")), 2);
    EXPECT_FALSE(fs::exists(dir.file("names.dat")));
    EXPECT_NE(run.console.str().find("The run control file could not be read."), std::string::npos);
}

TEST(NamesFile, BadInstallationNumberStopsBeforeAnyFile) {
    TempDir dir;
    WriteFile(dir.file("names.dat"),
              CrLf({"2021.4.4", "", "", "x", dir.file("pile.dv4d"), dir.file("pile.dv4o"),
                    dir.file("pile.dv4p"), dir.file("pile.dv4r")}));
    NamesRun run;
    EXPECT_EQ(run.run(dir.file("names.dat")), 3);
    EXPECT_FALSE(fs::exists(dir.file("pile.dv4o")));
    EXPECT_NE(run.store.diagnostic.find("Line 4: expected an integer (installation number)"),
              std::string::npos);
}

} // namespace
} // namespace dorvek
