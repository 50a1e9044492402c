#pragma once
// Calibration of a project to measured load-settlement curves: the factors on side
// resistance, tip resistance or stiffness that minimise the misfit of settlement at the
// measured loads,
//   misfit = sqrt( sum over the measured points of (s computed - s measured)^2 / n ),
// each point's computed settlement being the head settlement the analysis finds for its
// load. A load the pile cannot carry counts as the settlement at the largest load the
// computed curve reaches plus the excess load's share of that load times the diameter, a
// plunge rather than a failure. The search works on the logarithms of the factors within
// their bounds, derivative-free with NLopt's BOBYQA (COBYLA for a single factor), from every
// factor 1 and from a few starts around it, keeping the best.

#include "model/calibration/FactorProject.h"
#include "model/plots/MeasuredCurves.h"
#include "model/plots/ResultGraphs.h"

#include <functional>
#include <string>
#include <vector>

namespace dorvek {

struct TCalibrationProgress {
    int evaluation = 0;     // analyses so far
    int maxEvaluations = 0; // at most
    std::vector<double> factors;
    double misfit = 0; // of this analysis
    double best = 0;   // the smallest so far
};

struct TCalibrationRequest {
    std::vector<TFactorName> factors;
    TMeasuredCurves measured; // taken into the project's units
    double lower = 0.2, upper = 5.0;
    int maxEvaluations = 0; // 0: 100 + 150 per factor
    // After every analysis; returning false stops the search (the best so far stands).
    std::function<bool(const TCalibrationProgress&)> progress;
};

struct TCalibrationOutcome {
    std::vector<double> factors; // the best found, one per name
    double misfitBefore = 0;     // in the project's length unit
    double misfitAfter = 0;
    int evaluations = 0;
    int pointsUsed = 0;
    int beyondBefore = 0, beyondAfter = 0; // measured loads the pile could not carry
    bool stopped = false;                  // by the progress callback
    std::string ending;                    // why the search ended, in words
    // The results at the measured loads with every factor 1 and with the factors found.
    TLoadSettlementSummary before, after;
};

// The measured points the misfit uses: those with a positive load, in test order, up to the
// first point of the largest load (later points belong to a plunge).
std::vector<TMeasuredPoint> CalibrationPoints(const TMeasuredCurves& curves);

// The misfit of results at the points' loads (appliedLoads[k] belongs to points[k]).
double SettlementMisfit(const TLoadSettlementSummary& results,
                        const std::vector<TMeasuredPoint>& points, long double diameter,
                        bool downdrag, int* beyond = nullptr);

// The outcome as lines of text: each factor, the misfit before and after, the analyses and,
// when there are any, the loads beyond the computed capacity; `units` gives the length unit
// of the misfit.
std::string CalibrationText(const std::vector<TFactorName>& factors,
                            const TCalibrationOutcome& outcome, int units);

// Raises ECalibrationError when no measured point can be used, a factor does not act on the
// project, a bound is not positive, or the project cannot be analysed as it stands.
TCalibrationOutcome Calibrate(TFactorProject& project, const TCalibrationRequest& request);

} // namespace dorvek
