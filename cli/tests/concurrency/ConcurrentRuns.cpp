// Analyses of the example projects run in parallel through the ordered pool give the same
// report and plot file bytes, and the same results, as the same analyses run one after
// another; the pool hands them back in job order. Built with ThreadSanitizer in CI.

#include "cli/OrderedPool.h"
#include "kernel/Kernel.h"

#include "kernel/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Analysis {
    dorvek::RunFiles files;
    int code = -1;
    std::string console;
    std::vector<float> headLoads;
};

class ConcurrentRuns : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("dorvek-concurrent-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(root_);
        for (const auto& entry : fs::directory_iterator(fs::path(DORVEK_SOURCE_DIR) / "examples"))
            if (entry.path().extension() == ".dv4d") examples_.push_back(entry.path());
        std::sort(examples_.begin(), examples_.end());
    }
    void TearDown() override { fs::remove_all(root_); }

    // Three copies of every example in `folder`, as the jobs of a run.
    std::vector<Analysis> Jobs(const std::string& folder) {
        std::vector<Analysis> jobs;
        const fs::path dir = root_ / folder;
        fs::create_directories(dir);
        for (int copy = 0; copy < 3; ++copy) {
            for (const fs::path& example : examples_) {
                const fs::path input =
                    dir / (example.stem().string() + "-" + std::to_string(copy) + ".dv4d");
                fs::copy_file(example, input);
                auto beside = [&](const char* ext) {
                    fs::path p = input;
                    return p.replace_extension(ext).string();
                };
                Analysis a;
                a.files = {input.string(), beside(".dv4o"), beside(".dv4p"), beside(".dv4r")};
                jobs.push_back(a);
            }
        }
        return jobs;
    }

    static void Run(Analysis& a) {
        std::ostringstream console;
        dorvek::Store results;
        dorvek::RunOptions options;
        options.console = &console;
        options.clock = dorvek::test::FixedTime;
        options.results = &results;
        a.code = dorvek::RunAnalysis(a.files, dorvek::RunHeader{}, options);
        a.console = console.str();
        for (const auto& r : results.tipResults) a.headLoads.push_back(r.topLoad);
    }

    fs::path root_;
    std::vector<fs::path> examples_;
};

TEST_F(ConcurrentRuns, ParallelAnalysesMatchSerialOnesByteForByte) {
    ASSERT_FALSE(examples_.empty());
    std::vector<Analysis> serial = Jobs("serial");
    for (Analysis& a : serial) Run(a);

    std::vector<Analysis> parallel = Jobs("parallel");
    std::vector<std::size_t> order;
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) { Run(parallel[i]); };
    hooks.finish = [&](std::size_t i) { order.push_back(i); };
    dorvek::cli::RunOrdered(parallel.size(), 4, hooks);

    ASSERT_EQ(order.size(), parallel.size());
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
    for (std::size_t i = 0; i < serial.size(); ++i) {
        SCOPED_TRACE(parallel[i].files.input);
        EXPECT_EQ(parallel[i].code, serial[i].code);
        EXPECT_EQ(parallel[i].console, serial[i].console);
        EXPECT_EQ(parallel[i].headLoads, serial[i].headLoads);
        // The report names the folder of its files.
        const std::string report = dorvek::test::ReadFile(parallel[i].files.report);
        const std::string expected = dorvek::test::ReadFile(serial[i].files.report);
        const std::string serialDir = (root_ / "serial").string(),
                          parallelDir = (root_ / "parallel").string();
        const std::size_t at = expected.find(serialDir);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(report,
                  expected.substr(0, at) + parallelDir + expected.substr(at + serialDir.size()));
        EXPECT_EQ(dorvek::test::ReadFile(parallel[i].files.plot),
                  dorvek::test::ReadFile(serial[i].files.plot));
    }
}

