#include "model/workspace/FileNames.h"

#include <gtest/gtest.h>

using namespace dorvek;

TEST(FileNames, CaptionUsesDisplayNameWithFirstLetterUpperCased) {
    EXPECT_EQ(MainCaption("/data/piles/pile1.dv4d"), "DORVEK 2021.4.4 - Pile1.dv4d");
    EXPECT_EQ(MainCaption("NewDORVEK.dv4d"), "DORVEK 2021.4.4 - NewDORVEK.dv4d");
    // A one-character name keeps its case.
    EXPECT_EQ(DisplayName("/x/a"), "a");
    EXPECT_EQ(DisplayName("/x/ab"), "Ab");
}

TEST(FileNames, FormatFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(FormatOfFile("/a/b.dv4d"), 1);
    EXPECT_EQ(FormatOfFile("/a/b.DV3D"), 2);
    EXPECT_EQ(FormatOfFile("b.Dvd"), 3);
    EXPECT_EQ(FormatOfFile("b.txt"), 0);
    EXPECT_EQ(FormatOfFile("b"), 0);
}

TEST(FileNames, CommandLineArgumentGetsExtensionOnlyWithoutDotInFilePart) {
    EXPECT_EQ(CommandLineFileName("pile1"), "pile1.dv4d");
    EXPECT_EQ(CommandLineFileName("pile1.dv3d"), "pile1.dv3d");
    // A dot in a folder name does not count as an extension.
    EXPECT_EQ(CommandLineFileName("./work.v2/pile1"), "./work.v2/pile1.dv4d");
}

TEST(FileNames, SaveGoesThroughSaveAsForUnnamedAndOlderProjects) {
    EXPECT_TRUE(NeedsSaveAs("NewDORVEK.dv4d"));
    EXPECT_TRUE(NeedsSaveAs("/p/old.dv3d"));
    EXPECT_TRUE(NeedsSaveAs("/p/old.dvd"));
    EXPECT_FALSE(NeedsSaveAs("/p/pile.DV4D"));
    EXPECT_FALSE(NeedsSaveAs("/p/NewDORVEK.dv4d")); // saved under that name on purpose
    EXPECT_EQ(SaveAsPreset("/p/old.dv3d"), "/p/old.dv4d");
    EXPECT_EQ(SaveAsPreset("/p/pile.dv4d"), "/p/pile.dv4d");
    EXPECT_EQ(SaveAsTitle("/p/old.dv3d"), "Save Old.dv3d As");
}

TEST(FileNames, CompanionFiles) {
    EXPECT_EQ(OutputFileOf("/p/pile.dv4d"), "/p/pile.dv4o");
    EXPECT_EQ(RunNotesFileOf("/p/pile.dv4d"), "/p/pile.dv4r");
    EXPECT_EQ(PlotFileOf("/p/pile.dv4d"), "/p/pile.dv4p");
    EXPECT_EQ(FolderOf("/p/pile.dv4d"), "/p");
    EXPECT_EQ(FolderOf("pile.dv4d"), ".");
}
