#pragma once
// Every file one call of dorvek-run will write, claimed before anything runs, so that two
// analyses or two options never write the same file and no device, pipe, socket or folder is
// ever replaced by an output. Names are compared once ".", ".." and links are resolved (and
// existing files by their identity, so a hard link is the same file too).

#include <filesystem>
#include <map>
#include <ostream>
#include <string>

namespace dorvek::cli {

class OutputClaims {
public:
    // Claims `file` for `by` (such as "--table" or "the report of pile.dv4d"). False after
    // saying why on `err`: the file was claimed before, or it is not a regular file that may
    // be written (the null device is let through: writing to it throws the output away).
    bool Write(const std::filesystem::path& file, const std::string& by, std::ostream& err);
    // An input file: outputs must not overwrite it, and it must not be given twice.
    bool Read(const std::filesystem::path& file, const std::string& by, std::ostream& err);

private:
    struct Claim {
        std::string by;
        std::string name; // resolved
        bool input = false;
    };
    bool Take(const std::filesystem::path& file, const Claim& claim, std::ostream& err);

    std::map<std::string, Claim> claims_; // by identity
};

// False after saying why on `err` when `file`, given with `option`, names a folder, a device
// (other than the null device), a pipe, a socket or a file that may not be written.
bool RegularOutput(const std::filesystem::path& file, const std::string& option, std::ostream& err);

// The name of `file` with ".", ".." and links resolved, for comparing; as far as it exists.
std::string ResolvedName(const std::filesystem::path& file);

} // namespace dorvek::cli
