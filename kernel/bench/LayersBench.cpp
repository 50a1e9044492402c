// Speed of a whole analysis (reading, curves, solution, report and plot file) of a project
// with many thin soil layers: 1 000, 10 000 and 100 000 layers of alternating clay and sand,
// 1 in thick, under a 60 ft pile of 50 increments. Every lookup in the strength table (four
// per generated curve, five curves per layer) must stay logarithmic in the number of layers.
#include "kernel/Kernel.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ManyLayersInput(int layers) {
    std::ostringstream in;
    in << "Many thin layers\n50 1 1\n1 1\n" << layers << "\n";
    for (int j = 0; j < layers; ++j)
        in << j + 1 << ' ' << (j % 2 == 0 ? 1 : 2) << ' ' << j << ' ' << j + 1 << "\n";
    for (int j = 0; j < layers; ++j) {
        if (j % 2 == 0)
            in << "0.0318 3.47 0 0.01 0 0 0 3.47 31.2\n0.0318 3.6 0 0.01 0 0 0 3.6 32\n";
        else
            in << "0.0365 0 36 0 30 0 0 6 1000\n0.0365 0 36.1 0 31 0 0 6.1 1010\n";
    }
    in << "2\n7.972E8 0\n7.972E8 720\n1E-5 720 0 18 254.469\n 0\n3\n100000\n200000\n300000\n"
       << " 0\n 0\n 0\n";
    return in.str();
}

void BM_ManyLayers(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("dorvek-bench-layers-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path input = dir / "layers.dv4d";
    std::ofstream(input, std::ios::binary) << ManyLayersInput(static_cast<int>(state.range(0)));
    const dorvek::RunFiles files{input.string(), (dir / "layers.dv4o").string(),
                                 (dir / "layers.dv4p").string(), (dir / "layers.dv4r").string()};
    std::ostringstream console;
    dorvek::RunOptions options;
    options.console = &console;
    for (auto _ : state) {
        console.str("");
        if (dorvek::RunAnalysis(files, dorvek::RunHeader{}, options) != dorvek::kRunCompleted)
            state.SkipWithError("the project did not run to completion");
    }
    state.counters["report_MB"] = static_cast<double>(fs::file_size(files.report)) / 1e6;
    fs::remove_all(dir);
}
BENCHMARK(BM_ManyLayers)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
