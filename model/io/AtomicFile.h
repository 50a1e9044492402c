#pragma once
// Replacing a file so that it holds either its old or its complete new content, never a
// partly written one.
//
// The new content goes to the output's temporary file beside it (".NAME.tmp", locked while it
// is written; see kernel/TemporaryFile.h): a second writer of the same file at the same time
// is refused and told which process holds it, and the temporary a killed run left behind is
// the next run's own, taken over and emptied. Outputs are regular files (the null device is
// written through); a folder, device, pipe or socket is refused, never replaced.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dorvek {

// Whether the new file is flushed to the disk before it is put in place. A document the user
// saves is; the many files of a batch need not be (the rename alone keeps them whole against
// a killed run, and flushing each would cost far more than writing it).
enum class FileSync { Disk, None };

// Writes bytes to the temporary file and renames it over path (keeping an existing file's
// permissions). An existing file that is not writable is refused. Any failure raises
// EInOutError naming the file and the system's reason; the temporary file is removed and an
// existing file stays as it was.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                 FileSync sync = FileSync::Disk);

// The same for a file written piece by piece (a long table): the pieces go to the temporary
// file as they come, and Commit() puts it in place. Destroyed without a successful Commit(),
// the temporary file is removed and the target stays as it was. Failures raise EInOutError.
class TReplacingFile {
public:
    explicit TReplacingFile(const std::filesystem::path& path, FileSync sync = FileSync::Disk);
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // What was written, line by line from the start (without the line ends). This ends the
    // writing: the file can then only be dropped.
    void ReadBack(const std::function<void(std::string_view line)>& take);
    void Commit();

private:
    void Flush();

    std::filesystem::path fPath, fTarget;
    FileSync fSync;
    bool fExists = false;
    bool fDirect = false; // the null device, written as it is
    bool fOpen = false;
    int fDevice = -1; // the null device's descriptor
    struct Temporary; // the kernel's TemporaryFile
    std::unique_ptr<Temporary> fTemp;
    std::string fBuffer; // written in large pieces rather than a system call per row
};

} // namespace dorvek
