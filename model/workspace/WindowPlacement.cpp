#include "model/workspace/WindowPlacement.h"

#include <algorithm>

namespace dorvek {

bool TRect::Contains(const TRect& other) const {
    return other.X >= X && other.Y >= Y && other.Right() <= Right() && other.Bottom() <= Bottom();
}

namespace {

// Position along one axis that keeps [pos, pos + length) inside [0, area), or 0 when it
// cannot fit.
int Inside(int pos, int length, int area) {
    return std::max(std::min(pos, area - length), 0);
}

} // namespace

TRect PlaceChildWindow(const TChildPlacement& in) {
    const int areaW = std::max(in.Area.Width, 1), areaH = std::max(in.Area.Height, 1);
    const int width = std::min(std::max(in.Wanted.Width, in.Minimum.Width), areaW);
    const int height = std::min(std::max(in.Wanted.Height, in.Minimum.Height), areaH);
    TPoint at;
    if (in.Last) {
        at = {in.Last->X + in.Step, in.Last->Y + in.Step};
        if (at.Y + height > areaH) at.Y = 0;
        if (at.X + width > areaW) at.X = 0;
    }
    return {Inside(at.X, width, areaW), Inside(at.Y, height, areaH), width, height};
}

TRect KeepInside(const TRect& window, const TSize& area) {
    return {Inside(window.X, window.Width, area.Width),
            Inside(window.Y, window.Height, area.Height), window.Width, window.Height};
}

TSize ElevationViewSize(const TSize& area, int buttonsWidth, int minimumHeight) {
    const int height = std::min(std::max(area.Height * 2 / 3, minimumHeight), area.Height);
    const int width = std::min(height * 3 / 4 + std::max(buttonsWidth, 0), area.Width);
    return {std::max(width, 0), std::max(height, 0)};
}

TSize RestoredPlotSize(const TSize& area) {
    return {std::max(area.Width * 3 / 4, PlotMinimumSize.Width),
            std::max(area.Height * 3 / 4, PlotMinimumSize.Height)};
}

TRect MainWindowRect(const std::optional<TRect>& saved, const TRect& available,
                     const TSize& defaultSize, const TSize& frame) {
    const int roomW = std::max(available.Width - frame.Width, 1);
    const int roomH = std::max(available.Height - frame.Height, 1);
    const TSize size = saved ? TSize{saved->Width, saved->Height} : defaultSize;
    const int width = std::clamp(size.Width, 1, roomW);
    int height = std::clamp(size.Height, 1, roomH);
    // The default window keeps its shape, at least 1.25 times as wide as high, when the screen
    // narrows it.
    if (!saved && width < height * 5 / 4) height = std::max(width * 4 / 5, 1);
    // The frame's borders: half its extra width on each side and at the bottom, the rest of
    // its extra height (the title bar) at the top.
    const int left = frame.Width / 2, top = frame.Height - frame.Width / 2;
    // The client area's corner relative to the room the frame leaves.
    TPoint at{(roomW - width) / 2, (roomH - height) / 2};
    if (saved) at = {saved->X - available.X - left, saved->Y - available.Y - top};
    const int x = available.X + left + Inside(at.X, width, roomW);
    const int y = available.Y + top + Inside(at.Y, height, roomH);
    return {x, y, width, height};
}

} // namespace dorvek
