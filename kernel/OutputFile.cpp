#include "kernel/OutputFile.h"

#include "kernel/OutputTarget.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
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

int RemoveFile(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    return ec ? ec.value() : 0;
}

// Replaces `to` by `from`, in one step where the system allows it.
int RenameOver(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    return ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
#else
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
#endif
}

// The new file gets the permissions (and, where allowed, the owner) of the one it replaces.
void TakeOver(int fd, const fs::path& old) {
#ifdef _WIN32
    (void)fd;
    (void)old;
#else
    struct stat was {};
    struct stat now {};
    if (::stat(old.c_str(), &was) != 0 || ::fstat(fd, &now) != 0) return;
    if (was.st_uid != now.st_uid || was.st_gid != now.st_gid) {
        [[maybe_unused]] const int changed = ::fchown(fd, was.st_uid, was.st_gid);
    }
    if ((was.st_mode & 07777) != (now.st_mode & 07777)) ::fchmod(fd, was.st_mode & 07777);
#endif
}

} // namespace

void OutputFile::fail(int error) {
    problem_ = SystemReason(error ? error : EIO);
}

bool OutputFile::open(const fs::path& path) {
    discard();
    problem_.clear();
    stream_.clear();
    OutputTarget target;
    if (!ResolveOutputTarget(path, target, problem_)) return false;
    target_ = target.file;
    direct_ = target.nullDevice;
    if (direct_) {
        if (sink_.open(target_, FileSink::Mode::Existing)) return true;
        fail(sink_.error());
        return false;
    }
    switch (lock_.acquire(OutputLock::pathFor(target_))) {
    case OutputLock::Result::Locked:
        return createTemporary(true);
    case OutputLock::Result::Unsupported:
        return createTemporary(false);
    case OutputLock::Result::Busy:
        problem_ = "Another run";
        if (lock_.holder() > 0) problem_ += " (process " + std::to_string(lock_.holder()) + ")";
        problem_ += " is writing it";
        return false;
    case OutputLock::Result::Failed:
        break;
    }
    fail(lock_.error());
    return false;
}

bool OutputFile::createTemporary(bool locked) {
    if (locked) {
        // Under the lock the name is this run's: what is there was left by a run that died.
        temp_ = TemporaryName(target_, "");
        RemoveFile(temp_);
        if (sink_.open(temp_, FileSink::Mode::CreateNew)) {
            TakeOver(sink_.descriptor(), target_);
            return true;
        }
    } else {
        std::string id = std::to_string(ProcessId());
        id.insert(id.begin(), '-');
        id.push_back('-');
        for (int n = 0; n < 1000; ++n) {
            temp_ = TemporaryName(target_, id + std::to_string(n));
            if (sink_.open(temp_, FileSink::Mode::CreateNew)) {
                TakeOver(sink_.descriptor(), target_);
                return true;
            }
            if (sink_.error() != EEXIST) break;
        }
    }
    fail(sink_.error());
    temp_.clear();
    lock_.release();
    return false;
}

bool OutputFile::finish() {
    if (!isOpen()) return true;
    stream_.flush();
    if (sink_.error() != 0) {
        fail(sink_.error());
        return false;
    }
    if (!stream_) {
        fail(EIO);
        return false;
    }
    return true;
}

bool OutputFile::commit() {
    if (!isOpen()) return true;
    if (!finish()) {
        discard();
        return false;
    }
    if (!sink_.close()) {
        fail(sink_.error());
        discard();
        return false;
    }
    if (!direct_) {
        if (const int error = RenameOver(temp_, target_)) {
            fail(error);
            discard();
            return false;
        }
        temp_.clear();
        lock_.release();
    }
    return true;
}

void OutputFile::discard() {
    sink_.close();
    if (!temp_.empty()) RemoveFile(temp_);
    temp_.clear();
    lock_.release();
}

bool CreateIfMissing(const fs::path& path, std::string& problem) {
    OutputTarget target;
    if (!ResolveOutputTarget(path, target, problem)) return false;
    if (target.exists) return true;
    FileSink sink;
    if (sink.open(target.file, FileSink::Mode::CreateNew)) {
        if (sink.close()) return true;
    } else if (sink.error() == EEXIST) {
        return true; // created by another run meanwhile
    }
    problem = SystemReason(sink.error());
    return false;
}

} // namespace dorvek
