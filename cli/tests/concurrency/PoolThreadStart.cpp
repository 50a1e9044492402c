// A pool whose threads cannot all be started (a process limit, say) works on with those that
// did, the calling thread among them, after telling its caller once; it never aborts.

#include "cli/OrderedPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

namespace {

std::system_error NoMoreThreads() {
    return std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

struct Told {
    int times = 0;
    unsigned started = 0, asked = 0;
    std::error_code why;
};

TEST(PoolThreadStart, TheThirdFailsAndEveryJobIsDoneInOrder) {
    constexpr std::size_t kJobs = 300;
    std::vector<std::size_t> finished;
    std::vector<int> ran(kJobs, 0);
    std::mutex mutex;
    std::set<std::thread::id> workers;
    int starts = 0;
    Told told;
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.window = 8;
    hooks.prepare = [](std::size_t) {};
    hooks.work = [&](std::size_t i) {
        ++ran[i];
        const std::lock_guard lock(mutex);
        workers.insert(std::this_thread::get_id());
    };
    hooks.finish = [&](std::size_t i) { finished.push_back(i); };
    hooks.startThread = [&](std::function<void()> body) {
        if (++starts == 3) throw NoMoreThreads();
        return std::jthread(std::move(body));
    };
    hooks.fewerThreads = [&](unsigned started, unsigned asked, const std::system_error& e) {
        ++told.times;
        told.started = started;
        told.asked = asked;
        told.why = e.code();
    };
    dorvek::cli::RunOrdered(kJobs, 6, hooks);

    EXPECT_EQ(starts, 3); // no more tries after the first failure
    EXPECT_EQ(told.times, 1);
    EXPECT_EQ(told.started, 3u); // the calling thread and two of the pool
    EXPECT_EQ(told.asked, 6u);
    EXPECT_EQ(told.why, std::errc::resource_unavailable_try_again);
    EXPECT_EQ(ran, std::vector<int>(kJobs, 1));
    ASSERT_EQ(finished.size(), kJobs);
    for (std::size_t i = 0; i < kJobs; ++i) EXPECT_EQ(finished[i], i);
    EXPECT_LE(workers.size(), 3u);
}

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
