// SPDX-License-Identifier: MIT
// Clock faces. Each leaves a recessed window around its digit box, which the
// program fills with the digit strip.
#include "Designs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>
#include <cstring>

using SkinArt::FaceDesign;
using SkinArt::rgba;

namespace {

QRect digitBox(const SkinCatalog::Face &entry)
{
    return QRect(entry.digitX, entry.digitY, SkinArt::DigitBoxWidth, SkinArt::DigitBoxHeight);
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QLinearGradient vertical(qreal top, qreal bottom, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient gradient(0, top, 0, bottom);
    for (const auto &[at, color] : stops)
        gradient.setColorAt(at, color);
    return gradient;
}

// A light line along the top of a shape and a dark one along its bottom: the
// shape looks raised.
void paintBevel(QPainter &p, const QPainterPath &shape, qreal top, qreal bottom, QColor light, QColor dark)
{
    QPen pen(
        QBrush(vertical(top, bottom, {{0.0, light}, {0.45, Qt::transparent}, {0.7, Qt::transparent}, {1.0, dark}})),
        1.0);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
}

// The sunken window the digits sit in: a rim shaded the other way round from
// a raised part, and glass around the black digit box dark enough that the
// box's edge does not show.
void paintDigitWindow(QPainter &p, const QRect &box, qreal margin, qreal radius, QColor glass, QColor rimDark,
                      QColor rimLight)
{
    const QRectF outer = QRectF(box).adjusted(-margin, -margin, margin, margin);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(vertical(outer.top(), outer.bottom(), {{0.0, rimDark}, {1.0, rimLight}})));
    p.drawPath(roundedRect(outer, radius));
    const QRectF inner = outer.adjusted(1.2, 1.2, -1.0, -1.0);
    p.setBrush(glass);
    p.drawPath(roundedRect(inner, std::max<qreal>(radius - 1.0, 0.5)));
}

// --- DEFULT: a graphite desk alarm clock ------------------------------------

FaceDesign defultFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const QPainterPath body = roundedRect(QRectF(0, 7, 164, 52), 12);
    const QPainterPath snooze = roundedRect(QRectF(50, 0, 64, 12), 3.5);
    const QPainterPath leftFoot = roundedRect(QRectF(20, 52, 22, 14), 3);
    const QPainterPath rightFoot = roundedRect(QRectF(122, 52, 22, 14), 3);

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = body.united(snooze).united(leftFoot).united(rightFoot);
    design.outline = rgba("#15181c");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(rgba("#2a2e34"));
        p.drawPath(leftFoot);
        p.drawPath(rightFoot);
        p.setBrush(QBrush(vertical(0, 12, {{0.0, rgba("#ffad62")}, {0.5, rgba("#f0802e")}, {1.0, rgba("#b95a1a")}})));
        p.drawPath(snooze);
        paintBevel(p, roundedRect(QRectF(50.5, 0.5, 63, 11), 3), 0, 12, QColor(255, 255, 255, 120), Qt::transparent);

        p.setBrush(QBrush(vertical(7, 59, {{0.0, rgba("#5d6672")}, {0.5, rgba("#434a54")}, {1.0, rgba("#2b3038")}})));
        p.drawPath(body);
        paintBevel(p, roundedRect(QRectF(1.5, 8.5, 161, 49), 11), 8, 58, QColor(255, 255, 255, 90),
                   QColor(0, 0, 0, 70));

        // Speaker grilles either side of the display.
        for (int side = 0; side < 2; ++side) {
            const qreal x0 = side == 0 ? 8.5 : 145.5;
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < 3; ++column) {
                    const QPointF centre(x0 + column * 4.5, 23.5 + row * 5);
                    p.setBrush(QColor(255, 255, 255, 40));
                    p.drawEllipse(centre + QPointF(0, 0.6), 1.3, 1.3);
                    p.setBrush(rgba("#1c2026"));
                    p.drawEllipse(centre, 1.3, 1.3);
                }
            }
        }
        paintDigitWindow(p, box, 5, 5, rgba("#060708"), rgba("#1a1d22"), rgba("#7f8895"));
    };
    return design;
}

// --- OCEAN: a blue capsule with waves ---------------------------------------

