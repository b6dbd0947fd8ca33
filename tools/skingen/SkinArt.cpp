// SPDX-License-Identifier: MIT
#include "SkinArt.h"

#include "SkinCatalog.h"

#include <QFile>
#include <QPainter>
#include <vector>

namespace SkinArt {

namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;

QImage coverageMask(QSize size, const QPainterPath &path)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(path, Qt::white);
    return mask;
}

bool inMask(const QImage &mask, int x, int y)
{
    return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && mask.constScanLine(y)[x] != 0;
}

// Separable box blur of a premultiplied image, three passes (close to a
// Gaussian). Pixels beyond the image count as transparent.
QImage blurred(const QImage &source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<int> line;
    auto pass = [&](bool horizontal) {
        const int length = horizontal ? w : h;
        const int count = horizontal ? h : w;
        line.assign(size_t(length) * 4, 0);
        for (int n = 0; n < count; ++n) {
            auto at = [&](int i) -> QRgb & {
                return horizontal ? reinterpret_cast<QRgb *>(image.scanLine(n))[i]
                                  : reinterpret_cast<QRgb *>(image.scanLine(i))[n];
            };
            for (int i = 0; i < length; ++i) {
                int sum[4] = {0, 0, 0, 0};
                for (int k = i - radius; k <= i + radius; ++k) {
                    if (k < 0 || k >= length)
                        continue;
                    const QRgb p = at(k);
                    sum[0] += qAlpha(p);
                    sum[1] += qRed(p);
                    sum[2] += qGreen(p);
                    sum[3] += qBlue(p);
                }
                for (int c = 0; c < 4; ++c)
                    line[size_t(i) * 4 + size_t(c)] = sum[c] / (2 * radius + 1);
            }
            for (int i = 0; i < length; ++i) {
                const int *v = &line[size_t(i) * 4];
                at(i) = qRgba(v[1], v[2], v[3], v[0]);
            }
        }
    };
    for (int i = 0; i < 3; ++i) {
        pass(true);
        pass(false);
    }
    return image;
}

} // namespace

QImage renderFace(const FaceDesign &design, QString *error)
{
    const QSize size = design.size;
    const QRect box(design.digitOrigin, QSize(DigitBoxWidth, DigitBoxHeight));
    const QRgb key = 0xFF000000 | SkinCatalog::KeyRgb;
    const QImage mask = coverageMask(size, design.silhouette);

    QImage art(size, QImage::Format_ARGB32_Premultiplied);
    art.fill(design.outline);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing, true);
        design.paint(painter);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(box, QColor(0, 0, 0));
    }

    QImage face(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(art.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(face.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (!inMask(mask, x, y)) {
                to[x] = key;
                continue;
            }
            // The shape's border pixels (those touching the outside) take the
            // outline colour whatever the art put there: no blend with the key
            // colour can show up as a fringe on the desktop.
            const bool border = !inMask(mask, x - 1, y) || !inMask(mask, x + 1, y) || !inMask(mask, x, y - 1) ||
                !inMask(mask, x, y + 1);
            to[x] = border ? design.outline.rgb() : (0xFF000000 | (from[x] & RgbMask));
        }
    }

    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb rgb = face.pixel(x, y) & RgbMask;
            const bool inside = inMask(mask, x, y);
            const bool inBox = box.contains(x, y);
            QString problem;
            if (inBox && (!inside || rgb != 0))
                problem = QStringLiteral("digit box not solid black inside the shape");
            else if (!inBox && rgb == 0)
                problem = QStringLiteral("pure black outside the digit box");
            else if (inside && rgb == (key & RgbMask))
                problem = QStringLiteral("key colour inside the shape");
            if (!problem.isEmpty()) {
                *error = QStringLiteral("%1 at (%2, %3)").arg(problem).arg(x).arg(y);
                return QImage();
            }
        }
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                                QPoint(size.width() - 1, size.height() - 1)}) {
        if (inMask(mask, corner.x(), corner.y())) {
            *error = QStringLiteral("corner (%1, %2) is not cut away").arg(corner.x()).arg(corner.y());
            return QImage();
        }
    }
    return face;
}

QImage renderStrip(const StripDesign &design)
{
    QImage strip(StripWidth, DigitBoxHeight, QImage::Format_RGB32);
    strip.fill(design.background);
    QPainter out(&strip);

    auto drawCell = [&](int x, int width, const std::function<void(QPainter &)> &paint) {
        QImage cell(width, DigitBoxHeight, QImage::Format_ARGB32_Premultiplied);
        cell.fill(Qt::transparent);
        {
            QPainter painter(&cell);
            painter.setRenderHint(QPainter::Antialiasing, true);
            paint(painter);
        }
        if (design.glowRadius > 0 && design.glowStrength > 0) {
            out.setOpacity(design.glowStrength);
            out.drawImage(x, 0, blurred(cell, qRound(design.glowRadius)));
            out.setOpacity(1.0);
        }
        out.drawImage(x, 0, cell);
    };
    for (int digit = 0; digit < 10; ++digit)
        drawCell(digit * GlyphWidth, GlyphWidth, [&](QPainter &p) { design.paintDigit(p, digit); });
    drawCell(ColonX, 8, design.paintColon);
    // The edges either side of the digits come from columns 150..151 (right)
    // and 160..161 (left): plain background like the face's box, so the lit
    // area looks evenly framed. A faint halo of the colon must not reach them.
    out.fillRect(ColonX, 0, 2, DigitBoxHeight, design.background);
    out.fillRect(LeftEdgeX, 0, 2, DigitBoxHeight, design.background);
    out.end();
    return strip;
}

QColor rgba(const char *hex, int alpha)
{
    QColor color(QString::fromLatin1(hex));
    color.setAlpha(alpha);
    return color;
}

bool writeBmp24(const QImage &image, const QString &path, QString *error)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();
    const int stride = (w * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(stride) * quint32(h);
    QByteArray data;
    auto put16 = [&](quint32 v) {
        data.append(char(v & 0xFF));
        data.append(char(v >> 8 & 0xFF));
    };
    auto put32 = [&](quint32 v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    // BITMAPFILEHEADER
    data.append("BM", 2);
    put32(14 + 40 + pixelBytes);
    put32(0);
    put32(14 + 40);
    // BITMAPINFOHEADER: bottom-up rows, 24 bits, uncompressed, 96 dpi
    put32(40);
    put32(quint32(w));
    put32(quint32(h));
    put16(1);
    put16(24);
    put32(0);
    put32(pixelBytes);
    put32(3780);
    put32(3780);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            data.append(char(qBlue(line[x])));
            data.append(char(qGreen(line[x])));
            data.append(char(qRed(line[x])));
        }
        for (int pad = w * 3; pad < stride; ++pad)
            data.append('\0');
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

qreal Noise::next()
{
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return qreal(m_state) / qreal(0xFFFFFFFFu);
}

} // namespace SkinArt
