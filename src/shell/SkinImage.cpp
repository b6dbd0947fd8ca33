// SPDX-License-Identifier: MIT
#include "shell/SkinImage.h"

#include <QDir>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

const QString BuiltinDialogName = QStringLiteral("DEFULT.BMP");
const QString BuiltinNumberName = QStringLiteral("BLACKGREEN.BMP");

// Colours are compared as the bitmap stores them: red, green and blue only.
constexpr QRgb RgbMask = 0x00FFFFFF;
constexpr QRgb PureBlack = 0;

// 32-bit pixels to read scanlines from. Faces come as RGB32 from BMP files;
// anything else (indexed, 16-bit...) is converted once.
QImage asRgb32(const QImage &image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

const QRgb *rowOf(const QImage &image, int y)
{
    return reinterpret_cast<const QRgb *>(image.constScanLine(y));
}

} // namespace

SkinKind ClassifySkin(int width, int height)
{
    if (width == SkinDigits::StripWidth && height == SkinDigits::Height)
        return SkinKind::Number;
    if (height >= 26 && height <= 199 && (width == SkinDigits::StripWidth || (width >= 111 && width <= 199)))
        return SkinKind::Dialog;
    return SkinKind::NotASkin;
}

QPoint FindDigitOrigin(const QImage &face, QPoint previous)
{
    const int width = face.width();
    const int height = face.height();
    const int rightOffset = SkinDigits::AreaWidth - 1;
    if (width < SkinDigits::AreaWidth || height < SkinDigits::Height)
        return previous;
    const QImage image = asRgb32(face);

    // Pixels of the key colour are cut out of the window and never tested, so
    // with a black key there is no black pixel left to start a box.
    if ((rowOf(image, 0)[0] & RgbMask) == PureBlack)
        return previous;

    // A pixel (i, j) starts a box when columns i and i + 109 both hold 25 black
    // pixels from row j down. Walking the rows bottom-up, blackBelow[x] is the
    // length of the black run starting at (x, y), so each row is tested in one
    // pass. The scan that defines the result goes column by column and top to
    // bottom with the last match winning: the rightmost column wins, and within
    // it the lowest row, which bottom-up is the first one met.
    std::vector<int> blackBelow(size_t(width), 0);
    QPoint found(-1, -1);
    for (int y = height - 1; y >= 0; --y) {
        const QRgb *row = rowOf(image, y);
        for (int x = 0; x < width; ++x)
            blackBelow[size_t(x)] = (row[x] & RgbMask) == PureBlack ? blackBelow[size_t(x)] + 1 : 0;
        for (int x = width - 1 - rightOffset; x > found.x(); --x) {
            if (blackBelow[size_t(x)] >= SkinDigits::Height &&
                blackBelow[size_t(x + rightOffset)] >= SkinDigits::Height) {
                found = QPoint(x, y);
                break;
            }
        }
    }
    return found.x() < 0 ? previous : found;
}

QRegion BuildSkinRegion(const QImage &face)
{
    const int width = face.width();
    const int height = face.height();
    if (width <= 0 || height <= 0)
        return QRegion();
    const QImage image = asRgb32(face);
    const QRgb key = rowOf(image, 0)[0] & RgbMask;

    // One rectangle per run of non-key pixels in a row. Rows with the same runs
    // as the row above extend that band downwards instead, which keeps the
    // rectangle list in the banded, coalesced form QRegion itself produces.
    std::vector<QRect> rects;
    std::vector<QRect> runs;
    std::vector<QRect> previousRuns;
    size_t bandStart = 0;
    for (int y = 0; y < height; ++y) {
        runs.clear();
        const QRgb *row = rowOf(image, y);
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & RgbMask) == key)
                ++x;
            const int start = x;
            while (x < width && (row[x] & RgbMask) != key)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
        const bool sameAsAbove = !runs.empty() && runs.size() == previousRuns.size() &&
            std::equal(runs.begin(), runs.end(), previousRuns.begin(),
                       [](const QRect &a, const QRect &b) { return a.left() == b.left() && a.right() == b.right(); });
        if (sameAsAbove) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
        } else {
            bandStart = rects.size();
            rects.insert(rects.end(), runs.begin(), runs.end());
        }
        std::swap(runs, previousRuns);
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

QRect digitAreaRect(QPoint digitOrigin)
{
    return QRect(digitOrigin, QSize(SkinDigits::AreaWidth, SkinDigits::Height));
}

std::array<DigitPiece, 10> DigitPieces(const ClockGlyphs &glyphs)
{
    using namespace SkinDigits;
    const auto piece = [](int dx, int width, int sourceX) {
        return DigitPiece {QRect(sourceX, 0, width, Height), QPoint(dx, 0)};
    };
    return {
        piece(0, EdgeWidth, LeftEdgeX),
        piece(70, ColonWidth, ColonX),
        piece(78, GlyphWidth, GlyphWidth * glyphs.secondTens),
        piece(93, GlyphWidth, GlyphWidth * glyphs.secondUnits),
        piece(2, GlyphWidth, GlyphWidth * glyphs.hourTens),
        piece(17, GlyphWidth, GlyphWidth * glyphs.hourUnits),
        piece(32, ColonWidth, ColonX),
        piece(40, GlyphWidth, GlyphWidth * glyphs.minuteTens),
        piece(55, GlyphWidth, GlyphWidth * glyphs.minuteUnits),
        piece(108, EdgeWidth, ColonX), // the right edge is the colon's blank left side
    };
}

void paintDigits(QPainter &painter, const QImage &strip, QPoint digitOrigin, const ClockGlyphs &glyphs)
{
    if (strip.isNull())
        return;
    painter.save();
    // A straight copy, as the strip is opaque: no blending with what is below.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const DigitPiece &piece : DigitPieces(glyphs))
        painter.drawImage(digitOrigin + piece.offset, strip, piece.source);
    painter.restore();
}

QImage LoadSkinBitmap(const QString &path)
{
    // Paths saved on Windows separate folders with backslashes.
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(slash + 1).toUpper();
    if (name == BuiltinDialogName || name == BuiltinNumberName)
        return QImage(QStringLiteral(":/skins/") + name);
    return QImage(path);
}

SkinFolderScan scanSkinFolder(const QString &folder)
{
    SkinFolderScan scan;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &fileName : names) {
        const QImage image = LoadSkinBitmap(dir.filePath(fileName));
        if (image.isNull()) {
            scan.ok = false;
            return scan;
        }
        const QString menuText = fileName.toUpper();
        const SkinKind kind = ClassifySkin(image.width(), image.height());
        if ((kind == SkinKind::Number && menuText != BuiltinNumberName) ||
            (kind == SkinKind::Dialog && menuText != BuiltinDialogName))
            scan.items.append({fileName, menuText, kind});
    }
    return scan;
}
