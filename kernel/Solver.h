#pragma once
// The load-transfer solution of the pile for one prescribed tip movement.

#include "kernel/CurveLookup.h"
#include "kernel/Store.h"

#include <vector>

namespace dorvek {

// The pile divided into NINC increments, with everything that does not depend on the tip
// movement worked out once per run. Increment i (0-based) spans from depth
// xt - i * dz to xt - (i + 1) * dz; node i is its lower end, node NINC the pile head.
struct SolverSetup {
    int ninc = 0;
    float dz = 0;       // increment length L / NINC
    float area = 0;     // side area of one increment, dz * D * pi
    float tipDepth = 0; // xt = HEAD + L
    float tol = 0;
    bool downDrag = false;              // a soil settlement profile is given
    float tipSettlement = 0;            // soil settlement at the tip (0 without profile)
    std::vector<float> midDepth;        // xm per increment
    std::vector<float> ae;              // AE at the increment mid-point
    std::vector<float> midSettlement;   // soil settlement at xm (down-drag only)
    std::vector<CurvePosition> curveAt; // side curves used at xm
    const std::vector<TzCurve>* curves = nullptr;
    const std::vector<float>* qwQ = nullptr;
    const std::vector<float>* qwW = nullptr;
};

// The setup refers to the store's curves; the store must outlive it.
SolverSetup MakeSolverSetup(const Store& s);

// One solution. Loads and movements are in the solved sense: for a mirrored solution
// (SF = 1, the tip not moving down relative to the soil) they are magnitudes of the
// upward case and are reported with reversed signs.
struct PileSolution {
    float tipMove = 0;    // tip movement as prescribed
    float relTipMove = 0; // relative tip movement the solution starts from (its magnitude)
    float tipLoad = 0;
    float headLoad = 0;
    float headMove = 0;
    bool mirrored = false; // SF = 1
    // Per node (NINC + 1, from the tip upward).
    std::vector<float> nodeDepth, nodeLoad, nodeMove;
    // Per increment (NINC, from the tip upward).
    std::vector<float> transfer; // load transfer t (stress), negative for down-drag
    std::vector<float> loadIncr; // F = t * As
    std::vector<float> avgLoad;  // load at the mid-point, Pb + F / 2
    std::vector<float> deform;   // shortening of the increment
    std::vector<float> avgMove;  // mid-point movement
};

// Solves for tip movement wt, reusing the arrays of `out`.
void SolveForTipMovement(const SolverSetup& setup, float wt, PileSolution& out);

// A value with its sign reversed, without producing a negative zero.
inline float Reversed(float v) {
    return v == 0.0f ? 0.0f : -v;
}
// The value as reported: reversed for a mirrored solution.
inline float AsReported(float v, bool mirrored) {
    return mirrored ? Reversed(v) : v;
}

} // namespace dorvek
