// SPDX-License-Identifier: MIT
#include "shell/SkinImage.h"

#include "SkinCatalog.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// A face filled with white, the key colour at (0, 0).
QImage blankFace(int width, int height, QRgb key = Magenta)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(White);
    image.setPixel(0, 0, key);
    return image;
}

void fill(QImage &image, const QRect &rect, QRgb color)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            image.setPixel(x, y, color);
}

// The digit-area scan written out step by step, pixel reads included: pixels
// outside the image read as invalid and match neither the key nor black.
QPoint referenceDigitScan(const QImage &face, QPoint origin)
{
    auto pixel = [&](int x, int y) -> std::optional<QRgb> {
        if (!face.valid(x, y))
            return std::nullopt;
        return face.pixel(x, y) & 0xFFFFFF;
    };
    const auto key = pixel(0, 0);
    for (int i = 0; i <= face.width(); ++i) {
        for (int j = 0; j <= face.height(); ++j) {
            const auto p = pixel(i, j);
            if (p == key || p != QRgb(0))
                continue;
            int rows = 0;
            for (int y = j; pixel(i, y) == QRgb(0) && pixel(i + 109, y) == QRgb(0); ++y) {
                if (++rows == 25) {
                    origin = QPoint(i, j);
                    break;
                }
            }
        }
    }
    return origin;
}

// The window shape the slow way: the full rectangle with every key pixel
// toggled off one by one.
QRegion referenceRegion(const QImage &face)
{
    QRegion region(0, 0, face.width(), face.height());
    const QRgb key = face.pixel(0, 0);
    for (int x = 0; x < face.width(); ++x)
        for (int y = 0; y < face.height(); ++y)
            if (face.pixel(x, y) == key)
                region = region.xored(QRect(x, y, 1, 1));
    return region;
}

bool saveBmp(const QImage &image, const QString &path)
{
    return image.save(path, "BMP");
}

