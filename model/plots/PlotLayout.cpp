#include "model/plots/PlotLayout.h"

#include "model/plots/PlotStyle.h"

#include <algorithm>
#include <cmath>

namespace dorvek {

int TextHeight(int ppiY, int sizeFont) {
    return std::max(1, static_cast<int>(std::lround(14.0 * ppiY / 96.0 * sizeFont / 10.0)));
}

TPlotLayout ComputeLayout(const TLayoutInput& in) {
    const int h = in.H;
    const TPixelRect& t = in.Target;
    TPlotLayout out;
    out.Target = t;
    TPixelRect& g = out.GraphArea;
    g.Left = t.Left + 2 * h + in.PpiX / 8 + h / 8;
    g.Right = in.Page ? t.Right : t.Right - in.PpiX / 4 - h / 2;
    if (in.XOnTop) {
        g.Top = t.Top + 2 * h + in.PpiY / 8 + h / 8;
        g.Bottom = in.Page ? t.Bottom : t.Bottom - in.PpiY / 4 - h / 2;
    } else {
        g.Top = in.Page ? t.Top : t.Top + h / 2 + in.PpiY / 4;
        g.Bottom = t.Bottom - 2 * h - in.PpiY / 8 - h / 8;
    }
    g.Right -= std::max(0, in.ReserveRight);
    if (in.UserCaption) {
        if (in.UserCaptionOnTop)
            g.Top += in.Page ? in.PpiY / 4 : h / 8 + h;
        else
            g.Bottom -= in.Page ? in.PpiY / 2 : h;
    }
    if (in.ShowLayers) {
        const int oldRight = g.Right;
        g.Right = oldRight - in.PpiX;
        out.LayersArea = {oldRight - in.PpiX + in.PpiX / 5, g.Top, oldRight, g.Bottom};
        out.HasLayers = true;
    }
    out.BigEnough = t.Width() >= in.PpiX && t.Height() >= in.PpiY;
    out.RoomForTicks = g.Width() >= 6 * h && g.Height() >= 6 * h;
    return out;
}

std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot) {
    const std::vector<int> colours = CurveColours(plot);
    std::vector<TLegendEntry> entries;
    const TLineList& curves = plot.List(TLineKind::Main);
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine& line = curves.Line(i);
        if (!line.Active) continue;
        entries.push_back(
            {i, colours[static_cast<size_t>(i)], MarkerKind(i), line.Visible, plot.LegendName(i)});
    }
    return entries;
}

TLegendBox LayoutLegendBoxAt(const std::vector<TLegendEntry>& entries,
                             const std::vector<int>& textWidths, int textHeight, int ppiX, int ppiY,
                             int left, int top) {
    TLegendBox box;
    int widest = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].Visible) continue;
        widest = std::max(widest, i < textWidths.size() ? textWidths[i] : 0);
        box.Rows.push_back({entries[i], 0, 0, 0, 0, 0, 0});
    }
    if (box.Rows.empty()) return box;
    const int sample = ppiX / 4;
    const int step = textHeight + ppiY / 32;
    const int width = widest + 3 * ppiX / 16 + sample;
    const int height = static_cast<int>(box.Rows.size()) * step + ppiY / 32;
    box.Box = {left, top, left + width, top + height};
    const int markerX = left + ppiX / 16 + sample / 2;
    for (size_t r = 0; r < box.Rows.size(); ++r) {
        TLegendRow& row = box.Rows[r];
        row.TextTop = top + ppiY / 32 + static_cast<int>(r) * step;
        row.MarkerX = markerX;
        row.MarkerY = row.TextTop + textHeight / 2;
        row.SampleLeft = markerX - sample / 2 - ppiX / 32;
        row.SampleRight = markerX + sample / 2 + ppiX / 32;
        row.TextX = markerX + sample / 2 + ppiX / 16;
    }
    return box;
}

TLegendBox LayoutLegendBox(const std::vector<TLegendEntry>& entries,
                           const std::vector<int>& textWidths, int textHeight, int ppiX, int ppiY,
                           const TPlotLayout& layout,
                           std::optional<std::pair<double, double>> position) {
    const TLegendBox sized = LayoutLegendBoxAt(entries, textWidths, textHeight, ppiX, ppiY, 0, 0);
    if (sized.Empty()) return sized;
    const int width = sized.Box.Width(), height = sized.Box.Height();
    const TPixelRect& t = layout.Target;
    const TPixelRect& g = layout.GraphArea;
    int left, top;
    if (position) {
        left = t.Left + static_cast<int>(std::lround(position->first * t.Width()));
        top = t.Top + static_cast<int>(std::lround(position->second * t.Height()));
    } else {
        left = g.Right - 1 - width;
        top = g.Bottom - 1 - height;
    }
    // Inside the frame, whose lines stay visible.
    left = std::max(g.Left + 1, std::min(left, g.Right - 1 - width));
    top = std::max(g.Top + 1, std::min(top, g.Bottom - 1 - height));
    return LayoutLegendBoxAt(entries, textWidths, textHeight, ppiX, ppiY, left, top);
}

} // namespace dorvek
