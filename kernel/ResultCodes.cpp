#include "kernel/Kernel.h"

namespace dorvek {

const char* ResultCodeMeaning(int code) {
    switch (code) {
    case kRunCompleted:
        return "run completed";
    case kNotCalledForRun:
        return "no run: the first argument was not 4";
    case kFileError:
        return "a file could not be opened or written";
    case kInputError:
        return "fatal input error";
    case kTipBelowUnitWeight:
        return "tip Q-w generation: the pile tip lies below the deepest unit-weight depth";
    case kTipBelowStrength:
        return "tip Q-w generation: the pile tip lies below the strength table "
               "(undrained shear strength)";
    case kCurveBelowSideFriction:
        return "t-z generation: a curve depth lies below the strength table "
               "(unit side friction)";
    case kTipBelowTipResistance:
        return "tip Q-w generation: the pile tip lies below the strength table "
               "(unit tip resistance)";
    case kBelowOtherProperty:
        return "curve generation: a depth lies below the strength table (friction angle, "
               "blow count, z-peak or residual ratio)";
    case kCurveInputError:
        return "curve generation: a curve cannot be built from the input data (see the "
               "warning in the report)";
    case kInternalError:
        return "internal error (out of memory or an unexpected failure)";
    default:
        return "unknown result code";
    }
}

} // namespace dorvek
