// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <array>

class QPainter;

// What a bitmap is to the skin menus, decided by its pixel size alone. The
// numbers are the ones the menus and settings have always used.
enum class SkinKind
{
    Number = 1001,
    Dialog = 1002,
    NotASkin = 1003
};

SkinKind ClassifySkin(int width, int height);

// Geometry of the digit strip (the number bitmap) and of the digit area of a
// clock face that it is painted into.
namespace SkinDigits {
constexpr int StripWidth = 180;
constexpr int Height = 25;
constexpr int GlyphWidth = 15;
constexpr int ColonX = 150;
constexpr int ColonWidth = 8;
constexpr int LeftEdgeX = 160;
constexpr int EdgeWidth = 2;
constexpr int AreaWidth = 110;
} // namespace SkinDigits

// The top-left corner of the digit area of a clock face: the last 110 x 25
// pure-black box found scanning column by column, top to bottom. Only the
// box's left and right columns are tested (rows j..j+24 of columns i and
// i+109 all pure black). Without such a box the previous origin is kept;
// when the key colour (pixel (0, 0)) is pure black no box can be marked.
QPoint FindDigitOrigin(const QImage &face, QPoint previous);

// The window shape of a clock face: its full rectangle minus every pixel that
// has the key colour, the colour of pixel (0, 0) (holes inside included).
QRegion BuildSkinRegion(const QImage &face);

// The glyph indices shown, each 0..9 (hours, minutes, seconds as tens and units).
struct ClockGlyphs
{
    int hourTens = 0;
    int hourUnits = 0;
    int minuteTens = 0;
    int minuteUnits = 0;
    int secondTens = 0;
    int secondUnits = 0;
};

// The 110 x 25 rectangle the digits cover; repaint just this each second.
QRect digitAreaRect(QPoint digitOrigin);

// A piece of the digit strip and where it goes, from the digit origin.
struct DigitPiece
{
    QRect source;
    QPoint offset;
};

// The ten pieces showing glyphs (edges, six glyphs, two colons), in the order
// they are drawn: it matters only where pieces overlap, and it is the order
// the clock has always drawn them in.
std::array<DigitPiece, 10> DigitPieces(const ClockGlyphs &glyphs);

// Copies the ten pieces of the digit strip (edges, six glyphs, two colons)
// into the digit area at digitOrigin. A null strip paints nothing.
void paintDigits(QPainter &painter, const QImage &strip, QPoint digitOrigin, const ClockGlyphs &glyphs);

// Loads a skin bitmap. The two built-in names ("DEFULT.BMP", "BLACKGREEN.BMP",
// any case, in any folder) always give the images compiled into the program;
// a file of that name is never read. Anything else is read from the file.
// Returns a null image when it cannot be loaded.
QImage LoadSkinBitmap(const QString &path);

// Skin files found in the Skin folder, for the skin menus.
struct SkinFileItem
{
    QString fileName; // as on disk; join with the folder to load it
    QString menuText; // the upper-cased file name the menus show
    SkinKind kind = SkinKind::NotASkin; // Number or Dialog
};

struct SkinFolderScan
{
    QList<SkinFileItem> items; // in menu order
    bool ok = true; // false when a .bmp file could not be loaded (the scan stops there)
};

// Lists the *.bmp files (any case of the extension) of folder in name order,
// loads each with LoadSkinBitmap and keeps the number and dialog bitmaps,
// except the files named like the built-in skins. A missing folder lists nothing.
SkinFolderScan scanSkinFolder(const QString &folder);
