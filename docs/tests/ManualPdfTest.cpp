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

std::string Run(const std::string& command) {
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

int Pages(const std::string& pdf) {
    std::smatch m;
    const std::string info = Run(std::string(DORVEK_PDFINFO) + " '" + pdf + "' 2>&1");
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : 0;
}

void CheckManual(const std::string& source, const std::string& pdfName, int minimumPages) {
    const std::string pdf = std::string(DORVEK_BIN_DIR) + "/" + pdfName;
    const auto chapters = Chapters(std::string(DORVEK_SOURCE_DIR) + "/docs/" + source);
    ASSERT_GE(chapters.size(), 5u) << source;
    EXPECT_GE(Pages(pdf), minimumPages) << pdf;
    const std::string text =
        Squeezed(Run(std::string(DORVEK_PDFTOTEXT) + " -layout '" + pdf + "' - 2>&1"));
    for (const std::string& chapter : chapters)
        EXPECT_NE(text.find(Squeezed(chapter)), std::string::npos) << pdfName << ": " << chapter;
    // The contents list the chapters with their page numbers.
    EXPECT_NE(text.find("Contents"), std::string::npos);
    EXPECT_NE(text.find("Page 1 of"), std::string::npos);
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
