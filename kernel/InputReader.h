#pragma once
// Reading of the input data file into the Store, with its echo in the report. The run reads
// it in two parts because the curves are built in between: first the model (title to pile
// line), then the loading (tip movements to Q-w factors). A fault is thrown as InputError.

#include "kernel/FixedFormat.h"
#include "kernel/FreeFormat.h"
#include "kernel/Store.h"

#include <vector>

namespace dorvek {

// Largest number of pile increments accepted: the store is sized by it, so it is bounded
// well above what the program offers.
inline constexpr int kMaxIncrements = 10000;

// Title, control line, curve-source line, user t-z curves, user Q-w curve, layer block,
// stiffness block and pile line.
void ReadModelInput(FreeFormatReader& in, Store& s, FixedWriter& report);

// Tip movements, pile-head loads, settlement profile, t-z factors and Q-w factors. Builds
// the tip movement list and applies the factors to the curves in place.
void ReadLoadingInput(FreeFormatReader& in, Store& s, FixedWriter& report);

// The same records as they stand in the file: no tip movement list is built (the movements
// stay in their order), no factor applied, nothing echoed.
void ReadLoadingRecords(FreeFormatReader& in, Store& s);

// The tip movement list of the run: the given movements sorted ascending (and echoed), or
// the generated ones when NTIP = 0.
void BuildTipMovementList(Store& s, FixedWriter& report);

// The t-z and Q-w factors applied to the solver curves and the tip curve, when given.
void ApplyLoadingFactors(Store& s);

// Ascending order by selection: the smallest remaining value is swapped into each place.
void SortAscending(std::vector<float>& values);

// Unit texts of the report headings for the unit system in s.iunit.
void SetUnitLabels(Store& s);

} // namespace dorvek
