// The manuals in the program's folder: real PDFs with pages, carrying every chapter of their
// Markdown source, so a Help item never opens a stale or empty file.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string Output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::string out;
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get()))
        out.append(buffer.data(), n);
    return out;
}

// The "# " headings of a Markdown file (not those inside code blocks).
std::vector<std::string> Chapters(const std::string& markdown) {
    std::ifstream in(markdown);
    std::vector<std::string> chapters;
    bool code = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("```", 0) == 0) code = !code;
        if (!code && line.rfind("# ", 0) == 0) chapters.push_back(line.substr(2));
    }
    return chapters;
}

// pdftotext breaks lines and may hyphenate; compare with all white space as single blanks.
std::string Squeezed(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

std::string PageText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return Output(std::string(DORVEK_PDFTOTEXT) + " -layout -f " + n + " -l " + n + " '" + pdf +
                  "' - 2>&1");
}

int Pages(const std::string& pdf) {
    std::smatch m;
    const std::string info = Output(std::string(DORVEK_PDFINFO) + " '" + pdf + "' 2>&1");
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : 0;
}

void CheckManual(const std::string& source, const std::string& pdfName, int minimumPages) {
    const std::string pdf = std::string(DORVEK_BIN_DIR) + "/" + pdfName;
    const auto chapters = Chapters(std::string(DORVEK_SOURCE_DIR) + "/docs/" + source);
    ASSERT_GE(chapters.size(), 5u) << source;
    EXPECT_GE(Pages(pdf), minimumPages) << pdf;
    const std::string text =
        Squeezed(Output(std::string(DORVEK_PDFTOTEXT) + " -layout '" + pdf + "' - 2>&1"));
    for (const std::string& chapter : chapters)
        EXPECT_NE(text.find(Squeezed(chapter)), std::string::npos) << pdfName << ": " << chapter;
    EXPECT_NE(text.find("Page 1 of"), std::string::npos);

    // The contents on the first page send the reader to the page that holds each chapter.
    const std::string contents = PageText(pdf, 1);
    ASSERT_NE(contents.find("Contents"), std::string::npos);
    for (const std::string& chapter : chapters) {
        if (chapter == chapters.front()) continue; // the title
        std::smatch m;
        const std::string line = "\\n\\s*" +
                                 std::regex_replace(chapter, std::regex("[^A-Za-z0-9 ]"), ".") +
                                 "\\s+(\\d+)\\s*\\n";
        ASSERT_TRUE(std::regex_search(contents, m, std::regex(line))) << pdfName << ": " << chapter;
        EXPECT_NE(Squeezed(PageText(pdf, std::stoi(m[1]))).find(Squeezed(chapter)),
                  std::string::npos)
            << pdfName << ": " << chapter << " is not on page " << m[1];
    }
}

} // namespace

TEST(Manuals, UsersManualHasPagesAndEveryChapter) {
    CheckManual("users-manual.md", "DORVEK2021UsersManual.pdf", 15);
}

TEST(Manuals, TechnicalManualHasPagesAndEveryChapter) {
    CheckManual("technical-manual.md", "DORVEK2021TechnicalManual.pdf", 12);
}

TEST(Manuals, ChapterListReadsOnlyHeadingsOutsideCode) {
    const std::string path = ::testing::TempDir() + "/chapters.md";
    std::ofstream(path) << "# One\ntext\n```\n# not a chapter\n```\n## Section\n# Two\n";
    EXPECT_EQ(Chapters(path), (std::vector<std::string>{"One", "Two"}));
}

TEST(Manuals, MissingPictureFailsTheTypesetting) {
    const std::string dir = ::testing::TempDir();
    std::ofstream(dir + "/broken.md") << "# Title\n\ntext\n\n# One\n\n![A picture](nowhere.png)\n";
    const std::string out =
        Output("QT_QPA_PLATFORM=offscreen " + std::string(DORVEK_MARKDOWN_PDF) + " '" + dir +
               "/broken.md' '" + dir + "/broken.pdf' 2>&1; echo status=$?");
    EXPECT_NE(out.find("picture nowhere.png not found"), std::string::npos) << out;
    EXPECT_NE(out.find("status=1"), std::string::npos) << out;
}
