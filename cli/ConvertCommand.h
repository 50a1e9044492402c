#pragma once
// dorvek-run's conversion mode: a project of any generation (".dv4d", ".dv3d", ".dvd",
// chosen by the extension) is read and written again as a current ".dv4d" file.

#include <ostream>
#include <string>

namespace dorvek::cli {

struct ConvertOptions {
    std::string input;
    std::string output; // empty: the input's name with ".dv4d"
    bool force = false; // allow the output to be the input file itself
};

// Returns 0 when the project was written; otherwise prints why on `err` and returns 1.
int ConvertProject(const ConvertOptions& options, std::ostream& out, std::ostream& err);

} // namespace dorvek::cli
