#pragma once
// Friction angle of sands from the blow count.

#include "kernel/FixedFormat.h"
#include "kernel/Store.h"
#include "kernel/StrengthTable.h"

namespace dorvek {

// Friction angle (degrees) from blow count n on the family of three design curves indexed by
// p (0, 20, 40). Where the curves give nothing (p >= 40 with n <= 10, and n = 90) the nearest
// listed point of the p = 40 curve applies; beyond n = 90 the angle is 50 for every p.
float PhiFromBlowCount(float n, float p);

// Friction angle from the BLOW COUNT at depth x; 0 when the blow count is not positive.
// Does nothing and returns 0 when ierr is set on entry; below the strength table it writes
// the warning block and sets ierr = 8. The curves are entered with p = 0, as everywhere.
float FrictionAngleFromBlowCount(const Store& s, float x, int& ierr, FixedWriter& report);
float FrictionAngleFromBlowCount(const StrengthTable& t, float x, int& ierr, FixedWriter& report);

} // namespace dorvek
