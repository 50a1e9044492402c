#pragma once
// A fresh folder per test, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace dorvek::test {

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "dorvek_plots_" + std::to_string(::getpid());
        if (info != nullptr)
            name += std::string("_") + info->test_suite_name() + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        fPath = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(fPath);
        std::filesystem::create_directories(fPath);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    const std::filesystem::path& Path() const { return fPath; }
    std::filesystem::path operator/(const std::string& name) const { return fPath / name; }

private:
    std::filesystem::path fPath;
};

} // namespace dorvek::test
