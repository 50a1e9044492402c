#pragma once
// The elevation of the pile in its soil: the pile polygon, the world extent and window at
// equal scales, the mapping to pixels, the layer bands with their soil family and labels,
// the ground ticks and the layout of a printed page. Plain arithmetic, drawn by PileSideRender.
//
// Every length of the drawing is in the project's display unit: feet for English projects
// (whose tables hold inches) and metres for S.I. projects.

#include "model/plots/GraphPlot.h" // LayerRow

#include <array>
#include <string>
#include <vector>

namespace dorvek {

// What the view takes from a project, in the project's units (English: inches, S.I.: m).
struct TPileSideInput {
    int Units = 1; // 1 English, 2 S.I.
    long double OD = 0;
    long double PLength = 0;
    long double HeadCoord = 0;
    bool CircPile = true;
    std::vector<LayerRow> Layers; // soil method 1..6, bottom depth
};

enum class TSoilFamily { Clay, Sand, Unknown };

// Clay for the methods 1, 3, 5, sand for 2, 4, 6; Unknown for any other code.
TSoilFamily SoilFamilyOf(int method);
// "Clay", "Sand" or "Unknown".
const char* SoilFamilyName(TSoilFamily family);
// The soil method's name as the soil-layer table lists it; "Unknown soil type" outside 1..6.
std::string SoilMethodName(int method);

// Top of a text box of textHeight kept between a frame's top and bottom lines (pen wide), so
// that a label never sits below the frame or over its bottom line.
double TextTopInside(double top, double textHeight, double frameTop, double frameBottom,
                     double pen);

// Project length (English inches, S.I. metres) to the drawing's unit (feet or metres).
long double DisplayLength(long double value, int units);
// "ft" or "m".
const char* DisplayUnitName(int units);

struct TWorldPoint {
    long double x = 0;
    long double y = 0; // depth, growing downward
};
using TPilePolygon = std::array<TWorldPoint, 4>;

// One soil layer as drawn: from the bottom of the layer above (0 for the first) to its own.
struct TLayerBand {
    long double Top = 0;
    long double Bottom = 0;
    int Method = 0;
    TSoilFamily Family = TSoilFamily::Unknown;
    // "depth= " + top + " - " + bottom + "; Clay" (or "; Sand").
    std::string Label;
    std::string MethodName;
};

struct TDepthTick {
    long double Depth = 0;
    std::string Text;
};

// Where the parts of a printed page go, in device pixels of the page.
struct TPrintLayout {
    double Unit = 1; // device pixels per layout unit (1/300 inch)
    int FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
    double GroundY = 0;     // depth 0
    double Scale = 0;       // device pixels per display length unit, both axes
    double CentreX = 0;     // the pile's axis
    double PenWidth = 12;   // ground line and layer bottoms
    std::vector<int> TickX; // ground ticks: strokes from (x, ground) down to the right
    double TickLength = 0;
    bool Valid = false; // false: nothing to print (no depth range)
    double Y(long double depth) const { return GroundY + Scale * static_cast<double>(depth); }
    double X(long double x) const { return CentreX + Scale * static_cast<double>(x); }
};

class TPileSideModel {
public:
    // Activation: the pile polygon and the world extent from the project values.
    void Build(const TPileSideInput& input);
    // Re-layout for a client area: the world window at equal scales on both axes.
    void Layout(int width, int height);
    // Closing: polygons freed, drawing suppressed.
    void Clear();

    bool NoDraw = false;
    std::vector<TPilePolygon> DataG;
    long double CircleRadius = 0;
    long double DLeft = -10, DRight = 10, DTop = 0, DBottom = 10;
    long double Left = -10, Right = 10, Top = 0, Bottom = 10;
    long double diam1 = 0;  // drawn pile width
    long double dleng1 = 0; // drawn pile length

    const TPileSideInput& Input() const { return fInput; }
    int Units() const { return fInput.Units; }
    bool CircPile() const { return fInput.CircPile; }
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }

    // Pixels of the laid-out client area, rounded.
    int PixelX(long double x) const;
    int PixelY(long double depth) const;
    // The depth under a pixel row.
    long double DepthAt(int pixelY) const;

    // The layers in table order, in display units.
    std::vector<TLayerBand> Bands() const;
    // The deepest layer bottom (0 without layers).
    long double LayersBottom() const;
    long double TipDepth() const { return fHead + dleng1; }
    long double HeadDepth() const { return fHead; }
    // Screen labels only for a circular section; printouts always carry them.
    bool ScreenLabels() const { return fInput.CircPile; }
    // x of every ground tick stroke for a client width: from 20 every 20 while x < width - 25.
    static std::vector<int> GroundTicks(int width);
    // Depth ticks covering from..to at a step of 1, 2 or 5 times a power of ten, giving about
    // `wanted` intervals.
    static std::vector<TDepthTick> DepthTicks(long double from, long double to, int wanted);
    // "  Depth: " + depth with one decimal.
    static std::string DepthTitle(long double depth);
    // "Tip: " + tip depth + " " + unit.
    std::string TipText() const;

    // The printed page of width x height device pixels at `dpi` (dots per inch).
    TPrintLayout PrintLayout(int width, int height, int dpi) const;
    // The printer's resolution as one of the steps 100, 150, 300, 600, 1200 per inch.
    static int ResolutionStep(int dpi);

private:
    TPileSideInput fInput;
    long double fHead = 0;
    int fWidth = 0;
    int fHeight = 0;
};

} // namespace dorvek
