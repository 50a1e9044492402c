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

#include <string>
#include <vector>

namespace dorvek {

// One t-z curve: unit load transfer t (stress) against pile movement z (length).
struct TzCurve {
    int number = 0;  // printed curve number
    float depth = 0; // CDEPTH
    int type = 0;    // CTYPE, soil-type code 1..6 (0 for user curves)
    float tmax = 0;  // TMAX, ultimate unit side resistance it was built from
    float phi = 0;   // PHI, friction angle it was built from (degrees)
    std::vector<float> t;
    std::vector<float> z;
};

struct Layer {
    int number = 0; // as read, printed only
    int type = 0;   // soil-type code 1..6 (other values have no generator)
    float xtop = 0;
    float xbot = 0;
};

// One row of the strength table; rows 2j-1 and 2j are the top and bottom of layer j.
struct StrengthRow {
    float xstr = 0; // depth (derived from the layer boundaries)
    float gam1 = 0;
    float c1 = 0;
    float phi1 = 0;
    float ee50 = 0;
    float blowCount = 0;
    float zpeak = 0;
    float tresRatio = 0;
    float unitSide = 0;
    float unitTip = 0;
};

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

struct Store {
    // Title and control line.
    std::string title; // exactly 72 characters, blank-padded
    int ninc = 0;
    int iprint = 0;
    int iunit = 0;

    // Short unit texts of the report headings ("IN."/" M.", "LBS"/"KN.", "PSI"/"KPA").
    std::string labelL, labelF, labelP;

    // Curve sources: 2 = entered by the user, anything else = generated.
    int methodTz = 0;
    int methodQw = 0;

    // User t-z curves as read (report and plot file echo them unchanged).
    std::vector<TzCurve> userTz;

    // Layer block.
    std::vector<Layer> layers;
    std::vector<StrengthRow> strength; // NSTR = 2 * NLAYER rows, sorted by depth

    // Axial stiffness table: depth below the pile head and AE.
    std::vector<float> aeDepth;
    std::vector<float> ae;

    // Pile line.
    float tol = 0;
    float length = 0;   // L
    float head = 0;     // HEAD, pile-head coordinate
    float diameter = 0; // D
    float tipArea = 0;  // TIPAREA

    // Side curve store: the report set while it is echoed, then the curves the solver uses
    // (the solver set at the increment mid-depths, or the user curves).
    std::vector<TzCurve> sideCurves;

    // Tip curve store: Q (force) against w (length); empty = no tip curve.
    std::vector<float> qwQ;
    std::vector<float> qwW;

    // Tip movements (sorted ascending when given by the user, generated otherwise).
    int ntipRead = 0; // NTIP as read (0 = generate, < 0 = none)
    std::vector<float> tipMovements;

    // Pile-head loads in input order, and the counts of negative and positive loads.
    std::vector<float> loads;
    int negativeLoads = 0;
    int positiveLoads = 0;

    // Soil settlement profile (down-drag).
    std::vector<float> settleDepth;
    std::vector<float> settlement;

    // t-z modification factors.
    int tzFactorFlag = 0;
    std::vector<float> tzfDepth, tzfT, tzfZ;

    // Q-w modification factors.
    int qwFactorFlag = 0;
    float qMultiplier = 1;
    float wMultiplier = 1;

    // Results.
    std::vector<TipMovementResult> tipResults;
    std::vector<HeadLoadResult> loadResults;

    // Why the run stopped, for a result code of 2, 3 or 9 (the same text ends the report
    // when it could be written); empty otherwise.
    std::string diagnostic;
};

} // namespace dorvek
