#include "kernel/OutputTarget.h"

#include "kernel/FileSink.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <cwctype>
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

// Follows a chain of links to the name at its end, which need not exist yet (a link to a
// report not written so far is written through).
bool FollowLinks(fs::path& path, std::string& problem) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (!fs::is_symlink(status)) return true;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            problem = SystemReason(ec.value());
            return false;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    problem = SystemReason(ELOOP);
    return false;
}

bool IsNullDevice(const fs::path& path) {
#ifdef _WIN32
    std::wstring name = path.filename().wstring();
    for (wchar_t& c : name) c = static_cast<wchar_t>(::towupper(c));
    return name == L"NUL";
#else
    struct stat file {};
    struct stat null {};
    return ::stat(path.c_str(), &file) == 0 && S_ISCHR(file.st_mode) &&
           ::stat("/dev/null", &null) == 0 && file.st_rdev == null.st_rdev;
#endif
}

bool Writable(const fs::path& path) {
#ifdef _WIN32
    return ::_waccess(path.c_str(), 2) == 0;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}

} // namespace

bool ResolveOutputTarget(const fs::path& name, OutputTarget& target, std::string& problem) {
    target = OutputTarget{};
    if (name.empty()) {
        problem = SystemReason(ENOENT);
        return false;
    }
    fs::path file = name;
    if (IsNullDevice(file)) {
        target = {file, true, true};
        return true;
    }
    if (!FollowLinks(file, problem)) return false;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status)) {
            problem = SystemReason(EISDIR);
            return false;
        }
        if (!fs::is_regular_file(status)) {
            problem = "Not a regular file (a device, pipe or socket)";
            return false;
        }
        // Replacing it would get round its missing write permission.
        if (!Writable(file)) {
            problem = SystemReason(errno ? errno : EACCES);
            return false;
        }
        target = {file, true, false};
        return true;
    }
    if (ec && ec != std::errc::no_such_file_or_directory) {
        problem = SystemReason(ec.value());
        return false;
    }
    target = {file, false, false};
    return true;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

} // namespace dorvek
