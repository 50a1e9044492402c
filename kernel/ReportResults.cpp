#include "kernel/ReportResults.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dorvek {

namespace {

constexpr const char* kTipCaption = "/,/,8X,\"RESULTS DUE TO TIP MOVEMENTS\",/,"
                                    "8X,\"----------------------------\",/";
constexpr const char* kLoadCaption = "/,/,8X,\"RESULTS DUE TO APPLIED LOADS\",/,"
                                     "8X,\"----------------------------\",/";
constexpr const char* kSummaryRow = "1PE17.4,3(1PE16.4)";
// Distribution rows: depth, TOTAL LOAD, TOTAL MVMNT at a node; depth, LOAD TRANSFER,
// LOAD INCR, AVG LOAD, DEFORM OF INCR, AVG MVMNT at an increment's mid-point.
// The second layout is the node line, "/" and the increment line, repeated per increment.
constexpr const char* kNodeLine = "1X,F6.1,8X,14X,1PE10.3,21X,1PE10.3";
constexpr const char* kNodeAndIncrementLines =
    "1X,F6.1,8X,14X,1PE10.3,21X,1PE10.3,/,"
    "1X,F6.1,1X,1PE10.3,1X,1PE10.3,10X,1PE10.3,1X,1PE10.3,10X,1PE10.3";

void SummaryHeading(const Store& s, FixedWriter& report) {
    report.write("/,8X,\"TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT\",5X,\"TIP  LOAD\"");
    report.write("11X,A3,13X,A3,14X,A3,12X,A3", {s.labelF, s.labelL, s.labelL, s.labelF});
}

// Movements are printed from the soil's original position when the solution ran in the
// downward sense relative to a settling soil.
float MovementOffset(const SolverSetup& setup, const PileSolution& sol) {
    return setup.downDrag && !sol.mirrored ? setup.tipSettlement : 0.0f;
}

} // namespace

PrintedIncrement PrintedIncrementAt(const SolverSetup& setup, const PileSolution& sol, int i) {
    const auto k = static_cast<std::size_t>(i);
    const bool m = sol.mirrored;
    return {setup.midDepth[k],
            AsReported(sol.transfer[k], m),
            AsReported(sol.loadIncr[k], m),
            AsReported(sol.avgLoad[k], m),
            AsReported(sol.deform[k], m),
            AsReported(sol.avgMove[k] + MovementOffset(setup, sol), m)};
}

PrintedNode PrintedNodeAt(const SolverSetup& setup, const PileSolution& sol, int i) {
    const auto k = static_cast<std::size_t>(i);
    const bool m = sol.mirrored;
    return {sol.nodeDepth[k], AsReported(sol.nodeLoad[k], m),
            AsReported(sol.nodeMove[k] + MovementOffset(setup, sol), m)};
}

void ReportTipMovementOpening(const Store& s, FixedWriter& report) {
    report.list();
    report.list();
    report.write("1X,A72", {s.title});
    report.write(kTipCaption);
}

