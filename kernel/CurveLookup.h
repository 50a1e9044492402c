#pragma once
// Table lookups of the solver: the tip curve, the side curves and the axial stiffness.
// Every lookup is finite for finite input: no division by a zero interval, no index
// before the first point.

#include "kernel/RunningMax.h"
#include "kernel/Store.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace dorvek {

namespace detail {

// Piecewise-linear value through (0, 0) and the points (x(k), y(k)); flat beyond the last
// point. The first k with x(k) >= v brackets v, so the interval below it is never empty.
// Inline: the solver calls it in its innermost loop.
inline float FromOrigin(const float* y, const float* x, std::size_t n, float v) {
    if (n == 0) return 0.0f;
    if (v <= x[0]) {
        if (x[0] == 0.0f) return y[0];
        return y[0] * (v / x[0]);
    }
    for (std::size_t k = 1; k < n; ++k) {
        if (x[k] >= v) {
            if (x[k] == v) return y[k];
            return y[k - 1] + (y[k] - y[k - 1]) * ((v - x[k - 1]) / (x[k] - x[k - 1]));
        }
    }
    return y[n - 1];
}

} // namespace detail

// Tip load at relative tip movement w: from the origin to the first point linearly, then
// between the bracketing points; the last Q beyond the last point; 0 without points.
float TipLoadAt(const std::vector<float>& q, const std::vector<float>& w, float wr);

// Load transfer on one curve at movement m (m >= 0): from the origin to the first point
// linearly, between the bracketing points, and the last t beyond the last point.
inline float CurveValueAt(const TzCurve& curve, float m) {
    return detail::FromOrigin(curve.t.data(), curve.z.data(),
                              std::min(curve.t.size(), curve.z.size()), m);
}

// Where a depth falls among the side curves: curve `upper` alone when `lower` < 0,
// otherwise the two curves interpolated with weight `fraction` toward `upper`.
struct CurvePosition {
    int lower = -1;
    int upper = -1; // -1: no curves at all (load transfer 0)
    float fraction = 0;
};

// The curves with a depth index, for locating many depths (one per pile increment) in
// O(log n) each. The first curve not shallower than x brackets it; curves out of depth order
// are searched as a scan from the first curve would search them. The curves must outlive it.
class CurveDepths {
public:
    explicit CurveDepths(const std::vector<TzCurve>& curves);
    CurveDepths(std::vector<TzCurve>&&) = delete; // would outlive its curves
    CurvePosition locate(float x) const;

private:
    const std::vector<TzCurve>* curves_;
    RunningMax depths_;
};

// CurveDepths::locate for a single depth (O(n): the index is built for it).
CurvePosition LocateCurves(const std::vector<TzCurve>& curves, float x);

// Load transfer at a located depth and movement m.
inline float SideValueAt(const std::vector<TzCurve>& curves, const CurvePosition& at, float m) {
    if (at.upper < 0) return 0.0f;
    const float upper = CurveValueAt(curves[static_cast<std::size_t>(at.upper)], m);
    if (at.lower < 0) return upper;
    const float lower = CurveValueAt(curves[static_cast<std::size_t>(at.lower)], m);
    return lower + (upper - lower) * at.fraction;
}

// Load transfer at depth x and movement m.
inline float SideValueAt(const std::vector<TzCurve>& curves, float x, float m) {
    return SideValueAt(curves, LocateCurves(curves, x), m);
}

// AE at depth y below the pile head; the end values beyond the ends of the table.
float AeAt(const std::vector<float>& depth, const std::vector<float>& ae, float y);

} // namespace dorvek
