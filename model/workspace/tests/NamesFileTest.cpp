#include "model/workspace/NamesFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace dorvek;

TEST(NamesFile, EightLinesInKernelOrder) {
    TNamesFileContent c;
    c.Version = "2021.4.4";
    c.UserCompany = "Ground Works Ltd";
    c.UserCity = "  Austin ";
    c.UserState = " TX";
    c.InstallationNumber = 1234;
    c.ProjectFile = "/home/u/piles/pile1.dv4d";
    EXPECT_EQ(NamesFileText(c), "2021.4.4\n"
                                "Ground Works Ltd\n"
                                "Austin, TX\n"
                                "1234\n"
                                "/home/u/piles/pile1.dv4d\n"
                                "/home/u/piles/pile1.dv4o\n"
                                "/home/u/piles/pile1.dv4p\n"
                                "/home/u/piles/pile1.dv4r\n");
}

TEST(NamesFile, EmptyUserDataAndLineBreaksInTexts) {
    TNamesFileContent c;
    c.Version = "2021.4.4";
    c.UserCompany = "two\nlines";
    c.ProjectFile = "p.dv4d";
    // A line break would move every later name one line down.
    EXPECT_EQ(NamesFileText(c), "2021.4.4\ntwo lines\n, \n0\np.dv4d\np.dv4o\np.dv4p\np.dv4r\n");
}

TEST(NamesFile, WritesIntoFolderAndReportsFailure) {
    const auto dir = std::filesystem::temp_directory_path() / "dorvek-namesfile-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    TNamesFileContent c;
    c.Version = "2021.4.4";
    c.ProjectFile = (dir / "a.dv4d").string();
    ASSERT_TRUE(WriteNamesFile(dir.string(), c));
    std::ifstream in(dir / "names.dat");
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), NamesFileText(c));
    EXPECT_FALSE(WriteNamesFile((dir / "missing" / "folder").string(), c));
    std::filesystem::remove_all(dir);
}
