#include "cli/OutputClaims.h"

#include "kernel/OutputTarget.h"

#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

// An existing file by its device and number (so that a hard link is the same file), a new
// one by its resolved name.
std::string Identity(const fs::path& file, const std::string& name) {
#ifndef _WIN32
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) {
        // Appended: "@" + ... draws a false -Wrestrict from GCC 12.
        std::string identity(1, '@');
        identity += std::to_string(status.st_dev);
        identity += ':';
        identity += std::to_string(status.st_ino);
        return identity;
    }
#else
    (void)file;
#endif
    return name;
}

} // namespace

std::string ResolvedName(const fs::path& file) {
    // Links followed by hand first: one to a file not written yet leads to where it will be.
    OutputTarget target;
    std::string problem;
    const fs::path followed = ResolveOutputTarget(file, target, problem) ? target.file : file;
    std::error_code ec;
    fs::path absolute = fs::absolute(followed, ec);
    if (ec) absolute = followed;
    const fs::path resolved = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute.lexically_normal() : resolved).string();
}

bool RegularOutput(const fs::path& file, const std::string& option, std::ostream& err) {
    OutputTarget target;
    std::string problem;
    if (ResolveOutputTarget(file, target, problem)) return true;
    // A name that leads nowhere yet (its folder is missing or is not one) is left to the
    // writing, which makes the folder or says why it cannot.
    std::error_code ec;
    if (!fs::exists(target.file.empty() ? file : target.file, ec)) return true;
    err << "dorvek-run: " << option << " " << file.string() << ": " << problem
        << "; outputs are regular files\n";
    return false;
}

bool OutputClaims::Write(const fs::path& file, const std::string& by, std::ostream& err) {
    return RegularOutput(file, by, err) && Take(file, {by, {}, false}, err);
}

bool OutputClaims::Read(const fs::path& file, const std::string& by, std::ostream& err) {
    return Take(file, {by, {}, true}, err);
}

bool OutputClaims::Take(const fs::path& file, const Claim& claim, std::ostream& err) {
    const std::string name = ResolvedName(file);
    auto [at, added] = claims_.emplace(Identity(file, name), Claim{claim.by, name, claim.input});
    if (added) return true;
    const Claim& first = at->second;
    if (first.input && claim.input)
        err << "dorvek-run: " << claim.by << ": given twice (also as " << first.by << "): both are "
            << name << "\n";
    else if (first.input || claim.input)
        err << "dorvek-run: " << (claim.input ? first.by : claim.by) << " would overwrite the "
            << "input file " << (claim.input ? claim.by : first.by) << " (" << first.name << ")\n";
    else
        err << "dorvek-run: " << first.by << " and " << claim.by << " would both write "
            << first.name << "\n";
    return false;
}

} // namespace dorvek::cli