FaceDesign oceanFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const QRectF bounds(0, 0, entry.width, entry.height);
    const QPainterPath body = roundedRect(bounds, entry.height / 2.0);

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = body;
    design.outline = rgba("#06223f");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(vertical(0, 52, {{0.0, rgba("#3fa6e6")}, {0.55, rgba("#1668ab")}, {1.0, rgba("#0b3b73")}})));
        p.drawPath(body);

        // Two rolling waves along the bottom.
        auto wave = [&](qreal base, qreal amplitude, qreal length, qreal phase, QColor color) {
            QPainterPath path;
            path.moveTo(0, 60);
            for (int x = 0; x <= 180; x += 2)
                path.lineTo(x, base + amplitude * qSin(x / length + phase));
            path.lineTo(180, 60);
            path.closeSubpath();
            p.setBrush(color);
            p.drawPath(path.intersected(body));
        };
        wave(40.5, 2.2, 11.0, 0.4, QColor(90, 215, 235, 70));
        wave(44.5, 1.8, 8.0, 2.1, QColor(120, 230, 240, 85));

        // A glossy sheen over the top half.
        p.setBrush(QBrush(vertical(1, 24, {{0.0, QColor(255, 255, 255, 75)}, {1.0, QColor(255, 255, 255, 0)}})));
        p.drawPath(roundedRect(QRectF(10, 1.5, 160, 22), 11));

        // Bubbles rising at either end.
        p.setBrush(Qt::NoBrush);
        for (const auto &[centre, radius] : {std::pair {QPointF(17, 32), 3.2},
                                             {QPointF(24, 22), 2.2},
                                             {QPointF(16, 15), 1.5},
                                             {QPointF(163, 34), 2.6},
                                             {QPointF(158, 24), 1.6}}) {
            p.setPen(QPen(QColor(225, 248, 255, 170), 1.0));
            p.drawEllipse(centre, radius, radius);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 190));
            p.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.35), radius * 0.28, radius * 0.28);
            p.setBrush(Qt::NoBrush);
        }
        p.setPen(Qt::NoPen);
        paintBevel(p, roundedRect(bounds.adjusted(1.5, 1.5, -1.5, -1.5), entry.height / 2.0 - 1.5), 1, 51,
                   QColor(255, 255, 255, 110), QColor(0, 10, 40, 90));
        paintDigitWindow(p, box, 4, 8, rgba("#03070c"), rgba("#082a4c"), rgba("#7cc4f0"));
    };
    return design;
}

// --- WALNUT: a wooden block with a brass bezel ------------------------------

QImage walnutGrain(QSize size)
{
    QImage grain(size, QImage::Format_RGB32);
    SkinArt::Noise noise(0x5EED1234u);
    const QColor light = rgba("#a86f43");
    const QColor dark = rgba("#5c361d");
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(grain.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // Long wavy bands along x, with a knot-like swirl to one side.
            const qreal dx = x - 118.0;
            const qreal dy = y - 44.0;
            const qreal swirl = 5.0 * qExp(-(dx * dx + dy * dy * 3) / 500.0);
            const qreal v = y + 2.6 * qSin(x * 0.035 + 0.8) + 1.4 * qSin(x * 0.11 + y * 0.05) + swirl;
            qreal band = 0.5 + 0.5 * qSin(v * 0.9);
            band = band * band * band;
            const qreal fine = 0.5 + 0.5 * qSin(v * 3.7 + x * 0.02);
            qreal t = 0.62 - 0.38 * band - 0.08 * fine + 0.06 * (noise.next() - 0.5);
            t = std::clamp<qreal>(t, 0.0, 1.0);
            line[x] = qRgb(int(dark.red() + (light.red() - dark.red()) * t),
                           int(dark.green() + (light.green() - dark.green()) * t),
                           int(dark.blue() + (light.blue() - dark.blue()) * t));
        }
    }
    return grain;
}

