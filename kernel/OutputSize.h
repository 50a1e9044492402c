#pragma once
// How large the solution makes the report and the plot file, told on the console before it
// is written when either would pass a size no one expects from a small input: NINC 10 000
// with 1 000 tip movements lists 1.5 GB of distributions along the pile.

#include "kernel/Store.h"

#include <cstddef>
#include <cstdint>
#include <ostream>

namespace dorvek {

inline constexpr std::uint64_t kLargeOutputBytes = 100'000'000;

struct OutputSizes {
    std::uint64_t report = 0;
    std::uint64_t plot = 0;
};

// Bytes the tip-movement and head-load solutions add to the report and the plot file (a
// slight overestimate: every line at its full width).
OutputSizes SolutionOutputSizes(const Store& s);

// What the report and the plot file will hold once the solution is written, with what they
// hold already, and what makes them so large.
struct OutputEstimate {
    std::uint64_t report = 0;
    std::uint64_t plot = 0;
    int ninc = 0;
    std::size_t tipMovements = 0;
    std::size_t loads = 0;
    bool distributionsListed = false; // every tip movement's distributions are in the report
};
OutputEstimate EstimateOutputs(const Store& s, std::uint64_t reportSoFar, std::uint64_t plotSoFar);

// Whether the report or the plot file would pass `limit` bytes.
inline bool IsLarge(const OutputEstimate& estimate, std::uint64_t limit = kLargeOutputBytes) {
    return estimate.report > limit || estimate.plot > limit;
}

// Writes a warning to the console when the report or the plot file, with what they hold
// already, would pass `limit` bytes.
void WarnLargeOutputs(std::ostream& console, const Store& s, std::uint64_t reportSoFar,
                      std::uint64_t plotSoFar, std::uint64_t limit = kLargeOutputBytes);

} // namespace dorvek
