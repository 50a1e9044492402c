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

// The file a replacement goes to (a link is followed), and whether it exists.
fs::path Target(const fs::path& path, bool& exists) {
    fs::path target = path;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec) Fail(path, ec.value());
    }
    exists = fs::exists(target, ec);
#ifndef _WIN32
    // Renaming would get round the missing write permission of an existing file.
    if (exists && ::access(target.c_str(), W_OK) != 0) Fail(path, errno);
#endif
    return target;
}

// Flushes and closes the temporary file and renames it over the target; 0 or the error.
int PutInPlace(std::FILE* file, const fs::path& temp, const fs::path& target, bool exists,
               int error) {
    std::error_code ec;
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
    if (error) fs::remove(temp, ec);
    return error;
}

} // namespace

void ReplaceFile(const fs::path& path, std::string_view bytes) {
    bool exists = false;
    const fs::path target = Target(path, exists);
    fs::path temp;
    std::FILE* file = CreateTemporary(target, temp);
    int error = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        error = errno ? errno : EIO;
    if (const int failed = PutInPlace(file, temp, target, exists, error)) Fail(path, failed);
}

TReplacingFile::TReplacingFile(const fs::path& path) : fPath(path) {
    fTarget = Target(path, fExists);
    fFile = CreateTemporary(fTarget, fTemp);
    // A long file goes out in large pieces rather than a system call every few kilobytes.
    std::setvbuf(fFile, nullptr, _IOFBF, 1 << 20);
}

TReplacingFile::~TReplacingFile() {
    if (fFile) std::fclose(fFile);
    if (fCommitted) return;
    std::error_code ec;
    fs::remove(fTemp, ec);
}

void TReplacingFile::Write(std::string_view bytes) {
    if (!fFile) Fail(fPath, EBADF);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), fFile) != bytes.size())
        Fail(fPath, errno ? errno : EIO);
}

void TReplacingFile::ReadBack(const std::function<void(std::string_view line)>& take) {
    if (!fFile) Fail(fPath, EBADF);
    // Closed first: a file open for writing cannot always be opened again for reading.
    const bool closed = std::fclose(fFile) == 0;
    fFile = nullptr;
    if (!closed) Fail(fPath, errno ? errno : EIO);
    std::FILE* in = OpenFile(fTemp, "rb");
    if (!in) Fail(fPath, errno ? errno : EIO);
    std::string line;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer[i] != '\n') {
                line += buffer[i];
                continue;
            }
            take(line);
            line.clear();
        }
    }
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) Fail(fPath, EIO);
    if (!line.empty()) take(line);
}

void TReplacingFile::Commit() {
    if (!fFile) Fail(fPath, EBADF);
    std::FILE* file = fFile;
    fFile = nullptr;
    if (const int failed = PutInPlace(file, fTemp, fTarget, fExists, 0)) Fail(fPath, failed);
    fCommitted = true;
}

} // namespace dorvek
