// Names as Windows users give them: drive letters, backslashes, UNC shares, blanks and
// letters beyond ASCII in folder and file names, and text files with either line end.

#include "kernel/PathParts.h"
#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CrLf;
using test::TempDir;

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

// The four parts joined by "|".
std::string Parts(const std::string& path) {
    const PathParts p = SplitPath(path);
    return p.drive + "|" + p.folder + "|" + p.name + "|" + p.extension;
}

TEST(WindowsPaths, DriveFolderNameAndExtension) {
    EXPECT_EQ(Parts("C:\\Work\\Pile 1\\proj.dv4d"), "C:|\\Work\\Pile 1\\|proj|.dv4d");
    // Both separators, as programs hand them over.
    EXPECT_EQ(Parts("d:/Jobs\\North Pier/pile A.dv4o"), "d:|/Jobs\\North Pier/|pile A|.dv4o");
    // A drive-relative name has a drive and no folder.
    EXPECT_EQ(Parts("E:pile.dv4p"), "E:||pile|.dv4p");
}

TEST(WindowsPaths, UncShareHasNoDriveAndKeepsTheServerInTheFolder) {
    EXPECT_EQ(Parts("\\\\server\\share\\Pile 1\\proj.dv4d"),
              "|\\\\server\\share\\Pile 1\\|proj|.dv4d");
    // A point in a folder name is not an extension.
    EXPECT_EQ(Parts("\\\\srv\\v1.2\\pile"), "|\\\\srv\\v1.2\\|pile|");
}

std::string WithLf(std::string text) {
    std::erase(text, '\r');
    return text;
}

// Every line of a written file ends with CR LF.
bool AllLinesEndCrLf(const std::string& text) {
    if (text.empty() || text.back() != '\n') return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n' && (k == 0 || text[k - 1] != '\r')) return false;
        if (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n')) return false;
    }
    return true;
}

std::string LineWith(const std::string& text, const std::string& start) {
    const auto at = text.find(start);
    if (at == std::string::npos) return {};
    return text.substr(at, text.find("\r\n", at) - at);
}

// A project in a folder with a blank and a letter beyond ASCII, run through names.dat with
// LF-only lines and an LF-only input, and again with CR LF everywhere: the same report and
// plot file, both with CR LF line ends, and the file block splits the real folder.
TEST(WindowsPaths, FolderWithBlanksAndUmlautsAndEitherLineEnd) {
    TempDir dir;
    const std::string folderName = "Pile 1 \xC3\xBC"; // "Pile 1 ü" in UTF-8
    const fs::path folder = dir.path() / FilePath(folderName);
    fs::create_directories(folder);
    // The UTF-8 text of the folder, as names.dat holds it.
    const std::string utf8Folder = dir.path().string() + kSep + folderName;
    const std::string example = test::ReadFile(fs::path(DORVEK_SOURCE_DIR) / "examples" /
                                               "driven-pile-clay-over-sand.dv4d");

    std::string reports[2], plots[2];
    for (int crlf = 0; crlf < 2; ++crlf) {
        const std::string base = utf8Folder + kSep + "my pile";
        test::WriteFile(folder / "my pile.dv4d", crlf ? CrLf({WithLf(example)}) : WithLf(example));
        std::string names = CrLf({"2021.4.4", "Org", "City, ST", "0", base + ".dv4d",
                                  base + ".dv4o", base + ".dv4p", base + ".dv4r"});
        if (!crlf) names = WithLf(names);
        test::WriteFile(folder / "names.dat", names);

        test::CapturedRun run;
        RunOptions options;
        options.console = &run.console;
        options.clock = test::FixedTime;
        ASSERT_EQ(RunFromNamesFile(utf8Folder + kSep + "names.dat", options), 0)
            << run.console.str();
        reports[crlf] = test::ReadFile(folder / "my pile.dv4o");
        plots[crlf] = test::ReadFile(folder / "my pile.dv4p");
        EXPECT_TRUE(fs::exists(folder / "my pile.dv4r"));
        EXPECT_TRUE(AllLinesEndCrLf(reports[crlf]));
        EXPECT_TRUE(AllLinesEndCrLf(plots[crlf]));

        const PathParts parts = SplitPath(base + ".dv4d");
        EXPECT_EQ(LineWith(reports[crlf], "Path to file locations"),
                  "Path to file locations      : " + parts.drive + parts.folder);
        EXPECT_EQ(LineWith(reports[crlf], "Name of input data file"),
                  "Name of input data file     : my pile.dv4d");
        EXPECT_EQ(LineWith(reports[crlf], "Name of output file"),
                  "Name of output file         : my pile.dv4o");
        EXPECT_EQ(parts.folder.back(), kSep.back());
#ifdef _WIN32
        // A real Windows folder: a drive letter and backslashes.
        EXPECT_EQ(parts.drive.size(), 2u);
        EXPECT_EQ(parts.drive[1], ':');
#endif
    }
    EXPECT_EQ(reports[0], reports[1]);
    EXPECT_EQ(plots[0], plots[1]);
    EXPECT_NE(reports[0].find("RESULTS DUE TO TIP MOVEMENTS"), std::string::npos);
}

// A name that cannot be opened (a folder that does not exist) is a file error that names it,
// whatever characters it holds.
TEST(WindowsPaths, MissingInputWithBlanksIsNamedInTheReport) {
    TempDir dir;
    const std::string missing =
        dir.path().string() + kSep + "no such \xC3\xA9tude" + kSep + "p.dv4d";
    test::CapturedRun run;
    RunFiles files = test::FilesIn(dir);
    files.input = missing;
    EXPECT_EQ(run.run(files), kFileError);
    const std::string report = test::ReadFile(dir.path() / "pile.dv4o");
    EXPECT_NE(report.find("File: " + missing + "\r\n"), std::string::npos);
}

} // namespace
} // namespace dorvek
