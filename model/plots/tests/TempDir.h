#pragma once
// A fresh folder per test, removed afterwards, and whole files read and written in it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

} // namespace dorvek::test
