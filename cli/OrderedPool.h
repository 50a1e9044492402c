#pragma once
// A pool of threads that works through numbered jobs and hands each finished job back to the
// calling thread in job order, so that whatever is printed or collected keeps the input order
// while the work itself runs in parallel.

#include <chrono>
#include <cstddef>
#include <functional>
#include <system_error>
#include <thread>

namespace dorvek::cli {

struct OrderedPoolHooks {
    // Optional: runs on the calling thread, in index order, before work(index) can start.
    // At most `window` jobs are prepared and not yet finished at any time (0: no limit), so
    // that a long run holds only that many jobs' data.
    std::function<void(std::size_t index)> prepare;
    std::size_t window = 0;
    // Runs on a pool thread or on the calling thread, which works too; must touch nothing
    // shared but what belongs to job `index`.
    std::function<void(std::size_t index)> work;
    // Runs on the calling thread, in index order, once work(index) has returned.
    std::function<void(std::size_t index)> finish;
    // Runs on the calling thread about every `tickEvery` while it waits for the last jobs, and
    // after each finish.
    std::function<void()> tick;
    std::chrono::milliseconds tickEvery{200};
    // Optional: starts a pool thread running `body` (a std::jthread when empty). Tests make it
    // fail.
    std::function<std::jthread(std::function<void()> body)> startThread;
    // Optional: runs on the calling thread, before any job, when a thread could not be
    // started (under a process limit, say): the run goes on with the `started` threads that
    // could, the calling thread counted, of the `asked`.
    std::function<void(unsigned started, unsigned asked, const std::system_error& why)>
        fewerThreads;
};

// Jobs 0 .. count - 1 on `threads` threads (at least one; no more than there are jobs, nor
// than could be started).
// An exception thrown by work(i) is thrown again from this call at i's turn, after the other
// threads have stopped; so is one thrown by prepare, finish or tick.
void RunOrdered(std::size_t count, unsigned threads, const OrderedPoolHooks& hooks);

} // namespace dorvek::cli
