#pragma once
// Running maximum of a sequence of depths, for lookups that scan a table from its first row
// for the first depth beyond x. The first row whose depth passes x is also the first whose
// running maximum passes it, so a binary search over the maxima finds exactly the row the
// scan finds, whatever the order of the depths: sorted tables (all tables that make sense)
// and unsorted ones give the same results as before, in O(log n) instead of O(n).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace dorvek {

class RunningMax {
public:
    // How a NaN depth compares in the scan being replaced: passed by every x, or by none.
    enum class NaN { PassedByAll, PassedByNone };

    RunningMax() = default;
    // depth(k) for k in [0, count).
    template <class Depth> RunningMax(std::size_t count, NaN nan, Depth depth) {
        const float nanAs = nan == NaN::PassedByAll ? std::numeric_limits<float>::infinity()
                                                    : -std::numeric_limits<float>::infinity();
        max_.reserve(count);
        float running = -std::numeric_limits<float>::infinity();
        for (std::size_t k = 0; k < count; ++k) {
            const float d = depth(k);
            running = std::max(running, std::isnan(d) ? nanAs : d);
            max_.push_back(running);
        }
    }

    std::size_t size() const { return max_.size(); }
    // The first k with depth(k) > x, size() when none; x must not be NaN.
    std::size_t firstAbove(float x) const {
        return static_cast<std::size_t>(std::upper_bound(max_.begin(), max_.end(), x) -
                                        max_.begin());
    }
    // The first k with depth(k) >= x, size() when none; x must not be NaN.
    std::size_t firstAtOrAbove(float x) const {
        return static_cast<std::size_t>(std::lower_bound(max_.begin(), max_.end(), x) -
                                        max_.begin());
    }

private:
    std::vector<float> max_;
};

} // namespace dorvek
