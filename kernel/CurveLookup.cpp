#include "CurveLookup.h"

#include <algorithm>
#include <cstddef>

namespace dorvek {

namespace {

// Piecewise-linear value through (0, 0) and the points (x(k), y(k)); flat beyond the last
// point. The first k with x(k) >= v brackets v, so the interval below it is never empty.
float FromOrigin(const float* y, const float* x, std::size_t n, float v) {
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

} // namespace

float TipLoadAt(const std::vector<float>& q, const std::vector<float>& w, float wr) {
    return FromOrigin(q.data(), w.data(), std::min(q.size(), w.size()), wr);
}

float CurveValueAt(const TzCurve& curve, float m) {
    return FromOrigin(curve.t.data(), curve.z.data(), std::min(curve.t.size(), curve.z.size()), m);
}

CurvePosition LocateCurves(const std::vector<TzCurve>& curves, float x) {
    CurvePosition at;
    const int n = static_cast<int>(curves.size());
    if (n == 0) return at;
    int j = 0;
    while (j < n && curves[j].depth < x) ++j;
    if (j == n) {
        at.upper = n - 1; // at or below the deepest curve
    } else if (j == 0 || curves[j].depth == x) {
        at.upper = j; // above the first curve, or exactly at a curve
    } else {
        at.lower = j - 1;
        at.upper = j;
        at.fraction = (x - curves[j - 1].depth) / (curves[j].depth - curves[j - 1].depth);
    }
    return at;
}

float SideValueAt(const std::vector<TzCurve>& curves, const CurvePosition& at, float m) {
    if (at.upper < 0) return 0.0f;
    const float upper = CurveValueAt(curves[at.upper], m);
    if (at.lower < 0) return upper;
    const float lower = CurveValueAt(curves[at.lower], m);
    return lower + (upper - lower) * at.fraction;
}

float AeAt(const std::vector<float>& depth, const std::vector<float>& ae, float y) {
    const std::size_t n = std::min(depth.size(), ae.size());
    if (n == 0) return 0.0f;
    if (y <= depth[0]) return ae[0];
    for (std::size_t k = 1; k < n; ++k) {
        if (depth[k] >= y) {
            return ae[k - 1] +
                   (ae[k] - ae[k - 1]) * ((y - depth[k - 1]) / (depth[k] - depth[k - 1]));
        }
    }
    return ae[n - 1];
}

} // namespace dorvek
