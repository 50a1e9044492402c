#include "kernel/Phases.h"

#include <array>

namespace dorvek {

namespace {

// Generated tip movements in inches: the upward set for tension, the downward set for
// compression, each from small to large magnitude on its own side of zero.
constexpr std::array<float, 9> kUpward = {-5.0f,  -0.5f,  -0.2f,   -0.1f,   -0.07f,
                                          -0.03f, -0.01f, -0.001f, -0.0001f};
constexpr std::array<float, 9> kDownward = {0.0001f, 0.001f, 0.01f, 0.03f, 0.07f,
                                            0.1f,    0.2f,   0.5f,  5.0f};
constexpr float kMetresPerInch = 0.0254f;

} // namespace

void GenerateTipMovements(Store& s) {
    if (s.ntipRead > 0) return; // the user's movements, already sorted by the reader
    s.tipMovements.clear();
    if (s.ntipRead < 0) return; // no tip movements at all

    const bool upward = s.negativeLoads > 0;
    const bool downward = s.positiveLoads > 0 || s.negativeLoads == 0;
    const float scale = s.iunit == 1 ? 1.0f : kMetresPerInch;
    if (upward)
        for (float w : kUpward) s.tipMovements.push_back(w * scale);
    if (downward)
        for (float w : kDownward) s.tipMovements.push_back(w * scale);
}

} // namespace dorvek
