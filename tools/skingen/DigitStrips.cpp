// SPDX-License-Identifier: MIT
// Digit strips: ten 15 x 25 glyphs and a colon on black, lit in one colour,
// with the unlit parts faintly visible as on a real display.
#include "Designs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cstring>

using SkinArt::rgba;

namespace {

// --- Seven segments -------------------------------------------------------

// Segments a (top), b (top right), c (bottom right), d (bottom), e (bottom
// left), f (top left), g (middle), one bit each.
constexpr std::array<int, 10> SegmentsOf = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

struct SevenSegmentStyle
{
    QRectF glyph; // outer bounds of the segments within the cell
    qreal thickness;
    qreal gap; // between neighbouring segments
    qreal slant; // horizontal shift per pixel of height, for italic digits
    QColor lit;
    QColor unlit;
};

QPolygonF segmentPolygon(const SevenSegmentStyle &s, int segment)
{
    const qreal t = s.thickness;
    const qreal h = t / 2;
    const qreal left = s.glyph.left() + h;
    const qreal right = s.glyph.right() - h;
    const qreal top = s.glyph.top() + h;
    const qreal bottom = s.glyph.bottom() - h;
    const qreal mid = (top + bottom) / 2;
    const qreal g = s.gap;
    auto horizontal = [&](qreal y) {
        return QPolygonF({{left + g, y},
                          {left + g + h, y - h},
                          {right - g - h, y - h},
                          {right - g, y},
                          {right - g - h, y + h},
                          {left + g + h, y + h}});
    };
    auto vertical = [&](qreal x, qreal y0, qreal y1) {
        return QPolygonF({{x, y0 + g},
                          {x + h, y0 + g + h},
                          {x + h, y1 - g - h},
                          {x, y1 - g},
                          {x - h, y1 - g - h},
                          {x - h, y0 + g + h}});
    };
    QPolygonF polygon;
    switch (segment) {
    case 0:
        polygon = horizontal(top);
        break;
    case 1:
        polygon = vertical(right, top, mid);
        break;
    case 2:
        polygon = vertical(right, mid, bottom);
        break;
    case 3:
        polygon = horizontal(bottom);
        break;
    case 4:
        polygon = vertical(left, mid, bottom);
        break;
    case 5:
        polygon = vertical(left, top, mid);
        break;
    default:
        polygon = horizontal(mid);
        break;
    }
    const qreal centreY = s.glyph.center().y();
    for (QPointF &point : polygon)
        point.rx() += s.slant * (centreY - point.y());
    return polygon;
}

void paintSevenSegments(QPainter &p, const SevenSegmentStyle &s, int digit)
{
    p.setPen(Qt::NoPen);
    for (int segment = 0; segment < 7; ++segment) {
        p.setBrush((SegmentsOf[size_t(digit)] >> segment & 1) ? s.lit : s.unlit);
        p.drawPolygon(segmentPolygon(s, segment));
    }
}

void paintDotColon(QPainter &p, QColor color, qreal radius, qreal slant)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (qreal y : {8.5, 16.5})
        p.drawEllipse(QPointF(4.0 + slant * (12.5 - y), y), radius, radius);
}

SkinArt::StripDesign sevenSegmentStrip(const SevenSegmentStyle &style, qreal colonRadius)
{
    SkinArt::StripDesign design;
    design.background = QColor(0, 0, 0);
    design.paintDigit = [style](QPainter &p, int digit) {
        paintSevenSegments(p, style, digit);
    };
    design.paintColon = [style, colonRadius](QPainter &p) {
        paintDotColon(p, style.lit, colonRadius, style.slant);
    };
    return design;
}

// --- Smooth strokes -------------------------------------------------------

