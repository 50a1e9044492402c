#pragma once
// Draws the soil profile of a TPileSideModel onto any painter: the window, a printer page, an
// image, an SVG or a PDF picture. Qt Gui only.

#include "model/plots/PileSideModel.h"

#include <QColor>
#include <QFont>

#include <filesystem>
#include <optional>
#include <string>

class QPainter;

namespace dorvek {

inline const QColor ClayColour{0x80, 0x80, 0x00};
inline const QColor SandColour{0xC0, 0xC0, 0xC0};

struct TPileSideStyle {
    QColor Background = Qt::white; // the window background
    QColor Text = Qt::black;       // the window text: lines, labels and the pile
    QFont Font;                    // of the labels
    bool OmitHatches = false;      // screen: white bands, outlines only
};

// The laid-out client area of the model (its Width x Height), as the window shows it.
void PaintScreen(QPainter& painter, const TPileSideModel& model, const TPileSideStyle& style);

// A printed page of width x height device pixels at dpi dots per inch: frame, ground, layer
// bottoms with their labels and the pile, without hatches.
void PaintPage(QPainter& painter, const TPileSideModel& model, int width, int height, int dpi,
               const TPileSideStyle& style);

enum class TPictureKind { Png, Svg, Pdf };

// By the file name's extension (any letter case); none for another one.
std::optional<TPictureKind> PictureKindOf(const std::filesystem::path& file);

// The page layout as a picture of the given kind: PNG 1754 x 1240 pixels (A4 landscape at
// 150 dpi), SVG 1123 x 794 at 96 dpi, PDF one A4 landscape page.
std::string PictureBytes(const TPileSideModel& model, TPictureKind kind,
                         const TPileSideStyle& style);

// Builds the profile of `input` and writes it to `target` (type by extension) through a
// temporary file renamed over it. Raises std::exception with a message naming the file on
// failure; an existing file then stays as it was. Needs a QGuiApplication; may run on any
// thread.
void WriteProfilePicture(const TPileSideInput& input, const std::filesystem::path& target);

} // namespace dorvek
