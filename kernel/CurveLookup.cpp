#include "kernel/CurveLookup.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace dorvek {

float TipLoadAt(const std::vector<float>& q, const std::vector<float>& w, float wr) {
    return detail::FromOrigin(q.data(), w.data(), std::min(q.size(), w.size()), wr);
}

CurveDepths::CurveDepths(const std::vector<TzCurve>& curves)
    : curves_(&curves), depths_(curves.size(), RunningMax::NaN::PassedByAll,
                                [&curves](std::size_t j) { return curves[j].depth; }) {}

CurvePosition CurveDepths::locate(float x) const {
    const std::vector<TzCurve>& curves = *curves_;
    CurvePosition at;
    const int n = static_cast<int>(curves.size());
    if (n == 0) return at;
    // The first curve that is not shallower than x (every curve is not shallower than NaN).
    const int j = std::isnan(x) ? 0 : static_cast<int>(depths_.firstAtOrAbove(x));
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

CurvePosition LocateCurves(const std::vector<TzCurve>& curves, float x) {
    return CurveDepths(curves).locate(x);
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
