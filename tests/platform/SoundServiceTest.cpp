// SPDX-License-Identifier: MIT
#include "TestSounds.h"
#include "platform/linux/LinuxSoundService.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

// How a play was reported, and whether that came too early.
struct Report
{
    int calls = 0;
    bool played = true;
    bool beforePlayReturned = false;
};

SoundService::Done recordInto(Report &report, const bool &playReturned)
{
    return [&report, &playReturned](bool played) {
        ++report.calls;
        report.played = played;
        if (!playReturned)
            report.beforePlayReturned = true;
    };
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// In this process PulseAudio is pointed at a socket that does not exist
// (see PlatformTestMain.cpp): every sound meets "no audio device".
class SoundServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QMediaDevices::defaultAudioOutput().isNull()) << "the test process must not reach a sound server";
        ASSERT_TRUE(WriteToneFile(path("tone.wav"), 300));
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

TEST_F(SoundServiceTest, WhatCannotPlayReportsFalseOnceAndOnlyAfterTheCallReturned)
{
    writeFile(path("notes.wav"), "这不是声音 - just some text\n");
    writeFile(path("cut.wav"), readFile(path("tone.wav")).left(20));
    const QByteArray image = readFile(path("tone.wav"));

    LinuxSoundService sound;
    const std::map<std::string, std::function<void(SoundService::Done)>> cases {
        {"missing file",
         [&](auto done) {
             sound.Play(path("missing.wav"), done);
         }},
        {"text named .wav",
         [&](auto done) {
             sound.Play(path("notes.wav"), done);
         }},
        {"truncated file",
         [&](auto done) {
             sound.Play(path("cut.wav"), done);
         }},
        {"folder",
         [&](auto done) {
             sound.Play(m_dir.path(), done);
         }},
        {"missing resource",
         [&](auto done) {
             sound.Play(QStringLiteral(":/nowhere.wav"), done);
         }},
        {"garbage image",
         [&](auto done) {
             sound.PlayWave("RIFF....WAVEnothing", 80, done);
         }},
        {"good file, no device",
         [&](auto done) {
             sound.Play(path("tone.wav"), done);
         }},
        {"good image, no device",
         [&](auto done) {
             sound.PlayWave(image, 50, done);
         }},
    };
    for (const auto &[name, play] : cases) {
        SCOPED_TRACE(name);
        Report report;
        bool returned = false;
        play(recordInto(report, returned));
        returned = true;
        EXPECT_EQ(report.calls, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return report.calls > 0; }, 5000));
        EXPECT_FALSE(report.played);
        EXPECT_FALSE(report.beforePlayReturned);
        QTest::qWait(30);
        EXPECT_EQ(report.calls, 1);
    }
    EXPECT_EQ(sound.pendingCount(), 0);
}

TEST_F(SoundServiceTest, StopAllReportsEveryPlayOnceAndDestructionDropsCallbacks)
{
    LinuxSoundService sound;
    Report first, second, fromCallback;
    const bool returned = true;
    sound.Play(path("tone.wav"), recordInto(first, returned));
    // A callback may start the next sound straight away.
    sound.PlayWave(readFile(path("tone.wav")), 100, [&](bool played) {
        recordInto(second, returned)(played);
        sound.Play(path("missing.wav"), recordInto(fromCallback, returned));
    });
    EXPECT_EQ(sound.pendingCount(), 2);
    sound.StopAll();
    EXPECT_EQ(first.calls, 1);
    EXPECT_FALSE(first.played);
    EXPECT_EQ(second.calls, 1);
    EXPECT_FALSE(second.played);
    EXPECT_EQ(sound.pendingCount(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fromCallback.calls > 0; }, 5000));
    QTest::qWait(100);
    // The hand-backs of the stopped plays arrived meanwhile and were dropped.
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(sound.pendingCount(), 0);

    Report dropped;
    {
        LinuxSoundService shortLived;
        shortLived.Play(path("tone.wav"), recordInto(dropped, returned));
    }
    QTest::qWait(100);
    EXPECT_EQ(dropped.calls, 0);
}

