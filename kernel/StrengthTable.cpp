#include "kernel/StrengthTable.h"

#include "kernel/Warnings.h"

#include <cmath>
#include <cstddef>
#include <string_view>

namespace dorvek {

StrengthTable::StrengthTable(const std::vector<StrengthRow>& rows)
    : rows_(&rows), below_(rows.empty() ? 0 : rows.size() - 1, RunningMax::NaN::PassedByNone,
                           [&rows](std::size_t k) { return rows[k + 1].xstr; }) {}

std::optional<float> StrengthTable::valueAt(float StrengthRow::*column, float x) const {
    const std::vector<StrengthRow>& rows = *rows_;
    const std::size_t n = rows.size();
    if (n == 0) return std::nullopt;
    if (n == 1) {
        if (x <= rows[0].xstr) return rows[0].*column;
        return std::nullopt;
    }
    // The first row after the first that is strictly deeper than x (none for a NaN x).
    std::size_t k = std::isnan(x) ? n : 1 + below_.firstAbove(x);
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

std::optional<float> StrengthValueAt(const std::vector<StrengthRow>& rows,
                                     float StrengthRow::*column, float x) {
    return StrengthTable(rows).valueAt(column, x);
}

namespace {

struct PropertyLookup {
    float StrengthRow::*column;
    int code;               // ierr below the table
    std::string_view table; // the warning's name of the table
};

PropertyLookup LookupOf(SoilProperty property) {
    switch (property) {
    case SoilProperty::UnitSide:
        return {&StrengthRow::unitSide, kCurveBelowSideFriction, kStrengthCurveText};
    case SoilProperty::Phi:
        return {&StrengthRow::phi1, kBelowOtherProperty, kStrengthCurveText};
    case SoilProperty::BlowCount:
        return {&StrengthRow::blowCount, kBelowOtherProperty, kStrengthCurveText};
    case SoilProperty::ZPeak:
        return {&StrengthRow::zpeak, kBelowOtherProperty, kStrengthCurveText};
    case SoilProperty::TresRatio:
        return {&StrengthRow::tresRatio, kBelowOtherProperty, kStrengthCurveText};
    case SoilProperty::C1:
        return {&StrengthRow::c1, kTipBelowStrength, kStrengthCurveText};
    case SoilProperty::EE50:
        return {&StrengthRow::ee50, kTipBelowStrength, kStrengthCurveText};
    case SoilProperty::UnitTip:
        break;
    }
    return {&StrengthRow::unitTip, kTipBelowTipResistance, kMaxLoadTransferText};
}

} // namespace

float PropertyAt(const StrengthTable& t, SoilProperty property, float x, int& ierr,
                 FixedWriter& report) {
    const PropertyLookup lookup = LookupOf(property);
    if (const auto value = t.valueAt(lookup.column, x)) return *value;
    if (property == SoilProperty::UnitSide) {
        const std::vector<StrengthRow>& rows = t.rows();
        const float last = rows.empty() ? 0.0f : rows.back().xstr;
        WarnStrengthExtent(report, static_cast<int>(rows.size()), last);
    }
    WarnBeyondTable(report, x, lookup.table);
    ierr = lookup.code;
    return 0;
}

float UnitSideAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::UnitSide, x, ierr, report);
}

float PhiAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::Phi, x, ierr, report);
}

float BlowCountAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::BlowCount, x, ierr, report);
}

float ZPeakAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::ZPeak, x, ierr, report);
}

float TresRatioAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::TresRatio, x, ierr, report);
}

float C1At(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::C1, x, ierr, report);
}

float EE50At(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::EE50, x, ierr, report);
}

float UnitTipAt(const Store& s, float x, int& ierr, FixedWriter& report) {
    return PropertyAt(StrengthTable(s.strength), SoilProperty::UnitTip, x, ierr, report);
}

} // namespace dorvek
