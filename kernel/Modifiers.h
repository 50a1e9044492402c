#pragma once
// Soil settlement profile (down-drag) and the depth-dependent t-z multipliers.

#include "kernel/Store.h"

namespace dorvek {

// Soil settlement at depth x; 0 outside the profile (and with no profile).
float SoilSettlementAt(const Store& s, float x);
// t- and z-multipliers at depth x; 1 outside the table or with fewer than two rows.
float TMultiplierAt(const Store& s, float x);
float ZMultiplierAt(const Store& s, float x);

} // namespace dorvek