QImage solid(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

// --- Kind by size -----------------------------------------------------------

TEST(ClassifySkin, OnlyExactly180By25IsANumberBitmap)
{
    EXPECT_EQ(ClassifySkin(180, 25), SkinKind::Number);
    EXPECT_EQ(ClassifySkin(180, 24), SkinKind::NotASkin);
    EXPECT_EQ(ClassifySkin(179, 25), SkinKind::NotASkin);
    EXPECT_EQ(ClassifySkin(181, 25), SkinKind::NotASkin);
    EXPECT_EQ(int(SkinKind::Number), 1001);
    EXPECT_EQ(int(SkinKind::Dialog), 1002);
    EXPECT_EQ(int(SkinKind::NotASkin), 1003);
}

TEST(ClassifySkin, DialogBitmapsSpan111To199By26To199)
{
    for (int width : {111, 150, 179, 180, 181, 199}) {
        EXPECT_EQ(ClassifySkin(width, 26), SkinKind::Dialog) << width;
        EXPECT_EQ(ClassifySkin(width, 199), SkinKind::Dialog) << width;
        EXPECT_EQ(ClassifySkin(width, 200), SkinKind::NotASkin) << width;
    }
    EXPECT_EQ(ClassifySkin(180, 40), SkinKind::Dialog);
    EXPECT_EQ(ClassifySkin(110, 100), SkinKind::NotASkin);
    EXPECT_EQ(ClassifySkin(200, 100), SkinKind::NotASkin);
    EXPECT_EQ(ClassifySkin(150, 25), SkinKind::NotASkin);
    EXPECT_EQ(ClassifySkin(0, 0), SkinKind::NotASkin);
}

// --- Digit area -------------------------------------------------------------

TEST(FindDigitOrigin, FindsTheBoxAtItsTopLeftCorner)
{
    QImage face = blankFace(170, 60);
    fill(face, QRect(37, 11, 110, 25), Black);
    EXPECT_EQ(FindDigitOrigin(face, QPoint(5, 5)), QPoint(37, 11));

    // Flush against the right and bottom edges.
    QImage corner = blankFace(170, 60);
    fill(corner, QRect(60, 35, 110, 25), Black);
    EXPECT_EQ(FindDigitOrigin(corner, QPoint()), QPoint(60, 35));
}

TEST(FindDigitOrigin, LastMatchColumnByColumnWins)
{
    // The box further right wins even though the other one lies lower.
    QImage face = blankFace(199, 80);
    fill(face, QRect(60, 2, 110, 25), Black);
    fill(face, QRect(20, 40, 110, 25), Black);
    EXPECT_EQ(FindDigitOrigin(face, QPoint()), QPoint(60, 2));

    // In the same column the lower box wins.
    QImage stacked = blankFace(150, 80);
    fill(stacked, QRect(10, 1, 110, 25), Black);
    fill(stacked, QRect(10, 40, 110, 25), Black);
    EXPECT_EQ(FindDigitOrigin(stacked, QPoint()), QPoint(10, 40));
}

TEST(FindDigitOrigin, OnlyTheBoxSidesAreTested)
{
    // A box taller or wider than 110 x 25 matches at its last possible start.
    QImage tall = blankFace(150, 60);
    fill(tall, QRect(5, 3, 110, 40), Black);
    EXPECT_EQ(FindDigitOrigin(tall, QPoint()), QPoint(5, 18));
    QImage wide = blankFace(150, 60);
    fill(wide, QRect(10, 5, 112, 25), Black);
    EXPECT_EQ(FindDigitOrigin(wide, QPoint()), QPoint(12, 5));

    // Two black lines 109 pixels apart are enough; the inside is not looked at.
    QImage sides = blankFace(150, 60);
    fill(sides, QRect(40, 20, 1, 25), Black);
    fill(sides, QRect(149, 20, 1, 25), Black);
    EXPECT_EQ(FindDigitOrigin(sides, QPoint()), QPoint(40, 20));
}

TEST(FindDigitOrigin, WithoutAFullBoxThePreviousOriginStays)
{
    QImage shortBox = blankFace(150, 60);
    fill(shortBox, QRect(10, 10, 110, 24), Black);
    EXPECT_EQ(FindDigitOrigin(shortBox, QPoint(7, 8)), QPoint(7, 8));

    QImage narrowBox = blankFace(150, 60);
    fill(narrowBox, QRect(10, 10, 109, 30), Black);
    EXPECT_EQ(FindDigitOrigin(narrowBox, QPoint(7, 8)), QPoint(7, 8));

    EXPECT_EQ(FindDigitOrigin(QImage(), QPoint(3, 4)), QPoint(3, 4));
}

TEST(FindDigitOrigin, BlackKeyColourMarksNoBox)
{
    QImage face = blankFace(150, 60, Black);
    fill(face, QRect(10, 10, 110, 25), Black);
    EXPECT_EQ(FindDigitOrigin(face, QPoint(1, 2)), QPoint(1, 2));
}

TEST(FindDigitOrigin, AgreesWithThePixelByPixelScan)
{
    // Mostly black images with white specks hold many overlapping matches.
    QRandomGenerator random(20240611);
    for (int round = 0; round < 40; ++round) {
        const int width = 110 + int(random.bounded(40));
        const int height = 25 + int(random.bounded(40));
        QImage face = solid(width, height, Black);
        face.setPixel(0, 0, round % 5 == 0 ? Black : Magenta);
        const int specks = int(random.bounded(width * height / 40 + 1));
        for (int n = 0; n < specks; ++n)
            face.setPixel(int(random.bounded(width)), int(random.bounded(height)), White);
        EXPECT_EQ(FindDigitOrigin(face, QPoint(-1, -1)), referenceDigitScan(face, QPoint(-1, -1))) << round;
    }
}

// --- Window shape -----------------------------------------------------------

TEST(BuildSkinRegion, CutsAwayEveryKeyPixelIncludingHolesInside)
{
    QImage face = blankFace(40, 30);
    fill(face, QRect(0, 0, 6, 3), Magenta); // a corner
    fill(face, QRect(34, 27, 6, 3), Magenta); // the opposite corner
    fill(face, QRect(12, 10, 8, 6), Magenta); // a hole
    fill(face, QRect(14, 12, 3, 2), Black); // an island inside the hole
    face.setPixel(25, 20, Magenta); // a single pixel
    face.setPixel(39, 0, Magenta);

    const QRegion region = BuildSkinRegion(face);
    EXPECT_EQ(region, referenceRegion(face));
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            EXPECT_EQ(region.contains(QPoint(x, y)), face.pixel(x, y) != Magenta) << x << "," << y;
}

TEST(BuildSkinRegion, KeyIsWhateverColourPixelZeroZeroHas)
{
    QImage face = solid(20, 10, White);
    face.setPixel(0, 0, Black);
    face.setPixel(5, 5, Black);
    EXPECT_EQ(BuildSkinRegion(face),
              QRegion(0, 0, 20, 10).subtracted(QRegion(0, 0, 1, 1)).subtracted(QRect(5, 5, 1, 1)));

    EXPECT_TRUE(BuildSkinRegion(solid(20, 10, Magenta)).isEmpty());
    EXPECT_TRUE(BuildSkinRegion(QImage()).isEmpty());
}

TEST(BuildSkinRegion, AgreesWithThePixelByPixelDefinition)
{
    QRandomGenerator random(77);
    for (int round = 0; round < 20; ++round) {
        QImage face = blankFace(30, 24);
        // Key-coloured blobs, some rows repeating the one above.
        for (int n = 0; n < 12; ++n) {
            fill(face,
                 QRect(int(random.bounded(30)), int(random.bounded(24)), 1 + int(random.bounded(6)),
                       1 + int(random.bounded(4)))
                     .intersected(face.rect()),
                 Magenta);
        }
        EXPECT_EQ(BuildSkinRegion(face), referenceRegion(face)) << round;
    }
}

// --- Digits -----------------------------------------------------------------

TEST(PaintDigits, CopiesTheTablesSourceColumnsAt090507)
{
    // Each strip pixel's red says its column and green its row.
    QImage strip(180, 25, QImage::Format_RGB32);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 180; ++x)
            strip.setPixel(x, y, qRgb(x, y, 200));
    const QRgb background = qRgb(1, 2, 3);
    QImage window = solid(130, 40, background);
    const QPoint origin(7, 9);
    {
        QPainter painter(&window);
        paintDigits(painter, strip, origin, ClockGlyphs {0, 9, 0, 5, 0, 7});
    }

    // dx -> source column: left edge 160, 0, 9, colon, 0, 5, colon, 0, 7, right edge from the colon.
    auto sourceColumn = [](int dx) {
        const struct
        {
            int dx, width, sourceX;
        } table[] = {{0, 2, 160},  {2, 15, 0},   {17, 15, 135}, {32, 8, 150},  {40, 15, 0},
                     {55, 15, 75}, {70, 8, 150}, {78, 15, 0},   {93, 15, 105}, {108, 2, 150}};
        for (const auto &piece : table)
            if (dx >= piece.dx && dx < piece.dx + piece.width)
                return piece.sourceX + dx - piece.dx;
        return -1;
    };
    EXPECT_EQ(digitAreaRect(origin), QRect(7, 9, 110, 25));
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            const QRgb pixel = window.pixel(x, y);
            if (digitAreaRect(origin).contains(x, y))
                ASSERT_EQ(pixel, qRgb(sourceColumn(x - origin.x()), y - origin.y(), 200)) << x << "," << y;
            else
                ASSERT_EQ(pixel, background) << x << "," << y;
        }
    }
}

