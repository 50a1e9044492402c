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
// report not written so far is written through); `status` is that name's.
bool FollowLinks(fs::path& path, fs::file_status& status, std::string& problem) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        status = fs::symlink_status(path, ec);
        if (ec && ec != std::errc::no_such_file_or_directory) {
            problem = SystemReason(ec.value());
            return false;
        }
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

#ifdef _WIN32
bool IsNullDeviceName(const fs::path& path) {
    std::wstring name = path.filename().wstring();
    for (wchar_t& c : name) c = static_cast<wchar_t>(::towupper(c));
    return name == L"NUL";
}
#else
bool IsNullDevice(const fs::path& path) {
    struct stat file {};
    struct stat null {};
    return ::stat(path.c_str(), &file) == 0 && S_ISCHR(file.st_mode) &&
           ::stat("/dev/null", &null) == 0 && file.st_rdev == null.st_rdev;
}
#endif

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
#ifdef _WIN32
    if (IsNullDeviceName(name)) {
        target = {name, true, true};
        return true;
    }
#endif
    fs::path file = name;
    fs::file_status status;
    if (!FollowLinks(file, status, problem)) return false;
    if (!fs::exists(status)) {
        target = {file, false, false};
        return true;
    }
    if (fs::is_regular_file(status)) {
        // Replacing it would get round its missing write permission.
        if (!Writable(file)) {
            problem = SystemReason(errno ? errno : EACCES);
            return false;
        }
        target = {file, true, false};
        return true;
    }
    if (fs::is_directory(status)) {
        problem = SystemReason(EISDIR);
        return false;
    }
#ifndef _WIN32
    if (fs::is_character_file(status) && IsNullDevice(file)) {
        target = {file, true, true};
        return true;
    }
#endif
    problem = "Not a regular file (a device, pipe or socket)";
    return false;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

bool SameTarget(const fs::path& a, const fs::path& b) {
    if (SameFile(a, b)) return true;
    std::error_code ea, eb;
    const fs::path ca = fs::weakly_canonical(a, ea), cb = fs::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

} // namespace dorvek
