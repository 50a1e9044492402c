#pragma once
// A file path split into drive, folder, name and extension, as the report's file block
// prints it. Both "/" and "\" separate folders, so Windows paths split the same everywhere.

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

} // namespace dorvek
