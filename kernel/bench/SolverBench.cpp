// Speed of the solution: the tip-movement run and the head-load run of a four-layer pile
// with one side curve per increment (NINC = 500), 18 generated tip movements and 50 head
// loads of both signs; and the full analysis of such a project from its input file.
#include "kernel/Kernel.h"
#include "kernel/Phases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using dorvek::FixedWriter;
using dorvek::Store;
using dorvek::TzCurve;

// Shape of a 10-point curve: movement and load ratios; `residual` is the ratio kept
// beyond the peak (1 for a hardening curve).
TzCurve Shape(float depth, float tmax, float zpeak, float residual) {
    constexpr std::array<float, 10> zr = {0.0f,  0.05f, 0.1f, 0.25f, 0.5f,
                                          0.75f, 1.0f,  1.5f, 3.0f,  10.0f};
    constexpr std::array<float, 10> tr = {0.0f,  0.2f, 0.35f, 0.6f, 0.8f,
                                          0.93f, 1.0f, 1.0f,  1.0f, 1.0f};
    TzCurve c;
    c.depth = depth;
    for (std::size_t k = 0; k < zr.size(); ++k) {
        const float ratio =
            zr[k] > 1.0f ? 1.0f + (residual - 1.0f) * std::min(1.0f, (zr[k] - 1.0f) / 2.0f) : tr[k];
        c.z.push_back(zr[k] * zpeak);
        c.t.push_back(ratio * tmax);
    }
    return c;
}

// Pile 100 ft long, 18 in wide, in soft clay, medium sand, stiff clay and dense sand.
Store FourLayerPile() {
    Store s;
    s.title = std::string(72, ' ');
    s.ninc = 500;
    s.iprint = 0;
    s.iunit = 1;
    s.labelL = "IN.";
    s.labelF = "LBS";
    s.labelP = "PSI";
    s.length = 1200.0f;
    s.head = 0.0f;
    s.diameter = 18.0f;
    s.tipArea = 254.5f;
    s.tol = 1.0e-5f;
    s.aeDepth = {0.0f, 600.0f, 1200.0f};
    s.ae = {1.0e9f, 1.1e9f, 1.2e9f};

    const float dz = s.length / static_cast<float>(s.ninc);
    for (int i = s.ninc - 1; i >= 0; --i) {
        const float x = s.length - (static_cast<float>(i) + 0.5f) * dz;
        if (x < 300.0f)
            s.sideCurves.push_back(Shape(x, 2.0f + x / 150.0f, 0.2f, 0.8f));
        else if (x < 600.0f)
            s.sideCurves.push_back(Shape(x, 6.0f + x / 100.0f, 0.1f, 1.0f));
        else if (x < 900.0f)
            s.sideCurves.push_back(Shape(x, 14.0f, 0.25f, 0.9f));
        else
            s.sideCurves.push_back(Shape(x, 10.0f + x / 60.0f, 0.1f, 1.0f));
    }
    s.qwW = {0.0f, 0.018f, 0.09f, 0.18f, 0.36f, 0.54f, 0.72f, 0.9f};
    s.qwQ = {0.0f, 3.2e4f, 7.6e4f, 1.04e5f, 1.36e5f, 1.6e5f, 1.8e5f, 2.0e5f};

    s.ntipRead = 0;
    s.negativeLoads = 25;
    s.positiveLoads = 25;
    dorvek::GenerateTipMovements(s);
    return s;
}

// 25 tension and 25 compression loads up to 90 % of what the pile carries at the largest
// tip movements.
void AddLoads(Store& s) {
    std::ostringstream report, plot;
    FixedWriter r(report), p(plot);
    dorvek::RunTipMovements(s, r, p);
    float lowest = 0, highest = 0;
    for (const auto& row : s.tipResults) {
        lowest = std::min(lowest, row.topLoad);
        highest = std::max(highest, row.topLoad);
    }
    s.loads.clear();
    for (int k = 1; k <= 25; ++k) {
        const float share = 0.9f * static_cast<float>(k) / 25.0f;
        s.loads.push_back(share * highest);
        s.loads.push_back(share * lowest);
    }
}

