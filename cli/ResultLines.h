#pragma once
// The lines dorvek-run prints for one analysed file: the result code and its meaning, the
// kernel's diagnostic, and on request the load-settlement summary with the output paths and
// the capacities by the usual criteria.

#include "kernel/Analysis.h"

#include <ostream>
#include <string>

namespace dorvek::cli {

// `capacities`: text printed after the summary (each line indented by two blanks).
void PrintResult(const std::string& name, int code, const AnalysisResult& results,
                 const RunFiles& files, bool summary, const std::string& capacities,
                 std::ostream& out);

} // namespace dorvek::cli
