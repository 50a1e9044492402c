#pragma once
// Lookups in the strength-versus-depth table. Every soil property used by the curve
// generators comes through the one interpolation rule below.

#include "kernel/FixedFormat.h"
#include "kernel/Store.h"

#include <optional>
#include <vector>

namespace dorvek {

// Column of the strength table at depth x. The bracket is the first row strictly deeper than
// x and the row before it, so at a layer boundary (two rows at one depth) the deeper layer
// applies; a bracket of zero length gives the mean of its two values; above the first row the
// first bracket is extended. Empty below the last row (a depth equal to it is inside).
std::optional<float> StrengthValueAt(const std::vector<StrengthRow>& rows,
                                     float StrengthRow::*column, float x);

// The lookups of the generators. Below the last row each writes its warning block to the
// report, sets ierr and returns 0: UnitSideAt sets 6 (after a line with the number of rows
// and the last depth), C1At and EE50At 5, UnitTipAt 7, the others 8.
float UnitSideAt(const Store& s, float x, int& ierr, FixedWriter& report);
float PhiAt(const Store& s, float x, int& ierr, FixedWriter& report);
float BlowCountAt(const Store& s, float x, int& ierr, FixedWriter& report);
float ZPeakAt(const Store& s, float x, int& ierr, FixedWriter& report);
float TresRatioAt(const Store& s, float x, int& ierr, FixedWriter& report);
float C1At(const Store& s, float x, int& ierr, FixedWriter& report);
float EE50At(const Store& s, float x, int& ierr, FixedWriter& report);
float UnitTipAt(const Store& s, float x, int& ierr, FixedWriter& report);

} // namespace dorvek
