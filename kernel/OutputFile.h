#pragma once
// An output file (report, plot data) that replaces the file of that name only when it is
// complete. It is written to a temporary file beside the target (TemporaryFile: ".NAME.tmp",
// locked while written) and renamed over the target by commit(); a run that fails or is
// killed leaves the older file as it was, and a second run writing the same file at the same
// time is refused.
//
// The target is the file at the end of a chain of links (the links stay links); a file with
// several hard links gets a new file under this name and the other names keep the old one.
// The new file takes the old one's permissions. There is no fsync: a batch of analyses
// rewrites its outputs many times, and after a crash of the whole system the file systems
// that order a rename after the data it replaces (ext4, XFS, btrfs) still show the old or the
// new file; keeping files across a power cut is the editor's job, not the batch's.
//
// The null device is written directly, as a way of throwing an output away.

#include "kernel/FileSink.h"
#include "kernel/TemporaryFile.h"

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
    // not a regular file or not writable, another run is writing it, or the temporary file
    // cannot be created.
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
    // Whether open() failed because the file is being written (by another run, or by this
    // one under another name).
    bool busy() const { return busy_; }

private:
    void fail(int error);

    FileSink sink_;
    std::ostream stream_;
    TemporaryFile temp_;
    std::filesystem::path target_;
    bool direct_ = false; // the null device, written without a temporary
    bool busy_ = false;
    std::string problem_;
};

// Creates an empty file under `path` when there is none; an existing file is left as it is.
// False with `problem` when the name cannot be created or leads to something other than a
// writable regular file.
bool CreateIfMissing(const std::filesystem::path& path, std::string& problem);

} // namespace dorvek
