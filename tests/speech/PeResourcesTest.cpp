// SPDX-License-Identifier: MIT
#include "speech/PeResources.h"

#include "PeTestImage.h"
#include "speech/WaveImage.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QList<std::pair<quint16, QByteArray>> ThreeClips = {
    {7000, TestWave(1)},
    {7001, TestWave(2)},
    {7002, TestWave(3)},
};

} // namespace

TEST(PeResources, GeneratedPackHoldsEveryClipAsAWave)
{
    QFile file(QStringLiteral(TOCKLY_VOICE_PACK));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const PeResourceTable pack = PeResourceTable::Read(file.readAll(), u"WAVE");
    ASSERT_TRUE(pack.IsValid());
    EXPECT_TRUE(pack.Problems().isEmpty()) << pack.Problems().join(u"; ").toStdString();

    QList<quint16> expected;
    for (int id = 7000; id <= 7012; ++id)
        expected << quint16(id);
    expected << 7020 << 7030 << 7040 << 7050 << 7400 << 7401 << 7402 << 7403 << 7404 << 7500 << 7600 << 7801 << 7802;
    QList<quint16> ids = pack.Ids();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, expected);

    for (const quint16 id : expected) {
        SCOPED_TRACE(id);
        const auto wave = InspectWave(pack.Data(id));
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->formatTag, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->bitsPerSample, 16);
        // One word, cut to the speech: a few tenths of a second.
        EXPECT_GE(wave->DurationMs(), 150);
        EXPECT_LE(wave->DurationMs(), id == 7500 ? 2500 : 1000);
    }
}