// Digits drawn with a round pen along these centre lines, in a cell whose
// lit area spans about x 3..12 and y 3..22.
QPainterPath strokeDigit(int digit)
{
    QPainterPath path;
    switch (digit) {
    case 0:
        path.addRoundedRect(QRectF(3.5, 3.5, 8, 18), 4, 4);
        break;
    case 1:
        path.moveTo(5.2, 6.2);
        path.lineTo(8.6, 3.5);
        path.lineTo(8.6, 21.5);
        break;
    case 2:
        path.arcMoveTo(QRectF(3.5, 3.5, 8, 8.4), 160);
        path.arcTo(QRectF(3.5, 3.5, 8, 8.4), 160, -190);
        path.lineTo(3.6, 21.5);
        path.lineTo(11.6, 21.5);
        break;
    case 3:
        path.moveTo(3.8, 3.5);
        path.lineTo(11.2, 3.5);
        path.lineTo(6.9, 10.8);
        path.arcTo(QRectF(3.4, 10.8, 8.2, 10.7), 90, -250);
        break;
    case 4:
        path.moveTo(9.8, 21.5);
        path.lineTo(9.8, 3.6);
        path.lineTo(3.5, 15.8);
        path.lineTo(11.8, 15.8);
        break;
    case 5:
        path.moveTo(11.2, 3.5);
        path.lineTo(4.4, 3.5);
        path.lineTo(3.9, 11.6);
        path.arcTo(QRectF(3.4, 10.0, 8.2, 11.5), 135, -265);
        break;
    case 6:
        path.addEllipse(QRectF(3.5, 11.5, 8, 10));
        path.moveTo(3.5, 16.5);
        path.cubicTo(3.5, 9.0, 5.5, 3.5, 10.6, 3.5);
        break;
    case 7:
        path.moveTo(3.5, 3.5);
        path.lineTo(11.5, 3.5);
        path.lineTo(5.6, 21.5);
        break;
    case 8:
        path.addEllipse(QRectF(4.0, 3.5, 7, 8));
        path.addEllipse(QRectF(3.5, 11.5, 8, 10));
        break;
    default: {
        // A six turned around the cell's centre.
        QTransform turn;
        turn.translate(7.5, 12.5);
        turn.rotate(180);
        turn.translate(-7.5, -12.5);
        path = turn.map(strokeDigit(6));
        break;
    }
    }
    return path;
}

// --- Dot matrix -----------------------------------------------------------

// 5 x 7 LED matrix glyphs, top row first.
constexpr const char *DotGlyphs[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

struct DotStyle
{
    qreal pitchX;
    qreal pitchY;
    qreal radius; // of a lit dot
    qreal unlitRadius;
    QColor lit;
    QColor unlit;
};

void paintDots(QPainter &p, const DotStyle &s, int digit)
{
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            const bool on = DotGlyphs[digit][row][column] == '#';
            const qreal radius = on ? s.radius : s.unlitRadius;
            p.setBrush(on ? s.lit : s.unlit);
            p.drawEllipse(QPointF(7.5 + (column - 2) * s.pitchX, 12.5 + (row - 3) * s.pitchY), radius, radius);
        }
    }
}

} // namespace

namespace Designs {

SkinArt::StripDesign strip(const SkinCatalog::Strip &entry)
{
    const char *name = entry.fileName;
    if (std::strcmp(name, "BLACKGREEN.BMP") == 0) {
        // The classic: slanted green segments.
        SevenSegmentStyle style {QRectF(3.2, 2.6, 9.2, 19.8), 2.2, 0.35, 0.09, rgba("#46f07e"), rgba("#0a1f10")};
        SkinArt::StripDesign design = sevenSegmentStrip(style, 1.45);
        design.glowRadius = 1;
        design.glowStrength = 0.55;
        return design;
    }
    if (std::strcmp(name, "AMBER.BMP") == 0) {
        // Upright, heavier segments in the warm glow of an old display.
        SevenSegmentStyle style {QRectF(2.8, 2.8, 9.6, 19.4), 2.6, 0.4, 0.0, rgba("#ffb23c"), rgba("#1f1305")};
        SkinArt::StripDesign design = sevenSegmentStrip(style, 1.55);
        design.glowRadius = 1;
        design.glowStrength = 0.7;
        return design;
    }
    if (std::strcmp(name, "ICE.BMP") == 0) {
        // Rounded strokes, pale blue with a cool halo.
        SkinArt::StripDesign design;
        design.background = QColor(0, 0, 0);
        design.paintDigit = [](QPainter &p, int digit) {
            QPen pen(rgba("#c9f1ff"), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPath(strokeDigit(digit));
        };
        design.paintColon = [](QPainter &p) {
            paintDotColon(p, rgba("#c9f1ff"), 1.35, 0);
        };
        design.glowRadius = 1;
        design.glowStrength = 0.9;
        return design;
    }
    if (std::strcmp(name, "RUBY.BMP") == 0) {
        // A red LED dot matrix.
        DotStyle style {2.3, 2.75, 1.15, 0.85, rgba("#ff5563"), rgba("#1d0507")};
        SkinArt::StripDesign design;
        design.background = QColor(0, 0, 0);
        design.paintDigit = [style](QPainter &p, int digit) {
            paintDots(p, style, digit);
        };
        design.paintColon = [style](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(style.lit);
            for (qreal y : {12.5 - 1.5 * style.pitchY, 12.5 + 1.5 * style.pitchY})
                p.drawEllipse(QPointF(4.0, y), style.radius, style.radius);
        };
        design.glowRadius = 1;
        design.glowStrength = 0.85;
        return design;
    }
    return {};
}

} // namespace Designs
