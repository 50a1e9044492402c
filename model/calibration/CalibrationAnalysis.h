#pragma once
// The one place where the calibration calls the analysis kernel: an input text in, the
// load-settlement results out, in memory (no file read or written). Safe to call from several
// threads at once.

#include "model/plots/ResultGraphs.h"

#include <string>

namespace dorvek {

struct TCalibrationAnalysis {
    int code = -1;          // the kernel's result code (0: run completed)
    std::string diagnostic; // why it stopped, for codes 2, 3 and 9
    // The tip-movement results and the applied loads (with convergence), in the input's
    // units, signs as the report prints them.
    TLoadSettlementSummary results;
};

TCalibrationAnalysis AnalyseForCalibration(const std::string& inputText);

} // namespace dorvek
