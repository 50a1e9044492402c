#include "model/workspace/NamesFile.h"

#include "model/workspace/FileNames.h"

#include <filesystem>
#include <fstream>

namespace dorvek {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// A line break inside a text would shift every later line the kernel reads.
std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

} // namespace

std::string NamesFileText(const TNamesFileContent& c) {
    std::string text;
    auto line = [&text](const std::string& s) { text += OneLine(s) + "\n"; };
    line(c.Version);
    line(c.UserCompany);
    line(Trim(c.UserCity) + ", " + Trim(c.UserState));
    line(std::to_string(c.InstallationNumber));
    line(c.ProjectFile);
    line(OutputFileOf(c.ProjectFile));
    line(PlotFileOf(c.ProjectFile));
    line(RunNotesFileOf(c.ProjectFile));
    return text;
}

bool WriteNamesFile(const std::string& folder, const TNamesFileContent& content) {
    const std::string text = NamesFileText(content);
    std::ofstream out(std::filesystem::path(folder) / NamesFileName,
                      std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace dorvek