// The sound server for one test: PulseAudio with a null sink, in a private
// runtime folder, reachable only through its own socket.
class PulseServer
{
public:
    PulseServer() = default;
    PulseServer(const PulseServer &) = delete;
    PulseServer &operator=(const PulseServer &) = delete;
    ~PulseServer()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Empty when it runs, else why not.
    QString start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty())
            return QStringLiteral("pulseaudio is not installed");
        const QString root = m_dir.path();
        QDir(root).mkpath(QStringLiteral("run/pulse"));
        QDir(root).mkpath(QStringLiteral("state"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), root);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/run"));
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), root + QStringLiteral("/run/pulse"));
        env.insert(QStringLiteral("PULSE_STATE_PATH"), root + QStringLiteral("/state"));
        // Keeps it off any real session bus.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(
            program,
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
             QStringLiteral("--use-pid-file=no"), QStringLiteral("--realtime=no"), QStringLiteral("--high-priority=no"),
             QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
             QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket(), QStringLiteral("-L"),
             // Without rewinds the null sink keeps a latency close to what
             // the stream asks for, and its monitor hears every sample.
             QStringLiteral("module-null-sink sink_name=tockly_test norewinds=1")});
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("pulseaudio did not start");
        if (!QTest::qWaitFor([&] { return QFile::exists(socket()) || m_process.state() == QProcess::NotRunning; },
                             10000) ||
            m_process.state() == QProcess::NotRunning)
            return QStringLiteral("pulseaudio did not come up: ") + QString::fromLocal8Bit(m_process.readAll());
        return {};
    }

    QString socket() const { return m_dir.filePath(QStringLiteral("native")); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

struct ProbeRun
{
    // Per play index: played, and milliseconds from start to its report.
    std::map<int, std::pair<bool, int>> plays;
    QString output;
};

ProbeRun runProbe(const QString &pulseSocket, const QStringList &arguments)
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + pulseSocket);
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(TOCKLY_SOUND_PROBE), arguments);
    ProbeRun run;
    if (!probe.waitForFinished(30000)) {
        probe.kill();
        probe.waitForFinished();
    }
    run.output = QString::fromLocal8Bit(probe.readAllStandardOutput() + probe.readAllStandardError());
    for (const QString &line : run.output.split(QLatin1Char('\n'))) {
        int index = 0, played = 0, ms = 0;
        if (std::sscanf(line.toLatin1().constData(), "%d played=%d ms=%d", &index, &played, &ms) == 3)
            run.plays[index] = {played == 1, ms};
    }
    return run;
}

TEST(SoundPlaybackTest, WithoutASoundServerNothingPlaysAndNothingHangs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteToneFile(dir.filePath(QStringLiteral("tone.wav")), 300));
    const ProbeRun run = runProbe(dir.filePath(QStringLiteral("no-server")),
                                  {QStringLiteral("play"), dir.filePath(QStringLiteral("tone.wav"))});
    ASSERT_EQ(run.plays.count(0), 1u) << run.output.toStdString();
    EXPECT_FALSE(run.plays.at(0).first);
    EXPECT_LT(run.plays.at(0).second, 3000);
}

class SoundPlaybackWithServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString why = m_server.start();
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(WriteToneFile(path("300.wav"), 300));
        ASSERT_TRUE(WriteToneFile(path("600.wav"), 600));
        ASSERT_TRUE(WriteToneFile(path("3000.wav"), 3000));
    }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    ProbeRun probe(const QStringList &arguments) { return runProbe(m_server.socket(), arguments); }

    QTemporaryDir m_dir;
    PulseServer m_server;
};

