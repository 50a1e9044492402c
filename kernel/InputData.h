#pragma once
// The input of one analysis: the records of an input data file as read, before any curve is
// built. A caller that analyses many variants of one project reads the file once
// (ReadInputData, Analysis.h), changes these values and analyses each variant from them.
// Names are those of the input file's layout (see Store.h).

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

struct InputData {
    // Title and control line.
    std::string title; // exactly 72 characters, blank-padded
    int ninc = 0;
    int iprint = 0;
    int iunit = 0;

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

    // Tip curve store: Q (force) against w (length); empty = no tip curve. In the input,
    // the user's Q-w curve; a run generates the curve into it otherwise.
    std::vector<float> qwQ;
    std::vector<float> qwW;

    // Tip movements (as read; a run sorts them ascending, or generates them).
    int ntipRead = 0; // NTIP as read (0 = generate, < 0 = none)
    std::vector<float> tipMovements;

    // Pile-head loads in input order.
    std::vector<float> loads;

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
};

} // namespace dorvek