TEST(PaintDigits, WithoutAStripNothingIsPainted)
{
    QImage window = solid(120, 30, White);
    {
        QPainter painter(&window);
        paintDigits(painter, QImage(), QPoint(0, 0), ClockGlyphs {1, 2, 3, 4, 5, 6});
    }
    EXPECT_EQ(window, solid(120, 30, White));
}

// --- Loading and listing ----------------------------------------------------

TEST(LoadSkinBitmap, BuiltInNamesNeverReadAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(saveBmp(solid(180, 25, qRgb(255, 0, 0)), dir.filePath(QStringLiteral("blackgreen.bmp"))));
    ASSERT_TRUE(saveBmp(solid(150, 40, qRgb(255, 0, 0)), dir.filePath(QStringLiteral("Defult.Bmp"))));

    const QImage builtinNumber(QStringLiteral(":/skins/BLACKGREEN.BMP"));
    const QImage builtinDialog(QStringLiteral(":/skins/DEFULT.BMP"));
    ASSERT_FALSE(builtinNumber.isNull());
    ASSERT_FALSE(builtinDialog.isNull());
    EXPECT_EQ(LoadSkinBitmap(dir.filePath(QStringLiteral("blackgreen.bmp"))), builtinNumber);
    EXPECT_EQ(LoadSkinBitmap(dir.filePath(QStringLiteral("Defult.Bmp"))), builtinDialog);
    EXPECT_EQ(LoadSkinBitmap(QStringLiteral("DEFULT.BMP")), builtinDialog);
    EXPECT_EQ(LoadSkinBitmap(QStringLiteral("C:\\Tockly\\Skin\\BlackGreen.bmp")), builtinNumber);
}

TEST(LoadSkinBitmap, OtherNamesAreReadFromTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture = blankFace(150, 40);
    fill(picture, QRect(20, 8, 110, 25), Black);
    ASSERT_TRUE(saveBmp(picture, dir.filePath(QStringLiteral("mine.bmp"))));

    const QImage loaded = LoadSkinBitmap(dir.filePath(QStringLiteral("mine.bmp")));
    ASSERT_EQ(loaded.size(), QSize(150, 40));
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_TRUE(LoadSkinBitmap(dir.filePath(QStringLiteral("missing.bmp"))).isNull());
}

