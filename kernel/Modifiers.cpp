#include "kernel/Modifiers.h"

#include "kernel/Phases.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace dorvek {
namespace {

// First k >= 1 (0-based) with depth[k] >= x; n when there is none.
std::size_t firstAtOrBelow(const std::vector<float>& depth, std::size_t n, float x) {
    std::size_t k = 1;
    while (k < n && !(depth[k] >= x)) ++k;
    return k;
}

// Multiplier column at depth x: 1 outside the table; at a repeated depth the deeper row.
float multiplierAt(const std::vector<float>& depth, const std::vector<float>& factor, float x) {
    const std::size_t n = std::min(depth.size(), factor.size());
    if (n < 2 || x < depth[0] || x > depth[n - 1]) return 1;
    const std::size_t k = firstAtOrBelow(depth, n, x);
    if (k == n) return 1; // only a NaN depth gets here
    if (x == depth[n - 1]) return factor[k];
    if (x == depth[k]) return depth[k + 1] == depth[k] ? factor[k + 1] : factor[k];
    // depth[k - 1] <= x < depth[k]: the bracket has a length.
    return factor[k - 1] +
           (factor[k] - factor[k - 1]) / (depth[k] - depth[k - 1]) * (x - depth[k - 1]);
}

} // namespace

float SoilSettlementAt(const Store& s, float x) {
    const std::vector<float>& depth = s.settleDepth;
    const std::vector<float>& settle = s.settlement;
    const std::size_t n = std::min(depth.size(), settle.size());
    if (n == 0 || x < depth[0] || x > depth[n - 1]) return 0;
    // A single point describes no distribution; it holds only at its own depth.
    if (n == 1) return x == depth[0] ? settle[0] : 0;
    const std::size_t k = firstAtOrBelow(depth, n, x);
    if (k == n) return 0; // only a NaN depth gets here
    if (x == depth[n - 1]) return settle[k];
    if (x == depth[k])
        return depth[k + 1] == depth[k] ? (settle[k] + settle[k + 1]) / 2 : settle[k];
    return settle[k - 1] +
           (settle[k] - settle[k - 1]) / (depth[k] - depth[k - 1]) * (x - depth[k - 1]);
}

float TMultiplierAt(const Store& s, float x) {
    return multiplierAt(s.tzfDepth, s.tzfT, x);
}

float ZMultiplierAt(const Store& s, float x) {
    return multiplierAt(s.tzfDepth, s.tzfZ, x);
}

void ApplyTzFactors(Store& s) {
    if (s.tzFactorFlag < 1) return;
    for (TzCurve& c : s.sideCurves) {
        const float tm = TMultiplierAt(s, c.depth);
        const float zm = ZMultiplierAt(s, c.depth);
        for (float& t : c.t) t *= tm;
        for (float& z : c.z) z *= zm;
    }
}

void ApplyQwFactors(Store& s) {
    if (s.qwFactorFlag < 1) return;
    for (float& q : s.qwQ) q *= s.qMultiplier;
    for (float& w : s.qwW) w *= s.wMultiplier;
}

} // namespace dorvek
