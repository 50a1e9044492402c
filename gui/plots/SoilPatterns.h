#pragma once
// Fills of the soil-layer strip by pattern code: 1 backward diagonal, 2 forward diagonal,
// 3 cross, 4 diagonal cross, 5 horizontal, 6 vertical hatch; 7 sand, 8 gravel, 9 clay
// blocks, 10 silt, 11 rock, 12 peat pictures. Each picture has a screen form (a small bitmap
// tile, scaled with the target's resolution) and a print form (vector shapes sized in
// inches). Any other code has no fill.
//   FillSoilPattern(painter, rect, code, ppi, printForm);

#include <QImage>
#include <QRect>

class QPainter;

namespace dorvek {

inline constexpr int FirstPicturePattern = 7;
inline constexpr int LastPicturePattern = 12;

// Whether a code has a fill.
bool HasSoilPattern(int code);

// Screen tile (8 x 8 pixels, black on white) of a picture pattern 7..12; a null image for
// other codes.
QImage SoilPatternTile(int code);

// Fills rect (in black on what is already there) with the pattern of code.
void FillSoilPattern(QPainter& painter, const QRect& rect, int code, int ppi, bool printForm);

} // namespace dorvek
