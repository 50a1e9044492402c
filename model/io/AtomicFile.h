#pragma once
// Replacing a file so that it holds either its old or its complete new content, never a
// partly written one.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

namespace dorvek {

// Writes bytes to a temporary file in the target's folder, flushes it to the disk and renames
// it over path (keeping an existing file's permissions). An existing file that is not
// writable is refused. Any failure raises EInOutError naming the file and the system's
// reason; the temporary file is removed and an existing file stays as it was.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// The same for a file written piece by piece (a long table): the pieces go to the temporary
// file as they come, and Commit() puts it in place. Destroyed without a successful Commit(),
// the temporary file is removed and the target stays as it was. Failures raise EInOutError.
class TReplacingFile {
public:
    explicit TReplacingFile(const std::filesystem::path& path);
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // What was written, line by line from the start (without the line ends). This ends the
    // writing: the file can then only be dropped.
    void ReadBack(const std::function<void(std::string_view line)>& take);
    void Commit();

private:
    std::filesystem::path fPath, fTarget, fTemp;
    bool fExists = false;
    bool fCommitted = false;
    std::FILE* fFile = nullptr;
};

} // namespace dorvek
