#include "gui/app/Settings.h"
#include "gui/app/tests/support/TempFolder.h"

#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

using namespace dorvek;

TEST(Settings, WrittenValuesReadBack) {
    dorvek::test::TTempFolder dir;
    TSettings store(dir.File("dorvek.ini"));
    TUserSettings s;
    s.WordProcessor = "/usr/bin/editor";
    s.Files[0] = "/p/a.dv4d";
    s.Files[1] = "/p/b c.dv3d";
    s.UserCompany = "Ground Works";
    s.UserCity = "Austin";
    s.UserState = "TX";
    s.InstallationNumber = 42;
    store.Write(s);
    const TUserSettings r = store.Read();
    EXPECT_EQ(r.WordProcessor, s.WordProcessor);
    EXPECT_EQ(r.Files, s.Files);
    EXPECT_EQ(r.UserCompany, "Ground Works");
    EXPECT_EQ(r.UserCity, "Austin");
    EXPECT_EQ(r.UserState, "TX");
    EXPECT_EQ(r.InstallationNumber, 42);

    // The values sit in group "2021.4.4" under the documented names.
    QSettings raw(QString::fromStdString(dir.File("dorvek.ini")), QSettings::IniFormat);
    EXPECT_EQ(raw.value("2021.4.4/Word Processor").toString(), "/usr/bin/editor");
    EXPECT_EQ(raw.value("2021.4.4/File2").toString(), "/p/b c.dv3d");
    EXPECT_EQ(raw.value("2021.4.4/File10").toString(), "");
}

TEST(Settings, MissingValuesGiveDefaults) {
    dorvek::test::TTempFolder dir;
    const TUserSettings r = TSettings(dir.File("none.ini")).Read();
    EXPECT_EQ(r.WordProcessor, "");
    EXPECT_EQ(r.InstallationNumber, 0);
    EXPECT_EQ(r.UserCompany, "");
    for (const auto& f : r.Files) EXPECT_EQ(f, "");
}

TEST(Settings, TheReportAfterEachRunIsKept) {
    dorvek::test::TTempFolder dir;
    TSettings store(dir.File("dorvek.ini"));
    EXPECT_TRUE(store.Read().ShowReportAfterRun); // on until turned off
    TUserSettings s;
    s.ShowReportAfterRun = false;
    store.Write(s);
    EXPECT_FALSE(store.Read().ShowReportAfterRun);
    QSettings raw(QString::fromStdString(dir.File("dorvek.ini")), QSettings::IniFormat);
    EXPECT_FALSE(raw.value("2021.4.4/Show Report After Run").toBool());
}

TEST(Settings, UnreadableStoreClearsEverything) {
    dorvek::test::TTempFolder dir;
    // A folder where the file should be cannot be read as settings.
    std::filesystem::create_directories(dir.Path() / "store.ini");
    const TUserSettings r = TSettings(dir.File("store.ini")).Read();
    EXPECT_EQ(r.WordProcessor, "");
    EXPECT_EQ(r.Files[0], "");
}

TEST(Settings, WriteFailureIsIgnored) {
    dorvek::test::TTempFolder dir;
    dir.Touch("file");
    TUserSettings s;
    s.WordProcessor = std::string("x");
    EXPECT_NO_THROW(TSettings(dir.File("file/sub/store.ini")).Write(s));
}

TEST(Settings, DefaultEditorIsAProgramName) {
    const std::string editor = DefaultTextEditor();
    EXPECT_FALSE(editor.empty());
}
