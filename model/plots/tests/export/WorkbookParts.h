#pragma once
// Reading a written workbook back in tests: its parts through the unzip program, the text or
// number of a cell, resolving the shared-string table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace dorvek::test {

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// One part of the zip archive, "" when it is missing.
inline std::string WorkbookPart(const std::filesystem::path& book, const std::string& part) {
    const std::string command =
        "unzip -p " + Quoted(book.string()) + " " + Quoted(part) + " 2>/dev/null";
    std::string bytes;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) bytes.append(buffer, n);
        ::pclose(pipe);
    }
    return bytes;
}

inline std::string XmlUnescaped(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += 1)
            text.replace(at, std::string(from).size(), to);
    return text;
}

// Every match of group 1 of a pattern, in order.
inline std::vector<std::string> AllMatches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        found.push_back(XmlUnescaped((*it)[1].str()));
    return found;
}

class Workbook {
public:
    explicit Workbook(std::filesystem::path file) : fFile(std::move(file)) {
        fStrings = AllMatches(WorkbookPart(fFile, "xl/sharedStrings.xml"),
                              "<si><t(?: [^>]*)?>([^<]*)</t></si>");
    }
    std::string Part(const std::string& part) const { return WorkbookPart(fFile, part); }
    // Sheet names in workbook order.
    std::vector<std::string> SheetNames() const {
        return AllMatches(Part("xl/workbook.xml"), "<sheet name=\"([^\"]*)\"");
    }
    // The raw cell element of a worksheet part, "" when the cell is empty.
    std::string Cell(const std::string& sheetPart, const std::string& ref) const {
        const std::string xml = Part(sheetPart);
        std::smatch m;
        const std::regex re("<c r=\"" + ref + "\"[^>]*?(/>|>.*?</c>)");
        if (!std::regex_search(xml, m, re)) return "";
        return m.str(0);
    }
    // Text of a shared-string cell; "#number" for a number cell.
    std::string Text(const std::string& sheetPart, const std::string& ref) const {
        const std::string cell = Cell(sheetPart, ref);
        std::smatch m;
        if (!std::regex_search(cell, m, std::regex("<v>([^<]*)</v>"))) return "";
        if (cell.find("t=\"s\"") == std::string::npos) return "#number";
        const size_t i = std::stoul(m[1].str());
        return i < fStrings.size() ? fStrings[i] : "#bad-index";
    }
    // Value of a number cell; NaN for text or an empty cell.
    double Number(const std::string& sheetPart, const std::string& ref) const {
        const std::string cell = Cell(sheetPart, ref);
        std::smatch m;
        if (cell.find("t=\"") != std::string::npos ||
            !std::regex_search(cell, m, std::regex("<v>([^<]*)</v>")))
            return std::nan("");
        return std::stod(m[1].str());
    }

private:
    std::filesystem::path fFile;
    std::vector<std::string> fStrings;
};

} // namespace dorvek::test
