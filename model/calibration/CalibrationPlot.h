#pragma once
// The graph of a calibration: the computed load-settlement curve before and after it with the
// measured curves, drawn as the axial load-settlement graph is (kips or kN against inches or
// metres, settlements growing downward).

#include "model/calibration/Calibrate.h"
#include "model/plots/GraphPlot.h"

namespace dorvek {

// `measured` and the outcome in the unit system `units` of the project.
void FillCalibrationPlot(TGraphPlot& plot, const TCalibrationOutcome& outcome,
                         const TMeasuredCurves& measured, int units, bool downdrag);

} // namespace dorvek
