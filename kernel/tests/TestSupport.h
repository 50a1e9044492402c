#pragma once
// Helpers shared by the kernel tests: a scratch folder, whole-file reading and writing, and
// a fixed clock for reports that must compare byte for byte.

#include "kernel/Kernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dorvek::test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() /
                ("dorvek-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

inline void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Lines joined with CR LF, each line ended.
inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Splits a CR LF text into its lines.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// 7 March 2021, 09:05:03.
inline std::tm FixedTime() {
    std::tm t{};
    t.tm_year = 121;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

// The files of a run named `name` in `dir`.
inline RunFiles FilesIn(const TempDir& dir, const std::string& name = "pile") {
    return {dir.file(name + ".dv4d"), dir.file(name + ".dv4o"), dir.file(name + ".dv4p"),
            dir.file(name + ".dv4r")};
}

// A run with a fixed clock and its console captured.
struct CapturedRun {
    std::ostringstream console;
    Store store;
    int code = -1;

    int run(const RunFiles& files, const RunHeader& header = {}) {
        RunOptions options;
        options.console = &console;
        options.clock = FixedTime;
        options.results = &store;
        code = RunAnalysis(files, header, options);
        return code;
    }
};

} // namespace dorvek::test
