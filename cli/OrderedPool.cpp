#include "cli/OrderedPool.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace dorvek::cli {

namespace {

void RunSerially(std::size_t count, const OrderedPoolHooks& hooks) {
    for (std::size_t i = 0; i < count; ++i) {
        if (hooks.prepare) hooks.prepare(i);
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
    // Job i's state lives in slot i % window: job i + window is prepared only after job i
    // was finished.
    const std::size_t window =
        hooks.prepare && hooks.window > 0 ? std::min(hooks.window, count) : count;

    std::mutex mutex;
    std::condition_variable workReady, jobDone;
    // Guarded by the mutex.
    std::vector<char> done(window, 0);
    std::vector<std::exception_ptr> failures(window);
    std::size_t prepared = hooks.prepare ? 0 : count;
    std::size_t taken = 0;
    bool stop = false;

    // Takes the next prepared job and runs it (the lock held on entry and on return); false
    // when none is ready to take.
    auto runOne = [&](std::unique_lock<std::mutex>& lock) -> bool {
        if (stop || taken >= prepared) return false;
        const std::size_t i = taken++;
        lock.unlock();
        std::exception_ptr failure;
        try {
            hooks.work(i);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure) stop = true; // every earlier job is taken already and will finish
        failures[i % window] = failure;
        done[i % window] = 1;
        jobDone.notify_all();
        return true;
    };

    // The calling thread is one of the workers: `threads` threads in all, none of them
    // waiting while there is work, and no thread switch for each job handed over.
    std::vector<std::jthread> pool;
    pool.reserve(threads - 1);
    // Whatever leaves this scope, the threads stop taking jobs and are joined first.
    struct Stopper {
        std::mutex& mutex;
        bool& stop;
        std::condition_variable& workReady;
        std::vector<std::jthread>& pool;
        ~Stopper() {
            {
                std::lock_guard lock(mutex);
                stop = true;
            }
            workReady.notify_all();
            pool.clear();
        }
    } stopper{mutex, stop, workReady, pool};
    auto body = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            if (runOne(lock)) continue;
            if (stop || taken >= count) return;
            workReady.wait(lock);
        }
    };
    for (unsigned t = 1; t < threads; ++t) {
        try {
            pool.push_back(hooks.startThread ? hooks.startThread(body) : std::jthread(body));
        } catch (const std::system_error& e) {
            // The threads that did start, and the calling thread, do all the work.
            if (hooks.fewerThreads) hooks.fewerThreads(t, threads, e);
            break;
        }
    }

    // Between its own jobs the calling thread prepares the next ones and hands over the
    // finished ones in order; when it can do neither, it waits.
    std::size_t made = prepared; // the calling thread's copy: only it prepares
    for (std::size_t i = 0; i < count; ++i) {
        while (made < count && made < i + window) {
            hooks.prepare(made);
            ++made;
            {
                std::lock_guard lock(mutex);
                prepared = made;
            }
            workReady.notify_one();
        }
        std::exception_ptr failure;
        {
            std::unique_lock lock(mutex);
            const std::size_t slot = i % window;
            while (!done[slot]) {
                if (runOne(lock)) continue;
                if (hooks.tick) {
                    jobDone.wait_for(lock, hooks.tickEvery);
                    lock.unlock();
                    hooks.tick();
                    lock.lock();
                } else {
                    jobDone.wait(lock);
                }
            }
            failure = failures[slot];
            failures[slot] = nullptr;
            done[slot] = 0;
        }
        if (failure) std::rethrow_exception(failure);
        if (hooks.finish) hooks.finish(i);
        if (hooks.tick) hooks.tick();
    }
}

} // namespace dorvek::cli
