#pragma once
// A file path split into drive, folder, name and extension, as the report's file block
// prints it. Both "/" and "\" separate folders, so Windows paths split the same everywhere.

#include <filesystem>
#include <string>
#include <string_view>

namespace dorvek {

struct PathParts {
    std::string drive;     // "C:" or empty, at most 3 characters
    std::string folder;    // ends with its separator, at most 256 characters
    std::string name;      // at most 256 characters
    std::string extension; // with its point, at most 5 characters
};

PathParts SplitPath(std::string_view path);

// The path a name from names.dat opens. Names are UTF-8; on Windows a name that is not valid
// UTF-8 is taken in the ANSI code page, as older front ends wrote it.
std::filesystem::path FilePath(const std::string& name);

} // namespace dorvek
