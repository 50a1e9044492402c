#include "cli/ResultLines.h"

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

} // namespace dorvek::cli
