#include "kernel/FixedFormat.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

// One run's worth of distribution lines of the report.
void BM_DistributionLines(benchmark::State& state) {
    constexpr int kLines = 10000;
    for (auto _ : state) {
        std::ostringstream out;
        dorvek::FixedWriter writer(out);
        for (int i = 0; i < kLines; ++i) {
            const float x = static_cast<float>(i);
            writer.write("1X,F6.1,1X,1PE10.3,1X,1PE10.3,10X,1PE10.3,1X,1PE10.3,10X,1PE10.3",
                         {x * 0.25f, x * 1.5e3f, -x * 0.37f, x * 2.1e4f, x * 1.3e-5f, x * 7e-4f});
        }
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_DistributionLines)->Unit(benchmark::kMillisecond);

} // namespace