TEST_F(SoundPlaybackWithServerTest, ReportsPlayedWhenTheSoundHasEnded)
{
    const ProbeRun run = probe({QStringLiteral("play"), path("300.wav")});
    ASSERT_EQ(run.plays.count(0), 1u) << run.output.toStdString();
    EXPECT_TRUE(run.plays.at(0).first);
    EXPECT_GE(run.plays.at(0).second, 290);
    EXPECT_LE(run.plays.at(0).second, 1000);

    const ProbeRun wave = probe({QStringLiteral("wave"), QStringLiteral("50"), path("300.wav")});
    ASSERT_EQ(wave.plays.count(0), 1u) << wave.output.toStdString();
    EXPECT_TRUE(wave.plays.at(0).first);
    EXPECT_GE(wave.plays.at(0).second, 290);
}

TEST_F(SoundPlaybackWithServerTest, SoundsOverlapAndStopAllEndsThemAtOnce)
{
    const ProbeRun both = probe({QStringLiteral("play"), path("600.wav"), path("300.wav")});
    ASSERT_EQ(both.plays.size(), 2u) << both.output.toStdString();
    EXPECT_TRUE(both.plays.at(0).first);
    EXPECT_TRUE(both.plays.at(1).first);
    EXPECT_LT(both.plays.at(1).second, both.plays.at(0).second);
    EXPECT_GE(both.plays.at(0).second, 590);
    // Played one after the other, the longer would end 600 ms after the
    // shorter; together, 300 ms after it.
    EXPECT_LT(both.plays.at(0).second - both.plays.at(1).second, 500);

    const ProbeRun stopped = probe({QStringLiteral("stop"), QStringLiteral("300"), path("3000.wav")});
    ASSERT_EQ(stopped.plays.count(0), 1u) << stopped.output.toStdString();
    EXPECT_FALSE(stopped.plays.at(0).first);
    EXPECT_GE(stopped.plays.at(0).second, 290);
    EXPECT_LT(stopped.plays.at(0).second, 1500);
}

TEST_F(SoundPlaybackWithServerTest, EverySampleReachesTheServerAtThePlaysVolume)
{
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (parec.isEmpty())
        GTEST_SKIP() << "parec (pulseaudio-utils) is not installed";
    // The largest sample the null sink's monitor hears while the probe runs.
    auto peakOf = [&](const QStringList &arguments) {
        const QString raw = path("heard.raw");
        QFile::remove(raw);
        QProcess recorder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_server.socket());
        recorder.setProcessEnvironment(env);
        recorder.setStandardOutputFile(raw);
        recorder.start(parec,
                       {QStringLiteral("--raw"), QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                        QStringLiteral("--channels=2"), QStringLiteral("--device=tockly_test.monitor")});
        if (!recorder.waitForStarted(5000))
            return -1;
        QTest::qWait(300);
        const ProbeRun run = probe(arguments);
        EXPECT_EQ(run.plays.size(), 1u) << run.output.toStdString();
        EXPECT_TRUE(run.plays.empty() || run.plays.begin()->second.first);
        QTest::qWait(300);
        recorder.terminate();
        if (!recorder.waitForFinished(5000)) {
            recorder.kill();
            recorder.waitForFinished(5000);
        }
        QFile file(raw);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        int peak = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            qint16 sample;
            std::memcpy(&sample, bytes.constData() + i, sizeof sample);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    };

    // The tone peaks at 6000. A click shorter than the sink's buffer is
    // heard all the same, and a volume of 50 halves it.
    ASSERT_TRUE(WriteToneFile(path("50.wav"), 50));
    EXPECT_NEAR(peakOf({QStringLiteral("play"), path("50.wav")}), 6000, 300);
    EXPECT_NEAR(peakOf({QStringLiteral("wave"), QStringLiteral("50"), path("300.wav")}), 3000, 150);
    EXPECT_LT(peakOf({QStringLiteral("wave"), QStringLiteral("0"), path("300.wav")}), 10);
}

} // namespace
