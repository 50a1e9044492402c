#pragma once
// Warning blocks that the curve generators write to the report at the moment a curve
// cannot be built, and the result codes that go with them. Each block is also kept as the
// writer's notes (FixedWriter::keepNotes), so that a run without a report still has them.

#include "kernel/FixedFormat.h"
#include "kernel/Kernel.h"

#include <string_view>

namespace dorvek {

// Last lines of the "beyond the table" warning, naming the table.
inline constexpr std::string_view kStrengthCurveText = "THE INPUT STRENGTH CURVE";
inline constexpr std::string_view kUnitWeightCurveText = "THE INPUT CURVE FOR UNIT WEIGHT";
inline constexpr std::string_view kMaxLoadTransferText = "THE INPUT MAX. LOAD TRANSFER";

// The list line that precedes the unit-side warning: number of strength points, last XSTR.
void WarnStrengthExtent(FixedWriter& report, int count, float lastDepth);

// "**** WARNING ****" block of a depth below the end of a table.
void WarnBeyondTable(FixedWriter& report, float x, std::string_view table);

enum class CurveKind { Side, Tip };

// "**** WARNING ****" block of a curve that cannot be built: the depth, the input at fault
// (with its value when it is a number worth printing), why, and which curve is lost.
void WarnCurveInput(FixedWriter& report, CurveKind kind, float x, std::string_view input,
                    std::string_view reason);
void WarnCurveInput(FixedWriter& report, CurveKind kind, float x, std::string_view input,
                    const FieldValue& value, std::string_view reason);

// Reasons used with WarnCurveInput.
inline constexpr std::string_view kNotPositive = "IS NOT GREATER THAN ZERO:";
inline constexpr std::string_view kNotFinite = "IS NOT A FINITE NUMBER:";
inline constexpr std::string_view kNoCurveMethod = "IS NOT ONE OF THE SOIL TYPES 1 TO 6:";
inline constexpr std::string_view kNoFiniteCurve = "GIVES NO FINITE CURVE:";

// The run goes on without a tip curve: the tip lies below the last layer (or there are no
// layers), so the tip carries no load.
void WarnNoTipCurve(FixedWriter& report, bool noLayers);

// The run goes on with zero side resistance: there are no layers to build t-z curves from.
void WarnNoSideResistance(FixedWriter& report);

} // namespace dorvek
