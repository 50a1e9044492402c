#include "model/calibration/CalibrationPlot.h"

#include "model/plots/LoadTestOverlay.h"
#include "model/tables/UnitCodes.h"

namespace dorvek {

namespace {

void SetLine(TLine& line, const std::string& name, TLineRole role,
             const std::vector<TCurvePoint>& points, int units) {
    line.SetLineName(name);
    line.Role = role;
    line.SetCount(static_cast<int>(points.size()));
    for (int j = 0; j < line.Count(); ++j) {
        const TCurvePoint& p = points[static_cast<std::size_t>(j)];
        line.Point(j) = {units == English ? p.load / 1000 : p.load, p.settlement};
    }
}

// As the axial load-settlement graph. Taken by value: literals assigned one by one draw a
// false -Wrestrict from GCC 12.
void Captions(TGraphPlot& plot, std::string caption, std::string xCaption, std::string xUnits,
              std::string yCaption, std::string yUnits) {
    plot.Caption = std::move(caption);
    plot.XCaption = std::move(xCaption);
    plot.XUnits = std::move(xUnits);
    plot.YCaption = std::move(yCaption);
    plot.YUnits = std::move(yUnits);
}

} // namespace

void FillCalibrationPlot(TGraphPlot& plot, const TCalibrationOutcome& outcome,
                         const TMeasuredCurves& measured, int units, bool downdrag) {
    TMeasuredCurves inUnits = measured;
    ConvertMeasuredCurves(inUnits, units);
    Captions(plot, "Calibration to Measured Curves", "Pile-Head Load", "F1", "Pile-Head Settlement",
             "L");
    plot.XOnTop = true;
    plot.SetUnits(units);
    TLineList& curves = plot.List(TLineKind::Main);
    curves.SetLineCount(2 + static_cast<int>(inUnits.curves.size()));
    SetLine(curves.Line(0), "Computed before", TLineRole::Curve,
            ComputedCurve(outcome.before, downdrag), units);
    SetLine(curves.Line(1), "Computed after", TLineRole::Curve,
            ComputedCurve(outcome.after, downdrag), units);
    for (std::size_t k = 0; k < inUnits.curves.size(); ++k) {
        SetLine(curves.Line(2 + static_cast<int>(k)), "Measured: " + inUnits.curves[k].name,
                TLineRole::Markers, MeasuredCurvePoints(inUnits.curves[k]), units);
    }
}

} // namespace dorvek
