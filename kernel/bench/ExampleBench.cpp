// Speed of one whole analysis of the bundled example in process (reading, curves, solution,
// report and plot file), and the throughput of such analyses on one and two threads, each
// thread with its own files (analyses per second = items_per_second). The same in memory:
// from the input text or from the input read once, with the results only (what a study
// keeps) or with the report's and plot file's texts.
#include "kernel/Analysis.h"
#include "kernel/Kernel.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
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

std::string ExampleText() {
    std::ifstream in(fs::path(DORVEK_SOURCE_DIR) / "examples" / "driven-pile-clay-over-sand.dv4d",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

enum class Kept { Results, Everything };

void Analyse(benchmark::State& state, const dorvek::AnalysisRequest& request) {
    for (auto _ : state) {
        const dorvek::AnalysisResult result = dorvek::Analyse(request);
        if (result.code != dorvek::kRunCompleted)
            state.SkipWithError("the example did not run to completion");
        benchmark::DoNotOptimize(result.loadResults.data());
    }
    state.SetItemsProcessed(state.iterations());
}

dorvek::AnalysisRequest Request(Kept kept) {
    dorvek::AnalysisRequest request;
    const bool all = kept == Kept::Everything;
    request.curves = request.distributions = request.report = request.plot = all;
    request.clock = FixedClock;
    return request;
}

void BM_InMemoryFromText(benchmark::State& state, Kept kept) {
    dorvek::AnalysisRequest request = Request(kept);
    request.text = ExampleText();
    Analyse(state, request);
}
BENCHMARK_CAPTURE(BM_InMemoryFromText, results, Kept::Results)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Threads(1)
    ->Threads(2);
BENCHMARK_CAPTURE(BM_InMemoryFromText, everything, Kept::Everything)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Threads(1)
    ->Threads(2);

void BM_InMemoryFromData(benchmark::State& state) {
    const dorvek::InputReading reading = dorvek::ReadInputData(ExampleText());
    dorvek::AnalysisRequest request = Request(Kept::Results);
    request.input = &reading.input;
    Analyse(state, request);
}
BENCHMARK(BM_InMemoryFromData)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Threads(1)
    ->Threads(2);

} // namespace
