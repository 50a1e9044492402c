#include "kernel/StrengthTable.h"

#include "kernel/Warnings.h"

#include <cstddef>
#include <string_view>

namespace dorvek {

std::optional<float> StrengthValueAt(const std::vector<StrengthRow>& rows,
                                     float StrengthRow::*column, float x) {
    const std::size_t n = rows.size();
    if (n == 0) return std::nullopt;
    if (n == 1) {
        if (x <= rows[0].xstr) return rows[0].*column;
        return std::nullopt;
    }
    std::size_t k = 1;
    while (k < n && !(x < rows[k].xstr)) ++k;
    if (k == n) {
        // Only the last depth itself is inside (a NaN depth is not).
        if (!(x == rows[n - 1].xstr)) return std::nullopt;
        k = n - 1;
    }
    const StrengthRow& upper = rows[k - 1];
    const StrengthRow& lower = rows[k];
    const float v0 = upper.*column;
    const float v1 = lower.*column;
    if (upper.xstr == lower.xstr) return (v0 + v1) / 2;
    return v0 + (x - upper.xstr) * ((v1 - v0) / (lower.xstr - upper.xstr));
}

namespace {

float lookup(const Store& s, float StrengthRow::*column, float x, int code, std::string_view table,
             int& ierr, FixedWriter& report) {
    if (const auto value = StrengthValueAt(s.strength, column, x)) return *value;
    WarnBeyondTable(report, x, table);
    ierr = code;
    return 0;
}

} // namespace

float UnitSideAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    if (const auto value = StrengthValueAt(s.strength, &StrengthRow::unitSide, x)) return *value;
    const float last = s.strength.empty() ? 0.0f : s.strength.back().xstr;
    WarnStrengthExtent(report, static_cast<int>(s.strength.size()), last);
    WarnBeyondTable(report, x, kStrengthCurveText);
    ierr = kCurveBelowSideFriction;
    return 0;
}

float PhiAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::phi1, x, kBelowOtherProperty, kStrengthCurveText, ierr, report);
}

float BlowCountAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::blowCount, x, kBelowOtherProperty, kStrengthCurveText, ierr,
                  report);
}

float ZPeakAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::zpeak, x, kBelowOtherProperty, kStrengthCurveText, ierr, report);
}

float TresRatioAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::tresRatio, x, kBelowOtherProperty, kStrengthCurveText, ierr,
                  report);
}

float C1At(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::c1, x, kTipBelowStrength, kStrengthCurveText, ierr, report);
}

float EE50At(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::ee50, x, kTipBelowStrength, kStrengthCurveText, ierr, report);
}

float UnitTipAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return lookup(s, &StrengthRow::unitTip, x, kTipBelowTipResistance, kMaxLoadTransferText, ierr,
                  report);
}

} // namespace dorvek
