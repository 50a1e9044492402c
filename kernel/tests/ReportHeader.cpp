// The report header (program, user, file and date blocks), byte for byte, and the path
// splitting behind the file block.

#include "kernel/PathParts.h"
#include "kernel/ReportInput.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvek {
namespace {

using test::CrLf;

std::string Blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

TEST(PathParts, WindowsPathSplitsIntoItsFourParts) {
    PathParts p = SplitPath("C:\\Projects\\Pile\\pile1.dv4d");
    EXPECT_EQ(p.drive, "C:");
    EXPECT_EQ(p.folder, "\\Projects\\Pile\\");
    EXPECT_EQ(p.name, "pile1");
    EXPECT_EQ(p.extension, ".dv4d");
}

TEST(PathParts, PosixPathAndOddNames) {
    PathParts p = SplitPath("/home/eng/job.v2/pile.dv4o");
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.folder, "/home/eng/job.v2/");
    EXPECT_EQ(p.name, "pile");
    EXPECT_EQ(p.extension, ".dv4o");

    PathParts bare = SplitPath("pile");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.name, "pile");
    EXPECT_EQ(bare.extension, "");

    // The extension holds at most 5 characters, the point included.
    EXPECT_EQ(SplitPath("a.longext").extension, ".long");
    EXPECT_EQ(SplitPath(std::string(300, 'n')).name.size(), 256u);
}

TEST(ReportHeader, SectionsOneToFourByteForByte) {
    RunHeader header;
    header.organisation = "Ostrel Testing Ltd";
    header.location = "Springfield, IL";
    header.installation = 42;
    RunFiles files{"C:\\Projects\\Pile\\pile1.dv4d", "C:\\Projects\\Pile\\pile1.dv4o",
                   "C:\\Projects\\Pile\\pile1.dv4p", "C:\\Projects\\Pile\\pile1.dv4r"};

    std::ostringstream text;
    FixedWriter report(text);
    ReportProgramHeader(report, header);
    ReportUserBlock(report, header);
    ReportFileBlock(report, files);
    ReportDateBlock(report, test::FixedTime());

    const std::string equals = Blanks(5) + std::string(73, '=');
    const std::string dashes = Blanks(5) + std::string(73, '-');
    const std::string expected = CrLf({
        // 1: program header; the version is an A12 field, the number an I10.
        equals,
        "",
        Blanks(20) + "  DORVEK for Windows, Version 2021.4.4    ",
        "",
        Blanks(20) + "  Installation Number         42",
        "",
        Blanks(20) + "   A Program for Computing Load Vs Settlement ",
        Blanks(20) + "           For an Axially Loaded Pile ",
        "",
        equals,
        "",
        "",
        // 2: user block.
        Blanks(5) + "Analysis carried out by:",
        "",
        Blanks(5) + "Ostrel Testing Ltd",
        Blanks(5) + "Springfield, IL",
        "",
        // 3: file block and an empty list line.
        Blanks(5) + "Path to file locations      : C:\\Projects\\Pile\\",
        Blanks(5) + "Name of input data file     : pile1.dv4d",
        Blanks(5) + "Name of output file         : pile1.dv4o",
        Blanks(5) + "Name of plot output file    : pile1.dv4p",
        "",
        // 4: date block, two-digit day and time fields with leading zeros.
        dashes,
        Blanks(26) + "Time and Date of Analysis",
        dashes,
        Blanks(15) + "Date:  March 07, 2021" + Blanks(5) + "Time:  09:05:03",
    });
    EXPECT_EQ(text.str(), expected);
}

TEST(ReportHeader, EmptyUserNamesGiveEmptyLines) {
    // The 5X before an empty name leaves no blanks at the end of the line.
    std::ostringstream text;
    FixedWriter report(text);
    ReportUserBlock(report, RunHeader{});
    EXPECT_EQ(text.str(), CrLf({Blanks(5) + "Analysis carried out by:", "", "", "", ""}));
}

TEST(ReportHeader, EveryMonthAndMidnight) {
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    for (int m = 0; m < 12; ++m) {
        std::tm t = test::FixedTime();
        t.tm_mon = m;
        t.tm_mday = 31;
        t.tm_hour = 0;
        t.tm_min = 0;
        t.tm_sec = 0;
        std::ostringstream text;
        FixedWriter report(text);
        ReportDateBlock(report, t);
        const auto lines = test::Lines(text.str());
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[3],
                  Blanks(15) + "Date:  " + months[m] + " 31, 2021" + Blanks(5) + "Time:  00:00:00");
    }
}

TEST(ReportHeader, LongVersionIsCutToTwelveCharacters) {
    RunHeader header;
    header.version = "2021.4.4-extended";
    std::ostringstream text;
    FixedWriter report(text);
    ReportProgramHeader(report, header);
    EXPECT_EQ(test::Lines(text.str())[2],
              Blanks(20) + "  DORVEK for Windows, Version 2021.4.4-ext");
}

TEST(ReportHeader, SoilTypeNamesAreTwentyFourCharacters) {
    EXPECT_EQ(SoilTypeName(1), "  Driven Pile in Clay   ");
    EXPECT_EQ(SoilTypeName(2), "  Driven Pile in Sand   ");
    EXPECT_EQ(SoilTypeName(3), " Drilled Shaft in Clay  ");
    EXPECT_EQ(SoilTypeName(4), " Drilled Shaft in Sand  ");
    EXPECT_EQ(SoilTypeName(5), "Driven Pile in Clay, API");
    EXPECT_EQ(SoilTypeName(6), "Driven Pile in Sand, API");
    for (int code : {0, 7, -1}) EXPECT_EQ(SoilTypeName(code).size(), 24u);
}

} // namespace
} // namespace dorvek
