#include "kernel/CurveLookup.h"

#include <algorithm>
#include <cstddef>

namespace dorvek {

float TipLoadAt(const std::vector<float>& q, const std::vector<float>& w, float wr) {
    return detail::FromOrigin(q.data(), w.data(), std::min(q.size(), w.size()), wr);
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
