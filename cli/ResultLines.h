#pragma once
// The lines dorvek-run prints for one analysed file: the result code and its meaning, the
// kernel's diagnostic, and on request the load-settlement summary with the output paths.

#include "kernel/Analysis.h"

#include <ostream>
#include <string>

namespace dorvek::cli {

void PrintResult(const std::string& name, int code, const AnalysisResult& results,
                 const RunFiles& files, bool summary, std::ostream& out);

} // namespace dorvek::cli
