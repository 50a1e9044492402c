#include "kernel/OutputSize.h"

#include <string>

namespace dorvek {

namespace {

// Line lengths with CR LF, from the layouts of the results (ReportResults.cpp and
// PlotResults.cpp).
constexpr std::uint64_t kNodeLine = 72;          // depth, total load, total movement
constexpr std::uint64_t kIncrementLine = 82;     // depth and five values of an increment
constexpr std::uint64_t kSummaryLine = 67;       // a summary row of four values
constexpr std::uint64_t kPlotTipLine = 39;       // plot file: an increment of a tip movement
constexpr std::uint64_t kPlotLoadLine = 41;      // plot file: an increment of a head load
constexpr std::uint64_t kDistributionHead = 500; // headings of one distribution
constexpr std::uint64_t kSectionHead = 500;      // headings of a summary or a load section

// Rounded, and at least 1.
std::uint64_t Megabytes(std::uint64_t bytes) {
    const std::uint64_t mb = (bytes + 500'000) / 1'000'000;
    return mb > 0 ? mb : 1;
}

} // namespace

OutputSizes SolutionOutputSizes(const Store& s) {
    const std::uint64_t ninc = s.ninc > 0 ? static_cast<std::uint64_t>(s.ninc) : 0;
    const std::uint64_t movements = s.tipMovements.size();
    const std::uint64_t loads = s.loads.size();
    OutputSizes size;
    size.report = 2 * kSectionHead + movements * kSummaryLine;
    if (s.iprint < 1)
        size.report +=
            movements * (kDistributionHead + ninc * (kNodeLine + kIncrementLine) + kNodeLine);
    size.plot = kSectionHead + movements * (ninc * kPlotTipLine + kSummaryLine);
    if (loads > 0) {
        size.report += kSectionHead + loads * kSummaryLine;
        size.plot += kSectionHead + loads * (7 + kSummaryLine + ninc * kPlotLoadLine);
    }
    return size;
}

OutputEstimate EstimateOutputs(const Store& s, std::uint64_t reportSoFar, std::uint64_t plotSoFar) {
    const OutputSizes added = SolutionOutputSizes(s);
    OutputEstimate estimate;
    estimate.report = reportSoFar + added.report;
    estimate.plot = plotSoFar + added.plot;
    estimate.ninc = s.ninc;
    estimate.tipMovements = s.tipMovements.size();
    estimate.loads = s.loads.size();
    estimate.distributionsListed = s.iprint < 1 && !s.tipMovements.empty();
    return estimate;
}

void WarnLargeOutputs(std::ostream& console, const Store& s, std::uint64_t reportSoFar,
                      std::uint64_t plotSoFar, std::uint64_t limit) {
    const OutputEstimate estimate = EstimateOutputs(s, reportSoFar, plotSoFar);
    if (!IsLarge(estimate, limit)) return;
    console << " WARNING: the report will take about " << Megabytes(estimate.report)
            << " MB and the plot data file about " << Megabytes(estimate.plot) << " MB\n";
    if (estimate.distributionsListed) {
        console << " (" << estimate.tipMovements << " tip movements, each listed over "
                << estimate.ninc
                << " increments; a print option of 1 leaves these lists out of the report).\n";
    } else {
        console << " (" << estimate.tipMovements << " tip movements and " << estimate.loads
                << " head loads over " << estimate.ninc << " increments).\n";
    }
    console.flush();
}

} // namespace dorvek
