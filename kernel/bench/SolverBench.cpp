// Speed of the solution: the tip-movement run and the head-load run of a four-layer pile
// with one side curve per increment (NINC = 500), 18 generated tip movements and 50 head
// loads of both signs.
#include "Phases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <sstream>

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

} // namespace
