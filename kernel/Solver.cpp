#include "kernel/Solver.h"

#include "kernel/Modifiers.h"

#include <cmath>
#include <cstddef>

namespace dorvek {

namespace {

constexpr float kPi = 3.1416f;
constexpr int kMaxPasses = 100;
// Relative movements at or below these count as no downward movement relative to the soil.
constexpr float kTipUpward = 1e-10f;
constexpr float kSideUpward = 1e-8f;

} // namespace

SolverSetup MakeSolverSetup(const Store& s) {
    SolverSetup p;
    p.ninc = s.ninc > 0 ? s.ninc : 0;
    p.dz = p.ninc > 0 ? s.length / static_cast<float>(p.ninc) : 0.0f;
    p.area = p.dz * s.diameter * kPi;
    p.tipDepth = s.head + s.length;
    p.tol = s.tol;
    p.downDrag = !s.settleDepth.empty();
    p.tipSettlement = p.downDrag ? SoilSettlementAt(s, p.tipDepth) : 0.0f;
    p.curves = &s.sideCurves;
    p.qwQ = &s.qwQ;
    p.qwW = &s.qwW;

    const auto n = static_cast<std::size_t>(p.ninc);
    p.midDepth.resize(n);
    p.ae.resize(n);
    p.midSettlement.assign(n, 0.0f);
    p.curveAt.resize(n);
    const CurveDepths curves(s.sideCurves);
    for (std::size_t i = 0; i < n; ++i) {
        const float half = static_cast<float>(i) + 0.5f; // l - 1.5 for node l = i + 2
        p.midDepth[i] = p.tipDepth - half * p.dz;
        p.ae[i] = AeAt(s.aeDepth, s.ae, s.length - half * p.dz);
        if (p.downDrag) p.midSettlement[i] = SoilSettlementAt(s, p.midDepth[i]);
        p.curveAt[i] = curves.locate(p.midDepth[i]);
    }
    return p;
}

void SolveForTipMovement(const SolverSetup& p, float wt, PileSolution& out) {
    const auto n = static_cast<std::size_t>(p.ninc);
    out.nodeDepth.resize(n + 1);
    out.nodeLoad.resize(n + 1);
    out.nodeMove.resize(n + 1);
    out.transfer.resize(n);
    out.loadIncr.resize(n);
    out.avgLoad.resize(n);
    out.deform.resize(n);
    out.avgMove.resize(n);

    float wr = p.downDrag ? wt - p.tipSettlement : wt;
    out.mirrored = wr <= kTipUpward;
    if (out.mirrored) wr = std::fabs(wr);
    out.tipMove = wt;
    out.relTipMove = wr;
    out.tipLoad = out.mirrored ? 0.0f : TipLoadAt(*p.qwQ, *p.qwW, wr);

    float pb = out.tipLoad;
    float ub = wr;
    out.nodeDepth[0] = p.tipDepth;
    out.nodeLoad[0] = pb;
    out.nodeMove[0] = ub;

    for (std::size_t i = 0; i < n; ++i) {
        const float ae = p.ae[i];
        const float settle = p.midSettlement[i];
        float um = ub;
        float t = 0, f = 0, pt = pb, shortening = 0;
        for (int pass = 0; pass < kMaxPasses; ++pass) {
            float m = um;
            bool downDragHere = false;
            if (p.downDrag) {
                const float r = out.mirrored ? um + settle : um - settle;
                m = std::fabs(r);
                downDragHere = r < kSideUpward;
            }
            t = SideValueAt(*p.curves, p.curveAt[i], m);
            if (downDragHere) t = -t;
            f = t * p.area;
            pt = pb + f;
            shortening = p.dz * (pb + 0.5f * f) / ae;
            const float un = ub + (pb + 0.5f * (pb + pt)) * (p.dz / 4.0f) / ae;
            if (std::fabs(un - um) <= p.tol) break;
            um = un; // after the last pass this is accepted as it stands
        }
        out.transfer[i] = t;
        out.loadIncr[i] = f;
        out.avgLoad[i] = pb + 0.5f * f;
        out.deform[i] = shortening;
        out.avgMove[i] = um;

        pb = pt;
        ub = ub + shortening;
        out.nodeDepth[i + 1] = p.tipDepth - static_cast<float>(i + 1) * p.dz;
        out.nodeLoad[i + 1] = pb;
        out.nodeMove[i + 1] = ub;
    }
    out.headLoad = pb;
    out.headMove = ub;
}

} // namespace dorvek
