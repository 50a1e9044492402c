#include "OrderedPool.h"

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

    auto worker = [&] {
        for (;;) {
            if (stop.load()) return;
            const std::size_t i = next.fetch_add(1);
            if (i >= count) return;
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
        }
    };

    std::vector<std::jthread> pool;
    pool.reserve(threads);
    // Whatever leaves this scope, the threads stop taking jobs and are joined first.
    struct Stopper {
        std::atomic<bool>& stop;
        std::vector<std::jthread>& pool;
        ~Stopper() {
            stop.store(true);
            pool.clear();
        }
    } stopper{stop, pool};
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);

    for (std::size_t i = 0; i < count; ++i) {
        std::exception_ptr failure;
        {
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
    }
}

} // namespace dorvek::cli
