#include "model/plots/PileSideModel.h"

#include "model/tables/InputTables.h"
#include "model/tables/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace dorvek {

namespace {

constexpr long double InchesPerFoot = 12;
constexpr long double ExtentMargin = 1.05L;
constexpr long double TopMargin = 0.05L;
// Far beyond any window, small enough for int.
constexpr long double PixelLimit = 1e7L;

bool Finite(long double v) {
    return std::isfinite(v);
}

} // namespace

TSoilFamily SoilFamilyOf(int method) {
    switch (method) {
    case 1:
    case 3:
    case 5:
        return TSoilFamily::Clay;
    case 2:
    case 4:
    case 6:
        return TSoilFamily::Sand;
    default:
        return TSoilFamily::Unknown;
    }
}

const char* SoilFamilyName(TSoilFamily family) {
    switch (family) {
    case TSoilFamily::Clay:
        return "Clay";
    case TSoilFamily::Sand:
        return "Sand";
    default:
        return "Unknown";
    }
}

std::string SoilMethodName(int method) {
    const std::vector<std::string>& names = SoilTypeNames();
    if (method < 1 || method > static_cast<int>(names.size())) return "Unknown soil type";
    return names[static_cast<size_t>(method - 1)];
}

long double DisplayLength(long double value, int units) {
    return units == 2 ? value : value / InchesPerFoot;
}

const char* DisplayUnitName(int units) {
    return units == 2 ? "m" : "ft";
}

void TPileSideModel::Build(const TPileSideInput& input) {
    DataG.clear();
    fInput = input;
    const int units = input.Units == 2 ? 2 : 1;
    fInput.Units = units;
    // The pile is drawn half as wide again as it is, so that a slender pile stays visible.
    const long double od = DisplayLength(input.OD, units);
    diam1 = Finite(od) && od > 0 ? od * 1.5L : 0;
    const long double length = DisplayLength(input.PLength, units);
    dleng1 = Finite(length) && length > 0 ? length : 0;
    const long double head = DisplayLength(input.HeadCoord, units);
    fHead = Finite(head) ? head : 0;
    CircleRadius = diam1 / 2;

    if (dleng1 > 0 && diam1 > 0) {
        const long double w = diam1 / 2;
        DataG.push_back({TWorldPoint{-w, fHead}, TWorldPoint{w, fHead},
                         TWorldPoint{w, fHead + dleng1}, TWorldPoint{-w, fHead + dleng1}});
    }

    DLeft = DRight = DTop = DBottom = 0;
    for (const TPilePolygon& polygon : DataG) {
        for (const TWorldPoint& p : polygon) {
            DLeft = std::min(DLeft, p.x);
            DRight = std::max(DRight, p.x);
            DTop = std::min(DTop, p.y);
            DBottom = std::max(DBottom, p.y);
        }
    }
    // A pile without width still reaches its tip.
    DTop = std::min(DTop, fHead);
    DBottom = std::max({DBottom, fHead + dleng1, LayersBottom()});
    // Room above the ground for the ground line, its ticks and the first label.
    DTop = std::min(DTop, -TopMargin * DBottom);
    DLeft *= ExtentMargin;
    DRight *= ExtentMargin;
    DTop *= ExtentMargin;
    DBottom *= ExtentMargin;
    Layout(fWidth, fHeight);
}

void TPileSideModel::Layout(int width, int height) {
    fWidth = width;
    fHeight = height;
    if (width <= 0 || height <= 0) {
        NoDraw = true;
        return;
    }
    long double left = DLeft, right = DRight, top = DTop, bottom = DBottom;
    const long double window = static_cast<long double>(width) / height;
    const bool flat = !(bottom - top > 0), narrow = !(right - left > 0);
    if (flat && narrow) {
        // Nothing to scale by: the initial extent.
        left = -10;
        right = 10;
        top = 0;
        bottom = 10;
    }
    if (!flat && narrow) {
        // A pile without width: the window's ratio gives the horizontal range.
        const long double half = (bottom - top) * window / 2;
        left = -half;
        right = half;
    } else if (flat && !narrow) {
        bottom = top + (right - left) / window;
    } else {
        const long double r = window / ((right - left) / (bottom - top));
        if (r >= 1) {
            left *= r;
            right *= r;
        } else {
            top /= r;
            bottom /= r;
        }
    }
    NoDraw = !(Finite(left) && Finite(right) && Finite(top) && Finite(bottom) && right > left &&
               bottom > top);
    if (NoDraw) return;
    Left = left;
    Right = right;
    Top = top;
    Bottom = bottom;
}

void TPileSideModel::Clear() {
    DataG.clear();
    NoDraw = true;
}

int TPileSideModel::PixelX(long double x) const {
    const long double v = fWidth * (x - Left) / (Right - Left);
    return static_cast<int>(std::lround(std::clamp(v, -PixelLimit, PixelLimit)));
}

int TPileSideModel::PixelY(long double depth) const {
    const long double v = fHeight * (depth - Top) / (Bottom - Top);
    return static_cast<int>(std::lround(std::clamp(v, -PixelLimit, PixelLimit)));
}

