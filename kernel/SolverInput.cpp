#include "kernel/SolverInput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace dorvek {

namespace {

// Far beyond any practical division of a pile; keeps the work arrays of a mistyped
// count within memory.
constexpr int kMaxIncrements = 100000;

// Shortest text that reads back as the value.
std::string Number(float v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

} // namespace

bool CheckSolverInput(const Store& s, std::string& message) {
    if (s.ninc < 1) {
        message = "the number of pile increments NINC must be at least 1, but it is " +
                  std::to_string(s.ninc);
        return false;
    }
    if (s.ninc > kMaxIncrements) {
        message = "the number of pile increments NINC must not exceed " +
                  std::to_string(kMaxIncrements) + ", but it is " + std::to_string(s.ninc);
        return false;
    }
    const std::size_t nae = std::min(s.ae.size(), s.aeDepth.size());
    if (nae < 2) {
        message =
            "the axial stiffness table needs at least two points (AE and depth), but it has " +
            std::to_string(nae);
        return false;
    }
    for (std::size_t k = 0; k < nae; ++k) {
        if (!std::isfinite(s.ae[k]) || !std::isfinite(s.aeDepth[k])) {
            message = "axial stiffness point " + std::to_string(k + 1) + " is not a finite number";
            return false;
        }
        if (s.ae[k] <= 0.0f) {
            message = "the axial stiffness AE must be greater than zero, but point " +
                      std::to_string(k + 1) + " has AE = " + Number(s.ae[k]);
            return false;
        }
    }
    const struct {
        const char* name;
        float value;
    } pile[] = {{"TOL", s.tol},
                {"L", s.length},
                {"HEAD", s.head},
                {"D", s.diameter},
                {"TIPAREA", s.tipArea}};
    for (const auto& item : pile) {
        if (!std::isfinite(item.value)) {
            message = std::string("the pile line value ") + item.name + " is not a finite number";
            return false;
        }
    }
    if (s.length < 0.0f) {
        message = "the pile length L must not be negative, but it is " + Number(s.length);
        return false;
    }
    if (s.diameter < 0.0f) {
        message = "the pile diameter D must not be negative, but it is " + Number(s.diameter);
        return false;
    }
    return true;
}

} // namespace dorvek