TEST(ScanSkinFolder, ListsNumberAndDialogBitmapsByName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(saveBmp(solid(200, 100, White), dir.filePath(QStringLiteral("big.bmp"))));
    ASSERT_TRUE(saveBmp(solid(180, 40, White), dir.filePath(QStringLiteral("tall.bmp"))));
    ASSERT_TRUE(saveBmp(solid(180, 25, White), dir.filePath(QStringLiteral("Digits.BMP"))));
    ASSERT_TRUE(saveBmp(solid(180, 25, White), dir.filePath(QStringLiteral("blackgreen.bmp"))));
    ASSERT_TRUE(saveBmp(solid(150, 40, White), dir.filePath(QStringLiteral("defult.bmp"))));
    ASSERT_TRUE(saveBmp(solid(150, 40, White), dir.filePath(QStringLiteral("face.png"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));

    const SkinFolderScan scan = scanSkinFolder(dir.path());
    EXPECT_TRUE(scan.ok);
    ASSERT_EQ(scan.items.size(), 2);
    EXPECT_EQ(scan.items[0].fileName, QStringLiteral("Digits.BMP"));
    EXPECT_EQ(scan.items[0].menuText, QStringLiteral("DIGITS.BMP"));
    EXPECT_EQ(scan.items[0].kind, SkinKind::Number);
    EXPECT_EQ(scan.items[1].fileName, QStringLiteral("tall.bmp"));
    EXPECT_EQ(scan.items[1].menuText, QStringLiteral("TALL.BMP"));
    EXPECT_EQ(scan.items[1].kind, SkinKind::Dialog);
}

TEST(ScanSkinFolder, AnUnreadableBitmapFailsTheScan)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(saveBmp(solid(180, 25, White), dir.filePath(QStringLiteral("a.bmp"))));
    QFile broken(dir.filePath(QStringLiteral("broken.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM this is not a bitmap");
    broken.close();

    EXPECT_FALSE(scanSkinFolder(dir.path()).ok);

    const SkinFolderScan missing = scanSkinFolder(dir.filePath(QStringLiteral("nowhere")));
    EXPECT_TRUE(missing.ok);
    EXPECT_TRUE(missing.items.isEmpty());
}

// --- The skins the program ships ----------------------------------------------

namespace {

QImage shippedSkin(const char *fileName, bool builtin)
{
    const QString name = QString::fromLatin1(fileName);
    return builtin ? LoadSkinBitmap(name) : LoadSkinBitmap(QStringLiteral(TOCKLY_SHIPPED_SKIN_DIR "/") + name);
}

} // namespace

TEST(ShippedSkins, FacesAreShapedAndMarkTheirDigitArea)
{
    const QRgb key = 0xFF000000 | SkinCatalog::KeyRgb;
    for (const auto &entry : SkinCatalog::Faces) {
        SCOPED_TRACE(entry.fileName);
        const QImage face = shippedSkin(entry.fileName, entry.builtin).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(face.size(), QSize(entry.width, entry.height));
        EXPECT_EQ(ClassifySkin(face.width(), face.height()), SkinKind::Dialog);
        const int right = face.width() - 1;
        const int bottom = face.height() - 1;
        EXPECT_EQ(face.pixel(0, 0), key);
        EXPECT_EQ(face.pixel(right, 0), key);
        EXPECT_EQ(face.pixel(0, bottom), key);
        EXPECT_EQ(face.pixel(right, bottom), key);

        const QPoint origin = FindDigitOrigin(face, QPoint(-1, -1));
        EXPECT_EQ(origin, QPoint(entry.digitX, entry.digitY));
        const QRect box = digitAreaRect(origin);
        int strayBlack = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                if ((face.pixel(x, y) == Black) != box.contains(x, y))
                    ++strayBlack;
        EXPECT_EQ(strayBlack, 0);
    }
}

TEST(ShippedSkins, StripsAreNumberBitmapsWithBlackEdges)
{
    for (const auto &entry : SkinCatalog::Strips) {
        SCOPED_TRACE(entry.fileName);
        const QImage strip = shippedSkin(entry.fileName, entry.builtin).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(ClassifySkin(strip.width(), strip.height()), SkinKind::Number);
        // The edge pieces sit next to the face's black box: they must match it.
        for (int x : {150, 151, 160, 161})
            for (int y = 0; y < 25; ++y)
                ASSERT_EQ(strip.pixel(x, y), Black) << x << "," << y;
        // Every glyph lights something.
        for (int digit = 0; digit < 10; ++digit) {
            const QImage glyph = strip.copy(digit * 15, 0, 15, 25);
            EXPECT_NE(glyph, solid(15, 25, Black)) << digit;
        }
    }
}

TEST(ShippedSkins, TheSkinFolderListsEveryExtraSkin)
{
    const SkinFolderScan scan = scanSkinFolder(QStringLiteral(TOCKLY_SHIPPED_SKIN_DIR));
    ASSERT_TRUE(scan.ok);
    QStringList listed;
    for (const SkinFileItem &item : scan.items)
        listed << item.menuText;
    QStringList expected;
    for (const auto &entry : SkinCatalog::Faces)
        if (!entry.builtin)
            expected << QString::fromLatin1(entry.fileName);
    for (const auto &entry : SkinCatalog::Strips)
        if (!entry.builtin)
            expected << QString::fromLatin1(entry.fileName);
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);
}
