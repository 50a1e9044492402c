#include "kernel/OutputLock.h"

#include <cerrno>
#include <charconv>
#include <string>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

long ParseProcessId(const char* text, std::size_t size) {
    long id = 0;
    const auto [end, ec] = std::from_chars(text, text + size, id);
    (void)end;
    return ec == std::errc() && id > 0 ? id : 0;
}

} // namespace

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

fs::path OutputLock::pathFor(const fs::path& target) {
    fs::path name(".");
    name += target.filename();
    name += ".lock";
    return target.parent_path() / name;
}

#ifndef _WIN32

bool OutputLock::held() const {
    return fd_ >= 0;
}

OutputLock::Result OutputLock::acquire(const fs::path& lockFile) {
    release();
    error_ = 0;
    holder_ = 0;
    // A holder removes the file while it still holds it, so a file that was opened before that
    // and locked after it is not the lock any more: open it again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        // A lock file left by another user who may not be written is still a lock.
        if (fd < 0 && errno == EACCES)
            fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return Result::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                char text[32];
                const auto n = ::pread(fd, text, sizeof text, 0);
                holder_ = n > 0 ? ParseProcessId(text, static_cast<std::size_t>(n)) : 0;
                ::close(fd);
                return Result::Busy;
            }
            ::close(fd);
            if (error == EINTR) continue;
            error_ = error;
            return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL
                       ? Result::Unsupported
                       : Result::Failed;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) == 0 && ::stat(lockFile.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            fd_ = fd;
            path_ = lockFile;
            // Who holds it, for the message of a run that finds it taken.
            const std::string id = std::to_string(ProcessId()) + "\n";
            if (::ftruncate(fd, 0) == 0) {
                [[maybe_unused]] const auto n = ::pwrite(fd, id.data(), id.size(), 0);
            }
            return Result::Locked;
        }
        ::close(fd);
    }
    error_ = EAGAIN;
    return Result::Failed;
}

void OutputLock::release() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str()); // while still holding it: see acquire()
    ::close(fd_);
    fd_ = -1;
}

#else

namespace {

// The byte that is locked lies beyond the process id, which stays readable.
constexpr DWORD kLockOffset = 4096;

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

bool OutputLock::held() const {
    return handle_ != nullptr;
}

OutputLock::Result OutputLock::acquire(const fs::path& lockFile) {
    release();
    error_ = 0;
    holder_ = 0;
    HANDLE h = ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = ErrnoOf(::GetLastError());
        return Result::Failed;
    }
    OVERLAPPED at{};
    at.Offset = kLockOffset;
    if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
            char text[32];
            DWORD n = 0;
            OVERLAPPED start{};
            if (::ReadFile(h, text, sizeof text, &n, &start) && n > 0)
                holder_ = ParseProcessId(text, n);
            ::CloseHandle(h);
            return Result::Busy;
        }
        ::CloseHandle(h);
        error_ = ErrnoOf(error);
        return Result::Unsupported;
    }
    handle_ = h;
    path_ = lockFile;
    const std::string id = std::to_string(ProcessId()) + "\n";
    DWORD n = 0;
    OVERLAPPED start{};
    ::WriteFile(h, id.data(), static_cast<DWORD>(id.size()), &n, &start);
    return Result::Locked;
}

void OutputLock::release() {
    if (handle_ == nullptr) return;
    OVERLAPPED at{};
    at.Offset = kLockOffset;
    ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
    // The file stays: another run may have it open to look at the lock.
    ::CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

#endif

} // namespace dorvek
