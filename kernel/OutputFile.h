#pragma once
// An output file (report, plot data) that replaces the file of that name only when it is
// complete. It is written to a temporary file beside the target, ".NAME.tmp", and renamed
// over the target by commit(); a run that fails or is killed leaves the older file as it was.
// While it is open the target is locked (OutputLock), so the temporary name is this run's
// alone and one left behind by a killed run is replaced by the next. Where the file system
// has no locks the temporary is ".NAME.tmp-PID-N" instead.
//
// The target is the file at the end of a chain of links (the links stay links); a file with
// several hard links gets a new file under this name and the other names keep the old one.
// The new file takes the old one's permissions. There is no fsync: a batch of analyses
// rewrites its outputs many times and a crash of the whole system is left to the file
// system's own ordering of the rename after the data (ext4, XFS, btrfs).
//
// The null device is written directly, as a way of throwing an output away.

#include "kernel/FileSink.h"
#include "kernel/OutputLock.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace dorvek {

class OutputFile {
public:
    OutputFile() : stream_(&sink_) {}
    ~OutputFile() { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares to replace the file `path` names. False, with problem() saying why, when it is
    // not a regular file or not writable, another run holds it, or the temporary file cannot
    // be created.
    bool open(const std::filesystem::path& path);
    bool isOpen() const { return sink_.isOpen(); }
    std::ostream& stream() { return stream_; }
    // The file that will be replaced (links followed); empty before open().
    const std::filesystem::path& target() const { return target_; }
    std::uint64_t written() const { return sink_.written(); }

    // Whether everything written so far reached the temporary file; problem() says why not.
    // A file that is not open (never opened, or already committed or discarded) has nothing
    // to finish or commit.
    bool finish();
    // Renames the complete file over the target. False, with the temporary removed and the
    // target as it was, when a write, the closing or the renaming failed.
    bool commit();
    // Removes the temporary file: the target stays as it was.
    void discard();

    // Why the last step failed, as the system words it ("No space left on device").
    const std::string& problem() const { return problem_; }

private:
    bool createTemporary(bool locked);
    void fail(int error);

    FileSink sink_;
    std::ostream stream_;
    OutputLock lock_;
    std::filesystem::path target_, temp_;
    bool direct_ = false; // the null device, written without a temporary
    std::string problem_;
};

// Creates an empty file under `path` when there is none; an existing file is left as it is.
// False with `problem` when the name cannot be created or leads to something other than a
// writable regular file.
bool CreateIfMissing(const std::filesystem::path& path, std::string& problem);

} // namespace dorvek
