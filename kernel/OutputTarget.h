#pragma once
// Where an output is to be written: the file a name leads to once links are followed, and
// whether it may be replaced. Outputs are regular files; the null device is taken as the
// usual way of throwing an output away.

#include <filesystem>
#include <string>

namespace dorvek {

struct OutputTarget {
    std::filesystem::path file; // links followed: the file that gets replaced
    bool exists = false;
    bool nullDevice = false;
};

// The target of `name`; false with `problem` (the reason, as the system words it where it has
// one) when it cannot be written: a directory, another device, a pipe or socket, a file that
// may not be written, or links that lead nowhere.
bool ResolveOutputTarget(const std::filesystem::path& name, OutputTarget& target,
                         std::string& problem);

// Whether two names lead to the same existing file (false when either is missing).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);
// Whether two names lead to the same file, existing or to be created.
bool SameTarget(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace dorvek
