#pragma once
// Hand-made stores for the solver tests.

#include "kernel/Store.h"

#include <utility>
#include <vector>

namespace dorvek::testing {

// A t-z curve from (t, z) points.
inline TzCurve Curve(float depth, const std::vector<std::pair<float, float>>& tz) {
    TzCurve c;
    c.depth = depth;
    for (const auto& [t, z] : tz) {
        c.t.push_back(t);
        c.z.push_back(z);
    }
    return c;
}

// A pile of constant AE with the given side curves and tip curve (Q, w).
inline Store Pile(int ninc, float length, float head, float diameter, float ae, float tol,
                  std::vector<TzCurve> curves, const std::vector<std::pair<float, float>>& qw) {
    Store s;
    s.title = std::string(72, ' ');
    s.ninc = ninc;
    s.iprint = 0;
    s.iunit = 1;
    s.labelL = "IN.";
    s.labelF = "LBS";
    s.labelP = "PSI";
    s.methodTz = 2;
    s.methodQw = 2;
    s.aeDepth = {0.0f, length};
    s.ae = {ae, ae};
    s.tol = tol;
    s.length = length;
    s.head = head;
    s.diameter = diameter;
    s.tipArea = 1.0f;
    s.sideCurves = std::move(curves);
    for (const auto& [q, w] : qw) {
        s.qwQ.push_back(q);
        s.qwW.push_back(w);
    }
    return s;
}

// The pile of the hand-computed cases: L = 100, HEAD = 5, D = 1, AE = 1e6, two increments;
// side friction 10 for any movement from 0.001 on; tip curve through (0.2, 400).
inline Store HandPile() {
    return Pile(2, 100.0f, 5.0f, 1.0f, 1.0e6f, 1.0e-6f,
                {Curve(0.0f, {{0.0f, 0.0f}, {10.0f, 0.001f}, {10.0f, 100.0f}})},
                {{400.0f, 0.2f}, {500.0f, 1.0f}});
}

// The hand pile run for the tip movements -0.1 and 0.1, printed as `iprint` asks.
inline Store HandTipRun(int iprint) {
    Store s = HandPile();
    s.iprint = iprint;
    s.ntipRead = 2;
    s.tipMovements = {-0.1f, 0.1f};
    return s;
}

} // namespace dorvek::testing
