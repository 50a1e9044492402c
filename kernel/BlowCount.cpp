#include "kernel/BlowCount.h"

#include "kernel/StrengthTable.h"

#include <array>
#include <cstddef>

namespace dorvek {
namespace {

// One design curve: friction angle against blow count, read linearly between its points
// and held at its end values outside them.
template <std::size_t Size> struct BlowCurve {
    std::array<float, Size> n;
    std::array<float, Size> phi;

    float operator()(float count) const {
        if (!(count > n[0])) return phi[0];
        for (std::size_t i = 1; i < Size; ++i) {
            if (count == n[i]) return phi[i];
            if (count < n[i])
                return phi[i - 1] + (count - n[i - 1]) * (phi[i] - phi[i - 1]) / (n[i] - n[i - 1]);
        }
        return phi[Size - 1];
    }
};

constexpr BlowCurve<7> kCurveA{{0, 2, 4, 6, 10, 15, 20}, {0, 32, 34, 36, 38, 42, 45}};
constexpr BlowCurve<11> kCurveB{{6, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55},
                                {30, 32, 34, 36, 37, 39, 40, 41, 42, 44, 45}};
constexpr BlowCurve<17> kCurveC{
    {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90},
    {31, 32, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 42, 42, 43, 44, 44}};

// Blow counts above 55 (for p below 40).
float denseRange(float n, float p) {
    if (n < 90) {
        const float c = kCurveC(n);
        return c + (40 - p) * (45 - c) / 20;
    }
    if (n == 90) return kCurveC(90);
    return 50;
}

} // namespace

float PhiFromBlowCount(float n, float p) {
    if (p >= 40) {
        if (n <= 10) return kCurveC(10);
        if (n <= 90) return kCurveC(n);
        return 50;
    }
    if (p > 20) {
        if (n <= 6) return 30;
        if (n < 10) return 30 + 0.5f * (n - 6);
        if (n <= 55) {
            const float b = kCurveB(n);
            return b - (p - 20) * (b - kCurveC(n)) / 20;
        }
        return denseRange(n, p);
    }
    if (n < 6) {
        const float a = kCurveA(n);
        return a - (p / 20) * (a - 30);
    }
    if (n <= 20) {
        const float a = kCurveA(n);
        return a - p * (a - kCurveB(n)) / 20;
    }
    if (n <= 55) {
        const float b = kCurveB(n);
        return b + (20 - p) * (45 - b) / 20;
    }
    return denseRange(n, p);
}

float FrictionAngleFromBlowCount(const Store& s, float x, int& ierr, FixedWriter& report) {
    return FrictionAngleFromBlowCount(StrengthTable(s.strength), x, ierr, report);
}

float FrictionAngleFromBlowCount(const StrengthTable& t, float x, int& ierr, FixedWriter& report) {
    if (ierr > 0) return 0;
    const float n = PropertyAt(t, SoilProperty::BlowCount, x, ierr, report);
    if (ierr > 0 || !(n > 0)) return 0;
    return PhiFromBlowCount(n, 0);
}

} // namespace dorvek
