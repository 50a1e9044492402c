#pragma once
// An advisory lock on an output file, held while a run writes it, so that two runs (threads
// or processes) writing the same file never mix: the second one is refused at once with the
// process of the first. The lock is a small file beside the output, ".NAME.lock", that holds
// the process id of its holder; on POSIX systems it is an flock() lock and the file is removed
// when the lock is released, on Windows a LockFileEx() lock (the file stays there).

#include <filesystem>

namespace dorvek {

class OutputLock {
public:
    enum class Result {
        Locked,
        Busy,        // another holder: holder() is its process id, 0 if unknown
        Unsupported, // the file system has no locks: the caller goes on without one
        Failed,      // the lock file could not be opened: error() is errno
    };

    OutputLock() = default;
    ~OutputLock() { release(); }
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

    // The lock file of an output file: ".NAME.lock" in its folder.
    static std::filesystem::path pathFor(const std::filesystem::path& target);

    Result acquire(const std::filesystem::path& lockFile);
    void release();
    bool held() const;

    int error() const { return error_; }
    long holder() const { return holder_; }

private:
    std::filesystem::path path_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    int error_ = 0;
    long holder_ = 0;
};

// The id of this process.
long ProcessId();

} // namespace dorvek
