#pragma once
// What the tests of dorvek-run share: running the built program as a user calls it, reading
// whole files, and a fresh folder for each test.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace dorvek::test {

namespace fs = std::filesystem;

#ifdef _WIN32
inline const std::string kProgram =
    fs::path(std::string(DORVEK_BIN_DIR) + "/dorvek-run.exe").make_preferred().string();
#else
inline const std::string kProgram = std::string(DORVEK_BIN_DIR) + "/dorvek-run";
#endif
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
#ifdef _WIN32
    // cmd.exe /c drops the outer quotes of the line and keeps those of each word. The pipe
    // is read in text mode: CR LF arrives as LF. The UTF-8 line is passed on as wide text, so
    // that names outside the ANSI code page arrive whole.
    const char* redirect = errors == StandardError::Joined ? " 2>&1" : " 2>NUL";
    const std::string command = "\"\"" + kProgram + "\" " + arguments + redirect + "\"";
    const std::wstring wide = fs::path(std::u8string(command.begin(), command.end())).wstring();
    FILE* pipe = _wpopen(wide.c_str(), L"rt");
#else
    const char* redirect = errors == StandardError::Joined ? " 2>&1" : " 2>/dev/null";
    FILE* pipe = popen((kProgram + " " + arguments + redirect).c_str(), "r");
#endif
    if (!pipe) return out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
#ifdef _WIN32
    out.status = _pclose(pipe);
#else
    const int raw = pclose(pipe);
    out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return out;
}

// A path as one shell word (cmd.exe's double quotes on Windows).
// Built by appending: "'" + text + "'" draws a false -Wrestrict from GCC 12.
inline std::string Quote(const fs::path& path) {
#ifdef _WIN32
    const char quote = '"';
#else
    const char quote = '\'';
#endif
    std::string text(1, quote);
    text += path.string();
    text += quote;
    return text;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline long ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<long>(getpid());
#endif
}

// A fixture with a fresh folder `dir_` under the system's temporary folder, removed with
// everything in it after the test.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("dorvek-cli-" + std::to_string(ProcessId()) + "-" +
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