long double TPileSideModel::DepthAt(int pixelY) const {
    if (fHeight <= 0) return Top;
    return Top + pixelY * (Bottom - Top) / fHeight;
}

long double TPileSideModel::LayersBottom() const {
    long double deepest = 0;
    for (const LayerRow& layer : fInput.Layers) {
        const long double bottom = DisplayLength(layer.bottom, fInput.Units);
        if (Finite(bottom)) deepest = std::max(deepest, bottom);
    }
    return deepest;
}

std::vector<TLayerBand> TPileSideModel::Bands() const {
    std::vector<TLayerBand> bands;
    long double top = 0;
    for (const LayerRow& layer : fInput.Layers) {
        TLayerBand band;
        band.Top = top;
        band.Bottom = DisplayLength(layer.bottom, fInput.Units);
        band.Method = layer.method;
        band.Family = SoilFamilyOf(layer.method);
        // Four digits: a depth like 16.666667 says nothing more and widens the label.
        band.Label = "depth= " + FormatGeneral(band.Top, 4) + " - " +
                     FormatGeneral(band.Bottom, 4) + "; " + SoilFamilyName(band.Family);
        band.MethodName = SoilMethodName(layer.method);
        bands.push_back(std::move(band));
        top = bands.back().Bottom;
    }
    return bands;
}

double TextTopInside(double top, double textHeight, double frameTop, double frameBottom,
                     double pen) {
    const double lowest = frameBottom - pen - textHeight - 1;
    const double highest = frameTop + pen + 1;
    if (lowest < highest) return highest;
    return std::clamp(top, highest, lowest);
}

std::vector<int> TPileSideModel::GroundTicks(int width) {
    std::vector<int> ticks;
    for (int x = 20; x < width - 25; x += 20) ticks.push_back(x);
    return ticks;
}

std::vector<TDepthTick> TPileSideModel::DepthTicks(long double from, long double to, int wanted) {
    std::vector<TDepthTick> ticks;
    if (!(to > from) || !Finite(to - from) || wanted < 1) return ticks;
    const long double raw = (to - from) / wanted;
    const long double magnitude = std::pow(10.0L, std::floor(std::log10(raw)));
    long double step = 10 * magnitude;
    for (long double m : {1.0L, 2.0L, 5.0L}) {
        if (m * magnitude >= raw * (1 - 1e-9L)) {
            step = m * magnitude;
            break;
        }
    }
    const long double first = std::ceil(from / step - 1e-9L);
    const long double last = std::floor(to / step + 1e-9L);
    for (long double n = first; n <= last; n += 1) {
        const long double depth = n * step + 0.0L; // no "-0"
        ticks.push_back({depth, FormatGeneral(depth, 6)});
    }
    return ticks;
}

std::string TPileSideModel::DepthTitle(long double depth) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(depth),
                                      std::chars_format::fixed, 1);
    std::string number = result.ec == std::errc{} ? std::string(text, result.ptr) : "?";
    if (number == "-0.0") number = "0.0";
    return "  Depth: " + number;
}

std::string TPileSideModel::TipText() const {
    return "Tip: " + FormatGeneral(TipDepth()) + " " + DisplayUnitName(fInput.Units);
}

int TPileSideModel::ResolutionStep(int dpi) {
    static constexpr int steps[] = {100, 150, 300, 600, 1200};
    int best = steps[0];
    for (int step : steps)
        if (std::abs(step - dpi) < std::abs(best - dpi)) best = step;
    return best;
}

TPrintLayout TPileSideModel::PrintLayout(int width, int height, int dpi) const {
    TPrintLayout page;
    if (width <= 0 || height <= 0) return page;
    page.Unit = ResolutionStep(dpi) / 300.0;
    page.FrameLeft = static_cast<int>(std::lround(width * 0.1));
    page.FrameRight = static_cast<int>(std::lround(width * 0.9));
    page.FrameTop = static_cast<int>(std::lround(height * 0.1));
    page.FrameBottom = static_cast<int>(std::lround(height * 0.9));
    // Depth 0 (or a pile head above the ground) at the top of the frame; the deepest of the
    // layers and the pile tip at its bottom, so that the whole pile is on the page.
    const long double shallowest = std::min(0.0L, fHead);
    long double deepest = std::max(LayersBottom(), TipDepth());
    if (!(deepest > shallowest)) deepest = shallowest + 1;
    page.Scale = (page.FrameBottom - page.FrameTop) / static_cast<double>(deepest - shallowest);
    page.GroundY = page.FrameTop - page.Scale * static_cast<double>(shallowest);
    page.CentreX = width / 2.0;
    page.PenWidth = 12 * page.Unit;
    for (int k = 1; k <= 10; ++k)
        page.TickX.push_back(page.FrameLeft + static_cast<int>(std::lround(k * 50 * page.Unit)));
    page.TickLength = 25 * page.Unit;
    page.Valid = true;
    return page;
}

} // namespace dorvek
