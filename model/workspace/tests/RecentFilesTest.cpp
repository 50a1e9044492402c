#include "model/workspace/RecentFiles.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {
std::string Name(int i) {
    return "/p/f" + std::to_string(i) + ".dv4d";
}
} // namespace

TEST(RecentFiles, SameFileTwiceStaysSingleFirstEntry) {
    TRecentFiles r;
    r.UpdatePrevFile(Name(1));
    r.UpdatePrevFile(Name(1));
    EXPECT_EQ(r.NumberPrevFile(), 1);
    EXPECT_EQ(r.PrevFile()[0], Name(1));
    EXPECT_EQ(r.PrevFile()[1], "");
}

TEST(RecentFiles, EleventhFilePushesOutTheOldest) {
    TRecentFiles r;
    for (int i = 1; i <= 11; ++i) r.UpdatePrevFile(Name(i));
    EXPECT_EQ(r.NumberPrevFile(), 10);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(r.PrevFile()[static_cast<size_t>(k)], Name(11 - k));
}

TEST(RecentFiles, ListedFileMovesToFrontOthersKeepOrder) {
    TRecentFiles r;
    for (int i = 1; i <= 10; ++i) r.UpdatePrevFile(Name(i)); // f10 .. f1
    r.UpdatePrevFile(Name(4));                               // entry 6 moves up
    const std::vector<int> expected = {4, 10, 9, 8, 7, 6, 5, 3, 2, 1};
    for (size_t k = 0; k < 10; ++k) EXPECT_EQ(r.PrevFile()[k], Name(expected[k])) << k;
    r.UpdatePrevFile(Name(1)); // the last entry
    EXPECT_EQ(r.PrevFile()[0], Name(1));
    EXPECT_EQ(r.PrevFile()[9], Name(2));
}

TEST(RecentFiles, ComparisonIsCaseSensitiveAndEmptyNamesAreIgnored) {
    TRecentFiles r;
    r.UpdatePrevFile("/p/A.dv4d");
    r.UpdatePrevFile("/p/a.dv4d");
    r.UpdatePrevFile("");
    EXPECT_EQ(r.NumberPrevFile(), 2);
    EXPECT_EQ(r.PrevFile()[0], "/p/a.dv4d");
}

TEST(RecentFiles, AssignDropsGapsOfStoredList) {
    TRecentFiles r;
    const TRecentFiles::Entries stored{"a", "", "", "b", "", "", "", "", "", "c"};
    r.Assign(stored);
    EXPECT_EQ(r.NumberPrevFile(), 3);
    EXPECT_EQ(r.PrevFile()[1], "b");
    EXPECT_EQ(r.PrevFile()[2], "c");
}

TEST(RecentFiles, MenuTextDropsCurrentFolder) {
    TRecentFiles r;
    r.UpdatePrevFile("/other/x.dv4d");
    r.UpdatePrevFile("/work/sub/y.dv4d");
    r.UpdatePrevFile("/work/z.dv4d");
    EXPECT_EQ(r.MenuText(1, "/work"), "1 z.dv4d");
    EXPECT_EQ(r.MenuText(1, "/work/"), "1 z.dv4d");
    EXPECT_EQ(r.MenuText(2, "/work"), "2 sub/y.dv4d");
    EXPECT_EQ(r.MenuText(3, "/work"), "3 /other/x.dv4d");
    // Only a whole folder name is removed.
    EXPECT_EQ(r.MenuText(1, "/wor"), "1 /work/z.dv4d");
    EXPECT_EQ(r.MenuText(0, "/work"), "");
}
