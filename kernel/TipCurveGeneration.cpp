// The generated Q-w curve for the soil at the pile tip.

#include "kernel/BlowCount.h"
#include "kernel/Phases.h"
#include "kernel/StrengthTable.h"
#include "kernel/TipCurves.h"
#include "kernel/Warnings.h"

#include <cmath>
#include <string_view>

namespace dorvek {
namespace {

bool isClay(int type) {
    return type == 1 || type == 3 || type == 5;
}

bool allFinite(const std::vector<float>& values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Ultimate unit tip resistance and the input it came from (named if it proves unusable).
struct UnitTip {
    float q = 0;
    std::string_view source;
};

int clayUnitTip(const Store& s, int type, float xt, float& ee50, UnitTip& tip,
                FixedWriter& report) {
    int ierr = 0;
    if (type == 5) {
        ee50 = EE50At(s, xt, ierr, report);
        if (ierr > 0) return ierr;
    }
    const float c = C1At(s, xt, ierr, report);
    if (ierr > 0) return ierr;
    if (type == 1) {
        ee50 = EE50At(s, xt, ierr, report);
        if (ierr > 0) return ierr;
    }
    tip = {UnitTipAt(s, xt, ierr, report), "UNIT TIP"};
    if (ierr > 0) return ierr;
    if (tip.q <= 1e-5f) tip = {9 * c, "C1"};
    return 0;
}

int sandUnitTip(const Store& s, float xt, float& phi, UnitTip& tip, FixedWriter& report) {
    int ierr = 0;
    phi = PhiAt(s, xt, ierr, report);
    if (ierr > 0) return ierr;
    if (phi < 1e-10f) {
        phi = FrictionAngleFromBlowCount(s, xt, ierr, report);
        if (ierr > 0) return ierr;
    }
    const float g = UnitWeightAtTip(s, xt, ierr, report);
    if (ierr > 0) return ierr;
    tip = {UnitTipAt(s, xt, ierr, report), "UNIT TIP"};
    if (ierr > 0) return ierr;
    if (tip.q <= 0.0001f) {
        if (!std::isfinite(g)) {
            WarnCurveInput(report, CurveKind::Tip, xt, "GAM1", kNotFinite);
            return kCurveInputError;
        }
        if (!std::isfinite(phi)) {
            WarnCurveInput(report, CurveKind::Tip, xt, "PHI1", kNotFinite);
            return kCurveInputError;
        }
        tip = {TipBearingStress(phi, xt, g), "PHI1"};
        if (!std::isfinite(tip.q)) {
            WarnCurveInput(report, CurveKind::Tip, xt, "PHI1", phi, kNoFiniteCurve);
            return kCurveInputError;
        }
    }
    return 0;
}

// A positive, finite value the curve cannot do without.
int requirePositive(float value, float xt, std::string_view input, FixedWriter& report) {
    if (!std::isfinite(value)) {
        WarnCurveInput(report, CurveKind::Tip, xt, input, kNotFinite);
        return kCurveInputError;
    }
    if (value <= 0) {
        WarnCurveInput(report, CurveKind::Tip, xt, input, value, kNotPositive);
        return kCurveInputError;
    }
    return 0;
}

} // namespace

int GenerateTipCurve(Store& s, FixedWriter& report) {
    s.qwQ.clear();
    s.qwW.clear();
    if (s.layers.empty()) {
        WarnNoTipCurve(report, true);
        return 0;
    }
    const float xt = s.head + s.length;
    const int layer = TipLayerIndex(s.layers, xt);
    if (layer < 0) {
        WarnNoTipCurve(report, false);
        return 0;
    }
    const int type = s.layers[static_cast<std::size_t>(layer)].type;
    if (type < 1 || type > 6) {
        WarnCurveInput(report, CurveKind::Tip, xt, "SOIL TYPE", type, kNoCurveMethod);
        return kCurveInputError;
    }

    float ee50 = 0;
    float phi = 0;
    UnitTip tip;
    if (const int code = isClay(type) ? clayUnitTip(s, type, xt, ee50, tip, report)
                                      : sandUnitTip(s, xt, phi, tip, report))
        return code;
    if (!std::isfinite(tip.q)) {
        WarnCurveInput(report, CurveKind::Tip, xt, tip.source, kNotFinite);
        return kCurveInputError;
    }
    const float qmax = tip.q * s.tipArea;
    if (!std::isfinite(qmax)) {
        if (std::isfinite(s.tipArea))
            WarnCurveInput(report, CurveKind::Tip, xt, "TIPAREA", s.tipArea, kNoFiniteCurve);
        else
            WarnCurveInput(report, CurveKind::Tip, xt, "TIPAREA", kNotFinite);
        return kCurveInputError;
    }
    // Without a positive EE50 the driven-clay curve would be 0/0 throughout.
    if (type == 1)
        if (const int code = requirePositive(ee50, xt, "EE50", report)) return code;
    if (const int code = requirePositive(s.diameter, xt, "D", report)) return code;

    const bool si = s.iunit != 1;
    QwPoints curve;
    switch (type) {
    case 1:
        curve = TipCurveDrivenClay(qmax, ee50, s.diameter, si);
        break;
    case 2: {
        // phi* is the friction angle stored with the deepest generated side curve; user side
        // curves carry none, so the friction angle at the tip stands in.
        const bool generatedSides = s.methodTz != 2 && !s.sideCurves.empty();
        curve = TipCurveDrivenSand(qmax, generatedSides ? s.sideCurves.back().phi : phi, s.diameter,
                                   si);
        break;
    }
    case 3:
        curve = TipCurveShaftClay(qmax, s.diameter);
        break;
    case 4:
        curve = TipCurveShaftSand(qmax, s.diameter);
        break;
    case 5:
        curve = TipCurveApiClay(qmax, s.diameter);
        break;
    default:
        curve = TipCurveApiSand(qmax, s.diameter);
        break;
    }
    // Finite input can still overflow single precision.
    if (!allFinite(curve.w) || !allFinite(curve.q)) {
        if (type == 1 && !allFinite(curve.w))
            WarnCurveInput(report, CurveKind::Tip, xt, "EE50", ee50, kNoFiniteCurve);
        else if (type == 2 || !allFinite(curve.w))
            WarnCurveInput(report, CurveKind::Tip, xt, "D", s.diameter, kNoFiniteCurve);
        else
            WarnCurveInput(report, CurveKind::Tip, xt, tip.source, tip.q, kNoFiniteCurve);
        return kCurveInputError;
    }
    s.qwQ = std::move(curve.q);
    s.qwW = std::move(curve.w);
    return 0;
}

} // namespace dorvek
