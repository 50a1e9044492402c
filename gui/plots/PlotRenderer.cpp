#include "gui/plots/PlotRenderer.h"

#include "gui/plots/SoilPatterns.h"
#include "model/plots/AxisRanges.h"
#include "model/plots/LegendPlacement.h"
#include "model/plots/PlotStyle.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <vector>

namespace dorvek {

namespace {

constexpr const char* GraphFamily = "Times New Roman";

int PaletteOf(const TGraphPlot& plot, const TPlotTarget& target) {
    return target.PaletteKind >= 0 ? target.PaletteKind : plot.PaletteKind;
}

QColor CurveColour(int counter, int palette) {
    return QColor::fromRgb(static_cast<QRgb>(CurveStyle(counter, palette).Rgb));
}

// A pen of a curve's colour and line style.
QPen CurvePen(int counter, int palette, double width) {
    const TCurveStyle style = CurveStyle(counter, palette);
    QPen pen(QColor::fromRgb(static_cast<QRgb>(style.Rgb)), width);
    switch (style.Style) {
    case TLineStyle::Solid:
        break;
    case TLineStyle::Dashed:
        pen.setStyle(Qt::DashLine);
        break;
    case TLineStyle::Dotted:
        pen.setStyle(Qt::DotLine);
        break;
    case TLineStyle::DashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    }
    return pen;
}

double CurvePenWidth(const TGraphPlot& plot, int ppiX) {
    return (std::lround(ppiX / 300.0) + 1) * std::max(1, plot.WidthLine);
}

TPixelRect ToPixelRect(const QRect& r) {
    return {r.left(), r.top(), r.right(), r.bottom()};
}

QRect ToQRect(const TPixelRect& r) {
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

// Outline whose strokes lie on the rectangle's first and last columns and rows.
QRect OutlineRect(const TPixelRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// Liang-Barsky: the part of segment a-b inside r, if any.
bool ClipSegment(const QRectF& r, QPointF& a, QPointF& b) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF a0 = a;
    a = QPointF(a0.x() + t0 * dx, a0.y() + t0 * dy);
    b = QPointF(a0.x() + t1 * dx, a0.y() + t1 * dy);
    return true;
}

// Draws a polyline clipped to r as few polylines as possible (one when it stays inside), so
// that vector outputs get one path per curve and far-away points never reach the device.
void DrawClippedPolyline(QPainter& p, const std::vector<QPointF>& pts, const QRectF& r,
                         std::vector<QPointF>& run) {
    run.clear();
    for (size_t i = 1; i < pts.size(); ++i) {
        QPointF a = pts[i - 1], b = pts[i];
        const bool aInside = r.contains(a);
        if (!ClipSegment(r, a, b)) {
            if (run.size() > 1) p.drawPolyline(run.data(), static_cast<int>(run.size()));
            run.clear();
            continue;
        }
        if (run.empty() || !aInside || run.back() != a) {
            if (run.size() > 1) p.drawPolyline(run.data(), static_cast<int>(run.size()));
            run.clear();
            run.push_back(a);
        }
        run.push_back(b);
    }
    if (run.size() > 1) p.drawPolyline(run.data(), static_cast<int>(run.size()));
}

void DrawMarker(QPainter& p, int kind, double x, double y, double r) {
    const auto corners = MarkerPolygon(kind, x, y, r);
    QPointF pts[10];
    int n = 0;
    for (const auto& c : corners) pts[n++] = QPointF(c.first, c.second);
    p.drawPolygon(pts, n);
}

void DrawCaptions(QPainter& p, const TGraphPlot& plot, const QRect& t, const TPlotLayout& layout,
                  int h) {
    p.setPen(Qt::black);
    const QFont bold = PlotFont(h, true);
    p.setFont(bold);
    const int lineH = QFontMetrics(bold).height();
    const bool title = !plot.UserCaption.empty();
    const int titleShift = title ? h / 8 + h : 0;
    if (title) {
        const QRect r = plot.UserCaptionOnTop
                            ? QRect(t.left(), t.top(), t.width(), lineH)
                            : QRect(t.left(), t.bottom() + 1 - lineH, t.width(), lineH);
        p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, Text(plot.UserCaption));
    }
    const QString x = Text(plot.XTitle());
    if (!x.isEmpty()) {
        QRect r;
        if (plot.XOnTop)
            r = QRect(t.left(), t.top() + (title && plot.UserCaptionOnTop ? titleShift : 0),
                      t.width(), lineH);
        else
            r = QRect(t.left(),
                      t.bottom() + 1 - lineH - (title && !plot.UserCaptionOnTop ? titleShift : 0),
                      t.width(), lineH);
        p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, x);
    }
    const QString y = Text(plot.YTitle());
    if (!y.isEmpty()) {
        const QRect& g = ToQRect(layout.GraphArea);
        p.save();
        p.translate(t.left(), g.center().y());
        p.rotate(-90);
        p.drawText(QRect(-t.height() / 2, 0, t.height(), lineH), Qt::AlignHCenter | Qt::AlignTop,
                   y);
        p.restore();
    }
}

void DrawTicks(QPainter& p, const TGraphPlot& plot, const TPlotMapping& map, int h, int ppiX,
               int ppiY) {
    const TPixelRect& g = map.Area();
    const TLogicBounds& v = map.View();
    const auto tx = RangedTicks(plot.XRange, v.Left, v.Right, g.Width(), h);
    const auto ty = RangedTicks(plot.YRange, v.Top, v.Bottom, g.Height(), h);
    // The label box of the first x label (nearest the y axis), to keep the y labels off it.
    std::optional<TLabelBox> firstX;
    const QFont normal = PlotFont(h, false);
    p.setFont(normal);
    const QFontMetrics fm(normal);
    QPen solid(Qt::black, 1);
    QPen dotted(Qt::black, 1, Qt::DotLine);
    // Guards against a view so narrow that its ticks would never end.
    constexpr long long MaxTicks = 100000;
    if (tx && tx->Finish - tx->Start < MaxTicks) {
        const int edge = plot.XOnTop ? g.Top : g.Bottom;
        const int into = plot.XOnTop ? ppiY / 16 : -ppiY / 16;
        for (long long i = tx->Start; i <= tx->Finish; ++i) {
            const double x = map.PixelX(tx->Value(i));
            p.setPen(solid);
            p.drawLine(QPointF(x, edge), QPointF(x, edge + into));
            if (!TAxisTicks::IsMajor(i)) continue;
            p.setPen(dotted);
            p.drawLine(QPointF(x, g.Top), QPointF(x, g.Bottom));
            p.setPen(solid);
            const QString label = Text(TickLabel(tx->Value(i)));
            const int w = fm.horizontalAdvance(label);
            const double top = plot.XOnTop ? g.Top - ppiY / 32 - fm.height() : g.Bottom + ppiY / 16;
            const QRectF box(x - w / 2.0 - 1, top, w + 2, fm.height());
            if (!firstX || box.left() < firstX->Left)
                firstX = TLabelBox{box.left(), box.top(), box.right(), box.bottom()};
            p.drawText(box, Qt::AlignCenter, label);
        }
    }
    if (ty && ty->Finish - ty->Start < MaxTicks) {
        for (long long i = ty->Start; i <= ty->Finish; ++i) {
            const double y = map.PixelY(ty->Value(i));
            p.setPen(solid);
            p.drawLine(QPointF(g.Left, y), QPointF(g.Left + ppiX / 16, y));
            if (!TAxisTicks::IsMajor(i)) continue;
            p.setPen(dotted);
            p.drawLine(QPointF(g.Left, y), QPointF(g.Right, y));
            p.setPen(solid);
            const QString label = Text(TickLabel(ty->Value(i)));
            const int w = fm.horizontalAdvance(label);
            // Rotated, the label spans w + 2 along the axis, centred on the tick.
            double centre = y;
            if (firstX) {
                const TLabelBox mine{g.Left - ppiX / 32.0 - fm.height(), y - w / 2.0 - 1,
                                     g.Left - ppiX / 32.0, y + w / 2.0 + 1};
                const TLabelBox moved = ClearCornerLabel(mine, *firstX, plot.XOnTop);
                centre = (moved.Top + moved.Bottom) / 2;
            }
            p.save();
            p.translate(g.Left - ppiX / 32, centre);
            p.rotate(-90);
            p.drawText(QRectF(-w / 2.0 - 1, -fm.height(), w + 2, fm.height()), Qt::AlignCenter,
                       label);
            p.restore();
        }
    }
}

void DrawCurves(QPainter& p, const TGraphPlot& plot, const TPlotMapping& map, int ppiX,
                int palette) {
    const TLineList& curves = plot.List(TLineKind::Main);
    if (curves.LineCount() == 0 || curves.Line(0).Count() < 2) return;
    const TPixelRect& g = map.Area();
    const QRectF clip(g.Left, g.Top, g.Width(), g.Height());
    const std::vector<int> colours = CurveColours(plot);
    const double width = CurvePenWidth(plot, ppiX);
    const double radius = MarkerRadius(ppiX, width);
    std::vector<QPointF> pts, run;
    std::vector<QLineF> edges;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(ToQRect(g));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine& line = curves.Line(i);
        if (!line.Active || !line.Visible) continue;
        QPen pen = CurvePen(colours[static_cast<size_t>(i)], palette, width);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        if (line.Role == TLineRole::Reference) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        pts.clear();
        pts.reserve(line.Points().size());
        for (const TFloatPoint& pt : line.Points())
            pts.emplace_back(map.PixelX(pt.x), map.PixelY(pt.y));
        if (line.Role != TLineRole::Markers) DrawClippedPolyline(p, pts, clip, run);
        // Measured points carry a marker each whatever the plot's marker setting; reference
        // lines none.
        const bool everyPoint = line.Role == TLineRole::Markers;
        if (line.Role == TLineRole::Reference || (!everyPoint && plot.Markers <= 0)) continue;
        QPen markerPen = pen;
        markerPen.setStyle(Qt::SolidLine);
        markerPen.setWidthF(everyPoint ? width : std::max(1.0, width / 2));
        p.setPen(markerPen);
        // All outlines of a curve's markers in one call: far cheaper than a polygon each. A
        // marker closer to the last one drawn than its own size would only blot it out.
        const auto shape = MarkerPolygon(MarkerKind(i), 0, 0, radius);
        edges.clear();
        QPointF last(-1e9, -1e9);
        for (size_t j = 0; j < pts.size(); ++j) {
            if (!(everyPoint || HasMarker(static_cast<int>(j), plot.Markers)) ||
                !clip.contains(pts[j]))
                continue;
            // Measured points are each shown, however close.
            const QPointF d = pts[j] - last;
            if (!everyPoint && d.x() * d.x() + d.y() * d.y() < 4 * radius * radius) continue;
            last = pts[j];
            for (size_t k = 0; k < shape.size(); ++k) {
                const auto& a = shape[k];
                const auto& b = shape[(k + 1) % shape.size()];
                edges.emplace_back(pts[j].x() + a.first, pts[j].y() + a.second,
                                   pts[j].x() + b.first, pts[j].y() + b.second);
            }
        }
        if (!edges.empty()) p.drawLines(edges.data(), static_cast<int>(edges.size()));
    }
    p.restore();
}

