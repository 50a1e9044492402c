#include "model/io/AtomicFile.h"
#include "model/io/OpenFile.h"

#include "model/io/ReadError.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& path, int error) {
    throw EInOutError("Cannot write \"" + path.string() +
                      "\": " + std::error_code(error, std::generic_category()).message());
}

// A new file beside the target that no one else uses.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temp) {
    // Joined as paths, so that a name outside the ANSI code page stays whole on Windows.
    fs::path stem(".");
    stem += target.filename();
#ifndef _WIN32
    const std::string id = std::to_string(::getpid());
#else
    const std::string id = "0";
#endif
    for (int n = 0; n < 1000; ++n) {
        fs::path name = stem;
        name += "." + id + "-" + std::to_string(n) + ".tmp";
        temp = target.parent_path() / name;
        errno = 0;
        if (std::FILE* file = OpenFile(temp, "wbx")) return file;
        if (errno != EEXIST) Fail(target, errno ? errno : EIO);
    }
    Fail(target, EEXIST);
}

} // namespace

void ReplaceFile(const fs::path& path, std::string_view bytes) {
    fs::path target = path;
    std::error_code ec;
    // A link is followed: the file it names gets the new content.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec) Fail(path, ec.value());
    }
    const bool exists = fs::exists(target, ec);
#ifndef _WIN32
    // Renaming would get round the missing write permission of an existing file.
    if (exists && ::access(target.c_str(), W_OK) != 0) Fail(path, errno);
#endif

    fs::path temp;
    std::FILE* file = CreateTemporary(target, temp);
    int error = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        error = errno ? errno : EIO;
    if (!error && std::fflush(file) != 0) error = errno ? errno : EIO;
#ifndef _WIN32
    if (!error && ::fsync(::fileno(file)) != 0) error = errno;
#endif
    if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    if (!error && exists) {
        fs::permissions(temp, fs::status(target, ec).permissions(), ec);
        ec.clear(); // the permissions are a courtesy; the content is what counts
    }
    if (!error) {
        fs::rename(temp, target, ec);
        if (ec) error = ec.value();
    }
    if (error) {
        fs::remove(temp, ec);
        Fail(path, error);
    }
}

} // namespace dorvek
