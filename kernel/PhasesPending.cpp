#include "Phases.h"

namespace dorvek {

// integration seam, replaced when the curve and solver code land
void GenerateTipMovements(Store&) {}
// integration seam, replaced when the curve and solver code land
void RunTipMovements(Store&, FixedWriter&, FixedWriter&) {}
// integration seam, replaced when the curve and solver code land
void RunHeadLoads(Store&, FixedWriter&, FixedWriter&, std::ostream&) {}

} // namespace dorvek
