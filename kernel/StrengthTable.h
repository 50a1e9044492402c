#pragma once
// Lookups in the strength-versus-depth table. Every soil property used by the curve
// generators comes through the one interpolation rule below.

#include "kernel/FixedFormat.h"
#include "kernel/RunningMax.h"
#include "kernel/Store.h"

#include <optional>
#include <vector>

namespace dorvek {

// The rows with a depth index, built once for many lookups (a generator's whole set of
// curves); each lookup then takes O(log n). The rows must outlive the table.
class StrengthTable {
public:
    explicit StrengthTable(const std::vector<StrengthRow>& rows);
    StrengthTable(std::vector<StrengthRow>&&) = delete; // would outlive its rows

    const std::vector<StrengthRow>& rows() const { return *rows_; }

    // Column of the table at depth x. The bracket is the first row strictly deeper than x and
    // the row before it, so at a layer boundary (two rows at one depth) the deeper layer
    // applies; a bracket of zero length gives the mean of its two values; above the first row
    // the first bracket is extended. Empty below the last row (a depth equal to it is inside).
    // Rows out of depth order are searched as a scan from the first row would search them.
    std::optional<float> valueAt(float StrengthRow::*column, float x) const;

private:
    const std::vector<StrengthRow>* rows_;
    RunningMax below_; // depths of rows 1 to n - 1: the candidates for the lower bracket row
};

// StrengthTable::valueAt for a single lookup (O(n): the index is built for it).
std::optional<float> StrengthValueAt(const std::vector<StrengthRow>& rows,
                                     float StrengthRow::*column, float x);

// The properties the generators look up, and their columns.
enum class SoilProperty { UnitSide, Phi, BlowCount, ZPeak, TresRatio, C1, EE50, UnitTip };

// The lookups of the generators. Below the last row each writes its warning block to the
// report, sets ierr and returns 0: the unit side friction sets 6 (after a line with the number
// of rows and the last depth), C1 and EE50 set 5, the unit tip resistance 7, the others 8.
// Loops over many depths build the StrengthTable once and call PropertyAt; the named forms
// taking the Store build it for one lookup.
float PropertyAt(const StrengthTable& t, SoilProperty property, float x, int& ierr,
                 FixedWriter& report);

float UnitSideAt(const Store& s, float x, int& ierr, FixedWriter& report);
float PhiAt(const Store& s, float x, int& ierr, FixedWriter& report);
float BlowCountAt(const Store& s, float x, int& ierr, FixedWriter& report);
float ZPeakAt(const Store& s, float x, int& ierr, FixedWriter& report);
float TresRatioAt(const Store& s, float x, int& ierr, FixedWriter& report);
float C1At(const Store& s, float x, int& ierr, FixedWriter& report);
float EE50At(const Store& s, float x, int& ierr, FixedWriter& report);
float UnitTipAt(const Store& s, float x, int& ierr, FixedWriter& report);

} // namespace dorvek
