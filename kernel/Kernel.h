#pragma once
// The analysis kernel as seen from C++: one call is one complete analysis on files. The
// exported C entry IDORVEK (Entry.cpp) runs the same from names.dat; Analysis.h has the same
// analysis in memory, under both. Calls are independent: each has its own Store, so they may
// run in parallel threads.

#include "kernel/OutputSize.h"
#include "kernel/Store.h"

#include <ctime>
#include <functional>
#include <iosfwd>
#include <string>

namespace dorvek {

inline constexpr const char* kKernelVersion = "2021.4.4";

// The four files of a run (names.dat lines 5 to 8). An empty run-notes name creates none.
struct RunFiles {
    std::string input, report, plot, notes;
};

// The report header's items (names.dat lines 1 to 4).
struct RunHeader {
    std::string version = kKernelVersion;
    std::string organisation, location;
    int installation = 0;
};

struct AnalysisResult; // Analysis.h

struct RunOptions {
    std::ostream* console = nullptr; // stderr when null
    std::function<std::tm()> clock;  // local time when empty
    Store* results = nullptr;        // receives the store at the end, for callers that
                                     // print the summary
    // Receives the results at the end (as Analyse returns them); the curves and the
    // distributions only when asked for.
    AnalysisResult* result = nullptr;
    bool keepCurves = false;
    bool keepDistributions = false;
    // Before the solution is written, when the report or the plot file would pass
    // `largeOutputBytes`: the console gets a warning, or, when this is set, it is called
    // instead (on the run's thread), so that a caller that holds the console text back can
    // tell the user at once.
    std::function<void(const OutputEstimate&)> largeOutputs;
    std::uint64_t largeOutputBytes = kLargeOutputBytes;
};

// Result codes.
enum ResultCode : int {
    kRunCompleted = 0,
    kNotCalledForRun = 1, // first argument of IDORVEK not 4
    kFileError = 2,       // a named file could not be opened, read or written
    kInputError = 3,      // fatal input error
    // 4 to 8: a curve generator found a depth below its data (a warning block is in the report).
    kTipBelowUnitWeight = 4,
    kTipBelowStrength = 5,
    kCurveBelowSideFriction = 6,
    kTipBelowTipResistance = 7,
    kBelowOtherProperty = 8,
    kCurveInputError = 9, // a curve cannot be built from the input data (warning names it)
    kInternalError = 10,  // out of memory or another unexpected failure
};

int RunAnalysis(const RunFiles& files, const RunHeader& header, const RunOptions& options = {});
int RunFromNamesFile(const std::string& namesPath, const RunOptions& options = {});
const char* ResultCodeMeaning(int code);

} // namespace dorvek
