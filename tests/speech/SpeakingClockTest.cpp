// SPDX-License-Identifier: MIT
#include "speech/SpeakingClock.h"

#include "PeTestImage.h"
#include "TestFiles.h"
#include "fakes/FakeServices.h"
#include "speech/TimeAnnouncement.h"
#include "speech/WaveImage.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int C = -1; // marks a chime in the expected lists below

SpeakSettings speaking(int format, bool chime = false, bool preface = false)
{
    SpeakSettings s;
    s.TimeFormat = format;
    s.EnableIfChime = chime;
    s.EnableTimePreface = preface;
    return s;
}

// The 24-hour format with a silent period from hhmm to hhmm.
SpeakSettings silentBetween(int from, int to, int enabled = 1)
{
    SpeakSettings s = speaking(1);
    s.EnableLimitTime = enabled;
    s.BeteenFromHour = from / 100;
    s.BeteenFromMin = from % 100;
    s.BeteenToHour = to / 100;
    s.BeteenToMin = to % 100;
    return s;
}

// Chimes as C - index, pack clips as their ids.
QList<int> plannedIds(const SpeakSettings &s, int hour, int minute)
{
    QList<int> ids;
    for (const AnnouncementClip &clip : PlanAnnouncement(s, DateTime::FromParts(2026, 3, 10, hour, minute)).clips)
        ids << (clip.source == AnnouncementClip::Chime ? C - (clip.id - SpeechClips::FirstChime) : clip.id);
    return ids;
}

} // namespace

TEST(TimeAnnouncement, ClipSequences)
{
    SpeakSettings withBoth = speaking(0, true, true);
    withBoth.DateTimePre = 1;
    SpeakSettings notifyTwo = speaking(0, true, true);
    notifyTwo.EnableAutoNotifyTime = 2;
    SpeakSettings notifyOff = speaking(1, false, true);
    notifyOff.EnableAutoNotifyTime = 0;
    struct Case
    {
        SpeakSettings settings;
        int hour, minute;
        QList<int> clips;
    };
    const Case cases[] = {
        {speaking(0), 8, 5, {7401, 7008, 7404, 7000, 7005, 7600}},
        {speaking(1), 21, 30, {7020, 7801, 7404, 7030, 7600}},
        {speaking(2), 13, 0, {7010, 7003, 7000, 7000, 7404}},
        {speaking(0), 0, 0, {7400, 7000, 7404, 7000, 7000, 7600}},
        {speaking(0), 12, 10, {7402, 7012, 7404, 7000, 7010, 7600}},
        // Parts of the day and the hour words on both sides of noon.
        {speaking(0), 5, 59, {7400, 7005, 7404, 7050, 7009, 7600}},
        {speaking(0), 6, 13, {7401, 7006, 7404, 7010, 7003, 7600}},
        {speaking(0), 17, 21, {7402, 7005, 7404, 7020, 7801, 7600}},
        {speaking(0), 18, 40, {7403, 7006, 7404, 7040, 7600}},
        {speaking(0), 23, 12, {7403, 7011, 7404, 7000, 7012, 7600}},
        {speaking(1), 22, 22, {7020, 7802, 7404, 7020, 7802, 7600}},
        {speaking(1), 0, 1, {7000, 7404, 7000, 7001, 7600}},
        {speaking(2), 19, 55, {7010, 7009, 7050, 7005, 7404}},
        // Chime, then preface, then the time.
        {withBoth, 9, 0, {C - 1, 7500, 7401, 7009, 7404, 7000, 7000, 7600}},
        // Only EnableAutoNotifyTime 1 speaks the time.
        {notifyTwo, 9, 0, {C, 7500}},
        {notifyOff, 9, 0, {7500}},
        {speaking(3, true), 9, 0, {C}},
        // The silent period includes both ends; a start after the end
        // silences nothing, on neither side of midnight.
        {silentBetween(2200, 2330), 21, 59, {7020, 7801, 7404, 7050, 7009, 7600}},
        {silentBetween(2200, 2330), 22, 0, {}},
        {silentBetween(2200, 2330), 23, 30, {}},
        {silentBetween(2200, 2330), 23, 31, {7020, 7003, 7404, 7030, 7801, 7600}},
        {silentBetween(2200, 2330, 0), 22, 30, {7020, 7802, 7404, 7030, 7600}},
        {silentBetween(2300, 100), 23, 30, {7020, 7003, 7404, 7030, 7600}},
        {silentBetween(2300, 100), 0, 30, {7000, 7404, 7030, 7600}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ':' << c.minute << " format " << c.settings.TimeFormat);
        EXPECT_EQ(plannedIds(c.settings, c.hour, c.minute), c.clips);
    }
}

TEST(TimeAnnouncement, IntervalFallsOnSecondZeroOfEachBoundary)
{
    const int intervals[] = {5, 10, 15, 30, 60, 0};
    for (int cyc = 0; cyc < 6; ++cyc) {
        SCOPED_TRACE(cyc);
        SpeakSettings s;
        s.TimeCyc = cyc;
        int due = 0;
        for (DateTime t = DateTime::FromParts(2026, 3, 10); t.Day() == 10; t = t.AddSeconds(1)) {
            if (!IsAnnouncementDue(s, t))
                continue;
            ++due;
            EXPECT_EQ(t.Second(), 0);
            EXPECT_EQ((t.Hour() * 60 + t.Minute()) % intervals[cyc], 0);
        }
        EXPECT_EQ(due, intervals[cyc] ? 1440 / intervals[cyc] : 0);
        s.EnableAutoNotifyTime = 2;
        EXPECT_EQ(IsAnnouncementDue(s, DateTime::FromParts(2026, 3, 10, 9)), intervals[cyc] != 0);
        s.EnableAutoNotifyTime = 0;
        EXPECT_FALSE(IsAnnouncementDue(s, DateTime::FromParts(2026, 3, 10, 9)));
    }
}

