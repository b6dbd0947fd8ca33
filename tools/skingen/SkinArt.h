// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace SkinArt {

constexpr int DigitBoxWidth = 110;
constexpr int DigitBoxHeight = 25;
constexpr int StripWidth = 180;
constexpr int GlyphWidth = 15;
constexpr int ColonX = 150;
constexpr int LeftEdgeX = 160;

// A clock face: its outline decides the window shape, so it is cut with hard
// pixel edges; everything inside is painted anti-aliased.
struct FaceDesign
{
    QSize size;
    QPoint digitOrigin;
    QPainterPath silhouette;
    QColor outline; // the one-pixel rim against the desktop
    std::function<void(QPainter &)> paint; // the art, anti-aliased, inside the silhouette
};

// Renders a face: the key colour outside the silhouette, a hard outline on its
// border, the art inside and the pure-black digit box. Returns a null image
// and sets error when the result would confuse the program (key colour
// inside, stray pure black, box outside the shape).
QImage renderFace(const FaceDesign &design, QString *error);

// A digit strip: the cell painters draw one glyph each into a 15 x 25 (or,
// for the colon, 8 x 25) cell whose origin is the cell's top-left corner.
struct StripDesign
{
    QColor background; // pure black in every strip, to match the face's box
    std::function<void(QPainter &, int digit)> paintDigit;
    std::function<void(QPainter &)> paintColon; // within x 0..7; columns 0..1 stay background
    qreal glowRadius = 0; // soft halo of the lit parts, in pixels
    qreal glowStrength = 0; // 0..1
};

QImage renderStrip(const StripDesign &design);

// Opaque colour from hex "#rrggbb" with an alpha 0..255.
QColor rgba(const char *hex, int alpha = 255);

// Writes image as an uncompressed 24-bit BMP file.
bool writeBmp24(const QImage &image, const QString &path, QString *error);

// Deterministic pseudo-random numbers for textures, so every build draws the
// same pixels.
class Noise
{
public:
    explicit Noise(quint32 seed)
        : m_state(seed)
    { }
    qreal next(); // 0..1
private:
    quint32 m_state;
};

} // namespace SkinArt