TEST_F(ConcurrentRuns, AFailingJobIsReportedAtItsTurnAndStopsThePool) {
    std::atomic<int> started{0};
    std::atomic<bool> failed{false};
    std::vector<std::size_t> finished;
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) {
        ++started;
        if (i == 3) {
            failed = true;
            throw std::runtime_error("job 3");
        }
        // Later jobs take their time, so that the pool sees the failure before it runs them
        // all, however the threads happen to be scheduled.
        if (failed) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    hooks.finish = [&](std::size_t i) { finished.push_back(i); };
    try {
        dorvek::cli::RunOrdered(1000, 2, hooks);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "job 3");
    }
    EXPECT_EQ(finished, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_LT(started.load(), 1000);
}

// With two threads the caller is one of them: jobs 0 and 1 must run at the same time, so one
// of them runs on the calling thread.
TEST_F(ConcurrentRuns, TheCallingThreadWorksToo) {
    std::atomic<bool> secondStarted{false};
    std::thread::id ran[2];
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) {
        ran[i] = std::this_thread::get_id();
        if (i == 1) secondStarted = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (i == 0 && !secondStarted && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
    };
    dorvek::cli::RunOrdered(2, 2, hooks);
    ASSERT_TRUE(secondStarted);
    EXPECT_NE(ran[0], ran[1]);
    EXPECT_TRUE(ran[0] == std::this_thread::get_id() || ran[1] == std::this_thread::get_id());
}

// Jobs prepared on the calling thread a few ahead: each is prepared before it runs, in order,
// never more than the window ahead of the last one finished, and each job's data lives in its
// slot only between its preparation and its finish.
TEST_F(ConcurrentRuns, PreparedJobsStayWithinTheWindow) {
    for (unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        constexpr std::size_t kJobs = 500, kWindow = 8;
        const std::thread::id caller = std::this_thread::get_id();
        std::vector<std::size_t> slots(kWindow, kJobs); // the job each slot holds
        std::vector<std::size_t> results(kWindow, 0);
        std::size_t prepared = 0, finished = 0, widest = 0;
        bool wrongThread = false;
        dorvek::cli::OrderedPoolHooks hooks;
        hooks.window = kWindow;
        hooks.prepare = [&](std::size_t i) {
            EXPECT_EQ(i, prepared);
            wrongThread = wrongThread || std::this_thread::get_id() != caller;
            EXPECT_EQ(slots[i % kWindow], kJobs) << "slot of job " << i << " still in use";
            slots[i % kWindow] = i;
            widest = std::max(widest, ++prepared - finished);
        };
        hooks.work = [&](std::size_t i) {
            // Only this job's slot is touched.
            results[i % kWindow] = slots[i % kWindow] * 3;
        };
        hooks.finish = [&](std::size_t i) {
            EXPECT_EQ(i, finished);
            EXPECT_EQ(results[i % kWindow], 3 * i);
            slots[i % kWindow] = kJobs;
            ++finished;
        };
        dorvek::cli::RunOrdered(kJobs, threads, hooks);
        EXPECT_EQ(prepared, kJobs);
        EXPECT_EQ(finished, kJobs);
        EXPECT_LE(widest, kWindow);
        EXPECT_FALSE(wrongThread);
    }
    // A failing preparation stops the pool and reaches the caller.
    dorvek::cli::OrderedPoolHooks failing;
    failing.window = 4;
    failing.prepare = [](std::size_t i) {
        if (i == 6) throw std::runtime_error("prepare 6");
    };
    std::atomic<std::size_t> ran{0};
    failing.work = [&](std::size_t) { ++ran; };
    EXPECT_THROW(dorvek::cli::RunOrdered(100, 2, failing), std::runtime_error);
    EXPECT_LE(ran.load(), 6u);
}

TEST_F(ConcurrentRuns, MoreThreadsThanJobsAndNoJobs) {
    std::vector<int> hits(3, 0);
    dorvek::cli::OrderedPoolHooks hooks;
    hooks.work = [&](std::size_t i) { ++hits[i]; };
    dorvek::cli::RunOrdered(3, 16, hooks);
    EXPECT_EQ(hits, (std::vector<int>{1, 1, 1}));
    dorvek::cli::RunOrdered(0, 4, hooks);
}

} // namespace
