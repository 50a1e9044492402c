// The two sets of generated t-z curves: five per layer for the report and the plot file,
// and one per pile increment for the solver.

#include "kernel/BlowCount.h"
#include "kernel/Phases.h"
#include "kernel/SideCurves.h"
#include "kernel/StrengthTable.h"
#include "kernel/Warnings.h"

#include <cmath>
#include <cstddef>
#include <string>

namespace dorvek {
namespace {

bool isSand(int type) {
    return type == 2 || type == 4 || type == 6;
}

bool allFinite(const std::vector<float>& values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The diameter scales the movements of the shaft shapes, and of the API shapes without zpeak.
int checkDiameter(const Store& s, float x, FixedWriter& report) {
    if (!std::isfinite(s.diameter)) {
        WarnCurveInput(report, CurveKind::Side, x, "D", kNotFinite);
        return kCurveInputError;
    }
    if (s.diameter <= 0) {
        WarnCurveInput(report, CurveKind::Side, x, "D", s.diameter, kNotPositive);
        return kCurveInputError;
    }
    return 0;
}

// Applies the shape of the curve's type, refusing input from which no finite curve follows.
int applyShape(const Store& s, TzCurve& c, float zpeak, float tres, FixedWriter& report) {
    const float x = c.depth;
    const bool si = s.iunit != 1;
    auto notFinite = [&](std::string_view input) {
        WarnCurveInput(report, CurveKind::Side, x, input, kNotFinite);
        return kCurveInputError;
    };
    if (c.type < 1 || c.type > 6) {
        WarnCurveInput(report, CurveKind::Side, x, "SOIL TYPE", c.type, kNoCurveMethod);
        return kCurveInputError;
    }
    if (!std::isfinite(c.tmax)) return notFinite("UNIT SIDE");
    const bool usesZpeak = (c.type == 5 || c.type == 6) && zpeak > 0;
    const bool usesDiameter =
        c.type == 3 || c.type == 4 || ((c.type == 5 || c.type == 6) && !usesZpeak);
    if (c.type == 2 && !std::isfinite(c.phi)) return notFinite("PHI1");
    if (usesZpeak && !std::isfinite(zpeak)) return notFinite("ZPEAK");
    if (c.type == 5 && !std::isfinite(tres)) return notFinite("tres/tmax");
    if (usesDiameter)
        if (const int code = checkDiameter(s, x, report)) return code;

    switch (c.type) {
    case 1:
        SideCurveDrivenClay(c, si);
        break;
    case 2:
        SideCurveDrivenSand(c, si);
        break;
    case 3:
        SideCurveShaftClay(c, s.diameter);
        break;
    case 4:
        SideCurveShaftSand(c, s.diameter);
        break;
    case 5:
        SideCurveApiClay(c, s.diameter, zpeak, tres);
        break;
    default:
        SideCurveApiSand(c, s.diameter, zpeak);
        break;
    }
    // Finite input can still overflow single precision.
    if (!allFinite(c.t)) {
        WarnCurveInput(report, CurveKind::Side, x, "UNIT SIDE", c.tmax, kNoFiniteCurve);
        return kCurveInputError;
    }
    if (!allFinite(c.z)) {
        if (usesZpeak)
            WarnCurveInput(report, CurveKind::Side, x, "ZPEAK", zpeak, kNoFiniteCurve);
        else
            WarnCurveInput(report, CurveKind::Side, x, "D", s.diameter, kNoFiniteCurve);
        return kCurveInputError;
    }
    return 0;
}

// Builds curve `number` of soil type `type` at depth x. Returns the run's error code.
int buildCurve(const Store& s, const StrengthTable& table, int number, float x, int type,
               TzCurve& c, FixedWriter& report) {
    c = TzCurve{};
    c.number = number;
    c.depth = x;
    c.type = type;
    // Above the ground surface (or with no soil at all) there is no side resistance.
    if (s.layers.empty() || x < s.layers.front().xtop) {
        SideCurveDrivenClay(c, s.iunit != 1);
        return 0;
    }
    int ierr = 0;
    c.tmax = PropertyAt(table, SoilProperty::UnitSide, x, ierr, report);
    if (ierr > 0) return ierr;
    c.phi = PropertyAt(table, SoilProperty::Phi, x, ierr, report);
    if (ierr > 0) return ierr;
    if (c.phi < 1e-10f && isSand(type)) {
        c.phi = FrictionAngleFromBlowCount(table, x, ierr, report);
        if (ierr > 0) return ierr;
    }
    const float zpeak = PropertyAt(table, SoilProperty::ZPeak, x, ierr, report);
    if (ierr > 0) return ierr;
    const float tres = PropertyAt(table, SoilProperty::TresRatio, x, ierr, report);
    if (ierr > 0) return ierr;
    return applyShape(s, c, zpeak, tres, report);
}

// Soil type of a solver curve at depth x (at an inner layer boundary the upper layer's):
// that of the first layer whose bottom is at or below x. `bottoms` indexes the layers'
// bottoms, so that a pile of many increments in many layers is not searched layer by layer.
int solverCurveType(const std::vector<Layer>& layers, const RunningMax& bottoms, float x) {
    if (x <= layers.front().xbot) return layers.front().type;
    if (x >= layers.back().xtop) return layers.back().type;
    if (std::isnan(x)) return layers.back().type;
    const std::size_t j = bottoms.firstAtOrAbove(x);
    return j < layers.size() ? layers[j].type : layers.back().type;
}

} // namespace

int GenerateReportSideCurves(Store& s, FixedWriter& report) {
    s.sideCurves.clear();
    s.sideCurves.reserve(5 * s.layers.size());
    const StrengthTable table(s.strength);
    int number = 0;
    for (const Layer& layer : s.layers) {
        const float top = layer.xtop;
        const float bottom = layer.xbot - 0.01f; // keeps the last curve inside its layer
        const float middle = (layer.xtop + layer.xbot) / 2;
        const float depths[] = {top, (top + middle) / 2, middle, (bottom + middle) / 2, bottom};
        for (float x : depths) {
            TzCurve c;
            if (const int code = buildCurve(s, table, ++number, x, layer.type, c, report))
                return code;
            s.sideCurves.push_back(std::move(c));
        }
    }
    return 0;
}

int GenerateSolverSideCurves(Store& s, FixedWriter& report) {
    s.sideCurves.clear();
    if (s.ninc <= 0) return 0;
    if (s.layers.empty()) WarnNoSideResistance(report);
    s.sideCurves.reserve(static_cast<std::size_t>(s.ninc));
    const StrengthTable table(s.strength);
    const RunningMax bottoms(s.layers.size(), RunningMax::NaN::PassedByNone,
                             [&s](std::size_t j) { return s.layers[j].xbot; });
    const float ninc = static_cast<float>(s.ninc);
    for (int k = 1; k <= s.ninc; ++k) {
        const float x = s.head + (static_cast<float>(k) - 0.5f) * s.length / ninc;
        const int type = s.layers.empty() ? 0 : solverCurveType(s.layers, bottoms, x);
        TzCurve c;
        if (const int code = buildCurve(s, table, k, x, type, c, report)) return code;
        s.sideCurves.push_back(std::move(c));
    }
    return 0;
}

} // namespace dorvek
