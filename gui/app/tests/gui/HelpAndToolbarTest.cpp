// The Help items hand the manuals to the system's viewer; the toolbar pictures are drawn and
// stay legible at every size and when disabled.

#include "gui/app/tests/support/WindowFixture.h"

#include <QAction>
#include <QColor>
#include <QImage>
#include <QTest>
#include <QToolBar>

#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;

namespace {

void Touch(const std::string& path) {
    std::ofstream(path) << "%PDF-1.4\n";
}

// A main window whose program folder lies in the test's temporary folder and whose document
// viewer records what it is handed, answering with ViewerAnswer.
struct THelpWindow {
    std::vector<std::string> Opened;
    bool ViewerAnswer = true;
    std::string Folder;
    TWindowFixture Window{
        {}, [this](TMainEnvironment& env) {
            Folder = (std::filesystem::path(env.SettingsFile).parent_path() / "program").string();
            std::filesystem::create_directories(Folder);
            env.ProgramFolder = Folder;
            env.OpenDocument = [this](const std::string& path) {
                Opened.push_back(path);
                return ViewerAnswer;
            };
        }};
    void Trigger(TCommand command) { Window.Form->MenuAction(command)->trigger(); }
};

} // namespace

TEST(HelpMenu, ItemsOpenTheManualsInTheProgramFolder) {
    THelpWindow h;
    Touch(h.Folder + "/DORVEK2021UsersManual.pdf");
    Touch(h.Folder + "/DORVEK2021TechnicalManual.pdf");
    h.Trigger(TCommand::HelpUsersManual);
    h.Trigger(TCommand::HelpTechnicalManual);
    EXPECT_EQ(h.Opened, (std::vector<std::string>{h.Folder + "/DORVEK2021UsersManual.pdf",
                                                  h.Folder + "/DORVEK2021TechnicalManual.pdf"}));
    EXPECT_TRUE(h.Window.Messages.Shown.empty());
}

TEST(HelpMenu, MissingManualOrFailingViewerIsReported) {
    THelpWindow h;
    h.ViewerAnswer = false;
    Touch(h.Folder + "/DORVEK2021UsersManual.pdf");
    // No technical manual: the viewer is not asked at all.
    h.Trigger(TCommand::HelpTechnicalManual);
    EXPECT_TRUE(h.Opened.empty());
    // The viewer refuses the user's manual.
    h.Trigger(TCommand::HelpUsersManual);
    EXPECT_EQ(h.Opened.size(), 1u);
    EXPECT_EQ(h.Window.Messages.Texts("information"),
              (std::vector<std::string>{
                  "The file " + h.Folder + "/DORVEK2021TechnicalManual.pdf could not be opened.",
                  TMainController::DocumentNotOpened(h.Folder + "/DORVEK2021UsersManual.pdf")}));
    EXPECT_EQ(h.Window.Messages.Texts("information").back(),
              "The file " + h.Folder +
                  "/DORVEK2021UsersManual.pdf could not be opened.\nNo program to show it is set "
                  "up on this computer: open the file with a program of your choice.");
}

TEST(HelpMenu, WithoutAViewerTheDesktopOpenerSaysWhereTheManualIs) {
    // The desktop's opener, found on the PATH, ends at once with an error: no viewer is set up.
    TWindowFixture f;
    const std::string bin = (f.Dir.Path() / "bin").string();
    std::filesystem::create_directories(bin);
    const std::string opener = bin + "/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nexit 3\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin) + ":" + path);
    const std::string manual = f.Dir.File("manual.pdf");
    Touch(manual);
    EXPECT_TRUE(f.Controller().OpenDocument(manual));
    EXPECT_TRUE(f.Messages.Shown.empty()); // the opener started; its end is seen later
    for (int i = 0; i < 200 && f.Messages.Shown.empty(); ++i) QTest::qWait(20);
    EXPECT_EQ(f.Messages.Texts("information"),
              std::vector<std::string>{TMainController::DocumentNotOpened(manual)});
    // Without any opener the message comes at once.
    qputenv("PATH", QByteArray::fromStdString(f.Dir.File("nowhere")));
    EXPECT_FALSE(f.Controller().OpenDocument(manual));
    qputenv("PATH", path);
    EXPECT_EQ(f.Messages.Texts("information").size(), 2u);
}

namespace {

// Pixels that are not transparent.
int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) ++ink;
    return ink;
}

bool Coloured(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 128 && QColor(p).hsvSaturation() > 100) return true;
        }
    return false;
}

} // namespace

TEST(Toolbar, EveryButtonHasItsOwnLegiblePicture) {
    TWindowFixture f;
    std::set<QByteArray> pictures;
    int buttons = 0;
    for (QAction* a : f.Form->ToolBar()->actions()) {
        if (a->isSeparator()) continue;
        ++buttons;
        SCOPED_TRACE(a->text().toStdString());
        for (int size : {16, 24, 32}) {
            const QImage normal = a->icon().pixmap(size).toImage();
            ASSERT_EQ(normal.width(), size);
            // Some ink, but not a filled square.
            const int ink = InkPixels(normal);
            EXPECT_GT(ink, size * size / 10);
            EXPECT_LT(ink, size * size);
            const QImage disabled = a->icon().pixmap(size, QIcon::Disabled).toImage();
            EXPECT_GT(InkPixels(disabled), ink / 2) << "disabled picture fades away";
            EXPECT_NE(disabled, normal);
            if (size == 24) {
                const QImage image = normal.convertToFormat(QImage::Format_ARGB32);
                pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                           image.sizeInBytes()));
            }
        }
    }
    EXPECT_EQ(buttons, 26);
    EXPECT_EQ(static_cast<int>(pictures.size()), buttons) << "two buttons share a picture";
}

TEST(Toolbar, DrawnPicturesComeFromTheResources) {
    // Every picture of the program's own commands is an SVG drawing, rendered in colour.
    for (const char* name : {"title",
                             "pile",
                             "soil",
                             "tzdata",
                             "qwdata",
                             "tipmove",
                             "headload",
                             "settlement",
                             "tzfactors",
                             "qwfactors",
                             "run",
                             "report",
                             "viewreport",
                             "profile",
                             "plotload",
                             "plotdisp",
                             "plotdispsoil",
                             "plotaxial",
                             "plottz",
                             "plotqw",
                             "plotloadapplied",
                             "plotdispapplied",
                             "plotaxialapplied"}) {
        SCOPED_TRACE(name);
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        const QImage image = icon.pixmap(32).toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(Coloured(image));
    }
}
