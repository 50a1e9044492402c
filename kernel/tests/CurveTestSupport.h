#pragma once
// Hand-built stores and report capture for the curve tests.

#include "kernel/FixedFormat.h"
#include "kernel/Store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace dorvek::testing {

// Single precision after a handful of operations: relative 1e-6 (about eight ulps).
inline constexpr double kRelTol = 1e-6;

inline void ExpectNear(double expected, double actual, double rel = kRelTol) {
    EXPECT_NEAR(actual, expected, rel * std::fabs(expected) + 1e-30) << "expected " << expected;
}

inline void ExpectAllNear(const std::vector<double>& expected, const std::vector<float>& actual,
                          double rel = kRelTol) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE("point " + std::to_string(k + 1));
        ExpectNear(expected[k], actual[k], rel);
    }
}

// Each value times `factor`.
inline std::vector<double> Times(const std::vector<double>& values, double factor) {
    std::vector<double> out;
    for (double v : values) out.push_back(v * factor);
    return out;
}

// The driven-clay tip curve as a fraction of the tip capacity: sqrt(k / 8), k = 0..7, then 1
// and 1.
inline const std::vector<double> kDrivenClayRatio{
    0, 0.3535534, 0.5, 0.6123724, 0.7071068, 0.7905694, 0.8660254, 0.9354143, 1, 1};

// Adds a layer with its two strength rows (top and bottom); the row depths are the layer's.
inline void AddLayer(Store& s, int type, float top, float bottom, StrengthRow topRow,
                     StrengthRow bottomRow) {
    s.layers.push_back({static_cast<int>(s.layers.size()) + 1, type, top, bottom});
    topRow.xstr = top;
    bottomRow.xstr = bottom;
    s.strength.push_back(topRow);
    s.strength.push_back(bottomRow);
}

inline void AddLayer(Store& s, int type, float top, float bottom, StrengthRow row) {
    AddLayer(s, type, top, bottom, row, row);
}

inline void SetEnglish(Store& s) {
    s.iunit = 1;
    s.labelL = "IN.";
    s.labelF = "LBS";
    s.labelP = "PSI";
}

inline void SetSi(Store& s) {
    s.iunit = 2;
    s.labelL = " M.";
    s.labelF = "KN.";
    s.labelP = "KPA";
}

// Report lines joined with CR LF, each ended.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// A writer on a string.
struct Capture {
    std::ostringstream out;
    FixedWriter writer{out};
    std::string text() const { return out.str(); }
};

} // namespace dorvek::testing
