#pragma once
// What the tests of dorvek-run share: running the built program as a user calls it, reading
// whole files, and a fresh folder for each test.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace dorvek::test {

namespace fs = std::filesystem;

inline const std::string kProgram = std::string(DORVEK_BIN_DIR) + "/dorvek-run";
inline const fs::path kExamples = fs::path(DORVEK_SOURCE_DIR) / "examples";

struct Output {
    int status = -1; // -1: the program could not be started or did not exit
    std::string text;
};

enum class StandardError { Discarded, Joined };

// Runs the program with `arguments` (already quoted). The text is standard output, with
// standard error joined to it when asked.
inline Output RunProgram(const std::string& arguments,
                         StandardError errors = StandardError::Discarded) {
    Output out;
    const char* redirect = errors == StandardError::Joined ? " 2>&1" : " 2>/dev/null";
    FILE* pipe = popen((kProgram + " " + arguments + redirect).c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
    const int raw = pclose(pipe);
    out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

// A path as one shell word.
// Built by appending: "'" + text + "'" draws a false -Wrestrict from GCC 12.
inline std::string Quote(const fs::path& path) {
    std::string text(1, '\'');
    text += path.string();
    text += '\'';
    return text;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fixture with a fresh folder `dir_` under the system's temporary folder, removed with
// everything in it after the test.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("dorvek-cli-" + std::to_string(getpid()) + "-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                std::to_string(counter++));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    fs::path copyExample(const fs::path& example) {
        fs::copy_file(example, dir_ / example.filename());
        return dir_ / example.filename();
    }
    fs::path dir_;
};

} // namespace dorvek::test