void DrawLayers(QPainter& p, const TGraphPlot& plot, const TPlotLayout& layout,
                const TPlotMapping& map, int ppiX, int ppiY, bool printForm) {
    if (!layout.HasLayers || plot.List(TLineKind::Layers).LineCount() == 0) return;
    const TPixelRect& s = layout.LayersArea;
    p.save();
    p.setClipRect(ToQRect(s));
    // Size 10 (points) at the target's resolution.
    const QFont font = PlotFont(static_cast<int>(std::lround(10.0 * ppiY / 72.0)), false);
    p.setFont(font);
    const QFontMetrics fm(font);
    double top = map.PixelY(plot.LayersTop);
    const TLineList& layers = plot.List(TLineKind::Layers);
    for (int i = 0; i < layers.LineCount(); ++i) {
        const TLine& layer = layers.Line(i);
        if (layer.Count() == 0) continue;
        const TFloatPoint& pt = layer.Point(0);
        const double bottom = map.PixelY(pt.y);
        const double y0 = std::min(top, bottom), y1 = std::max(top, bottom);
        const QRect band(QPoint(s.Left, static_cast<int>(std::lround(y0))),
                         QPoint(s.Right, static_cast<int>(std::lround(y1))));
        const long double code = pt.x;
        const int c = std::isfinite(code) && code >= 0 && code < 100 ? static_cast<int>(code) : 0;
        p.fillRect(band, Qt::white);
        FillSoilPattern(p, band, c, std::max(ppiX, 1), printForm);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band.adjusted(0, 0, -1, -1));
        const QString name = Text(layer.LineName());
        const int w = fm.horizontalAdvance(name);
        const QRect textBox(band.center().x() - w / 2, band.center().y() - fm.height() / 2, w,
                            fm.height());
        p.fillRect(textBox, Qt::white);
        p.drawText(textBox, Qt::AlignCenter, name);
        top = bottom;
    }
    p.restore();
}

