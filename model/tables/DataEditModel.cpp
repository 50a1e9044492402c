#include "model/tables/DataEditModel.h"

#include "model/tables/Evaluator.h"
#include "model/tables/NumberFormat.h"
#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace dorvek {

namespace {

constexpr long double IntMin = INT_MIN;
constexpr long double IntMax = INT_MAX;

} // namespace

long double TDataEditModel::Number() const {
    return EvaluateExpression(fText);
}

std::string TDataEditModel::DisplayText(long double value) const {
    // A hexadecimal text reads back only for whole non-negative values within 64 bits;
    // anything else is shown in the general form, which always reads back.
    long double rounded = std::round(value);
    if (fHex && std::isfinite(rounded) && rounded >= 0 && rounded < 18446744073709551616.0L) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%04llX", static_cast<unsigned long long>(rounded));
        return std::string("$") + digits;
    }
    return FormatGeneral(value, 8);
}

void TDataEditModel::SetNumber(long double value) {
    if (!fLoading) value = std::clamp(value, fMinVal, fMaxVal);
    fText = DisplayText(value);
}

bool TDataEditModel::OutsideLimits() const {
    try {
        const long double value = Number();
        return value < fMinVal || value > fMaxVal;
    } catch (const std::exception&) {
        return false; // not a number: the validation says so when the field is left
    }
}

void TDataEditModel::SetMinVal(long double value) {
    if (fLoading) {
        fMinVal = value;
        return;
    }
    value = std::min(value, fMaxVal);
    if (fIntegerOnly) value = std::clamp(value, IntMin, IntMax);
    fMinVal = value;
    try {
        if (value > Number()) SetNumber(value);
    } catch (const std::exception&) {
        // A text that is no number is left for the validation to report.
    }
}

void TDataEditModel::SetMaxVal(long double value) {
    if (fLoading) {
        fMaxVal = value;
        return;
    }
    value = std::max(value, fMinVal);
    if (fIntegerOnly) value = std::clamp(value, IntMin, IntMax);
    fMaxVal = value;
    try {
        if (value < Number()) SetNumber(value);
    } catch (const std::exception&) {
    }
}

void TDataEditModel::SetIntegerOnly(bool value) {
    fIntegerOnly = value;
    if (!value || fLoading) return;
    SetMaxVal(fMaxVal);
    SetMinVal(fMinVal);
}

std::optional<std::string> TDataEditModel::Validate() {
    fOK = false;
    long double value = 0;
    try {
        value = Number();
    } catch (const EvaluationError& error) {
        if (fIntegerOnly) return std::string("Entry must be a valid integer.");
        return std::string(error.what());
    } catch (const ArithmeticError& error) {
        // No value can be stored; the field refuses the text like any other bad entry.
        return std::string(error.what());
    }
    if (std::optional<std::string> fault = Fault(value)) {
        // A value beyond a limit is replaced by the limit.
        const bool whole = !fIntegerOnly || value == std::trunc(value);
        if (std::isfinite(value) && whole && value < fMinVal) SetNumber(fMinVal);
        if (std::isfinite(value) && whole && value > fMaxVal) SetNumber(fMaxVal);
        return fault;
    }
    fText = DisplayText(value);
    fOK = true;
    return std::nullopt;
}

std::optional<std::string> TDataEditModel::Fault(long double value) const {
    if (!std::isfinite(value)) return std::string("Entry could not be evaluated");
    if (fIntegerOnly && value != std::trunc(value)) return std::string("Entry must be an integer.");
    if (value < fMinVal) return "Entry must be greater than or equal to " + DisplayText(fMinVal);
    if (value > fMaxVal) return "Entry must be less than or equal to " + DisplayText(fMaxVal);
    return std::nullopt;
}

void TDataEditModel::SetUnits(int system) {
    fUnits = std::clamp(system, 1, 3);
}

std::string TDataEditModel::LabelText() const {
    if (fUnitsString.empty()) return fCaption;
    return fCaption + " (" + FieldUnitLabel(fUnitsString, fUnits) + ")";
}

bool TDataEditModel::AppendsToValue(char typed, bool wholeTextSelected) {
    return wholeTextSelected && typed != '\0' && std::strchr("+/*^=%!", typed) != nullptr;
}

} // namespace dorvek
