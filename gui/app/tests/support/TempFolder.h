#pragma once
// A fresh folder per test, removed afterwards; the current directory is restored too.

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvek::test {

class TTempFolder {
public:
    TTempFolder() : fOldCurrent(std::filesystem::current_path()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        fPath = std::filesystem::temp_directory_path() /
                ("dorvek-" + std::string(info ? info->name() : "test") + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(fPath);
        std::filesystem::create_directories(fPath);
    }
    ~TTempFolder() {
        std::error_code ec;
        std::filesystem::current_path(fOldCurrent, ec);
        std::filesystem::remove_all(fPath, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return fPath; }
    std::string File(const std::string& name) const { return (fPath / name).string(); }
    std::string Touch(const std::string& name, const std::string& content = "x\n") const {
        std::ofstream(fPath / name) << content;
        return File(name);
    }

private:
    std::filesystem::path fOldCurrent;
    std::filesystem::path fPath;
};

} // namespace dorvek::test
