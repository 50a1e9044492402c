#include "model/plots/PlotStyle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace dorvek {

namespace {

constexpr std::array<std::uint32_t, PaletteSize> Palette = {
    0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
    0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};

// Wong's colour-blind-safe set without its yellow, which is too light on white.
constexpr std::array<std::uint32_t, SafePaletteSize> SafePalette = {
    0x000000, 0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xE69F00, 0x56B4E9};

} // namespace

TCurveStyle CurveStyle(int counter, int paletteKind) {
    if (paletteKind != 1) return {PaletteRgb(counter), TLineStyle::Solid};
    const int n = SafePaletteSize * 4;
    const int i = ((counter % n) + n) % n;
    return {SafePalette[static_cast<size_t>(i % SafePaletteSize)],
            static_cast<TLineStyle>(i / SafePaletteSize)};
}

double MarkerRadius(int ppi, double penWidth) {
    return std::max(ppi / 32.0, 2 * penWidth);
}

std::uint32_t PaletteRgb(int counter) {
    const int i = ((counter % PaletteSize) + PaletteSize) % PaletteSize;
    return Palette[static_cast<size_t>(i)];
}

std::vector<int> CurveColours(const TGraphPlot& plot) {
    const TLineList& curves = plot.List(TLineKind::Main);
    std::vector<int> colours(static_cast<size_t>(curves.LineCount()), -1);
    int c = 0;
    for (int i = 0; i < curves.LineCount(); ++i)
        if (curves.Line(i).Active) colours[static_cast<size_t>(i)] = c++;
    return colours;
}

int MarkerKind(int position) {
    const int k = (position + 1) % 10;
    return k <= 0 ? k + 10 : k;
}

std::vector<std::pair<double, double>> MarkerPolygon(int kind, double x, double y, double r) {
    int corners = kind;
    double start = 0;
    if (kind == 1) {
        corners = 3;
        start = std::numbers::pi; // corner pointing left
    } else if (kind == 2) {
        corners = 4;
        start = std::numbers::pi / 4; // sides horizontal and vertical
    }
    std::vector<std::pair<double, double>> points;
    points.reserve(static_cast<size_t>(corners));
    for (int j = 0; j < corners; ++j) {
        const double a = start + 2 * std::numbers::pi * j / corners;
        points.emplace_back(x + r * std::cos(a), y - r * std::sin(a));
    }
    return points;
}

bool HasMarker(int pointIndex, int markers) {
    return markers > 0 && pointIndex % markers == 0;
}

} // namespace dorvek
