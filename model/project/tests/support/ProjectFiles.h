#pragma once
// Helpers of the project tests: a private folder per test, files in and out, the message of
// a failing call, and a fixture holding a new project.

#include "model/io/ReadError.h"
#include "model/project/DataUnit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace dorvek::test {

class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        fPath = std::filesystem::temp_directory_path() /
                ("dorvek_project_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(fPath);
        std::filesystem::create_directories(fPath);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(fPath, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(fPath, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (fPath / name).string(); }
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};

inline void WriteBytes(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

inline std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines joined with CR LF, each line ended by it.
inline std::string CrLf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The text of the EInOutError the call raises; "" when it raises none.
template <class F> std::string InOutErrorOf(F&& f) {
    try {
        f();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "";
}

inline const std::string Incomplete = "This file either invalid or incomplete.";

// A new project with its tables, and a folder for its files.
class NewProjectTest : public ::testing::Test {
protected:
    void SetUp() override { data.Create(owner); }

    TProjectTables owner;
    TInputTables& tables = owner.Tables();
    TProgramData data;
    TempFolder folder;
};

} // namespace dorvek::test
