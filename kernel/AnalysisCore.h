#pragma once
// Steps 5 to 10 of a run, shared by the run on files (Run.cpp) and the analysis in memory
// (Analysis.cpp): the input taken in, the curves built, the pile solved, each phase writing
// its part of the report and of the plot data file to the writers given. A writer without a
// stream formats nothing, so an analysis that asks for neither costs only its arithmetic.

#include "kernel/FixedFormat.h"
#include "kernel/InputData.h"
#include "kernel/Store.h"

#include <functional>
#include <ostream>
#include <string>

namespace dorvek {

struct AnalysisWriters {
    FixedWriter& report;
    FixedWriter& plot;
    std::ostream& console; // the banner of the head-load run
    // Called once the whole input is in, before the solution (the run on files tells there
    // how large its outputs will grow).
    std::function<void(const Store&)> beforeSolution;
};

// From the text of an input data file; `inputName` names it in the messages of input faults.
// Returns the result code; s holds what the run made (s.diagnostic says why it stopped).
int AnalyseText(std::string text, const std::string& inputName, Store& s, const AnalysisWriters& w);

// From input read before; the report and plot file are those of a run from the text.
int AnalyseData(const InputData& input, Store& s, const AnalysisWriters& w);

// What a caller of the analysis gets of the store at the end (Analysis.h), moved out of it.
struct AnalysisResult;
AnalysisResult ResultsOf(int code, Store& s);

// Ends the report of a run that stopped: the heading, the text and "The analysis was
// stopped."; s.diagnostic keeps the text. Returns `code`.
int StopRun(int code, const std::string& heading, const std::string& text, Store& s,
            FixedWriter& report);

} // namespace dorvek
