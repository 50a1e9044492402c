#include "cli/ResultLines.h"

#include <algorithm>
#include <cstdio>

namespace dorvek::cli {

namespace {

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%16.4E", static_cast<double>(value));
    return text;
}

void PrintSummary(const AnalysisResult& s, const RunFiles& files, const std::string& capacities,
                  std::ostream& out) {
    const char* units = s.units == 1 ? "lb, in" : "kN, m";
    if (s.tipResults.empty()) {
        out << "  Load-settlement summary: no results\n";
    } else {
        out << "  Load-settlement summary (" << units << "):\n"
            << "         Head load   Head movement    Tip movement        Tip load\n";
        for (const TipMovementResult& r : s.tipResults) {
            out << Number(r.topLoad) << Number(r.topMove) << Number(r.tipMove) << Number(r.tipLoad)
                << "\n";
        }
    }
    std::size_t start = 0;
    while (start < capacities.size()) {
        std::size_t end = capacities.find('\n', start);
        if (end == std::string::npos) end = capacities.size();
        out << "  " << capacities.substr(start, end - start) << "\n";
        start = end + 1;
    }
    out << "  Report:    " << files.report << "\n"
        << "  Plot data: " << files.plot << "\n";
}

void PrintDiagnostic(const std::string& text, std::ostream& out) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out << "    " << text.substr(start, end - start) << "\n";
        start = end + 1;
    }
}

} // namespace

void PrintResult(const std::string& name, int code, const AnalysisResult& results,
                 const RunFiles& files, bool summary, const std::string& capacities,
                 std::ostream& out) {
    out << name << ": result " << code << ", " << ResultCodeMeaning(code) << "\n";
    if (!results.diagnostic.empty()) PrintDiagnostic(results.diagnostic, out);
    if (summary) PrintSummary(results, files, capacities, out);
}

std::string SizeText(std::uint64_t bytes) {
    char text[32];
    const double b = static_cast<double>(bytes);
    if (b >= 999.5e6)
        std::snprintf(text, sizeof text, "%.1f GB", b / 1e9);
    else if (b >= 999.5e3)
        std::snprintf(text, sizeof text, "%.0f MB", b / 1e6);
    else
        std::snprintf(text, sizeof text, "%.0f kB", std::max(1.0, b / 1e3));
    return text;
}

std::string LargeOutputWarning(const std::string& name, const OutputEstimate& estimate) {
    std::string text = "dorvek-run: " + name + ": the report will be about " +
                       SizeText(estimate.report) + " and the plot data file about " +
                       SizeText(estimate.plot) + " (NINC " + std::to_string(estimate.ninc) + ", " +
                       std::to_string(estimate.tipMovements) + " tip movement" +
                       (estimate.tipMovements == 1 ? "" : "s");
    if (estimate.loads > 0)
        text +=
            ", " + std::to_string(estimate.loads) + " head load" + (estimate.loads == 1 ? "" : "s");
    if (estimate.distributionsListed)
        text += "; print option 1 leaves the distributions along the pile out of the report";
    return text + ")\n";
}

} // namespace dorvek::cli
