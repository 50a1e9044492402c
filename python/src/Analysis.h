#pragma once
// The module's one way into the kernel: an analysis of a project's input text, in memory.
// Safe to call from several threads at once and without the interpreter's lock; it never
// throws.

#include "kernel/Analysis.h"

#include <string>

namespace dorvek::python {

struct AnalysisAsk {
    std::string input;  // the project's name in the report's header and in input faults
    std::string report; // also write the report here (none when empty)
    std::string plot;   // also write the plot data file here (none when empty)
    bool curves = true;
    bool distributions = true;
};

struct AnalysisOutcome : AnalysisResult {
    std::string fileError; // the report or plot file asked for could not be written
};

AnalysisOutcome Analyse(const std::string& text, const AnalysisAsk& ask);

} // namespace dorvek::python
