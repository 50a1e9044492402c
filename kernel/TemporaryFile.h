#pragma once
// The temporary file an output is written to before it replaces the output: ".NAME.tmp" in
// the output's folder. It is locked while a run writes it, so the name is that run's alone:
// a second run writing the same output is refused (and told which process holds it), and a
// temporary left behind by a run that died is taken over and emptied by the next one. The
// lock is on the temporary itself, so a finished run leaves nothing beside its outputs.
//   POSIX: flock() on the file, held through a second descriptor until it is renamed.
//   Windows: the file is opened shared for reading only and renamed through its handle.
// Where the file system has no locks the name is ".NAME.tmp-PID-N" (made with O_EXCL) and a
// temporary left behind stays.

#include <filesystem>

namespace dorvek {

class TemporaryFile {
public:
    enum class Result { Open, Busy, Failed };

    TemporaryFile() = default;
    ~TemporaryFile() { discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The temporary file of `target`, empty and open for writing.
    Result open(const std::filesystem::path& target);
    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    // Puts the complete temporary in the place of `target` in one step. False with error()
    // set when closing or renaming failed; the temporary is then removed.
    bool replace(const std::filesystem::path& target);
    // Removes the temporary.
    void discard();

    long holder() const { return holder_; } // after Busy: the holding process, 0 if unknown
    int error() const { return error_; }    // after Failed or a failed replace: errno

private:
#ifndef _WIN32
    Result openUnlocked(const std::filesystem::path& target);
#endif

    std::filesystem::path path_;
    int fd_ = -1;
#ifndef _WIN32
    int lock_ = -1; // the second descriptor that keeps the lock through the closing of fd_
#endif
    long holder_ = 0;
    int error_ = 0;
};

// The id of this process.
long ProcessId();

} // namespace dorvek
