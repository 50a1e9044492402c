#pragma once
// Builds plot data files in the kernel's fixed layout (CR LF lines, Fortran-style fields),
// so that tests can write the exact files a run produces.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace dorvek::test {

// Ew.d with scale factor 1 (1PEw.d: one digit before the point) or 0 (0.ddddE+xx).
inline std::string FortranE(double value, int width, int digits, bool onePointScale) {
    char body[64];
    if (onePointScale) {
        std::snprintf(body, sizeof body, "%.*E", digits, value);
    } else {
        int exponent = 0;
        double mantissa = 0;
        if (value != 0) {
            exponent = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
            mantissa = value / std::pow(10.0, exponent);
            // Rounding may carry to 1.000: renormalise.
            char probe[32];
            std::snprintf(probe, sizeof probe, "%.*f", digits, std::fabs(mantissa));
            if (probe[0] == '1') {
                ++exponent;
                mantissa /= 10;
            }
        }
        char m[32];
        std::snprintf(m, sizeof m, "%.*f", digits, std::fabs(mantissa));
        std::snprintf(body, sizeof body, "%s%sE%c%02d", value < 0 ? "-" : "", m,
                      exponent < 0 ? '-' : '+', std::abs(exponent));
    }
    std::string text = body;
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

inline std::string Blanks(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

inline std::string Int(long long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

struct PlotFileText {
    std::string text;

    void Line(const std::string& line) { text += line + "\r\n"; }
    // List output of integers.
    void Counts(std::initializer_list<long long> values) {
        std::string line;
        for (long long v : values) {
            line += ' ';
            line += Int(v, 11);
        }
        Line(line);
    }
    // 2X, I5, I11, E16.4
    void TZHeader(int number, int points, double depth) {
        Line(Blanks(2) + Int(number, 5) + Int(points, 11) + FortranE(depth, 16, 4, false));
    }
    // 31X, 1PE15.4, 1PE15.4
    void TZPoint(double t, double z) {
        Line(Blanks(31) + FortranE(t, 15, 4, true) + FortranE(z, 15, 4, true));
    }
    // 1PE18.4, 1PE19.4
    void QWPoint(double q, double w) { Line(FortranE(q, 18, 4, true) + FortranE(w, 19, 4, true)); }
    // 1X, 1PE10.3, 3X, 1PE10.3, 3X, 1PE10.3
    void TipDist(double depth, double load, double movement) {
        Line(Blanks(1) + FortranE(depth, 10, 3, true) + Blanks(3) + FortranE(load, 10, 3, true) +
             Blanks(3) + FortranE(movement, 10, 3, true));
    }
    // 1PE17.4, 3(1PE16.4)
    void Summary(double headLoad, double headMove, double tipMove, double tipLoad) {
        Line(FortranE(headLoad, 17, 4, true) + FortranE(headMove, 16, 4, true) +
             FortranE(tipMove, 16, 4, true) + FortranE(tipLoad, 16, 4, true));
    }
    // I5
    void Flag(int converged) { Line(Int(converged, 5)); }
    // 3X, E10.3, 3X, E10.3, 3X, E10.3
    void LoadDist(double depth, double load, double movement) {
        Line(Blanks(3) + FortranE(depth, 10, 3, false) + Blanks(3) + FortranE(load, 10, 3, false) +
             Blanks(3) + FortranE(movement, 10, 3, false));
    }

    void Write(const std::filesystem::path& file) const {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
    }
};

} // namespace dorvek::test
