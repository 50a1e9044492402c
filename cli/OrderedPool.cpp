#include "cli/OrderedPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace dorvek::cli {

namespace {

void RunSerially(std::size_t count, const OrderedPoolHooks& hooks) {
    for (std::size_t i = 0; i < count; ++i) {
        hooks.work(i);
        if (hooks.finish) hooks.finish(i);
        if (hooks.tick) hooks.tick();
    }
}

} // namespace

void RunOrdered(std::size_t count, unsigned threads, const OrderedPoolHooks& hooks) {
    threads = static_cast<unsigned>(std::min<std::size_t>(std::max(threads, 1u), count));
    if (threads <= 1) {
        RunSerially(count, hooks);
        return;
    }

    std::mutex mutex;
    std::condition_variable finished;
    std::vector<char> done(count, 0);
    std::vector<std::exception_ptr> failures(count);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};

    // Takes the next job and runs it; false when none is left to take.
    auto runOne = [&]() -> bool {
        if (stop.load()) return false;
        const std::size_t i = next.fetch_add(1);
        if (i >= count) return false;
        std::exception_ptr failure;
        try {
            hooks.work(i);
        } catch (...) {
            failure = std::current_exception();
            stop.store(true); // every earlier job is taken already and will finish
        }
        {
            std::lock_guard lock(mutex);
            failures[i] = failure;
            done[i] = 1;
        }
        finished.notify_all();
        return true;
    };

    // The calling thread is one of the workers: `threads` threads in all, none of them
    // waiting while there is work, and no thread switch for each job handed over.
    std::vector<std::jthread> pool;
    pool.reserve(threads - 1);
    // Whatever leaves this scope, the threads stop taking jobs and are joined first.
    struct Stopper {
        std::atomic<bool>& stop;
        std::vector<std::jthread>& pool;
        ~Stopper() {
            stop.store(true);
            pool.clear();
        }
    } stopper{stop, pool};
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back([&] {
            while (runOne()) {
            }
        });

    // Between its own jobs the calling thread hands over the finished ones in order; once no
    // job is left to take, it waits for them.
    std::size_t i = 0;
    while (i < count) {
        bool ready = false;
        std::exception_ptr failure;
        {
            std::lock_guard lock(mutex);
            ready = done[i] != 0;
            failure = failures[i];
        }
        if (!ready && runOne()) continue;
        if (!ready) {
            std::unique_lock lock(mutex);
            while (!done[i]) {
                if (hooks.tick) {
                    finished.wait_for(lock, hooks.tickEvery);
                    lock.unlock();
                    hooks.tick();
                    lock.lock();
                } else {
                    finished.wait(lock);
                }
            }
            failure = failures[i];
        }
        if (failure) std::rethrow_exception(failure);
        if (hooks.finish) hooks.finish(i);
        if (hooks.tick) hooks.tick();
        ++i;
    }
}

} // namespace dorvek::cli
