#include "kernel/SideCurves.h"

#include <array>
#include <cstddef>

namespace dorvek {
namespace {

using Points = std::array<float, kGeneratedPoints>;

// Driven piles: movements in inches, and the same in metres.
constexpr Points kDrivenMoveIn{0, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f};
constexpr Points kDrivenMoveM{0,         0.000254f, 0.000508f, 0.001016f, 0.001524f,
                              0.002032f, 0.003048f, 0.004064f, 0.0127f,   0.254f};
constexpr Points kDrivenClayRatio{0, 0.18f, 0.38f, 0.79f, 0.97f, 1.0f, 0.97f, 0.93f, 0.93f, 0.93f};

// Drilled shafts: movements as fractions of the diameter.
constexpr Points kShaftMove{0,      0.001f, 0.002f, 0.003f, 0.005f,
                            0.006f, 0.008f, 0.012f, 0.016f, 0.1f};
constexpr Points kShaftClayRatio{0,      0.51f,  0.72f,  0.9f, 0.925f,
                                 0.945f, 0.955f, 0.925f, 0.9f, 0.835f};
constexpr Points kShaftSandRatio{0,     0.335f, 0.58f,  0.72f, 0.86f,
                                 0.91f, 0.95f,  0.965f, 0.96f, 0.95f};

// API: movements as multiples of the peak movement.
constexpr Points kApiMove{0, 0.16f, 0.31f, 0.57f, 0.8f, 1.0f, 2.0f, 3.0f, 5.0f, 20.0f};
constexpr Points kApiRise{0, 0.3f, 0.5f, 0.75f, 0.9f, 1.0f}; // then residual or 1.0

// Lb/in2 per lb/ft2 of the driven-sand modulus, and lb/ft2 per kPa.
constexpr float kSquareInchesPerFoot = 144.0f;
constexpr float kPsfPerKpa = 20.88f;
constexpr float kMetresPerInch = 0.0254f;

void fill(TzCurve& c, const Points& z, float zScale, const Points& ratio) {
    c.z.resize(kGeneratedPoints);
    c.t.resize(kGeneratedPoints);
    for (std::size_t k = 0; k < z.size(); ++k) {
        c.z[k] = z[k] * zScale;
        c.t[k] = ratio[k] * c.tmax;
    }
}

void fillApi(TzCurve& c, float zp, float residual) {
    Points ratio{};
    for (std::size_t k = 0; k < ratio.size(); ++k) ratio[k] = k < 6 ? kApiRise[k] : residual;
    fill(c, kApiMove, zp, ratio);
}

} // namespace

float DrivenSandModulus(float phi) {
    if (phi <= 28) return 6000;
    if (phi <= 31) return 6000 + 1333.3f * (phi - 28);
    if (phi <= 32) return 10000;
    if (phi <= 34) return 10000 + 1333.3f * (phi - 32);
    if (phi <= 35) return 14000;
    if (phi <= 38) return 14000 + 1333.3f * (phi - 35);
    return 18000;
}

void SideCurveDrivenClay(TzCurve& c, bool si) {
    if (si)
        fill(c, kDrivenMoveM, 1.0f, kDrivenClayRatio);
    else
        fill(c, kDrivenMoveIn, 1.0f, kDrivenClayRatio);
}

void SideCurveDrivenSand(TzCurve& c, bool si) {
    const float k = DrivenSandModulus(c.phi);
    // The hyperbola is written for lb/ft2 in S.I. and for lb/in2 in English units.
    const float tmax = si ? kPsfPerKpa * c.tmax : c.tmax;
    const float compliance = si ? 1.0f / k : kSquareInchesPerFoot / k;
    const float magnitude = tmax < 0 ? -tmax : tmax;
    c.z.resize(kGeneratedPoints);
    c.t.resize(kGeneratedPoints);
    for (std::size_t i = 0; i < kDrivenMoveIn.size(); ++i) {
        const float z = kDrivenMoveIn[i];
        // No side friction, no load transfer; a negative TMAX mirrors the curve.
        float t = 0;
        if (i > 0 && magnitude > 0) t = z / (z / magnitude + compliance);
        if (tmax < 0) t = -t;
        if (si) t /= kPsfPerKpa;
        c.t[i] = t;
        c.z[i] = si ? z * kMetresPerInch : z;
    }
    c.tmax = si ? tmax / kPsfPerKpa : tmax;
}

void SideCurveShaftClay(TzCurve& c, float d) {
    fill(c, kShaftMove, d, kShaftClayRatio);
}

void SideCurveShaftSand(TzCurve& c, float d) {
    fill(c, kShaftMove, d, kShaftSandRatio);
}

void SideCurveApiClay(TzCurve& c, float d, float zpeak, float tres) {
    fillApi(c, ApiPeakMovement(d, zpeak), tres > 0 ? tres : 0.9f);
}

void SideCurveApiSand(TzCurve& c, float d, float zpeak) {
    fillApi(c, ApiPeakMovement(d, zpeak), 1.0f);
}

} // namespace dorvek