FaceDesign walnutFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const QRectF bounds(0, 0, entry.width, entry.height);
    const QPainterPath body = roundedRect(bounds, 9);
    const QImage grain = walnutGrain(QSize(entry.width, entry.height));

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = body;
    design.outline = rgba("#2e1a0c");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(grain));
        p.drawPath(body);
        // Oiled finish: lighter at the top, deeper at the bottom.
        p.setBrush(QBrush(vertical(
            0, 64, {{0.0, QColor(255, 230, 200, 55)}, {0.4, QColor(255, 230, 200, 0)}, {1.0, QColor(30, 10, 0, 70)}})));
        p.drawPath(body);
        paintBevel(p, roundedRect(bounds.adjusted(1.5, 1.5, -1.5, -1.5), 8), 1, 63, QColor(255, 235, 210, 110),
                   QColor(20, 8, 0, 110));

        // Brass bezel with four screws.
        const QRectF bezel = QRectF(box).adjusted(-7, -7, 7, 7);
        p.setBrush(QBrush(vertical(
            bezel.top(), bezel.bottom(),
            {{0.0, rgba("#f3d89a")}, {0.35, rgba("#c99a48")}, {0.65, rgba("#a67a30")}, {1.0, rgba("#e0bd72")}})));
        p.drawPath(roundedRect(bezel, 5));
        paintBevel(p, roundedRect(bezel.adjusted(0.5, 0.5, -0.5, -0.5), 5), bezel.top(), bezel.bottom(),
                   QColor(255, 250, 225, 160), QColor(70, 45, 10, 150));
        for (const QPointF centre :
             {bezel.topLeft() + QPointF(3.5, 3.5), bezel.topRight() + QPointF(-3.5, 3.5),
              bezel.bottomLeft() + QPointF(3.5, -3.5), bezel.bottomRight() + QPointF(-3.5, -3.5)}) {
            p.setBrush(rgba("#7a5620"));
            p.drawEllipse(centre, 1.7, 1.7);
            p.setBrush(rgba("#f5dfa8"));
            p.drawEllipse(centre + QPointF(-0.4, -0.4), 0.9, 0.9);
        }
        paintDigitWindow(p, box, 3, 2.5, rgba("#070605"), rgba("#5a3d14"), rgba("#fff0c4"));
    };
    return design;
}

// --- ORBIT: a round watch dial ----------------------------------------------

FaceDesign orbitFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const QRectF bounds(0, 0, entry.width, entry.height);
    const QPointF centre = bounds.center();
    const qreal radius = entry.width / 2.0;
    QPainterPath disc;
    disc.addEllipse(bounds);

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = disc;
    design.outline = rgba("#2a313b");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        // Brushed steel ring.
        QConicalGradient steel(centre, 45);
        steel.setColorAt(0.0, rgba("#f4f7fa"));
        steel.setColorAt(0.12, rgba("#9aa6b4"));
        steel.setColorAt(0.3, rgba("#e2e8ee"));
        steel.setColorAt(0.5, rgba("#7b8796"));
        steel.setColorAt(0.68, rgba("#d5dce4"));
        steel.setColorAt(0.85, rgba("#8692a1"));
        steel.setColorAt(1.0, rgba("#f4f7fa"));
        p.setBrush(QBrush(steel));
        p.drawEllipse(bounds);

        // Midnight dial.
        const qreal dialRadius = radius - 7;
        QRadialGradient dial(centre - QPointF(0, 20), dialRadius * 1.3);
        dial.setColorAt(0.0, rgba("#24365a"));
        dial.setColorAt(0.7, rgba("#121d35"));
        dial.setColorAt(1.0, rgba("#0a1122"));
        p.setBrush(QBrush(dial));
        p.drawEllipse(centre, dialRadius, dialRadius);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 90), 1.2));
        p.drawEllipse(centre, dialRadius - 0.4, dialRadius - 0.4);

        // Minute and hour marks.
        for (int mark = 0; mark < 60; ++mark) {
            const qreal angle = qDegreesToRadians(mark * 6.0);
            const QPointF direction(qSin(angle), -qCos(angle));
            const bool hour = mark % 5 == 0;
            const qreal inner = hour ? dialRadius - 11 : dialRadius - 6;
            p.setPen(QPen(hour ? rgba("#d6e6ff") : rgba("#5d7196"), hour ? 2.0 : 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(centre + direction * inner, centre + direction * (dialRadius - 3));
        }
        p.setPen(Qt::NoPen);
        // A cyan marker at twelve o'clock.
        p.setBrush(rgba("#37d2ff"));
        const qreal top = centre.y() - dialRadius + 3;
        p.drawPolygon(
            QPolygonF({QPointF(centre.x() - 4, top), QPointF(centre.x() + 4, top), QPointF(centre.x(), top + 8)}));

        // A domed crystal: a soft reflection across the top.
        QPainterPath reflection;
        reflection.addEllipse(
            QRectF(centre.x() - dialRadius * 0.8, centre.y() - dialRadius * 0.95, dialRadius * 1.6, dialRadius * 0.9));
        p.setBrush(QBrush(vertical(centre.y() - dialRadius, centre.y() - 10,
                                   {{0.0, QColor(255, 255, 255, 38)}, {1.0, QColor(255, 255, 255, 0)}})));
        p.drawPath(reflection);

        paintDigitWindow(p, box, 5, 6, rgba("#04060b"), rgba("#3c4756"), rgba("#dfe6ee"));
    };
    return design;
}

