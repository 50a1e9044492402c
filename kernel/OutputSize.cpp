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

void WarnLargeOutputs(std::ostream& console, const Store& s, std::uint64_t reportSoFar,
                      std::uint64_t plotSoFar) {
    const OutputSizes added = SolutionOutputSizes(s);
    const std::uint64_t report = reportSoFar + added.report;
    const std::uint64_t plot = plotSoFar + added.plot;
    if (report <= kLargeOutputBytes && plot <= kLargeOutputBytes) return;
    console << " WARNING: the report will take about " << Megabytes(report)
            << " MB and the plot data file about " << Megabytes(plot) << " MB\n";
    if (s.iprint < 1 && !s.tipMovements.empty()) {
        console << " (" << s.tipMovements.size() << " tip movements, each listed over " << s.ninc
                << " increments; a print option of 1 leaves these lists out of the report).\n";
    } else {
        console << " (" << s.tipMovements.size() << " tip movements and " << s.loads.size()
                << " head loads over " << s.ninc << " increments).\n";
    }
    console.flush();
}

} // namespace dorvek
