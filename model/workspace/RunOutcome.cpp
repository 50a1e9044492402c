#include "model/workspace/RunOutcome.h"

#include "model/tables/NumberScan.h"

namespace dorvek {

namespace {

constexpr const char* NotConverged = "NOT ABLE TO GET CONVERGENCE";
// A block of the report is quoted up to this many lines.
constexpr size_t MaxQuoted = 10;

std::string Trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

// A report line as a message quotes it: trimmed, its runs of blanks made one.
std::string Quoted(const std::string& line) {
    std::string out;
    for (char c : Trimmed(line)) {
        if (c == '\t') c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

// "**** WARNING ****", "**** FATAL INPUT ERROR ****" and their kin.
bool IsBlockHeading(const std::string& line) {
    const std::string t = Trimmed(line);
    return t.size() > 8 && t.compare(0, 4, "****") == 0 && t.compare(t.size() - 4, 4, "****") == 0;
}

struct TBlock {
    int Line = -1;
    std::string Quote;
};

// The block that starts at a heading: its lines up to the first empty one.
TBlock BlockAt(const std::vector<std::string>& lines, size_t start) {
    TBlock block;
    block.Line = static_cast<int>(start);
    for (size_t i = start; i < lines.size() && i < start + MaxQuoted; ++i) {
        const std::string t = Trimmed(lines[i]);
        if (t.empty() || (i > start && IsBlockHeading(t))) break;
        block.Quote += "\n  " + Quoted(t);
    }
    return block;
}

// The last block of the report (the one that stopped the run), or the first (a warning of a
// completed run).
std::optional<TBlock> FindBlock(const std::vector<std::string>& lines, bool last) {
    std::optional<size_t> found;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!IsBlockHeading(lines[i])) continue;
        found = i;
        if (!last) break;
    }
    if (!found) return std::nullopt;
    return BlockAt(lines, *found);
}

std::string LoadUnit(int units) {
    return units == 2 ? "kN" : "lb";
}

std::string LengthText(long double value, const TRunFacts& facts) {
    return facts.Format(value) + (facts.Units == 2 ? " m" : " in");
}

std::string Advice(int code, const TRunFacts& facts) {
    switch (code) {
    case 2:
        return "Check that the project's folder can be written and that the report is not open "
               "in another program, then run again.";
    case 3:
        return "Correct the entry the report names, then run again.";
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        if (facts.SoilLayers && facts.LastBottom < facts.TipDepth)
            return "Extend the last soil layer below the pile tip (" +
                   LengthText(facts.TipDepth, facts) + ").";
        return "Check that the soil layers, with their data, reach below the pile tip (" +
               LengthText(facts.TipDepth, facts) + ") and that their bottoms grow with depth.";
    case 9:
        return "Enter a value greater than 0 for the input the warning names (Data > Soil Layers "
               "or Data > Pile Properties), then run again.";
    case 10:
        return "Save the project and report the problem together with the project file.";
    default:
        return "Read the end of the report for the cause.";
    }
}

} // namespace

std::string ResultMeaning(int code) {
    switch (code) {
    case 0:
        return "the run completed";
    case 1:
        return "the analysis library was not asked for a run";
    case 2:
        return "a file could not be opened or written";
    case 3:
        return "fatal input error";
    case 4:
        return "the pile tip lies below the deepest unit weight of the soil data";
    case 5:
        return "the pile tip lies below the strength data (undrained shear strength)";
    case 6:
        return "a t-z curve depth lies below the strength data (unit side friction)";
    case 7:
        return "the pile tip lies below the strength data (unit tip resistance)";
    case 8:
        return "a depth lies below the strength data (friction angle, blow count, z-peak or "
               "residual ratio)";
    case 9:
        return "a curve cannot be built from the input data";
    case 10:
        return "internal error";
    default:
        return "unknown result code";
    }
}

TRunOutcome RunOutcomeOf(int code, const std::string& report, const TRunFacts& facts) {
    const std::vector<std::string> lines = SplitLines(report);
    TRunOutcome outcome;
    outcome.Completed = code == 0;
    if (!outcome.Completed) {
        outcome.Message = "The analysis stopped before it was complete (result code " +
                          std::to_string(code) + "): " + ResultMeaning(code) + ".";
        if (const auto block = FindBlock(lines, true)) {
            outcome.Message += "\n\nThe report ends with:" + block->Quote;
            outcome.ReportLine = block->Line;
        } else {
            outcome.Message += "\n\nThe report holds no message about it.";
        }
        outcome.Message += "\n\n" + Advice(code, facts);
        return outcome;
    }

    outcome.Message = CompletedMessage;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(NotConverged) == std::string::npos) continue;
        const std::vector<long double> numbers = ScanNumbers(Trimmed(lines[i]), '.');
        if (numbers.empty()) continue;
        if (outcome.UnconvergedLoads.empty()) outcome.ReportLine = static_cast<int>(i);
        outcome.UnconvergedLoads.push_back(numbers.front());
    }
    if (!outcome.UnconvergedLoads.empty()) {
        std::string list;
        for (long double load : outcome.UnconvergedLoads)
            list += (list.empty() ? "" : ", ") + facts.Format(load) + " " + LoadUnit(facts.Units);
        const bool one = outcome.UnconvergedLoads.size() == 1;
        outcome.Message +=
            std::string(one ? "\n\nThis load at the pile head did not converge: "
                            : "\n\nThese loads at the pile head did not converge: ") +
            list +
            (one ? ". It is probably above the capacity of the pile: lower it, or "
                 : ". They are probably above the capacity of the pile: lower them, "
                   "or ") +
            "check the side and tip resistances.";
    } else if (const auto block = FindBlock(lines, false)) {
        outcome.Message += "\n\nThe report holds a warning:" + block->Quote;
        outcome.ReportLine = block->Line;
    }
    return outcome;
}

} // namespace dorvek
