#include "kernel/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

fs::path TemporaryName(const fs::path& target, const std::string& suffix) {
    fs::path name(".");
    name += target.filename();
    name += ".tmp" + suffix;
    return target.parent_path() / name;
}

#ifndef _WIN32

bool LockUnsupported(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

// The process that holds an flock() lock on the open file `fd`, from the kernel's list of
// locks (Linux); 0 where that list is missing or does not name it.
long LockHolder(int fd) {
    struct stat file {};
    if (::fstat(fd, &file) != 0) return 0;
    char id[64];
    std::snprintf(id, sizeof id, "%02x:%02x:%llu", ::major(file.st_dev), ::minor(file.st_dev),
                  static_cast<unsigned long long>(file.st_ino));
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        // "1: FLOCK  ADVISORY  WRITE 1234 fe:01:5678 0 EOF"
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, at;
        if (!(fields >> number >> kind >> mode >> access >> pid >> at)) continue;
        if (kind == "FLOCK" && at == id) return std::atol(pid.c_str());
    }
    return 0;
}

#else

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

#endif

} // namespace

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

#ifndef _WIN32

TemporaryFile::Result TemporaryFile::open(const fs::path& target) {
    discard();
    error_ = 0;
    holder_ = 0;
    path_ = TemporaryName(target, "");
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Never truncated here: whoever holds it may be writing it.
        const int fd =
            ::open(path_.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int error = errno;
            if (error == EINTR) continue;
            // A temporary another user left, which this one may not open, is removed.
            if (error == EACCES && ::unlink(path_.c_str()) == 0) continue;
            error_ = error;
            path_.clear();
            return Result::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) holder_ = LockHolder(fd);
            ::close(fd);
            if (error == EINTR) continue;
            if (error == EWOULDBLOCK) {
                path_.clear();
                return Result::Busy;
            }
            if (LockUnsupported(error)) return openUnlocked(target);
            error_ = error;
            path_.clear();
            return Result::Failed;
        }
        // The run that held it may have renamed it (or another run replaced it) between the
        // opening and the locking: then this is not the temporary any more.
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            // A temporary a run that died left behind is emptied.
            if (!S_ISREG(locked.st_mode) || (locked.st_size > 0 && ::ftruncate(fd, 0) != 0)) {
                error_ = S_ISREG(locked.st_mode) ? errno : EINVAL;
                ::close(fd);
                path_.clear();
                return Result::Failed;
            }
            const int flags = ::fcntl(fd, F_GETFL);
            if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
            lock_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            if (lock_ < 0) {
                error_ = errno;
                ::close(fd);
                path_.clear();
                return Result::Failed;
            }
            fd_ = fd;
            return Result::Open;
        }
        ::close(fd);
    }
    error_ = EAGAIN;
    path_.clear();
    return Result::Failed;
}

TemporaryFile::Result TemporaryFile::openUnlocked(const fs::path& target) {
    std::string id = std::to_string(ProcessId());
    id.insert(id.begin(), '-');
    id.push_back('-');
    for (int n = 0; n < 1000; ++n) {
        path_ = TemporaryName(target, id + std::to_string(n));
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0) return Result::Open;
        if (errno != EEXIST) break;
    }
    error_ = errno;
    path_.clear();
    return Result::Failed;
}

bool TemporaryFile::replace(const fs::path& target) {
    if (fd_ < 0) return false;
    // Closed first, for the file systems that report a failed write only then (NFS); the
    // lock stays with the second descriptor until the file is in place.
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 && errno != EINTR) {
        error_ = errno;
        discard();
        return false;
    }
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        error_ = errno;
        discard();
        return false;
    }
    path_.clear();
    discard();
    return true;
}

void TemporaryFile::discard() {
    // Removed while still locked, so no other run has taken it over.
    if (!path_.empty() && (fd_ >= 0 || lock_ >= 0)) ::unlink(path_.c_str());
    if (fd_ >= 0) ::close(fd_);
    if (lock_ >= 0) ::close(lock_);
    fd_ = -1;
    lock_ = -1;
    path_.clear();
}

#else

TemporaryFile::Result TemporaryFile::open(const fs::path& target) {
    discard();
    error_ = 0;
    holder_ = 0;
    path_ = TemporaryName(target, "");
    // Shared for reading and renaming only: a second writer is refused while this one is open.
    HANDLE h =
        ::CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        path_.clear();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return Result::Busy;
        error_ = ErrnoOf(error);
        return Result::Failed;
    }
    // A temporary left by a run that died is emptied.
    if (!::SetEndOfFile(h)) {
        error_ = ErrnoOf(::GetLastError());
        ::CloseHandle(h);
        path_.clear();
        return Result::Failed;
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd_ < 0) {
        error_ = EIO;
        ::CloseHandle(h);
        path_.clear();
        return Result::Failed;
    }
    return Result::Open;
}

bool TemporaryFile::replace(const fs::path& target) {
    if (fd_ < 0) return false;
    const std::wstring to = fs::absolute(target).wstring();
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
    std::copy(to.begin(), to.end(), info->FileName);
    HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
    if (!::SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
        error_ = ErrnoOf(::GetLastError());
        discard();
        return false;
    }
    path_.clear();
    const int closed = ::_close(fd_);
    fd_ = -1;
    if (closed != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

void TemporaryFile::discard() {
    if (fd_ >= 0) {
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
        ::SetFileInformationByHandle(h, FileDispositionInfo, &remove, sizeof remove);
        ::_close(fd_);
    }
    fd_ = -1;
    path_.clear();
}

#endif

} // namespace dorvek
