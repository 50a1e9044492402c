#pragma once
// The six Q-w curve shapes of the pile tip, the bearing stress of sands and the mean unit
// weight above the tip. Every curve has ten points, the first at the origin.

#include "kernel/FixedFormat.h"
#include "kernel/Store.h"

#include <vector>

namespace dorvek {

struct QwPoints {
    std::vector<float> q; // tip load (force)
    std::vector<float> w; // tip movement (length)
};

// Driven clay: w = k/8 of wf = 8 * ee50 * d, Q = qmax * sqrt(w / wf), then wf and 10 wf at
// qmax. Needs ee50 > 0 and d > 0. In S.I. worked in inches and kips.
QwPoints TipCurveDrivenClay(float qmax, float ee50, float d, bool si);
// Driven sand: fixed movements in inches, Q = qmax * (w / (0.05 d))^n, n from phiStar; not
// capped at qmax. Needs d > 0. In S.I. worked in inches and kips.
QwPoints TipCurveDrivenSand(float qmax, float phiStar, float d, bool si);
QwPoints TipCurveShaftClay(float qmax, float d);
QwPoints TipCurveShaftSand(float qmax, float d);
QwPoints TipCurveApiClay(float qmax, float d);
QwPoints TipCurveApiSand(float qmax, float d);

// Exponent of the driven-sand tip curve.
float DrivenSandTipExponent(float phiStar);

// Unit tip resistance of sand from friction angle phi (degrees), tip depth xt and mean unit
// weight g: xt * g * tan^2(45 + phi/2) * exp(pi * tan(phi)), pi = 3.1416.
float TipBearingStress(float phi, float xt, float g);

// Mean unit weight above depth xt: the trapezoidal integral of GAM1 from the first strength
// row down to xt, over xt - XTOP of the first layer. 0 at or above the ground surface and
// with fewer than two rows. The caller makes sure xt is not below the last row.
float MeanUnitWeight(const Store& s, float xt);

// Mean unit weight for the bearing stress at tip depth xt: 0 above the ground surface; at or
// below it, the tip must not lie below the last unit-weight depth (else the warning block,
// ierr = 4 and 0), also when the value will not be used.
float UnitWeightAtTip(const Store& s, float xt, int& ierr, FixedWriter& report);

// Index of the layer holding the tip at depth xt: the first whose bottom is not above it, or
// the lower layer when the tip lies exactly on a boundary. -1 when the tip lies below the
// last layer or there are no layers.
int TipLayerIndex(const std::vector<Layer>& layers, float xt);

} // namespace dorvek
