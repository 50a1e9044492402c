#include "kernel/OutputFile.h"

namespace dorvek {

namespace fs = std::filesystem;

bool OutputFile::open(const fs::path& path) {
    path_ = path;
    finished_.reset();
    // Reading is asked for only so that an existing file is not truncated; a missing file (or
    // one that may be written but not read) is opened the ordinary way.
    file_.open(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file_.is_open()) {
        file_.clear();
        file_.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    }
    return file_.is_open();
}

bool OutputFile::finish() {
    if (!file_.is_open()) return true;
    finished_ = cut();
    return *finished_;
}

bool OutputFile::cut() {
    if (!file_.flush()) return false;
    const std::streamoff written = file_.tellp();
    if (written < 0) return false;
    // Devices and pipes have no length to cut.
    std::error_code ec;
    if (!fs::is_regular_file(path_, ec)) return true;
    const std::uintmax_t size = fs::file_size(path_, ec);
    if (ec) return false;
    if (size > static_cast<std::uintmax_t>(written))
        fs::resize_file(path_, static_cast<std::uintmax_t>(written), ec);
    return !ec;
}

bool OutputFile::close() {
    if (!file_.is_open()) return true;
    const bool finished = finished_ ? *finished_ : finish();
    file_.close();
    return finished && !file_.fail();
}

} // namespace dorvek
