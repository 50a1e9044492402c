#pragma once
// The phases of one run, in the order the run driver calls them. Each phase reads and
// fills the Store and writes its part of the report and of the plot data file.

#include "kernel/FixedFormat.h"
#include "kernel/Store.h"

#include <ostream>
#include <vector>

namespace dorvek {

// ---- t-z and Q-w curves ---------------------------------------------------------------
// The generators return the run's error code: 0, or 4..9 after writing the warning block
// to the report (the run then stops). 9: a curve cannot be built from the input data (the
// warning names the input at fault, e.g. EE50 = 0 at a driven-clay tip, or D = 0).

// Five report curves per layer into s.sideCurves.
int GenerateReportSideCurves(Store& s, FixedWriter& report);
// One curve per pile increment mid-depth into s.sideCurves (replacing the report set).
int GenerateSolverSideCurves(Store& s, FixedWriter& report);
// The Q-w curve for the soil at the tip into s.qwQ / s.qwW (left empty when the tip lies
// below the last layer).
int GenerateTipCurve(Store& s, FixedWriter& report);

// Report echo of t-z curves ("USER-DEFINED T-Z CURVES" or "INTERNALLY GENERATED T-Z CURVES").
void ReportTzCurves(const std::vector<TzCurve>& curves, bool userDefined, const Store& s,
                    FixedWriter& report);
// Report echo of the Q-w curve in s.qwQ / s.qwW.
void ReportQwCurve(const Store& s, bool userDefined, FixedWriter& report);

// Plot data file, block 1 (t-z curves; generated curves capped at 30) and block 2 (Q-w).
void WritePlotTzBlock(const std::vector<TzCurve>& curves, bool userDefined, FixedWriter& plot);
void WritePlotQwBlock(const Store& s, FixedWriter& plot);

// Multipliers, applied once: to every curve of s.sideCurves / to the tip curve.
void ApplyTzFactors(Store& s);
void ApplyQwFactors(Store& s);

// ---- tip movements and the solution ----------------------------------------------------

// NTIP = 0: the 9 or 18 generated tip movements, by the signs of the loads read.
void GenerateTipMovements(Store& s);

// The tip-movement run: per-movement distribution (when IPRINT < 1), plot block 3 and the
// load-settlement summary.
void RunTipMovements(Store& s, FixedWriter& report, FixedWriter& plot);

// The pile-head-load run (only called when at least one load was read): report section
// "RESULTS DUE TO APPLIED LOADS" and plot block 4. Writes the console banner first.
void RunHeadLoads(Store& s, FixedWriter& report, FixedWriter& plot, std::ostream& console);

} // namespace dorvek
