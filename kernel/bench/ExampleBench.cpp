// Speed of one whole analysis of the bundled example in process (reading, curves, solution,
// report and plot file), and the throughput of such analyses on one and two threads, each
// thread with its own files (analyses per second = items_per_second).
#include "kernel/Kernel.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::tm FixedClock() {
    return std::tm{};
}

void BM_ExampleAnalysis(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("dorvek-bench-" + std::to_string(getpid()) +
                                                      "-" + std::to_string(state.thread_index()));
    fs::create_directories(dir);
    const fs::path input = dir / "example.dv4d";
    fs::copy_file(fs::path(DORVEK_SOURCE_DIR) / "examples" / "driven-pile-clay-over-sand.dv4d",
                  input, fs::copy_options::overwrite_existing);
    const dorvek::RunFiles files{input.string(), (dir / "example.dv4o").string(),
                                 (dir / "example.dv4p").string(), (dir / "example.dv4r").string()};
    std::ostringstream console;
    dorvek::RunOptions options;
    options.console = &console;
    options.clock = FixedClock;
    for (auto _ : state) {
        console.str("");
        if (dorvek::RunAnalysis(files, dorvek::RunHeader{}, options) != dorvek::kRunCompleted)
            state.SkipWithError("the example did not run to completion");
    }
    state.SetItemsProcessed(state.iterations());
    fs::remove_all(dir);
}
BENCHMARK(BM_ExampleAnalysis)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(2);

} // namespace
