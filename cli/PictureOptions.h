#pragma once
// What --graphs is asked to draw, as plain values: the program reads them from its options
// and hands them to the picture plug-in, which draws with them (GraphPicturesOutput.h).

#include <optional>
#include <string>
#include <utility>

namespace dorvek::cli {

struct PictureRequest {
    std::string format = "png"; // "png", "svg", "pdf" or "bmp"
    double widthIn = 10, heightIn = 7.5;
    int ppi = 100;
    bool safePalette = false;    // colours told apart with colour-blindness, and line styles
    bool legendOffCurves = true; // the legend box where it hides the fewest points
};

// "WxH" in inches (each at least 1, at most 100); nullopt for anything else.
std::optional<std::pair<double, double>> ParsePictureInches(const std::string& text);

} // namespace dorvek::cli