TEST(PeResources, ReadsModulesOfOtherLayouts)
{
    struct Case
    {
        const char *name;
        bool pe32Plus;
        bool dataInOwnSection;
        QString typeName;
    };
    const Case cases[] = {
        {"PE32", false, false, QStringLiteral("WAVE")},
        {"PE32+", true, false, QStringLiteral("WAVE")},
        {"data in a section of its own", false, true, QStringLiteral("WAVE")},
        {"type name in lower case", false, false, QStringLiteral("wave")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PeTestImage image({ThreeClips, c.typeName, c.pe32Plus, c.dataInOwnSection});
        const PeResourceTable table = PeResourceTable::Read(image.bytes, u"WAVE");
        ASSERT_TRUE(table.IsValid());
        EXPECT_TRUE(table.Problems().isEmpty()) << table.Problems().join(u"; ").toStdString();
        EXPECT_EQ(table.Ids(), (QList<quint16> {7000, 7001, 7002}));
        // The first language listed, not the second.
        EXPECT_EQ(table.Data(7000), TestWave(1));
        EXPECT_EQ(table.Data(7002), TestWave(3));
        EXPECT_TRUE(table.Data(7003).isEmpty());
    }
    const PeTestImage image({ThreeClips});
    EXPECT_TRUE(PeResourceTable::Read(image.bytes, u"WAVES").Ids().isEmpty());
}

TEST(PeResources, RejectsDamagedImagesAndEntries)
{
    constexpr quint32 Dir = 0x80000000u;
    // The file offset of a resource's data.
    const auto dataAt = [](const PeTestImage &p, int i) {
        return PeTestImage::RawStart + qsizetype(p.get32(p.dataEntries[i]) - p.rootRva);
    };
    struct Case
    {
        const char *name;
        std::function<void(PeTestImage &)> damage;
        bool valid;
        QList<quint16> ids;
    };
    const Case cases[] = {
        {"no MZ", [](PeTestImage &p) { p.bytes[0] = 'X'; }, false, {}},
        {"PE header past the end", [](PeTestImage &p) { p.put32(0x3C, 0xFFFFFFF0u); }, false, {}},
        {"cut in the section table", [](PeTestImage &p) { p.bytes.truncate(p.sectionTable + 20); }, false, {}},
        {"cut in the root table", [](PeTestImage &p) { p.bytes.truncate(p.root + 8); }, false, {}},
        {"sections overlap",
         [](PeTestImage &p) {
             p.put16(0x46, 2);
             const qsizetype second = p.sectionTable + 40;
             p.put32(second + 8, 0x100);
             p.put32(second + 12, p.rootRva + 0x10);
             p.put32(second + 16, 0x200);
             p.put32(second + 20, PeTestImage::RawStart);
         },
         false,
         {}},
        {"resource root outside every section", [](PeTestImage &p) { p.put32(0x58 + 96 + 16, 0x50000); }, false, {}},
        {"cut in the last clip", [&](PeTestImage &p) { p.bytes.truncate(dataAt(p, 2) + 10); }, true, {7000, 7001}},
        {"identifier table larger than the section", [](PeTestImage &p) { p.put16(p.idTable + 14, 0xFFFF); }, true, {}},
        {"type name outside the section", [](PeTestImage &p) { p.put32(p.root + 16, Dir | 0x7FFFFFF0u); }, true, {}},
        {"language table loops back to the root",
         [](PeTestImage &p) { p.put32(p.idTable + 16 + 8 + 4, Dir); },
         true,
         {7000, 7002}},
        {"language table overlaps the identifier table",
         [](PeTestImage &p) { p.put32(p.idTable + 16 + 8 + 4, Dir | (p.treeOffset(p.idTable) + 8)); },
         true,
         {7000, 7002}},
        {"language entry leads to a further directory",
         [](PeTestImage &p) { p.put32(p.languageTables[1] + 16 + 4, Dir | p.treeOffset(p.languageTables[1])); },
         true,
         {7000, 7002}},
        {"data over the directory", [](PeTestImage &p) { p.put32(p.dataEntries[1], p.rootRva); }, true, {7000, 7002}},
        {"data size beyond the file",
         [](PeTestImage &p) { p.put32(p.dataEntries[1] + 4, 0xFFFFFFFFu); },
         true,
         {7000, 7002}},
        {"data address outside every section",
         [](PeTestImage &p) { p.put32(p.dataEntries[1], 0x7FFF0000u); },
         true,
         {7000, 7002}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PeTestImage image({ThreeClips});
        c.damage(image);
        const PeResourceTable table = PeResourceTable::Read(image.bytes, u"WAVE");
        EXPECT_EQ(table.IsValid(), c.valid);
        EXPECT_EQ(table.Ids(), c.ids);
        EXPECT_FALSE(table.Problems().isEmpty());
        for (const quint16 id : c.ids)
            EXPECT_EQ(table.Data(id), TestWave(quint16(id - 6999)));
    }
}

TEST(WaveImage, AcceptsCompleteWavesOnly)
{
    const QByteArray good = TestWave(7);
    ASSERT_TRUE(InspectWave(good).has_value());
    EXPECT_EQ(InspectWave(good)->dataSize, 2);
    // A chunk before the format and trailing padding are fine.
    QByteArray withList = good;
    withList.insert(12, QByteArray("LIST\3\0\0\0abc\0", 12));
    EXPECT_TRUE(InspectWave(withList + QByteArray(6, '\0')).has_value());

    const std::pair<const char *, std::function<void(QByteArray &)>> damages[] = {
        {"not RIFF",
         [](QByteArray &w) {
             w[0] = 'X';
         }},
        {"no data chunk",
         [](QByteArray &w) {
             w[36] = 'x';
         }},
        {"data runs past the end",
         [](QByteArray &w) {
             w.chop(1);
         }},
        {"format chunk too short",
         [](QByteArray &w) {
             w[16] = 8;
         }},
        {"no channels",
         [](QByteArray &w) {
             w[22] = 0;
         }},
        {"huge chunk size",
         [](QByteArray &w) {
             w.replace(16, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
         }},
    };
    for (const auto &[name, damage] : damages) {
        SCOPED_TRACE(name);
        QByteArray w = good;
        damage(w);
        EXPECT_FALSE(InspectWave(w).has_value());
    }
}
