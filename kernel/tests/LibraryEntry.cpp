// The shared library as the desktop program uses it: loaded by file name, IDORVEK looked up
// and called in the folder that holds names.dat. It must export nothing else.

#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdio>
#include <set>

namespace dorvek {
namespace {

namespace fs = std::filesystem;

using test::CrLf;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

using EntryPoint = int (*)(int, int);

// The library loaded for one test, as the program loads it for one run.
#ifdef _WIN32
class Library {
public:
    Library() {
        handle_ = LoadLibraryW(fs::path(DORVEK_KERNEL_LIBRARY).c_str());
        if (handle_)
            entry_ = reinterpret_cast<EntryPoint>(
                reinterpret_cast<void*>(GetProcAddress(handle_, "IDORVEK")));
    }
    ~Library() {
        if (handle_) FreeLibrary(handle_);
    }
    EntryPoint entry() const { return entry_; }
    HMODULE handle() const { return handle_; }

private:
    HMODULE handle_ = nullptr;
    EntryPoint entry_ = nullptr;
};
#else
class Library {
public:
    Library() {
        handle_ = dlopen(DORVEK_KERNEL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (handle_) entry_ = reinterpret_cast<EntryPoint>(dlsym(handle_, "IDORVEK"));
    }
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    EntryPoint entry() const { return entry_; }

private:
    void* handle_ = nullptr;
    EntryPoint entry_ = nullptr;
};
#endif

// Makes `dir` the current folder for the scope.
class InFolder {
public:
    explicit InFolder(const fs::path& dir) : previous_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~InFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

std::size_t EntriesIn(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
}

void WriteProject(const TempDir& dir) {
    WriteFile(dir.file("pile.dv4d"), ReadFile(std::string(DORVEK_SOURCE_DIR) +
                                              "/examples/driven-pile-clay-over-sand.dv4d"));
    WriteFile(dir.file("names.dat"),
              CrLf({"2021.4.4", "Org", "City, ST", "0", dir.file("pile.dv4d"),
                    dir.file("pile.dv4o"), dir.file("pile.dv4p"), dir.file("pile.dv4r")}));
}

#ifdef _WIN32
// The export directory of the loaded image: one function, ordinal 1, named IDORVEK.
TEST(LibraryEntry, ExportsOnlyIDORVEK) {
    Library library;
    ASSERT_NE(library.handle(), nullptr);
    const auto* base = reinterpret_cast<const unsigned char*>(library.handle());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(entry.VirtualAddress, 0u);
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
    EXPECT_EQ(exports->Base, 1u);
    std::set<std::string> symbols;
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD k = 0; k < exports->NumberOfNames; ++k)
        symbols.insert(reinterpret_cast<const char*>(base + names[k]));
    EXPECT_EQ(symbols, (std::set<std::string>{"IDORVEK"}));
    // The name's address is the entry's: undecorated, as extern "C" gives it on x64.
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    const auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    ASSERT_EQ(exports->NumberOfNames, 1u);
    EXPECT_EQ(reinterpret_cast<const void*>(base + functions[ordinals[0]]),
              reinterpret_cast<const void*>(library.entry()));
}
#else
TEST(LibraryEntry, ExportsOnlyIDORVEK) {
    const std::string command =
        std::string("nm -D --defined-only '") + DORVEK_KERNEL_LIBRARY + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        // "<address> <type> <name>"
        const auto last = text.rfind(' ');
        if (last != std::string::npos) symbols.insert(text.substr(last + 1));
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(symbols, (std::set<std::string>{"IDORVEK"}));
}
#endif

TEST(LibraryEntry, FirstArgumentOtherThanFourDoesNothing) {
    Library library;
    ASSERT_NE(library.entry(), nullptr);
    TempDir dir;
    WriteProject(dir);
    InFolder here(dir.path());
    for (int a : {3, 0, -4, 5}) EXPECT_EQ(library.entry()(a, 3), 1);
    // Only the two files written above.
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(LibraryEntry, RunsTheProjectNamedInNamesDat) {
    Library library;
    ASSERT_NE(library.entry(), nullptr);
    TempDir dir;
    WriteProject(dir);
    InFolder here(dir.path());
    EXPECT_EQ(library.entry()(4, 4), 0);
    EXPECT_TRUE(fs::exists(dir.file("pile.dv4o")));
    EXPECT_TRUE(fs::exists(dir.file("pile.dv4p")));
    EXPECT_TRUE(fs::exists(dir.file("pile.dv4r")));
}

TEST(LibraryEntry, SuccessiveCallsGiveTheSameReport) {
    Library library;
    ASSERT_NE(library.entry(), nullptr);
    TempDir dir;
    WriteProject(dir);
    InFolder here(dir.path());
    ASSERT_EQ(library.entry()(4, 4), 0);
    const auto first = test::Lines(ReadFile(dir.file("pile.dv4o")));
    const std::string plot = ReadFile(dir.file("pile.dv4p"));
    ASSERT_EQ(library.entry()(4, 4), 0);
    const auto second = test::Lines(ReadFile(dir.file("pile.dv4o")));
    EXPECT_EQ(ReadFile(dir.file("pile.dv4p")), plot);
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t k = 0; k < first.size(); ++k) {
        if (first[k].find("Time:  ") != std::string::npos) continue;
        EXPECT_EQ(first[k], second[k]) << k;
    }
}

TEST(LibraryEntry, MissingNamesDatCreatesNothing) {
    Library library;
    ASSERT_NE(library.entry(), nullptr);
    TempDir dir;
    InFolder here(dir.path());
    EXPECT_EQ(library.entry()(4, 4), 2);
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

TEST(LibraryEntry, BadInputGivesACodeNotACrash) {
    Library library;
    ASSERT_NE(library.entry(), nullptr);
    TempDir dir;
    WriteProject(dir);
    WriteFile(dir.file("pile.dv4d"), "T\r\n50 0 1\r\n1 1 \r\n2000000000\r\n");
    InFolder here(dir.path());
    EXPECT_EQ(library.entry()(4, 4), 3);
    EXPECT_NE(ReadFile(dir.file("pile.dv4o")).find("number of soil layers"), std::string::npos);
}

} // namespace
} // namespace dorvek
