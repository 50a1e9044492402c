// The manuals in the program's folder: real PDFs with pages, carrying every chapter of their
// Markdown source, so a Help item never opens a stale or empty file.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
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

// A grey picture of the given height, in a format the typesetter reads.
void WritePicture(const std::string& path, int width, int height) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out << std::string(size_t(width) * size_t(height) * 3, char(0xB0));
}

// Each chapter, on a page of its own, holds a paragraph and a picture a little taller than the
// one before, so that in one of them the picture fits on the page and its caption does not:
// every caption stays on its picture's page, and no text goes missing when a picture moves to
// the next page.
TEST(Manuals, CaptionsStayOnTheirPicturesPage) {
    const std::string dir = ::testing::TempDir();
    constexpr int Chapters = 50;
    std::ostringstream md;
    md << "# Title\n\ntext\n\n";
    for (int k = 0; k < Chapters; ++k) {
        const std::string picture = "caption-test-" + std::to_string(k) + ".ppm";
        WritePicture(dir + "/" + picture, 200, 300 + 6 * k);
        md << "# Part " << k << "\n\nPara" << k << " starts.";
        for (int line = 0; line < 36; ++line)
            md << " A sentence that fills the line with words and more words to the right margin.";
        md << "\n\n![Figure" << k << "x](" << picture << ")\n\nAfter" << k << ".\n\n";
    }
    std::ofstream(dir + "/captions.md") << md.str();
    const std::string pdf = dir + "/captions.pdf";
    const std::string out = Output("QT_QPA_PLATFORM=offscreen " + std::string(DORVEK_MARKDOWN_PDF) +
                                   " '" + dir + "/captions.md' '" + pdf + "' 2>&1; echo status=$?");
    ASSERT_NE(out.find("status=0"), std::string::npos) << out;

    // Each picture is one PDF object, listed with the page it is drawn on; a picture that was
    // moved to the next page is also listed, clipped away, on the page before, so its page is
    // the last one listed. Objects come in the order of first use.
    std::vector<std::string> objects;
    std::map<std::string, int> pageOf;
    std::istringstream list(Output(std::string(DORVEK_PDFIMAGES) + " -list '" + pdf + "' 2>&1"));
    for (std::string line; std::getline(list, line);) {
        std::istringstream in(line);
        std::vector<std::string> fields;
        for (std::string f; in >> f;) fields.push_back(f);
        if (fields.size() < 11 || fields[2] != "image" ||
            fields[0].find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (!pageOf.count(fields[10])) objects.push_back(fields[10]);
        pageOf[fields[10]] = std::stoi(fields[0]);
    }
    ASSERT_EQ(objects.size(), size_t(Chapters)) << out;
    const std::string all = Squeezed(Output(std::string(DORVEK_PDFTOTEXT) + " '" + pdf + "' -"));
    for (int k = 0; k < Chapters; ++k) {
        const int page = pageOf[objects[size_t(k)]];
        const std::string caption = "Figure" + std::to_string(k) + "x";
        EXPECT_NE(PageText(pdf, page).find(caption), std::string::npos)
            << caption << " is not on page " << page << " with its picture";
        const std::string texts[] = {"Para" + std::to_string(k) + " starts.",
                                     "After" + std::to_string(k) + "."};
        for (const std::string& text : texts)
            EXPECT_NE(all.find(text), std::string::npos) << text << " is missing";
    }
}
