// SPDX-License-Identifier: MIT
// The icons and sounds (the notice and the chimes) compiled into the widget
// library.
#include "model/CategoryTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QStringList allIconPaths()
{
    QStringList paths = CategoryTable::imageListPaths();
    paths << CategoryTable::programIconPath() << CategoryTable::ringingIconPath() << CategoryTable::noteIconPath()
          << CategoryTable::alarmTabIconPath() << CategoryTable::birthdayTabIconPath()
          << CategoryTable::noteTabIconPath();
    paths.removeDuplicates();
    return paths;
}

QImage render(const QString &path, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

int coveredPixels(const QImage &image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) >= 128;
    return covered;
}

} // namespace

TEST(BuiltInIcons, EveryIconIsAValidSvgOnTheSixteenUnitGrid)
{
    for (const QString &path : allIconPaths()) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        ASSERT_FALSE(content.isEmpty());
        EXPECT_TRUE(content.contains("<svg"));

        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 16, 16));
    }
}

TEST(BuiltInIcons, EveryIconDrawsAVisibleShapeAtSixteenPixels)
{
    for (const QString &path : allIconPaths()) {
        SCOPED_TRACE(path.toStdString());
        const QImage small = render(path, 16);
        // At least an eighth of the square is solidly covered: a real picture,
        // not an empty, hairline or faint drawing. (The lightest icon, the
        // walking figure, covers about a fifth.)
        EXPECT_GE(coveredPixels(small), 16 * 16 / 8);
        EXPECT_GE(coveredPixels(render(path, 32)), 32 * 32 / 8);
    }
}

TEST(BuiltInIcons, NoTwoIconsLookTheSame)
{
    const QStringList paths = allIconPaths();
    QList<QImage> images;
    for (const QString &path : paths)
        images.append(render(path, 16));
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << paths[i].toStdString() << " and " << paths[j].toStdString();
}

TEST(BuiltInIcons, EveryCompiledIconIsReachableFromTheTable)
{
    const QStringList listed = allIconPaths();
    const QSet<QString> known(listed.begin(), listed.end());
    const QStringList compiled = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
    EXPECT_EQ(compiled.size(), known.size());
    for (const QString &file : compiled)
        EXPECT_TRUE(known.contains(QStringLiteral(":/icons/") + file)) << file.toStdString();
}

TEST(BuiltInSounds, NoticeAndChimesAreSoftCleanPcmWaves)
{
    struct Sound
    {
        const char *path;
        double minSeconds, maxSeconds;
    };
    // The notice, then the speaking clock's "Ting", "Westminster Chimes"
    // (four strokes) and "Tick - Tock".
    const Sound sounds[] = {
        {":/sounds/notice.wav", 0.4, 0.8},
        {":/sounds/chime6000.wav", 0.8, 1.5},
        {":/sounds/chime6001.wav", 3.0, 4.0},
        {":/sounds/chime6002.wav", 1.2, 2.0},
    };
    for (const Sound &sound : sounds) {
        SCOPED_TRACE(sound.path);
        QFile file(QString::fromLatin1(sound.path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        ASSERT_GE(wav.size(), 44);
        const auto *bytes = reinterpret_cast<const uchar *>(wav.constData());
        EXPECT_EQ(wav.mid(0, 4), QByteArray("RIFF"));
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes + 4), quint32(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 4), QByteArray("WAVE"));
        EXPECT_EQ(wav.mid(12, 4), QByteArray("fmt "));
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 20), 1); // PCM
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 22), 1); // mono
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes + 24), 44100u);
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 34), 16);
        ASSERT_EQ(wav.mid(36, 4), QByteArray("data"));
        const quint32 dataBytes = qFromLittleEndian<quint32>(bytes + 40);
        ASSERT_EQ(dataBytes, quint32(wav.size() - 44));

        const int frames = int(dataBytes / 2);
        const double seconds = frames / 44100.0;
        EXPECT_GE(seconds, sound.minSeconds);
        EXPECT_LE(seconds, sound.maxSeconds);

        int peak = 0;
        double sum = 0;
        for (int i = 0; i < frames; ++i) {
            const int s = qFromLittleEndian<qint16>(bytes + 44 + 2 * i);
            peak = std::max(peak, std::abs(s));
            sum += s;
        }
        const double peakDbfs = 20 * std::log10(peak / 32768.0);
        EXPECT_GT(peakDbfs, -7.0);
        EXPECT_LT(peakDbfs, -5.0);
        EXPECT_LT(std::abs(sum / frames / 32768.0), 1e-3);
        // Starts and ends in silence: no click.
        EXPECT_LE(std::abs(qFromLittleEndian<qint16>(bytes + 44)), 2);
        EXPECT_LE(std::abs(qFromLittleEndian<qint16>(bytes + 44 + 2 * (frames - 1))), 2);
    }
}
