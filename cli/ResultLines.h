#pragma once
// The lines dorvek-run prints for one analysed file: the result code and its meaning, the
// kernel's diagnostic, and on request the load-settlement summary with the output paths and
// the capacities by the usual criteria; the warning before a report or plot file of unusual
// size is written.

#include "kernel/Analysis.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace dorvek::cli {

// `capacities`: text printed after the summary (each line indented by two blanks).
void PrintResult(const std::string& name, int code, const AnalysisResult& results,
                 const RunFiles& files, bool summary, const std::string& capacities,
                 std::ostream& out);

// "120 kB", "154 MB", "1.5 GB" (decimal units).
std::string SizeText(std::uint64_t bytes);

// "dorvek-run: NAME: the report will be about 1.5 GB and the plot data file about 390 MB
// (NINC 10000, 1000 tip movements; ...)", with a line end.
std::string LargeOutputWarning(const std::string& name, const OutputEstimate& estimate);

} // namespace dorvek::cli
