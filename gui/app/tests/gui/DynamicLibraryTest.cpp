#include "gui/app/dynlib.h"
#include "gui/app/tests/support/TempFolder.h"
#include "gui/common/tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace dorvek;
using dorvek::test::TScriptedMessages;

namespace {
std::string Fake(const char* name) {
    return KernelLibraryPath(std::string(DORVEK_FAKE_KERNELS) + "/" + name);
}
} // namespace

TEST(DynamicLibrary, MissingFileIsNotFoundError) {
    TScriptedMessages m;
    TDynamicLibrary lib("/nonexistent/libDORVEK2021_DLL.so", m);
    try {
        lib.Open();
        FAIL() << "no error";
    } catch (const EFileNotFoundError& e) {
        EXPECT_STREQ(e.what(), "Library could not be located");
    }
    EXPECT_FALSE(lib.GetIsOpen());
    EXPECT_TRUE(m.Shown.empty());
}

TEST(DynamicLibrary, ClosedLibraryHasNoProcedures) {
    TScriptedMessages m;
    TDynamicLibrary lib(Fake("writes"), m);
    try {
        lib.FindProcedure("IDORVEK");
        FAIL() << "no error";
    } catch (const EDLLNotOpenError& e) {
        EXPECT_STREQ(e.what(), "Library is not open");
    }
}

TEST(DynamicLibrary, UnresolvedSymbolIsInitError) {
    TScriptedMessages m;
    TDynamicLibrary lib(Fake("unresolved"), m);
    try {
        lib.Open();
        FAIL() << "no error";
    } catch (const EDLLError& e) { // the three errors share their base class
        EXPECT_NE(dynamic_cast<const EInitError*>(&e), nullptr);
        EXPECT_STREQ(e.what(), "Library failed to properly initialize");
    }
    EXPECT_FALSE(lib.GetIsOpen());
}

TEST(DynamicLibrary, FileThatIsNoLibraryShowsLoadError) {
    dorvek::test::TTempFolder dir;
    TScriptedMessages m;
    TDynamicLibrary lib(dir.Touch("libDORVEK2021_DLL.so", "not a library\n"), m);
    lib.Open();
    EXPECT_FALSE(lib.GetIsOpen());
    ASSERT_EQ(m.Texts("information").size(), 1u);
    EXPECT_EQ(m.Texts("information")[0].rfind("Error Loading Library, error code = ", 0), 0u);
}

TEST(DynamicLibrary, MissingProcedureShowsErrorAndReturnsNothing) {
    TScriptedMessages m;
    TDynamicLibrary lib(Fake("noentry"), m);
    lib.Open();
    ASSERT_TRUE(lib.GetIsOpen());
    EXPECT_NE(lib.FindProcedure("SomethingElse"), nullptr);
    EXPECT_EQ(lib.FindProcedure("IDORVEK"), nullptr);
    ASSERT_EQ(m.Texts("information").size(), 1u);
    EXPECT_EQ(m.Texts("information")[0].rfind("Error Getting Function, error code = ", 0), 0u);
}

TEST(DynamicLibrary, OpensCallsAndClosesOnNewFileName) {
    TScriptedMessages m;
    TDynamicLibrary lib(Fake("writes"), m);
    lib.Open();
    lib.Open(); // already open: nothing happens
    ASSERT_TRUE(lib.GetIsOpen());
    auto entry = reinterpret_cast<int (*)(int, int)>(lib.FindProcedure("IDORVEK"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(3, 4), 1); // the stand-in refuses other first arguments as the kernel does
    lib.SetFileName(Fake("noentry"));
    EXPECT_FALSE(lib.GetIsOpen());
    EXPECT_EQ(lib.FileName(), Fake("noentry"));
    EXPECT_TRUE(m.Shown.empty());
}
