// Temporaries of runs that died: found by their names, removed only when their process is gone
// and their file is one the caller writes.

#include "model/io/StaleTemporaries.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using dorvek::RemoveStaleTemporaries;
using dorvek::StaleTemporaryTarget;

TEST(StaleTemporaries, TheirNamesTellTheFileAndTheProcess) {
    long process = 0;
    EXPECT_EQ(StaleTemporaryTarget(".pile_length=480.dv4d.4242-0.tmp", process),
              "pile_length=480.dv4d");
    EXPECT_EQ(process, 4242);
    EXPECT_EQ(StaleTemporaryTarget(".pile.dv4o.tmp-77-12", process), "pile.dv4o");
    EXPECT_EQ(process, 77);
    for (const char* other : {".pile.dv4o.tmp", "pile.dv4o.4242-0.tmp", ".pile.dv4o.42x-0.tmp",
                              ".pile.dv4o.-0.tmp", ".4242-0.tmp", ".pile.tmp-1", ".bashrc"}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(StaleTemporaryTarget(other, process), "");
        EXPECT_EQ(process, 0);
    }
}

#ifndef _WIN32
TEST(StaleTemporaries, OnlyThoseOfDeadProcessesAndWantedFilesGo) {
    const fs::path dir =
        fs::temp_directory_path() /
        ("dorvek-stale-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir);
    const std::string alive = std::to_string(::getpid());
    const char* dead = "999999999";
    for (const std::string& name :
         {".t.csv." + std::string(dead) + "-0.tmp", ".t.csv.tmp-" + std::string(dead) + "-4",
          ".t.csv." + alive + "-0.tmp", ".u.csv." + std::string(dead) + "-0.tmp"})
        std::ofstream(dir / name) << "half";
    EXPECT_EQ(RemoveStaleTemporaries(dir, [](const std::string& name) { return name == "t.csv"; }),
              2u);
    EXPECT_FALSE(fs::exists(dir / (".t.csv." + std::string(dead) + "-0.tmp")));
    EXPECT_TRUE(fs::exists(dir / (".t.csv." + alive + "-0.tmp")));
    EXPECT_TRUE(fs::exists(dir / (".u.csv." + std::string(dead) + "-0.tmp")));
    fs::remove_all(dir);
}
#endif

} // namespace
