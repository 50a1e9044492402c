#pragma once
// Where windows open: child windows wholly inside the visible area of the main window,
// cascaded from the last one and as large as their content needs; the main window inside the
// screen it is on. Sizes are in the toolkit's logical pixels, so a scaled screen is simply a
// smaller one.

#include <optional>

namespace dorvek {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return X + Width; } // one past the last column
    int Bottom() const { return Y + Height; }
    // Whether other lies wholly inside this rectangle.
    bool Contains(const TRect& other) const;
    bool operator==(const TRect&) const = default;
};

// A child window about to open in the visible area (origin 0, 0) of the main window.
struct TChildPlacement {
    TSize Area;                 // the visible area
    TSize Wanted;               // frame size that shows the window's content
    TSize Minimum;              // smallest size at which the window is usable
    std::optional<TPoint> Last; // top-left corner of the last child window that opened
    int Step = 24;              // cascade offset (about a title bar)
};

// Size: the wanted size, at least the minimum, never larger than the area. Position: one step
// right of and below the last window; a window that would cross the bottom starts a new
// cascade at the top, one that would cross the right edge starts at the left, and the result
// is moved back inside the area.
TRect PlaceChildWindow(const TChildPlacement& placement);

// A window that grew (rows added to a table) is moved back inside the area, its size kept;
// one larger than the area keeps its top-left corner at the area's.
TRect KeepInside(const TRect& window, const TSize& area);

// The Elevation View: two thirds of the area's height (at least half of it, and at least
// minimumHeight), as wide as a pile profile needs (three quarters of the height) plus the
// column of its buttons, never larger than the area.
TSize ElevationViewSize(const TSize& area, int buttonsWidth, int minimumHeight = 240);

// A plot window opens maximised; restored, it has three quarters of the area, never less
// than 640 x 480.
TSize RestoredPlotSize(const TSize& area);
inline constexpr TSize PlotMinimumSize{640, 480};

// The main window at start-up: the saved size and position (or the default size, centred),
// made to fit the screen's available area with the window frame around it (frame: what the
// frame adds to the width and the height). A default size narrowed by the screen loses height
// as well, so that it stays at least 1.25 times as wide as high.
TRect MainWindowRect(const std::optional<TRect>& saved, const TRect& available,
                     const TSize& defaultSize, const TSize& frame);

} // namespace dorvek
