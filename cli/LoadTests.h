#pragma once
// Measured load tests in dorvek-run: the curves of --measured (read once, taken in each
// project's units), the curves of a project's side file, and the capacities by the usual
// criteria of the computed curve and of each measured one.

#include "kernel/Analysis.h"
#include "model/plots/LoadTestOverlay.h"

#include <ostream>
#include <string>
#include <vector>

namespace dorvek::cli {

// Reads every --measured file; false after saying why on `err`.
bool ReadGivenCurves(const std::vector<std::string>& files, std::vector<TMeasuredCurve>& curves,
                     std::ostream& err);

// The curves of the side file beside `input` (a fault is told on `err`, when given, and the
// file left out) followed by the given ones, all in the unit system `units`.
TMeasuredCurves MeasuredCurvesFor(const std::string& input, int units,
                                  const std::vector<TMeasuredCurve>& given, std::ostream* err);

// The capacities of the analysis' computed curve and of the project's measured curves as
// text for the summary; empty when the analysis has no load-settlement results.
std::string CapacityText(const AnalysisResult& s, const std::string& input,
                         const std::vector<TMeasuredCurve>& given, std::ostream* err);

// The results and the pile of an analysis as the capacity criteria take them.
TLoadSettlementSummary SummaryOf(const AnalysisResult& s);
TCapacityPile CapacityPileOf(const AnalysisResult& s);

} // namespace dorvek::cli