void BM_TipMovementRun(benchmark::State& state) {
    Store s = FourLayerPile();
    for (auto _ : state) {
        std::ostringstream report, plot;
        FixedWriter r(report), p(plot);
        dorvek::RunTipMovements(s, r, p);
        benchmark::DoNotOptimize(report.str().size() + plot.str().size());
    }
}
BENCHMARK(BM_TipMovementRun)->Unit(benchmark::kMillisecond);

void BM_HeadLoadRun(benchmark::State& state) {
    Store s = FourLayerPile();
    AddLoads(s);
    int converged = 0;
    for (auto _ : state) {
        std::ostringstream report, plot, console;
        FixedWriter r(report), p(plot);
        dorvek::RunHeadLoads(s, r, p, console);
        converged = static_cast<int>(std::count_if(s.loadResults.begin(), s.loadResults.end(),
                                                   [](const auto& l) { return l.converged; }));
        benchmark::DoNotOptimize(plot.str().size());
    }
    state.counters["converged"] = converged;
}
BENCHMARK(BM_HeadLoadRun)->Unit(benchmark::kMillisecond);

// Input file of a 100 ft pipe pile, 18 in wide, in soft clay, medium sand, stiff clay (API)
// and dense sand (API), with generated curves and tip movements and the given loads.
std::string FourLayerInput(const std::vector<float>& loads) {
    std::ostringstream in;
    in << "Four layers, 500 increments\n500 0 1\n1 1\n4\n"
       << "1 1 0 300\n2 2 300 600\n3 5 600 900\n4 6 900 1500\n"
       << "0.0318 2.5 0.0 0.02 0 0.0 0.0 2.5 22.5\n"
       << "0.0318 5.0 0.0 0.01 0 0.0 0.0 5.0 45\n"
       << "0.0365 0.0 32 0 15 0.0 0.0 2.5 400\n"
       << "0.0365 0.0 34 0 25 0.0 0.0 4.5 700\n"
       << "0.0330 8.0 0.0 0.007 0 0.1 0.8 8.0 72\n"
       << "0.0330 10.0 0.0 0.005 0 0.1 0.8 10.0 90\n"
       << "0.0380 0.0 36 0 35 0.1 1.0 7.0 1200\n"
       << "0.0380 0.0 38 0 45 0.1 1.0 9.5 1600\n"
       << "2\n7.972E8 0\n7.972E8 1200\n1E-5 1200 0 18 254.469\n0\n"
       << loads.size() << "\n";
    for (float load : loads) in << load << "\n";
    in << "0\n0\n0\n";
    return in.str();
}

class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("dorvek-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    dorvek::RunFiles files() const {
        const auto at = [&](const char* name) { return (path_ / name).string(); };
        return {at("bench.dv4d"), at("bench.dv4o"), at("bench.dv4p"), at("bench.dv4r")};
    }

private:
    std::filesystem::path path_;
};

int Analyse(const dorvek::RunFiles& files, Store* results) {
    std::ostringstream console;
    dorvek::RunOptions options;
    options.console = &console;
    options.results = results;
    return dorvek::RunAnalysis(files, {}, options);
}

void BM_FullAnalysis(benchmark::State& state) {
    BenchFolder folder;
    const dorvek::RunFiles files = folder.files();
    // A first run without loads finds what the pile carries; the loads go up to 90 % of it
    // in compression and in tension.
    std::ofstream(files.input) << FourLayerInput({1.0f, -1.0f});
    Store first;
    if (Analyse(files, &first) != 0) {
        state.SkipWithError("the four-layer project does not run");
        return;
    }
    float lowest = 0, highest = 0;
    for (const auto& row : first.tipResults) {
        lowest = std::min(lowest, row.topLoad);
        highest = std::max(highest, row.topLoad);
    }
    std::vector<float> loads;
    for (int k = 1; k <= 25; ++k) {
        const float share = 0.9f * static_cast<float>(k) / 25.0f;
        loads.push_back(share * highest);
        loads.push_back(share * lowest);
    }
    std::ofstream(files.input) << FourLayerInput(loads);

    Store last;
    for (auto _ : state) benchmark::DoNotOptimize(Analyse(files, &last));
    state.counters["tipMovements"] = static_cast<double>(last.tipResults.size());
    state.counters["converged"] =
        static_cast<double>(std::count_if(last.loadResults.begin(), last.loadResults.end(),
                                          [](const auto& l) { return l.converged; }));
}
BENCHMARK(BM_FullAnalysis)->Unit(benchmark::kMillisecond);

} // namespace
