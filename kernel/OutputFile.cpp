#include "kernel/OutputFile.h"

#include "kernel/OutputTarget.h"

#include <cerrno>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

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
    busy_ = false;
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
    switch (temp_.open(target_)) {
    case TemporaryFile::Result::Open:
        if (target.exists) TakeOver(temp_.descriptor(), target_);
        sink_.attach(temp_.descriptor());
        return true;
    case TemporaryFile::Result::Busy:
        busy_ = true;
        problem_ = "Another run";
        if (temp_.holder() > 0) problem_ += " (process " + std::to_string(temp_.holder()) + ")";
        problem_ += " is writing it";
        return false;
    case TemporaryFile::Result::Failed:
        break;
    }
    fail(temp_.error());
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
    if (direct_) {
        if (sink_.close()) return true;
        fail(sink_.error());
        return false;
    }
    sink_.close();
    if (!temp_.replace(target_)) {
        fail(temp_.error());
        return false;
    }
    return true;
}

void OutputFile::discard() {
    sink_.close();
    temp_.discard();
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
