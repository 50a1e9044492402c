#include "model/plots/Capacity.h"

#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorvek {

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

std::string Text(long double value) {
    return FormatGeneral(value, 4);
}

// The integral of dz / A over [a, b] where A runs linearly from a0 at z0 to a1 at z1.
long double LinearStretch(long double z0, long double a0, long double z1, long double a1,
                          long double a, long double b) {
    if (b <= a) return 0;
    const auto at = [&](long double z) { return a0 + (a1 - a0) * (z - z0) / (z1 - z0); };
    const long double aa = at(a), ab = at(b);
    if (aa <= 0 || ab <= 0) return kNaN;
    if (std::fabs(ab - aa) <= 1e-12L * std::max(aa, ab)) return (b - a) / aa;
    return (b - a) / (ab - aa) * std::log(ab / aa);
}

} // namespace

long double DavissonOffset(int units, long double diameter) {
    return (units == 2 ? 0.0038L : 0.15L) + diameter / 120;
}

long double PileFlexibility(const std::vector<TAeRow>& table, long double length) {
    if (table.empty() || !(length >= 0)) return kNaN;
    long double total = 0;
    // Constant ends: the first AE above the first row, the last AE below the last.
    const TAeRow& first = table.front();
    const TAeRow& last = table.back();
    if (first.depth > 0) {
        if (first.ae <= 0) return kNaN;
        total += std::min(first.depth, length) / first.ae;
    }
    for (std::size_t k = 0; k + 1 < table.size(); ++k) {
        const TAeRow& a = table[k];
        const TAeRow& b = table[k + 1];
        if (b.depth <= a.depth) continue;
        const long double from = std::max<long double>(a.depth, 0), to = std::min(b.depth, length);
        if (to <= from) continue;
        total += LinearStretch(a.depth, a.ae, b.depth, b.ae, from, to);
    }
    if (last.depth < length) {
        if (last.ae <= 0) return kNaN;
        total += (length - std::max<long double>(last.depth, 0)) / last.ae;
    }
    return total;
}

TCriterion DavissonCapacity(const std::vector<TCurvePoint>& curve, const TCapacityPile& pile) {
    TCriterion c;
    if (!std::isfinite(pile.flexibility) || pile.flexibility < 0) {
        c.why = "the pile's AE is not positive along its length";
        return c;
    }
    if (curve.size() < 2) {
        c.why = "fewer than two points";
        return c;
    }
    const long double offset = DavissonOffset(pile.units, pile.diameter);
    // Settlement beyond the offset line: negative below it.
    const auto beyond = [&](const TCurvePoint& p) {
        return p.settlement - (offset + pile.flexibility * p.load);
    };
    long double g0 = beyond(curve[0]);
    if (g0 >= 0) {
        c = {true, curve[0].load, curve[0].settlement, ""};
        return c;
    }
    for (std::size_t k = 1; k < curve.size(); ++k) {
        const long double g1 = beyond(curve[k]);
        if (g1 >= 0) {
            const long double t = g0 / (g0 - g1);
            const TCurvePoint& a = curve[k - 1];
            const TCurvePoint& b = curve[k];
            c.reached = true;
            c.load = a.load + t * (b.load - a.load);
            c.settlement = a.settlement + t * (b.settlement - a.settlement);
            return c;
        }
        g0 = g1;
    }
    c.why = "the curve does not reach the offset line (it ends at a settlement of " +
            Text(curve.back().settlement) + ", the line lies at " +
            Text(offset + pile.flexibility * curve.back().load) + " for its last load)";
    return c;
}

TCriterion TenPercentCapacity(const std::vector<TCurvePoint>& curve, long double diameter) {
    TCriterion c;
    const long double target = 0.1L * diameter;
    if (!(target > 0)) {
        c.why = "the diameter is not positive";
        return c;
    }
    // Settlements typed or read as decimals may miss the product 0.1 D by a rounding.
    const long double reach = target * (1 - 1e-9L);
    for (std::size_t k = 0; k < curve.size(); ++k) {
        const TCurvePoint& b = curve[k];
        if (b.settlement < reach) continue;
        if (b.settlement <= target || k == 0) {
            c = {true, b.load, b.settlement, ""};
            return c;
        }
        const TCurvePoint& a = curve[k - 1];
        const long double t = (target - a.settlement) / (b.settlement - a.settlement);
        c = {true, a.load + t * (b.load - a.load), target, ""};
        return c;
    }
    c.why = "the curve ends at a settlement of " +
            Text(curve.empty() ? 0 : curve.back().settlement) +
            ", short of 10 % of D = " + Text(target);
    return c;
}

TCriterion ChinKondnerCapacity(const std::vector<TCurvePoint>& curve, long double* a,
                               long double* b) {
    TCriterion c;
    long double largest = 0;
    for (const TCurvePoint& p : curve) largest = std::max(largest, p.load);
    std::vector<TCurvePoint> used;
    for (const TCurvePoint& p : curve)
        if (p.load > 0 && p.settlement > 0 && p.load >= 0.5L * largest) used.push_back(p);
    if (used.size() < 3) {
        c.why = "fewer than three points at or above half the largest load";
        return c;
    }
    // Least squares of y = s / P on x = s.
    long double mx = 0, my = 0;
    for (const TCurvePoint& p : used) {
        mx += p.settlement;
        my += p.settlement / p.load;
    }
    const auto n = static_cast<long double>(used.size());
    mx /= n;
    my /= n;
    long double sxx = 0, sxy = 0;
    for (const TCurvePoint& p : used) {
        const long double dx = p.settlement - mx;
        sxx += dx * dx;
        sxy += dx * (p.settlement / p.load - my);
    }
    if (!(sxx > 0)) {
        c.why = "the points used share one settlement";
        return c;
    }
    const long double slope = sxy / sxx, intercept = my - slope * mx;
    if (!(slope > 0)) {
        c.why = "s/P does not grow with s: the points show no hyperbolic limit";
        return c;
    }
    if (a) *a = intercept;
    if (b) *b = slope;
    c.reached = true;
    c.load = 1 / slope;
    return c;
}

TCapacities Capacities(const std::vector<TCurvePoint>& curve, const TCapacityPile& pile) {
    TCapacities result;
    result.davisson = DavissonCapacity(curve, pile);
    result.tenPercent = TenPercentCapacity(curve, pile.diameter);
    result.chin = ChinKondnerCapacity(curve, &result.chinA, &result.chinB);
    return result;
}

} // namespace dorvek
