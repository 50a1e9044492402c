#pragma once
// The module's one way into the kernel: an analysis of a project's input text. Safe to call
// from several threads at once and without the interpreter's lock; it never throws.

#include "kernel/Kernel.h"
#include "kernel/Store.h"

#include <string>
#include <vector>

namespace dorvek::python {

struct AnalysisAsk {
    std::string name;   // names the input in the messages of input faults
    std::string report; // also write the report here (none when empty)
    std::string plot;   // also write the plot data file here (none when empty)
    bool curves = true;
    bool distributions = true;
};

struct Distribution {
    std::vector<float> depth, load, movement;
};

struct AnalysisOutcome {
    int code = kInternalError;
    std::string diagnostic; // why the run stopped (codes 2, 3, 9, 10)
    std::string warnings;   // the report's warning blocks
    std::string fileError;  // the report or plot file asked for could not be written
    int units = 0;
    std::vector<TipMovementResult> tipResults;
    std::vector<HeadLoadResult> loadResults;
    std::vector<TzCurve> tzCurves;
    std::vector<float> qwQ, qwW;
    std::vector<Distribution> tipDistributions, loadDistributions;
};

AnalysisOutcome Analyse(const std::string& text, const AnalysisAsk& ask);

} // namespace dorvek::python