std::vector<int> LegendWidths(const std::vector<TLegendEntry>& entries, const QFontMetrics& fm) {
    std::vector<int> widths;
    widths.reserve(entries.size());
    for (const TLegendEntry& e : entries) widths.push_back(fm.horizontalAdvance(Text(e.Name)));
    return widths;
}

bool OffCurves(const TGraphPlot& plot, const TPlotTarget& target) {
    return target.kind != TPlotTarget::Screen &&
           (target.LegendOffCurves >= 0 ? target.LegendOffCurves == 1 : plot.LegendOffCurves);
}

// The legend box's top-left when it must keep off the curves: a free corner of the graph area,
// or beside it at the right (nullopt: the layout must first make room there).
std::optional<QPoint> OffCurvesSpot(const TGraphPlot& plot, const TPlotLayout& layout,
                                    const TLogicBounds& view, const TLegendBox& sized,
                                    const TPlotTarget& target) {
    const TPlotMapping map(layout.GraphArea, view, plot.XOnTop);
    const auto points = CurvePixelPoints(plot, map, target.PpiX / 16.0);
    const TLegendSpot spot = LeastCoveredCorner(layout.GraphArea, sized.Box.Width(),
                                                sized.Box.Height(), target.PpiX / 16, points);
    if (spot.Outside) return std::nullopt;
    return QPoint(spot.Left, spot.Top);
}

