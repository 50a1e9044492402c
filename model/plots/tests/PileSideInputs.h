#pragma once
// Projects of the soil-profile tests.

#include "model/plots/PileSideModel.h"

namespace dorvek::test {

// Three layers with bottoms 10, 25 and 40 ft (English tables hold inches) and a 60 ft pile of
// 18 in diameter, head at the ground.
inline TPileSideInput ThreeLayers() {
    TPileSideInput in;
    in.Units = 1;
    in.OD = 18;
    in.PLength = 720;
    in.HeadCoord = 0;
    in.Layers = {{1, 120}, {2, 300}, {5, 480}};
    return in;
}

} // namespace dorvek::test
