#pragma once
// The data of one analysis: input as read, the curves in use and the results.
// A fresh Store is made for every run; nothing survives between runs.
//
// Names the kernel keeps from the input file's layout and the load-transfer method:
//   NINC     number of pile increments (segments of length dz = L / NINC)
//   IPRINT   print option: below 1 the report lists the load and movement distributions
//   IUNIT    unit system: 1 English (in, lbs, psi), 2 S.I. (m, kN, kPa)
//   NLAYER   soil layers; NSTR = 2 * NLAYER rows of the strength table (top and bottom of each)
//   NTIP     tip movements as read: 0 generates them, a negative count means none
//   TOL      movement tolerance of one increment's iteration (length unit)
//   L, HEAD, D, TIPAREA   pile length, pile-head coordinate, outer diameter, tip area
//   AE       axial stiffness (modulus times area) against depth below the pile head
//   CDEPTH, CTYPE, TMAX, PHI   a t-z curve's depth, soil-type code, peak unit side resistance,
//                              friction angle
//   t-z      unit side resistance t against pile movement z at one depth
//   Q-w      tip load Q against tip movement w
//   wt, wr   tip movement, and the tip's movement relative to the settling soil (down-drag)
//   pb, ub   axial load and movement at the bottom of the increment being solved (the tip at
//            the start), carried up the pile to the head
//   SF       sense flag: 1 when the tip moves up relative to the soil (uplift), solved mirrored

#include "kernel/InputData.h"

#include <string>
#include <vector>

namespace dorvek {

// Result of one tip movement of the tip-movement run.
struct TipMovementResult {
    float topLoad = 0;
    float topMove = 0;
    float tipMove = 0;
    float tipLoad = 0;
    bool mirrored = false; // SF = 1: solved in the upward sense
};

// Result of one applied pile-head load.
struct HeadLoadResult {
    float load = 0;
    float topMove = 0;
    float tipMove = 0;
    float tipLoad = 0;
    bool converged = false;
};

// One tip movement's or one load's distribution along the pile, as the plot data file holds
// it: per increment from the tip upward, its mid-point depth, the load there and the movement.
struct Distribution {
    std::vector<float> depth, load, movement;
};

// The input (InputData) and what a run makes of it.
struct Store : InputData {
    // Short unit texts of the report headings ("IN."/" M.", "LBS"/"KN.", "PSI"/"KPA").
    std::string labelL, labelF, labelP;

    // Side curve store: the report set while it is echoed, then the curves the solver uses
    // (the solver set at the increment mid-depths, or the user curves).
    std::vector<TzCurve> sideCurves;

    // Counts of the negative and positive pile-head loads.
    int negativeLoads = 0;
    int positiveLoads = 0;

    // Results.
    std::vector<TipMovementResult> tipResults;
    std::vector<HeadLoadResult> loadResults;

    // Why the run stopped, for a result code of 2, 3 or 9 (the same text ends the report
    // when it could be written); empty otherwise.
    std::string diagnostic;
    // The warning blocks of the report (curves that could not be built, a missing tip curve),
    // kept also when no report is written.
    std::string warnings;

    // What else a caller asked to keep (Analysis.h): the curves as the plot data file shows
    // them (before any modification factors; every generated report curve), and the
    // distribution of every tip movement and every applied load.
    bool keepCurves = false;
    bool keepDistributions = false;
    std::vector<TzCurve> plottedTz;
    std::vector<float> plottedQ, plottedW;
    std::vector<Distribution> tipDistributions;
    std::vector<Distribution> loadDistributions;
};

} // namespace dorvek