namespace {

class SpeakingClockTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeServices fake;
    SpeakSettings speak = speaking(0, true, true);
    bool commandEnabled = true;
    int packMissing = 0;
    SpeakingClock clock {speak, fake.services(), {packPath()}, hooks()};

    QString packPath() const { return QDir(dir.path()).filePath(SpeakingClock::PackRelativePath); }

    SpeakingClock::Hooks hooks()
    {
        SpeakingClock::Hooks h;
        h.commandEnabled = [this] {
            return commandEnabled;
        };
        h.setCommandEnabled = [this](bool on) {
            commandEnabled = on;
        };
        h.packMissing = [this] {
            ++packMissing;
        };
        // The chimes in a layout of their own, as the program's are.
        h.chime = [](int id) {
            return id >= 6000 && id <= 6002 ? TestWave(quint16(id), 16000) : QByteArray();
        };
        return h;
    }

    void installPack(QList<int> ids = {})
    {
        if (ids.isEmpty()) {
            for (int id = 7000; id <= 7012; ++id)
                ids << id;
            ids << 7020 << 7030 << 7040 << 7050 << 7400 << 7401 << 7402 << 7403 << 7404 << 7500 << 7600 << 7801 << 7802;
        }
        PeTestImage::Options options;
        for (const int id : ids)
            options.resources.append({quint16(id), TestWave(quint16(id))});
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Voice")));
        ASSERT_TRUE(WriteTestFile(packPath(), PeTestImage(options).bytes));
    }

    // Lets each sound end in turn; returns the clips heard, in order (each
    // test clip is one sample: its id).
    QList<int> playToTheEnd()
    {
        QList<int> heard;
        while (!fake.sound.pending.empty()) {
            EXPECT_EQ(fake.sound.pending.size(), 1u); // one sound at a time
            const QByteArray &wave = fake.sound.waves.back();
            const auto info = InspectWave(wave);
            EXPECT_TRUE(info.has_value());
            for (qsizetype i = 0; info && i + 1 < info->dataSize; i += 2)
                heard << qFromLittleEndian<quint16>(wave.constData() + info->dataOffset + i);
            fake.sound.FinishAll();
        }
        return heard;
    }
};

} // namespace

TEST_F(SpeakingClockTest, PlaysClipAfterClipAndIsBusyMeanwhile)
{
    installPack();
    fake.clock.Set(DateTime::FromParts(2026, 3, 10, 8, 5, 0));
    clock.AnnounceTimeThread();
    EXPECT_FALSE(commandEnabled);
    // A second request while one plays does nothing.
    clock.AnnounceTimeThread();
    clock.CheckInterval(fake.clock.Now());
    EXPECT_EQ(playToTheEnd(), (QList<int> {6000, 7500, 7401, 7008, 7404, 7000, 7005, 7600}));
    // The chime, then the words as one sound.
    EXPECT_EQ(fake.sound.waves.size(), 2);
    EXPECT_TRUE(commandEnabled);
    EXPECT_FALSE(clock.IsSpeaking());
    EXPECT_EQ(packMissing, 0);
}

TEST_F(SpeakingClockTest, StreamVolumeIsTheClampedAnnouncerVolume)
{
    installPack();
    const std::pair<int, int> cases[] = {{150, 100}, {-5, 0}, {40, 40}};
    for (const auto &[volume, applied] : cases) {
        SCOPED_TRACE(volume);
        speak.Volume = volume;
        fake.sound.volumes.clear();
        clock.AnnounceTimeThread();
        playToTheEnd();
        ASSERT_FALSE(fake.sound.volumes.empty());
        for (const int v : fake.sound.volumes)
            EXPECT_EQ(v, applied);
    }
}

TEST_F(SpeakingClockTest, MissingPackTellsOnceAndLeavesTheCommandDisabled)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("MZ but nothing more")}) {
        if (!content.isEmpty()) {
            ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Voice")));
            ASSERT_TRUE(WriteTestFile(packPath(), content));
        }
        commandEnabled = true;
        packMissing = 0;
        clock.AnnounceTimeThread();
        clock.AnnounceTimeThread();
        clock.CheckInterval(DateTime::FromParts(2026, 3, 10, 9, 0, 0));
        EXPECT_EQ(packMissing, 1);
        EXPECT_FALSE(commandEnabled);
        EXPECT_TRUE(fake.sound.waves.isEmpty()); // not even the chime
    }
}

TEST_F(SpeakingClockTest, SilentPeriodNeedsNoPackAndMissingClipsAreSkipped)
{
    speak.EnableLimitTime = 1;
    speak.BeteenFromHour = 22;
    speak.BeteenToHour = 23;
    fake.clock.Set(DateTime::FromParts(2026, 3, 10, 22, 30, 0));
    clock.AnnounceTimeThread();
    EXPECT_EQ(packMissing, 0);
    EXPECT_TRUE(commandEnabled);
    EXPECT_TRUE(fake.sound.waves.isEmpty());

    // A pack without the preface and the minute word; chime 6005 does not exist.
    installPack({7000, 7009, 7404, 7403});
    speak.DateTimePre = 5;
    fake.clock.Set(DateTime::FromParts(2026, 3, 10, 21, 0, 0));
    clock.AnnounceTimeThread();
    EXPECT_EQ(playToTheEnd(), (QList<int> {7403, 7009, 7404, 7000, 7000}));
    EXPECT_TRUE(commandEnabled);
}
