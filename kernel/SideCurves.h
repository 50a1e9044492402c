#pragma once
// The six t-z curve shapes. Each fills the ten points of a curve (point 1 is the origin)
// from the curve's TMAX (and PHI for driven sand). Movements of types 1 and 2 are fixed
// lengths (inches, or metres in S.I.); types 3 to 6 scale with the diameter d or with zpeak.

#include "kernel/Store.h"

namespace dorvek {

inline constexpr int kGeneratedPoints = 10;

void SideCurveDrivenClay(TzCurve& c, bool si);
// Rewrites TMAX with its own value (in S.I. through lb/ft2 and back).
void SideCurveDrivenSand(TzCurve& c, bool si);
void SideCurveShaftClay(TzCurve& c, float d);
void SideCurveShaftSand(TzCurve& c, float d);
void SideCurveApiClay(TzCurve& c, float d, float zpeak, float tres);
void SideCurveApiSand(TzCurve& c, float d, float zpeak);

// Initial modulus of the driven-sand hyperbola, lb/ft2 per inch, from the friction angle.
float DrivenSandModulus(float phi);

// Peak movement of the API shapes: zpeak when positive, else 0.01 * d.
inline float ApiPeakMovement(float d, float zpeak) {
    return zpeak > 0 ? zpeak : 0.01f * d;
}

} // namespace dorvek
