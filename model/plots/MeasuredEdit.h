#pragma once
// The measured curves as the program's dialog edits them: a name and rows of two cell texts
// (head load, settlement) per curve. Every number goes through the expression evaluator.

#include "model/plots/MeasuredCurves.h"

#include <string>
#include <vector>

namespace dorvek {

struct TMeasuredEditRow {
    std::string load, settlement;
};

struct TMeasuredEditCurve {
    std::string name;
    std::vector<TMeasuredEditRow> rows;
};

// The curves' points as texts that read back to them.
std::vector<TMeasuredEditCurve> MeasuredEditCurves(const TMeasuredCurves& curves);

// Back to curves in the unit system `units`: rows with both cells empty are skipped, a curve
// without a name is called "Curve N". A cell that is not a number, a row with one cell
// empty, or points that are not a measured curve raise EMeasuredError naming the curve and
// the row ("Curve "Test 1", row 3: ...").
TMeasuredCurves MeasuredCurvesFromEdit(const std::vector<TMeasuredEditCurve>& curves, int units);

} // namespace dorvek
