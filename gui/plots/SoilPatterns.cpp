#include "gui/plots/SoilPatterns.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace dorvek {

namespace {

// 8 x 8 tiles, one byte per row, most significant bit on the left.
constexpr std::array<std::array<unsigned char, 8>, 6> Tiles = {{
    {0x80, 0x00, 0x08, 0x00, 0x40, 0x00, 0x04, 0x00}, // 7 sand: scattered dots
    {0x38, 0x44, 0x44, 0x38, 0x00, 0x03, 0x03, 0x00}, // 8 gravel: pebbles
    {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}, // 9 clay blocks: bricks
    {0x00, 0xE7, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00}, // 10 silt: dashes
    {0x10, 0x10, 0x7C, 0x10, 0x10, 0x00, 0x00, 0x00}, // 11 rock: crosses
    {0x00, 0x62, 0x94, 0x08, 0x00, 0x26, 0x49, 0x80}, // 12 peat: waves
}};

// Hatch lines one twelfth of an inch apart, drawn as lines so that every target gets them.
void Hatch(QPainter& p, const QRect& r, int code, int ppi) {
    const int step = std::max(4, ppi / 12);
    const int w = r.width(), h = r.height();
    auto diagonal = [&](bool forward) {
        for (int k = -h; k <= w; k += step) {
            if (forward) // "\" lines
                p.drawLine(QPointF(r.left() + k, r.top()), QPointF(r.left() + k + h, r.bottom()));
            else // "/" lines
                p.drawLine(QPointF(r.left() + k, r.bottom()), QPointF(r.left() + k + h, r.top()));
        }
    };
    auto horizontal = [&] {
        for (int y = r.top() + step / 2; y <= r.bottom(); y += step)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    };
    auto vertical = [&] {
        for (int x = r.left() + step / 2; x <= r.right(); x += step)
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    };
    switch (code) {
    case 1:
        diagonal(false);
        break;
    case 2:
        diagonal(true);
        break;
    case 3:
        horizontal();
        vertical();
        break;
    case 4:
        diagonal(false);
        diagonal(true);
        break;
    case 5:
        horizontal();
        break;
    case 6:
        vertical();
        break;
    default:
        break;
    }
}

// Print form: the tile's motif as vector shapes, one tile an eighth of an inch.
void PrintPicture(QPainter& p, const QRect& r, int code, int ppi) {
    const double t = std::max(8.0, ppi / 8.0);
    const double u = t / 8; // one tile pixel
    p.setBrush(Qt::NoBrush);
    for (double y0 = r.top(); y0 <= r.bottom(); y0 += t)
        for (double x0 = r.left(); x0 <= r.right(); x0 += t) {
            switch (code) {
            case 7:
                p.setBrush(Qt::black);
                p.drawEllipse(QPointF(x0 + u, y0 + u), u / 2, u / 2);
                p.drawEllipse(QPointF(x0 + 5 * u, y0 + 3 * u), u / 2, u / 2);
                p.drawEllipse(QPointF(x0 + 2 * u, y0 + 5 * u), u / 2, u / 2);
                p.drawEllipse(QPointF(x0 + 6 * u, y0 + 7 * u), u / 2, u / 2);
                p.setBrush(Qt::NoBrush);
                break;
            case 8:
                p.drawEllipse(QPointF(x0 + 3.5 * u, y0 + 2 * u), 1.5 * u, 1.5 * u);
                p.drawEllipse(QPointF(x0 + 7 * u, y0 + 6 * u), 0.7 * u, 0.7 * u);
                break;
            case 9:
                p.drawLine(QPointF(x0, y0), QPointF(x0 + t, y0));
                p.drawLine(QPointF(x0, y0 + t / 2), QPointF(x0 + t, y0 + t / 2));
                p.drawLine(QPointF(x0, y0), QPointF(x0, y0 + t / 2));
                p.drawLine(QPointF(x0 + t / 2, y0 + t / 2), QPointF(x0 + t / 2, y0 + t));
                break;
            case 10:
                p.drawLine(QPointF(x0, y0 + u), QPointF(x0 + 3 * u, y0 + u));
                p.drawLine(QPointF(x0 + 5 * u, y0 + u), QPointF(x0 + 8 * u, y0 + u));
                p.drawLine(QPointF(x0 + 2 * u, y0 + 5 * u), QPointF(x0 + 6 * u, y0 + 5 * u));
                break;
            case 11:
                p.drawLine(QPointF(x0 + u, y0 + 2 * u), QPointF(x0 + 6 * u, y0 + 2 * u));
                p.drawLine(QPointF(x0 + 3.5 * u, y0), QPointF(x0 + 3.5 * u, y0 + 5 * u));
                break;
            case 12: {
                QPainterPath wave(QPointF(x0, y0 + 2 * u));
                wave.cubicTo(QPointF(x0 + 2 * u, y0), QPointF(x0 + 4 * u, y0 + 4 * u),
                             QPointF(x0 + 6 * u, y0 + 2 * u));
                p.drawPath(wave);
                p.drawLine(QPointF(x0 + 2 * u, y0 + 6 * u), QPointF(x0 + 7 * u, y0 + 6 * u));
                break;
            }
            default:
                break;
            }
        }
}

} // namespace

bool HasSoilPattern(int code) {
    return code >= 1 && code <= LastPicturePattern;
}

QImage SoilPatternTile(int code) {
    if (code < FirstPicturePattern || code > LastPicturePattern) return {};
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::white);
    const auto& rows = Tiles[static_cast<size_t>(code - FirstPicturePattern)];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (rows[static_cast<size_t>(y)] & (0x80 >> x)) tile.setPixel(x, y, qRgb(0, 0, 0));
    return tile;
}

void FillSoilPattern(QPainter& p, const QRect& rect, int code, int ppi, bool printForm) {
    if (!HasSoilPattern(code) || rect.isEmpty()) return;
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.setPen(QPen(Qt::black, std::max(1, ppi / 150)));
    if (code < FirstPicturePattern) {
        Hatch(p, rect, code, ppi);
    } else if (printForm) {
        PrintPicture(p, rect, code, ppi);
    } else {
        // Screen form: the tile, one tile pixel per 96th of an inch.
        const double scale = std::max(1.0, std::round(ppi / 96.0));
        QBrush brush(SoilPatternTile(code));
        brush.setTransform(
            QTransform::fromScale(scale, scale).translate(rect.left() / scale, rect.top() / scale));
        p.fillRect(rect, brush);
    }
    p.restore();
}

} // namespace dorvek
