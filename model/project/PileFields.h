#pragma once
// The rules of the pile-property fields (captions, unit codes, limits), shared by the
// pile-properties dialog and every other way a value reaches the project.

#include "model/tables/DataEditModel.h"

#include <optional>
#include <string>

namespace dorvek {

struct TPileField {
    const char* Caption;
    const char* Units; // unit code of the caption, empty for none
    long double MinVal = TDataEditModel::DefaultMinVal;
    long double MaxVal = TDataEditModel::DefaultMaxVal;
    bool IntegerOnly = false;

    // The numeric field's message for a value that breaks these rules; nothing when it passes.
    std::optional<std::string> Fault(long double value) const;
};

namespace PileFields {
inline constexpr long double NoMin = TDataEditModel::DefaultMinVal;
inline constexpr TPileField Length{"Total Pile Length", "L", NoMin, 1000000};
inline constexpr TPileField Head{"Pile Head Coord.*", "L", NoMin, 1000000};
inline constexpr TPileField Tip{"Pile Tip Coord.", "L"};
inline constexpr TPileField Increments{"Number of Increments", "", 10, 500, true};
inline constexpr TPileField Diameter{"Outer Diameter", "L", NoMin, 1000000};
inline constexpr TPileField TipArea{"Area of Pile Tip", "L\u00b2", NoMin, 1000000000};
inline constexpr TPileField Tolerance{"Tolerance", "L", 0.000000001L, 1.0};
} // namespace PileFields

} // namespace dorvek