void ReportDistribution(const Store& s, const SolverSetup& setup, const PileSolution& sol,
                        FixedWriter& report) {
    report.write("\" \"");
    const float tipLoad = AsReported(sol.tipLoad, sol.mirrored);
    if (!setup.downDrag) {
        report.write("/,/,8X,\"APPLIED TIP MOVEMENT\",8X,\"TIP   LOAD\"");
        report.write("17X,A3,20X,A3", {s.labelL, s.labelF});
        report.write("1PE23.4,1PE23.4", {sol.tipMove, tipLoad});
    } else {
        report.write("/,8X,\"USER DEFINED\",8X,\"   SOIL     \",8X,\"     NET    \",8X,"
                     "\"    TIP     \",/,8X,\"TIP MOVEMENT\",8X,\" SETTLEMENT \",8X,"
                     "\"TIP MOVEMENT\",8X,\"    LOAD    \"");
        report.write("14X,A3,17X,A3,17X,A3,17X,A3", {s.labelL, s.labelL, s.labelL, s.labelF});
        report.write("4(1PE20.4)", {sol.tipMove, setup.tipSettlement,
                                    sol.tipMove - setup.tipSettlement, tipLoad});
    }
    report.write("/,/,/,1X,\"DEPTH     LOAD\",7X,\"LOAD\",6X,\"TOTAL\",6X,\"AVG\",6X,\"DEFORM\","
                 "5X,\"TOTAL     AVG\",/,9X,\"TRANSFER     INCR\",6X,\"LOAD\",7X,\"LOAD\",5X,"
                 "\"OF INCR    MVMNT     MVMNT\"");
    report.write("2X,A3,5X,A3,10X,A3,7X,A3,8X,A3,6X,A3,8X,A3,7X,A3",
                 {s.labelL, s.labelP, s.labelF, s.labelF, s.labelF, s.labelL, s.labelL, s.labelL});
    // Node line of each increment's lower end followed by its increment line, all in one
    // call (the layout repeats per increment); then the node line of the pile head.
    std::vector<FieldValue> rows;
    rows.reserve(9 * static_cast<std::size_t>(setup.ninc));
    for (int i = 0; i < setup.ninc; ++i) {
        const PrintedNode node = PrintedNodeAt(setup, sol, i);
        const PrintedIncrement inc = PrintedIncrementAt(setup, sol, i);
        rows.insert(rows.end(), {node.depth, node.load, node.move, inc.depth, inc.transfer,
                                 inc.loadIncr, inc.avgLoad, inc.deform, inc.avgMove});
    }
    if (!rows.empty()) report.write(kNodeAndIncrementLines, rows);
    const PrintedNode head = PrintedNodeAt(setup, sol, setup.ninc);
    report.write(kNodeLine, {head.depth, head.load, head.move});
}

void ReportSummary(const Store& s, FixedWriter& report) {
    report.write("\" \"");
    report.write("1X,A72", {s.title});
    report.write(kTipCaption);
    SummaryHeading(s, report);
    for (const TipMovementResult& r : s.tipResults)
        report.write(kSummaryRow, {r.topLoad, r.topMove, r.tipMove, r.tipLoad});
}

void ReportLoadOpening(const Store& s, FixedWriter& report) {
    report.write("\"1\"");
    report.write("8X,A72", {s.title});
    report.write(kLoadCaption);
    SummaryHeading(s, report);
}

void ReportLoadRow(const HeadLoadResult& r, FixedWriter& report) {
    if (r.converged)
        report.write(kSummaryRow, {r.load, r.topMove, r.tipMove, r.tipLoad});
    else
        report.write("1PE17.4,5X,\"NOT ABLE TO GET CONVERGENCE\"", {r.load});
}

void ReportSolvedAgainNote(const std::vector<int>& loadNumbers, FixedWriter& report) {
    if (loadNumbers.empty()) return;
    std::string list;
    for (std::size_t k = 0; k < loadNumbers.size(); ++k) {
        if (k > 0) list += k + 1 == loadNumbers.size() ? " AND " : ", ";
        list += std::to_string(loadNumbers[k]);
    }
    const bool one = loadNumbers.size() == 1;
    const std::string text =
        "NOTE: " + std::string(one ? "LOAD " : "LOADS ") + list + (one ? " WAS" : " WERE") +
        " SOLVED AGAIN IN THE FIRST BRACKET OF TIP MOVEMENTS THAT CARRIES " +
        (one ? "IT" : "THEM") +
        ": THE FIRST EQUILIBRIUM OF A LOAD RISING FROM ZERO (THE SEARCH FROM THE NEAREST ROW "
        "OF THE TIP-MOVEMENT RESULTS HAD PASSED A PEAK OF THE LOAD-SETTLEMENT CURVE OR HAD NOT "
        "CONVERGED).";
    // Words wrapped at 80 columns; continuation lines indented under the first word's text.
    constexpr std::size_t kWidth = 79, kIndent = 6;
    report.list();
    std::string line;
    std::size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        const std::size_t room = kWidth - (first ? 0 : kIndent);
        if (!line.empty() && line.size() + 1 + word.size() > room) {
            report.write(first ? "1X,A" : "7X,A", {line});
            first = false;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty()) report.write(first ? "1X,A" : "7X,A", {line});
}

} // namespace dorvek
