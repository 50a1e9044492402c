#pragma once
// An output file (report, plot data) that replaces the file's old contents. The old contents
// are overwritten and the file is cut to the new length when it is closed, instead of being
// truncated when it is opened: ext4 writes a file truncated to zero back to disk as soon as it
// is closed, which cost as much as the whole analysis when a run replaced its earlier outputs.

#include <filesystem>
#include <fstream>
#include <optional>

namespace dorvek {

class OutputFile {
public:
    // Opens the file for writing from its start, creating it when missing.
    bool open(const std::filesystem::path& path);
    bool isOpen() const { return file_.is_open(); }
    std::ofstream& stream() { return file_; }

    // Flushes and cuts a regular file to what was written; false when that failed or an
    // earlier write did. A file that is not open has nothing to finish.
    bool finish();
    // Finishes and closes the file; false when either failed.
    bool close();

private:
    bool cut();

    std::ofstream file_;
    std::filesystem::path path_;
    std::optional<bool> finished_; // the result of finish(), once it ran
};

} // namespace dorvek
