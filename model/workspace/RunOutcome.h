#pragma once
// What the program tells the user after a run: built from the kernel's result code and the
// report it wrote. A run that stopped names the code's meaning, quotes the report's warning
// or error block and says what to do; a completed run lists the loads at the pile head that
// did not converge.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dorvek {

inline constexpr const char* CompletedMessage =
    "Computations are completed. Please, check output file for results or error messages.";

// What the advice looks at besides the report.
struct TRunFacts {
    int Units = 1;              // 1 English, 2 S.I.
    long double TipDepth = 0;   // head coordinate + pile length
    bool SoilLayers = false;    // curves are generated from soil layers
    long double LastBottom = 0; // bottom of the last soil layer (with SoilLayers)
    // Renders a number for the message (the user's decimal separator).
    std::function<std::string(long double)> Format;
};

struct TRunOutcome {
    bool Completed = false;
    std::string Message;
    // 0-based line of the report to show first (the quoted block, or the first load that did
    // not converge); nothing: the top.
    std::optional<int> ReportLine;
    // Loads at the pile head that did not converge, as the report gives them.
    std::vector<long double> UnconvergedLoads;
};

// The meaning of a result code, for the user.
std::string ResultMeaning(int code);

TRunOutcome RunOutcomeOf(int code, const std::string& report, const TRunFacts& facts);

} // namespace dorvek
