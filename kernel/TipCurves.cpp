#include "kernel/TipCurves.h"

#include "kernel/Warnings.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace dorvek {
namespace {

using Points = std::array<float, 10>;

constexpr float kPi = 3.1416f;
constexpr float kMetresPerInch = 0.0254f;
constexpr float kKnPerKip = 4.448f;

constexpr Points kShaftMove{0, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f};
constexpr Points kShaftClayRatio{0, 0.395f, 0.56f, 0.7f, 0.865f, 0.9f, 0.95f, 0.97f, 0.98f, 0.99f};
constexpr Points kShaftSandRatio{0,     0.2f,  0.345f, 0.485f, 0.64f,
                                 0.73f, 0.83f, 1.015f, 1.195f, 1.46f};
constexpr Points kApiMove{0, 0.0005f, 0.001f, 0.002f, 0.013f, 0.042f, 0.073f, 0.1f, 0.15f, 0.2f};
constexpr Points kApiRatio{0, 0.0625f, 0.125f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f};
constexpr Points kDrivenSandMoveIn{0, 0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.5f, 0.75f, 1.0f};

QwPoints scaled(float qmax, float d, const Points& move, const Points& ratio) {
    QwPoints c;
    for (std::size_t k = 0; k < move.size(); ++k) {
        c.w.push_back(move[k] * d);
        c.q.push_back(ratio[k] * qmax);
    }
    return c;
}

// Back from inches and kips to metres and kN.
void toSi(QwPoints& c) {
    for (float& w : c.w) w *= kMetresPerInch;
    for (float& q : c.q) q *= kKnPerKip;
}

} // namespace

QwPoints TipCurveDrivenClay(float qmax, float ee50, float d, bool si) {
    const float dIn = si ? d / kMetresPerInch : d;
    const float qMax = si ? qmax / kKnPerKip : qmax;
    const float w50 = 2 * ee50 * dIn;
    const float wf = 4 * w50;
    QwPoints c;
    c.w.push_back(0);
    c.q.push_back(0);
    for (int k = 1; k <= 7; ++k) {
        const float w = static_cast<float>(k) * wf / 8;
        c.w.push_back(w);
        c.q.push_back(qMax * std::sqrt(w / wf));
    }
    c.w.push_back(wf);
    c.q.push_back(qMax);
    c.w.push_back(10 * wf);
    c.q.push_back(qMax);
    if (si) toSi(c);
    return c;
}

float DrivenSandTipExponent(float phiStar) {
    if (phiStar <= 31) return 0.5f;
    if (phiStar <= 38) return 0.333f;
    return 0.25f;
}

QwPoints TipCurveDrivenSand(float qmax, float phiStar, float d, bool si) {
    const float wc = si ? 0.05f * d / kMetresPerInch : 0.05f * d;
    const float qMax = si ? qmax / kKnPerKip : qmax;
    const float n = DrivenSandTipExponent(phiStar);
    QwPoints c;
    for (float w : kDrivenSandMoveIn) {
        c.w.push_back(w);
        c.q.push_back(w > 0 ? qMax * std::pow(w / wc, n) : 0.0f);
    }
    if (si) toSi(c);
    return c;
}

QwPoints TipCurveShaftClay(float qmax, float d) {
    return scaled(qmax, d, kShaftMove, kShaftClayRatio);
}

QwPoints TipCurveShaftSand(float qmax, float d) {
    return scaled(qmax, d, kShaftMove, kShaftSandRatio);
}

QwPoints TipCurveApiClay(float qmax, float d) {
    return scaled(qmax, d, kApiMove, kApiRatio);
}

QwPoints TipCurveApiSand(float qmax, float d) {
    return scaled(qmax, d, kApiMove, kApiRatio);
}

float TipBearingStress(float phi, float xt, float g) {
    const float theta = (0.5f * phi + 45) * kPi / 180;
    const float kq = std::tan(theta);
    return xt * (kq * kq) * std::exp(kPi * std::tan(phi * kPi / 180)) * g;
}

float MeanUnitWeight(const Store& s, float xt) {
    const auto& rows = s.strength;
    if (s.layers.empty() || rows.size() < 2) return 0;
    const float ground = s.layers.front().xtop;
    // At the ground surface itself the vertical stress is 0 (not 0/0).
    if (!(xt > ground)) return 0;
    float sum = 0;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const float x0 = rows[i].xstr;
        const float x1 = rows[i + 1].xstr;
        if (!(x0 < xt)) break;
        const float g0 = rows[i].gam1;
        const float g1 = rows[i + 1].gam1;
        if (x1 <= xt) {
            sum += 0.5f * (g0 + g1) * (x1 - x0);
        } else {
            const float gx = g0 + (g1 - g0) * (xt - x0) / (x1 - x0);
            sum += 0.5f * (g0 + gx) * (xt - x0);
            break;
        }
    }
    return sum / (xt - ground);
}

float UnitWeightAtTip(const Store& s, float xt, int& ierr, FixedWriter& report) {
    if (s.layers.empty() || xt < s.layers.front().xtop) return 0;
    if (s.strength.empty() || !(xt <= s.strength.back().xstr)) {
        WarnBeyondTable(report, xt, kUnitWeightCurveText);
        ierr = kTipBelowUnitWeight;
        return 0;
    }
    return MeanUnitWeight(s, xt);
}

int TipLayerIndex(const std::vector<Layer>& layers, float xt) {
    const int n = static_cast<int>(layers.size());
    int index = -1;
    for (int i = 0; i < n; ++i) {
        if (layers[i].xbot >= xt) {
            index = i;
            break;
        }
    }
    if (index < 0) return -1;
    // On a boundary the strict search of the strength table returns the lower layer's
    // values, so the lower layer's method must go with them.
    while (index + 1 < n && xt == layers[index].xbot && layers[index + 1].xtop == xt) ++index;
    return index;
}

} // namespace dorvek
