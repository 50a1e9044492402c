#include "model/workspace/FileNames.h"

#include "model/project/ProgramData.h"

#include <algorithm>
#include <filesystem>

namespace dorvek {

namespace fs = std::filesystem;

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string DisplayName(const std::string& fileName) {
    std::string name = fs::path(fileName).filename().string();
    if (name.size() > 1) name[0] = AsciiUpper(name[0]);
    return name;
}

std::string MainCaption(const std::string& fileName) {
    return std::string("DORVEK ") + ProgramVersion + " - " + DisplayName(fileName);
}

std::string LowerExtension(const std::string& fileName) {
    std::string ext = fs::path(fileName).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), AsciiLower);
    return ext;
}

std::string ChangeExtension(const std::string& fileName, const std::string& ext) {
    return fs::path(fileName).replace_extension(ext).string();
}

int FormatOfFile(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    if (ext == ".dv4d") return 1;
    if (ext == ".dv3d") return 2;
    if (ext == ".dvd") return 3;
    return 0;
}

std::string CommandLineFileName(const std::string& argument) {
    // Only the file part decides: a folder such as "./work" must not hide a missing extension.
    if (fs::path(argument).filename().string().find('.') == std::string::npos)
        return argument + ".dv4d";
    return argument;
}

bool IsUnnamed(const std::string& fileName) {
    return fileName == TProgramData::NewFileName;
}

bool NeedsSaveAs(const std::string& fileName) {
    return IsUnnamed(fileName) || LowerExtension(fileName) != ".dv4d";
}

std::string SaveAsPreset(const std::string& fileName) {
    if (LowerExtension(fileName) == ".dv4d") return fileName;
    return ChangeExtension(fileName, ".dv4d");
}

std::string SaveAsTitle(const std::string& fileName) {
    return "Save " + DisplayName(fileName) + " As";
}

std::string OutputFileOf(const std::string& fileName) {
    return ChangeExtension(fileName, ".dv4o");
}
std::string RunNotesFileOf(const std::string& fileName) {
    return ChangeExtension(fileName, ".dv4r");
}
std::string PlotFileOf(const std::string& fileName) {
    return ChangeExtension(fileName, ".dv4p");
}

std::string FolderOf(const std::string& fileName) {
    const fs::path parent = fs::path(fileName).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool FileExists(const std::string& fileName) {
    std::error_code ec;
    return !fileName.empty() && fs::is_regular_file(fs::path(fileName), ec);
}

} // namespace dorvek