// --- SAKURA: cherry blossoms on a pale pink card ----------------------------

void paintBlossom(QPainter &p, QPointF centre, qreal size, qreal turn)
{
    p.save();
    p.translate(centre);
    p.rotate(turn);
    p.setPen(QPen(rgba("#e07a98"), 0.8));
    for (int petal = 0; petal < 5; ++petal) {
        QPainterPath shape;
        // A rounded petal with the small notch cherry petals have at the tip.
        shape.moveTo(0, 0);
        shape.cubicTo(-size * 0.75, -size * 0.35, -size * 0.6, -size * 1.05, -size * 0.12, -size);
        shape.lineTo(0, -size * 0.86);
        shape.lineTo(size * 0.12, -size);
        shape.cubicTo(size * 0.6, -size * 1.05, size * 0.75, -size * 0.35, 0, 0);
        QRadialGradient tint(QPointF(0, 0), size);
        tint.setColorAt(0.0, rgba("#ff7fa2"));
        tint.setColorAt(0.45, rgba("#ffb3c7"));
        tint.setColorAt(1.0, rgba("#fff0f4"));
        p.setBrush(QBrush(tint));
        p.drawPath(shape);
        p.rotate(72);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(rgba("#d81b60"));
    p.drawEllipse(QPointF(0, 0), size * 0.2, size * 0.2);
    p.setBrush(rgba("#ffe082"));
    for (int dot = 0; dot < 5; ++dot) {
        const qreal angle = qDegreesToRadians(dot * 72.0 + 36);
        p.drawEllipse(QPointF(qSin(angle), -qCos(angle)) * size * 0.36, 0.55, 0.55);
    }
    p.restore();
}

FaceDesign sakuraFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const QRectF bounds(0, 0, entry.width, entry.height);
    const QPainterPath body = roundedRect(bounds, 14);

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = body;
    design.outline = rgba("#a8607a");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(vertical(0, 84, {{0.0, rgba("#fff7f9")}, {1.0, rgba("#f6cfda")}})));
        p.drawPath(body);
        paintBevel(p, roundedRect(bounds.adjusted(1.5, 1.5, -1.5, -1.5), 12.5), 1, 83, QColor(255, 255, 255, 200),
                   QColor(150, 60, 90, 70));

        // A branch across the top with its twigs.
        p.setBrush(Qt::NoBrush);
        QPainterPath branch;
        branch.moveTo(2, 30);
        branch.cubicTo(30, 18, 55, 26, 82, 16);
        branch.cubicTo(100, 9, 118, 13, 140, 6);
        p.setPen(QPen(rgba("#6d4c41"), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(branch);
        p.setPen(QPen(rgba("#7b5a4e"), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(38, 23), QPointF(46, 32));
        p.drawLine(QPointF(96, 12), QPointF(104, 24));
        p.drawLine(QPointF(64, 21), QPointF(70, 11));
        p.setPen(Qt::NoPen);
        // Leaves and buds.
        p.setBrush(rgba("#8bc34a"));
        for (const auto &[at, turn] : {std::pair {QPointF(120, 11), -30.0}, {QPointF(20, 24), 200.0}}) {
            p.save();
            p.translate(at);
            p.rotate(turn);
            p.drawEllipse(QRectF(0, -1.6, 7, 3.2));
            p.restore();
        }
        p.setBrush(rgba("#f06292"));
        p.drawEllipse(QPointF(133, 10), 2.0, 2.0);
        p.drawEllipse(QPointF(70, 11), 1.8, 1.8);

        paintBlossom(p, QPointF(46, 32), 7.5, 10);
        paintBlossom(p, QPointF(104, 25), 8.5, -15);
        paintBlossom(p, QPointF(82, 16), 5.5, 30);
        paintBlossom(p, QPointF(14, 27), 5.0, 0);
        paintBlossom(p, QPointF(126, 14), 5.5, 45);

        // Petals drifting down beside the display.
        p.setBrush(rgba("#f8a5bd"));
        for (const auto &[at, turn] : {std::pair {QPointF(140, 48), 30.0},
                                       {QPointF(143, 66), -40.0},
                                       {QPointF(9, 62), 70.0},
                                       {QPointF(76, 78), 10.0}}) {
            p.save();
            p.translate(at);
            p.rotate(turn);
            p.drawEllipse(QRectF(-2.6, -1.5, 5.2, 3.0));
            p.restore();
        }
        paintDigitWindow(p, box, 5, 6, rgba("#090506"), rgba("#6e3b50"), rgba("#ffffff"));
    };
    return design;
}

// --- CARBON: a sporty carbon-fibre plate with red accents -------------------

QImage carbonWeave(QSize size)
{
    QImage weave(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(weave.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // 2/2 twill of 3-pixel tows: each tow passes over two and under
            // two crossing ones, shifted by one every row, which gives the
            // diagonal steps of carbon fibre. A tow is lit along its middle.
            const int u = x / 3;
            const int t = y / 3;
            const bool across = (u + t) % 4 < 2;
            const int inTow = across ? y % 3 : x % 3;
            static constexpr int Shade[3] = {30, 50, 38};
            const int v = Shade[inTow] + (across ? 4 : 0);
            line[x] = qRgb(v, v + 2, v + 5);
        }
    }
    return weave;
}

FaceDesign carbonFace(const SkinCatalog::Face &entry)
{
    const QRect box = digitBox(entry);
    const qreal w = entry.width;
    const qreal h = entry.height;
    const qreal c = 10; // chamfer
    QPainterPath plate;
    plate.addPolygon(QPolygonF({QPointF(c, 0), QPointF(w - c, 0), QPointF(w, c), QPointF(w, h - c), QPointF(w - c, h),
                                QPointF(c, h), QPointF(0, h - c), QPointF(0, c), QPointF(c, 0)}));
    const QImage weave = carbonWeave(QSize(entry.width, entry.height));

    FaceDesign design;
    design.size = QSize(entry.width, entry.height);
    design.digitOrigin = box.topLeft();
    design.silhouette = plate;
    design.outline = rgba("#0e0f11");
    design.paint = [=](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(weave));
        p.drawPath(plate);
        // Clear coat: a bright band across the top, shade at the bottom.
        p.setBrush(QBrush(vertical(
            0, h, {{0.0, QColor(255, 255, 255, 50)}, {0.45, QColor(255, 255, 255, 8)}, {1.0, QColor(0, 0, 0, 60)}})));
        p.drawPath(plate);

        // Racing stripes at both ends, leaning forward.
        auto stripe = [&](qreal x, qreal width, QColor color) {
            p.setBrush(color);
            p.drawPolygon(QPolygonF(
                {QPointF(x + 8, 6), QPointF(x + 8 + width, 6), QPointF(x + width, h - 6), QPointF(x, h - 6)}));
        };
        stripe(10, 5, rgba("#e53935"));
        stripe(19, 3, rgba("#e53935"));
        stripe(26, 1.6, rgba("#ff8a80"));
        stripe(w - 36, 1.6, rgba("#ff8a80"));
        stripe(w - 31, 3, rgba("#e53935"));
        stripe(w - 25, 5, rgba("#e53935"));

        paintBevel(p, plate, 0, h, QColor(255, 255, 255, 70), Qt::transparent);
        // A red pin line just inside the outline.
        QPainterPath inner;
        const qreal i = 3.5;
        inner.addPolygon(QPolygonF({QPointF(c + 1.5, i), QPointF(w - c - 1.5, i), QPointF(w - i, c + 1.5),
                                    QPointF(w - i, h - c - 1.5), QPointF(w - c - 1.5, h - i), QPointF(c + 1.5, h - i),
                                    QPointF(i, h - c - 1.5), QPointF(i, c + 1.5), QPointF(c + 1.5, i)}));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(229, 57, 53, 150), 0.8));
        p.drawPath(inner);
        p.setPen(Qt::NoPen);
        paintDigitWindow(p, box, 4, 3, rgba("#060708"), rgba("#08090a"), rgba("#6b727c"));
    };
    return design;
}

} // namespace

namespace Designs {

FaceDesign face(const SkinCatalog::Face &entry)
{
    const char *name = entry.fileName;
    if (std::strcmp(name, "DEFULT.BMP") == 0)
        return defultFace(entry);
    if (std::strcmp(name, "OCEAN.BMP") == 0)
        return oceanFace(entry);
    if (std::strcmp(name, "WALNUT.BMP") == 0)
        return walnutFace(entry);
    if (std::strcmp(name, "ORBIT.BMP") == 0)
        return orbitFace(entry);
    if (std::strcmp(name, "SAKURA.BMP") == 0)
        return sakuraFace(entry);
    if (std::strcmp(name, "CARBON.BMP") == 0)
        return carbonFace(entry);
    return {};
}

} // namespace Designs