void DrawLegendBox(QPainter& p, const TGraphPlot& plot, const TPlotLayout& layout, int h,
                   const TPlotTarget& target, const std::optional<QPoint>& at) {
    const std::vector<TLegendEntry> entries = LegendEntries(plot);
    const QFont font = PlotFont(h, false);
    const QFontMetrics fm(font);
    const std::vector<int> widths = LegendWidths(entries, fm);
    const TLegendBox box = at ? LayoutLegendBoxAt(entries, widths, fm.height(), target.PpiX,
                                                  target.PpiY, at->x(), at->y())
                              : LayoutLegendBox(entries, widths, fm.height(), target.PpiX,
                                                target.PpiY, layout, target.LegendPosition);
    if (box.Empty()) return;
    const int palette = PaletteOf(plot, target);
    const double width = CurvePenWidth(plot, target.PpiX);
    const double radius = MarkerRadius(target.PpiX, width);
    p.save();
    p.setFont(font);
    p.setPen(QPen(Qt::black, std::max(1, target.PpiX / 96)));
    p.setBrush(Qt::white);
    p.drawRect(OutlineRect(box.Box));
    p.setBrush(Qt::NoBrush);
    for (const TLegendRow& row : box.Rows) {
        const TLineRole role = plot.List(TLineKind::Main).Line(row.Entry.Curve).Role;
        QPen pen = CurvePen(row.Entry.Colour, palette, width);
        pen.setCapStyle(Qt::FlatCap);
        if (role == TLineRole::Reference) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (role != TLineRole::Markers)
            p.drawLine(QPointF(row.SampleLeft, row.MarkerY), QPointF(row.SampleRight, row.MarkerY));
        if (role == TLineRole::Markers || (role == TLineRole::Curve && plot.Markers > 0)) {
            pen.setStyle(Qt::SolidLine);
            pen.setWidthF(std::max(1.0, width / 2));
            p.setPen(pen);
            p.setBrush(Qt::white);
            DrawMarker(p, row.Entry.Marker, row.MarkerX, row.MarkerY, radius);
            p.setBrush(Qt::NoBrush);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(target.BlackText ? QColor(Qt::black) : CurveColour(row.Entry.Colour, palette));
        p.drawText(QRect(row.TextX, row.TextTop, box.Box.Right - row.TextX, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, Text(row.Entry.Name));
    }
    p.restore();
}

} // namespace

void EnsurePlotFonts() {
    static std::once_flag once;
    std::call_once(once, [] { QFont::insertSubstitution(GraphFamily, "Liberation Serif"); });
}

QFont PlotFont(int pixelHeight, bool bold) {
    EnsurePlotFonts();
    QFont font(GraphFamily);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

namespace {

TLayoutInput LayoutInputFor(const TGraphPlot& plot, const TPlotTarget& target) {
    TLayoutInput in;
    in.Target = ToPixelRect(target.Rect);
    in.PpiX = target.PpiX;
    in.PpiY = target.PpiY;
    in.H = TextHeight(target.PpiY, plot.SizeFont);
    in.XOnTop = plot.XOnTop;
    in.UserCaption = !plot.UserCaption.empty();
    in.UserCaptionOnTop = plot.UserCaptionOnTop;
    in.ShowLayers = plot.ShowLayers && plot.List(TLineKind::Layers).LineCount() > 0;
    in.Page = target.kind == TPlotTarget::Printer;
    return in;
}

} // namespace

TPlotLayout PlotLayoutFor(const TGraphPlot& plot, const TPlotTarget& target) {
    return ComputeLayout(LayoutInputFor(plot, target));
}

TPlotLayout PaintPlot(QPainter& painter, const TGraphPlot& plot, const TLogicBounds& view,
                      const TPlotTarget& target) {
    EnsurePlotFonts();
    TPlotLayout layout = PlotLayoutFor(plot, target);
    const int h = TextHeight(target.PpiY, plot.SizeFont);
    // A legend kept off the curves takes a free corner, else room beside the graph.
    std::optional<QPoint> legendAt;
    if (OffCurves(plot, target) && layout.RoomForTicks) {
        const QFontMetrics fm(PlotFont(h, false));
        const std::vector<TLegendEntry> entries = LegendEntries(plot);
        const TLegendBox sized = LayoutLegendBoxAt(entries, LegendWidths(entries, fm), fm.height(),
                                                   target.PpiX, target.PpiY, 0, 0);
        if (!sized.Empty()) {
            legendAt = OffCurvesSpot(plot, layout, view, sized, target);
            if (!legendAt) {
                TLayoutInput in = LayoutInputFor(plot, target);
                in.ReserveRight = sized.Box.Width() + target.PpiX / 8;
                const TPlotLayout wide = ComputeLayout(in);
                if (wide.RoomForTicks) {
                    layout = wide;
                    const int right =
                        layout.HasLayers ? layout.LayersArea.Right : layout.GraphArea.Right;
                    legendAt = QPoint(right + target.PpiX / 16, layout.GraphArea.Top);
                }
            }
        }
    }
    painter.save();
    painter.fillRect(target.Rect, Qt::white);
    if (!layout.BigEnough) {
        painter.restore();
        return layout;
    }
    // Text and curves are smoothed; the frame, grid, ticks and boxes stay crisp on whole pixels.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    DrawCaptions(painter, plot, target.Rect, layout, h);
    const TPlotMapping map(layout.GraphArea, view, plot.XOnTop);
    if (layout.RoomForTicks) {
        DrawTicks(painter, plot, map, h, target.PpiX, target.PpiY);
        DrawCurves(painter, plot, map, target.PpiX, PaletteOf(plot, target));
        DrawLayers(painter, plot, layout, map, target.PpiX, target.PpiY,
                   target.kind == TPlotTarget::Printer || target.kind == TPlotTarget::Vector);
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OutlineRect(layout.GraphArea));
    if (target.kind != TPlotTarget::Screen && layout.RoomForTicks)
        DrawLegendBox(painter, plot, layout, h, target, legendAt);
    painter.restore();
    return layout;
}

} // namespace dorvek
