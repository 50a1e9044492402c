#pragma once
// A result graph: named curves of (x, y) points in up to four line lists (main curves,
// soil-layer overlay, panels 2 and 3), with captions, unit codes and display settings.
// The window that draws a graph is reached through a TPlotWindow handle, so the model stays
// headless.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dorvek {

struct TFloatPoint {
    long double x = 0;
    long double y = 0;
};

class TGraphPlot;

// The line lists of a graph: the curves of the main panel, the soil-layer overlay (one
// single-point line per layer: fill pattern code, bottom depth) and panels 2 and 3.
enum class TLineKind { Main, Layers, Panel2, Panel3 };

// How a curve is drawn: a line with the plot's markers, markers alone at every point
// (measured values), or a dashed line without markers (a reference line such as a limit).
enum class TLineRole { Curve, Markers, Reference };

// One curve. Its default name depends on its position in the owner's main list.
class TLine {
public:
    TLine(TGraphPlot* owner, long double value);
    TLine(const TLine&) = delete;
    TLine& operator=(const TLine&) = delete;

    int Count() const { return static_cast<int>(fData.size()); }
    // Frees points from the end or appends (0, 0) points; a negative count is taken as 0.
    void SetCount(int n);
    TFloatPoint& Point(int j) { return fData.at(static_cast<size_t>(j)); }
    const TFloatPoint& Point(int j) const { return fData.at(static_cast<size_t>(j)); }
    const std::vector<TFloatPoint>& Points() const { return fData; }

    TGraphPlot* Owner() const { return fOwner; }

    // The explicit name when set; else the owner's default name for the line's position in
    // the main list; else CurveName followed by Value ("Curve #1").
    std::string LineName() const;
    void SetLineName(const std::string& name) { fValueS = name; }

    long double Value;
    std::string fValueS;
    bool Visible = true;
    bool Active = true; // an inactive line is neither drawn nor listed in the legend
    TLineRole Role = TLineRole::Curve;

private:
    TGraphPlot* fOwner;
    std::vector<TFloatPoint> fData;
};

// An owned list of lines whose point-count setter acts on every line.
class TLineList {
public:
    explicit TLineList(TGraphPlot* owner) : fOwner(owner) {}

    int LineCount() const { return static_cast<int>(fLines.size()); }
    // Appends lines (Value = position + 1) holding as many zero points as the first line,
    // or frees lines from the end.
    void SetLineCount(int n);
    // Point count of the first line, 0 for an empty list.
    int Count() const { return fLines.empty() ? 0 : fLines.front()->Count(); }
    // Applies to every line; nothing happens for an empty list.
    void SetCount(int n);

    TLine& Line(int i) { return *fLines.at(static_cast<size_t>(i)); }
    const TLine& Line(int i) const { return *fLines.at(static_cast<size_t>(i)); }
    // Point j of line i.
    TFloatPoint& Point(int i, int j) { return Line(i).Point(j); }
    const TFloatPoint& Point(int i, int j) const { return Line(i).Point(j); }
    int IndexOf(const TLine* line) const;

private:
    TGraphPlot* fOwner;
    std::vector<std::unique_ptr<TLine>> fLines;
};

// The plot's handle on the window that draws it. The window belongs to its toolkit and may
// go away by itself (closed by the user, freed with its parent); the plot owns the handle,
// and freeing the handle frees the window when it is still open.
class TPlotWindow {
public:
    virtual ~TPlotWindow() = default;
    // False once the window was closed or freed.
    virtual bool Exists() const = 0;
    // Brings the window up; a minimised window is restored to normal.
    virtual void ShowWindow() = 0;
};

using TPlotWindowFactory = std::function<std::unique_ptr<TPlotWindow>(TGraphPlot&)>;

