#include "Phases.h"

namespace dorvek {

// integration seam, replaced when the curve and solver code land
int GenerateReportSideCurves(Store&, FixedWriter&) {
    return 0;
}
// integration seam, replaced when the curve and solver code land
int GenerateSolverSideCurves(Store&, FixedWriter&) {
    return 0;
}
// integration seam, replaced when the curve and solver code land
int GenerateTipCurve(Store&, FixedWriter&) {
    return 0;
}
// integration seam, replaced when the curve and solver code land
void ReportTzCurves(const std::vector<TzCurve>&, bool, const Store&, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void ReportQwCurve(const Store&, bool, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void WritePlotTzBlock(const std::vector<TzCurve>&, bool, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void WritePlotQwBlock(const Store&, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void ApplyTzFactors(Store&) {}
// integration seam, replaced when the curve and solver code land
void ApplyQwFactors(Store&) {}
// integration seam, replaced when the curve and solver code land
void GenerateTipMovements(Store&) {}
// integration seam, replaced when the curve and solver code land
void RunTipMovements(Store&, FixedWriter&, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void RunHeadLoads(Store&, FixedWriter&, FixedWriter&, std::ostream&) {}

} // namespace dorvek
