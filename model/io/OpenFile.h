#pragma once
// std::fopen by a filesystem path. On Windows the path's wide name is used, so that names
// outside the ANSI code page open too.

#include <cstdio>
#include <filesystem>
#include <string>

namespace dorvek {

inline std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

} // namespace dorvek