class TGraphPlot {
public:
    TGraphPlot();
    ~TGraphPlot();
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    // Published settings with their defaults.
    std::string CurveName = "Curve #";
    std::string Caption;
    bool AnyChange = false; // a setting kept by the graph settings file was changed
    bool ShowLegend = true;
    bool ShowLayers = false;
    bool ShowWall = false;
    bool ShowThree = false;
    bool ShowFontWidth = true;
    int WallLineCount = 0;
    int Markers = 1;
    int SizeFont = 10;
    int LegendFont = 11;
    int WidthLine = 1;
    std::string XCaption, YCaption, XUnits, YUnits;
    // The x axis is drawn at the top and y grows downward from it (depths, settlements).
    bool XOnTop = true;
    std::string XCaption2, XUnits2, YCaption2, YUnits2;
    std::string XCaption3, XUnits3, YCaption3, YUnits3;
    // Lets the owner replace the caption shown for line `index` of the main list.
    std::function<void(const TGraphPlot&, int index, std::string& caption)> onGetCaption;

    bool LimitActive = true;
    std::vector<std::string> DefLineNames;
    std::string UserCaption;
    bool UserCaptionOnTop = false;
    long double LayersTop = 0;
    // The y axis runs opposite to its usual sense and its extent need not contain 0.
    bool Yreversed = false;
    bool fAlwaysShowLegend = false;

    // Additions kept in the graph settings file's extra block.
    // Pictures and printouts put the legend box where it covers the fewest points.
    bool LegendOffCurves = false;
    // 0: the classic palette; 1: colour-blind-safe colours with line styles.
    int PaletteKind = 0;
    // User axis ranges; an unset range keeps the full extent. Step 0 keeps the automatic ticks.
    struct TAxisRange {
        bool Set = false;
        long double From = 0, To = 0, Step = 0;
        bool operator==(const TAxisRange&) const = default;
    };
    TAxisRange XRange, YRange;

    int Units() const { return fUnits; }
    void SetUnits(int units); // clamped to 1..3

    // The line lists by kind.
    TLineList& List(TLineKind kind);
    const TLineList& List(TLineKind kind) const;

    bool HasSomethingToDraw() const { return fLines.LineCount() > 0; }

    // Name shown in the legend for main line i (its LineName, passed through onGetCaption).
    std::string LegendName(int i) const;

    // Unit label of a code for this plot's unit system, and an axis title built from a
    // caption and a unit code: "Depth (ft)", or the caption alone for an empty code.
    std::string UnitLabel(const std::string& code) const;
    std::string AxisTitle(const std::string& caption, const std::string& code) const;
    std::string XTitle() const { return AxisTitle(XCaption, XUnits); }
    std::string YTitle() const { return AxisTitle(YCaption, YUnits); }

    // With LimitActive set and more than 20 main lines, lines 21 onwards become inactive.
    void ApplyActiveLimit();

    // Window attachment. Show creates a window through the factory when none is open (after
    // applying the active-line limit) and brings it up; without a factory it does nothing.
    void SetWindowFactory(TPlotWindowFactory factory) { fFactory = std::move(factory); }
    void Show();
    void Hide(); // frees the window if one is open
    bool FormExists() const { return fWindow && fWindow->Exists(); }
    // The handle of the open window, null when none is open.
    TPlotWindow* Window() const { return FormExists() ? fWindow.get() : nullptr; }

    static constexpr int ActiveLimit = 20;

private:
    int fUnits = 1;
    TLineList fLines{this};
    TLineList fLayerLines{this};
    TLineList fLines2{this};
    TLineList fLines3{this};
    TPlotWindowFactory fFactory;
    std::unique_ptr<TPlotWindow> fWindow;
};

// Main-window operations on plots.
// Empties the main list and restores markers, font size and line width.
void ResetGraphPlot(TGraphPlot& plot);

// One soil layer as the overlay needs it: soil-method code (1..6) and bottom depth in the
// project's units.
struct LayerRow {
    int method = 0;
    long double bottom = 0;
};

// Builds the soil-layer overlay (one single-point layer line per layer, clay coded 1, sand 7,
// depths in feet for English projects) when the plot has a line with points and the soil
// layers are in use (not both curve kinds user-entered).
void AddLayersGraphPlot(TGraphPlot& plot, const std::vector<LayerRow>& layers, int projectUnits,
                        bool userTz, bool userQw);

} // namespace dorvek
