#pragma once
// Table lookups of the solver: the tip curve, the side curves and the axial stiffness.
// Every lookup is finite for finite input: no division by a zero interval, no index
// before the first point.

#include "Store.h"

#include <vector>

namespace dorvek {

// Tip load at relative tip movement w: from the origin to the first point linearly, then
// between the bracketing points; the last Q beyond the last point; 0 without points.
float TipLoadAt(const std::vector<float>& q, const std::vector<float>& w, float wr);

// Load transfer on one curve at movement m (m >= 0): from the origin to the first point
// linearly, between the bracketing points, and the last t beyond the last point.
float CurveValueAt(const TzCurve& curve, float m);

// Where a depth falls among the side curves: curve `upper` alone when `lower` < 0,
// otherwise the two curves interpolated with weight `fraction` toward `upper`.
struct CurvePosition {
    int lower = -1;
    int upper = -1; // -1: no curves at all (load transfer 0)
    float fraction = 0;
};
CurvePosition LocateCurves(const std::vector<TzCurve>& curves, float x);

// Load transfer at a located depth and movement m.
float SideValueAt(const std::vector<TzCurve>& curves, const CurvePosition& at, float m);

// Load transfer at depth x and movement m.
inline float SideValueAt(const std::vector<TzCurve>& curves, float x, float m) {
    return SideValueAt(curves, LocateCurves(curves, x), m);
}

// AE at depth y below the pile head; the end values beyond the ends of the table.
float AeAt(const std::vector<float>& depth, const std::vector<float>& ae, float y);

} // namespace dorvek
