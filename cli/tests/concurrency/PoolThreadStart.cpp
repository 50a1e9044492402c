// A pool whose threads cannot all be started (a process limit, say) works on with those that
// did, the calling thread among them, after telling its caller once; it never aborts. (A start
// that fails part way is tried through the whole run, in RunWarnings.)

#include "cli/OrderedPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <system_error>
#include <thread>

namespace {

std::system_error NoMoreThreads() {
    return std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

struct Told {
    int times = 0;
    unsigned started = 0, asked = 0;
};

// Not one thread of the pool starts: the calling thread does it all.
TEST(PoolThreadStart, NoneStartsAndTheCallingThreadWorksAlone) {
    std::atomic<int> ran{0};
    bool wrongThread = false;
    const std::thread::id caller = std::this_thread::get_id();
    Told told;
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t) {
        ++ran;
        wrongThread = wrongThread || std::this_thread::get_id() != caller;
    };
    hooks.startThread = [](std::function<void()>) -> std::jthread { throw NoMoreThreads(); };
    hooks.fewerThreads = [&](unsigned started, unsigned asked, const std::system_error&) {
        ++told.times;
        told.started = started;
        told.asked = asked;
    };
    dorvek::cli::RunOrdered(50, 4, hooks);
    EXPECT_EQ(ran.load(), 50);
    EXPECT_FALSE(wrongThread);
    EXPECT_EQ(told.times, 1);
    EXPECT_EQ(told.started, 1u);
    EXPECT_EQ(told.asked, 4u);

    // Without anyone to tell, the same work is done quietly.
    hooks.fewerThreads = nullptr;
    dorvek::cli::RunOrdered(50, 4, hooks);
    EXPECT_EQ(ran.load(), 100);
}

} // namespace
