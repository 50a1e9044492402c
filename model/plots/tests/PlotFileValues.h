#pragma once
// The values of a plot data file read independently of the program's reader: the words in the
// order of the blocks, so that tests can compare what was loaded or exported with the file.

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek::test {

struct PlotFileValues {
    struct Curve {
        long double depth = 0;
        std::vector<std::array<long double, 2>> points; // t, z as in the file
    };
    struct Case {
        bool converged = true;
        long double headLoad = 0, headMove = 0, tipMove = 0;
        std::vector<std::array<long double, 3>> rows; // depth, load, movement
    };
    std::vector<Curve> curves;
    std::vector<std::array<long double, 2>> qw; // Q, w
    int unit = 0, loadUnit = 0;
    std::vector<Case> tipCases, loadCases;
    bool hasLoads = false;
};

inline PlotFileValues ParsePlotFileValues(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::string> words{std::istream_iterator<std::string>(in),
                                         std::istream_iterator<std::string>()};
    size_t at = 0;
    auto real = [&] {
        if (at >= words.size()) throw std::runtime_error("plot file ends early");
        const std::string& word = words[at++];
        char* end = nullptr;
        const long double value = std::strtold(word.c_str(), &end);
        if (end != word.c_str() + word.size()) throw std::runtime_error("not a number: " + word);
        return value;
    };
    auto count = [&] { return static_cast<size_t>(real()); };
    PlotFileValues f;
    f.curves.resize(count());
    for (auto& c : f.curves) {
        real(); // curve number
        c.points.resize(count());
        c.depth = real();
        for (auto& p : c.points) p = {real(), real()};
    }
    f.qw.resize(count());
    for (auto& p : f.qw) p = {real(), real()};
    f.tipCases.resize(count());
    const size_t d = count();
    f.unit = static_cast<int>(real());
    for (auto& c : f.tipCases) {
        c.rows.resize(d);
        for (auto& r : c.rows) r = {real(), real(), real()};
    }
    for (auto& c : f.tipCases) {
        c.headLoad = real();
        c.headMove = real();
        c.tipMove = real();
        real();
    }
    f.hasLoads = at < words.size();
    if (f.hasLoads) {
        f.loadCases.resize(count());
        const size_t d2 = count();
        f.loadUnit = static_cast<int>(real());
        for (auto& c : f.loadCases) {
            c.converged = real() != 0;
            c.headLoad = real();
            c.headMove = real();
            real();
            real();
            c.rows.resize(d2);
            for (auto& r : c.rows) r = {real(), real(), real()};
        }
    }
    if (at != words.size()) throw std::runtime_error("values after the last block");
    return f;
}

} // namespace dorvek::test
