#include "kernel/PathParts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace dorvek {

namespace {

std::string Cut(std::string_view text, std::size_t width) {
    text = text.substr(0, width);
    std::size_t end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : text.substr(0, end + 1));
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
        parts.drive = Cut(path.substr(0, 2), 3);
        path.remove_prefix(2);
    }
    std::size_t slash = path.find_last_of("/\\");
    std::string_view file = path;
    if (slash != std::string_view::npos) {
        parts.folder = Cut(path.substr(0, slash + 1), 256);
        file = path.substr(slash + 1);
    }
    std::size_t dot = file.find_last_of('.');
    if (dot != std::string_view::npos) {
        parts.extension = Cut(file.substr(dot), 5);
        file = file.substr(0, dot);
    }
    parts.name = Cut(file, 256);
    return parts;
}

#ifdef _WIN32
namespace {

// The wide text of `name` in `codePage`; false when it is not valid there.
bool Widen(const std::string& name, unsigned codePage, DWORD flags, std::wstring& wide) {
    const int size = static_cast<int>(name.size());
    const int n = MultiByteToWideChar(codePage, flags, name.data(), size, nullptr, 0);
    if (n <= 0) return false;
    wide.assign(static_cast<std::size_t>(n), L'\0');
    return MultiByteToWideChar(codePage, flags, name.data(), size, wide.data(), n) == n;
}

} // namespace

std::filesystem::path FilePath(const std::string& name) {
    std::wstring wide;
    if (name.empty()) return {};
    if (Widen(name, CP_UTF8, MB_ERR_INVALID_CHARS, wide) || Widen(name, CP_ACP, 0, wide))
        return std::filesystem::path(wide);
    return std::filesystem::path(name);
}
#else
std::filesystem::path FilePath(const std::string& name) {
    return std::filesystem::path(name);
}
#endif

} // namespace dorvek
