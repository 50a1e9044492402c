#include "PathParts.h"

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

} // namespace dorvek
