// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxSoundService.h"

#include "platform/linux/SoundStream.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <vector>

namespace {

// How often the sinks are checked for the end of their sound.
constexpr int PollIntervalMs = 20;
// The sink's buffer. The server starts playing once it has filled, so
// shorter sounds are padded with silence to a little more than that.
constexpr qint64 SinkBufferUSecs = 150000;
constexpr qint64 MinimumSoundUSecs = 300000;
// Slack for timing reports that trail the real playing position a little.
constexpr qint64 EndSlackUSecs = 20000;
// The server's own account of what it has played lags behind by its
// latency, and some sinks claim a second or more. A sound reports as ended
// at the latest this long after its length has passed...
constexpr qint64 ReportGraceUSecs = 250000;
// ...while its sink stays until the server has played everything (stopping
// a sink cuts off what it still holds), or at most this long.
constexpr qint64 DrainGraceUSecs = 3000000;

std::unique_ptr<SoundStream> openFile(const QString &path, const QByteArray &)
{
    return SoundStream::OpenFile(path);
}

std::unique_ptr<SoundStream> openImage(const QString &, const QByteArray &image)
{
    return SoundStream::OpenImage(image);
}

// The source's own rate and channel count whenever the device takes them
// (PulseAudio resamples better than we would); otherwise what it prefers.
QAudioFormat chooseFormat(const QAudioDevice &device, int sampleRate, int channels)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    for (const auto sampleFormat : {QAudioFormat::Float, QAudioFormat::Int16}) {
        format.setSampleFormat(sampleFormat);
        if (device.isFormatSupported(format))
            return format;
    }
    format = device.preferredFormat();
    if (format.isValid())
        return format;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// Carries a freshly opened stream from the worker back to the service. If
// the hand-back is never delivered (the service went away first) the
// stream goes with the last copy of the handle.
struct StreamHandle
{
    explicit StreamHandle(std::unique_ptr<SoundStream> opened)
        : stream(std::move(opened))
    { }
    std::unique_ptr<SoundStream> stream;
};

} // namespace

LinuxSoundService::LinuxSoundService(QObject *parent)
    : QObject(parent)
{
    m_worker.setObjectName(QStringLiteral("SoundOpener"));
    m_workerContext = new QObject;
    m_workerContext->moveToThread(&m_worker);
    connect(&m_worker, &QThread::finished, m_workerContext, &QObject::deleteLater);
    m_worker.start(QThread::LowPriority);

    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &LinuxSoundService::poll);
}

LinuxSoundService::~LinuxSoundService()
{
    m_worker.quit();
    m_worker.wait();
    m_poll.stop();
    // Deleting a sink may spin the event loop, which may deliver hand-backs
    // of plays still opening; with the table already empty they are dropped.
    auto plays = std::move(m_plays);
    m_plays.clear();
    for (auto &entry : plays) {
        if (entry.second.sink) {
            entry.second.sink->stop();
            delete entry.second.sink;
        }
    }
}

void LinuxSoundService::Play(const QString &path, Done done)
{
    start(&openFile, path, {}, 1.0f, std::move(done));
}

void LinuxSoundService::PlayWave(const QByteArray &wave, int volumePercent, Done done)
{
    start(&openImage, {}, wave, static_cast<float>(std::clamp(volumePercent, 0, 100)) / 100.0f, std::move(done));
}

void LinuxSoundService::start(Opener opener, const QString &path, const QByteArray &image, float gain, Done done)
{
    const quint64 id = m_nextId++;
    Playback &playback = m_plays[id];
    playback.done = std::move(done);
    playback.gain = gain;

    // Opening may read and scan the whole file; never on this thread. Even a
    // missing file reports through the worker, so `done` always comes later.
    QThread *home = thread();
    QMetaObject::invokeMethod(
        m_workerContext,
        [this, id, opener, path, image, home] {
            auto handle = std::make_shared<StreamHandle>(opener(path, image));
            if (handle->stream)
                handle->stream->moveToThread(home);
            QMetaObject::invokeMethod(
                this, [this, id, handle] { opened(id, std::move(handle->stream)); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void LinuxSoundService::opened(quint64 id, std::unique_ptr<SoundStream> stream)
{
    const auto it = m_plays.find(id);
    if (it == m_plays.end())
        return; // stopped while opening
    if (!stream) {
        finish(id, false);
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        finish(id, false);
        return;
    }

    const QAudioFormat format = chooseFormat(device, stream->sourceSampleRate(), stream->sourceChannelCount());
    stream->setOutputFormat(format, it->second.gain);
    stream->setMinimumOutputFrames(format.framesForDuration(MinimumSoundUSecs));
    if (!stream->open(QIODevice::ReadOnly)) {
        finish(id, false);
        return;
    }
    auto *sink = new QAudioSink(device, format, this);
    sink->setBufferSize(format.bytesForDuration(SinkBufferUSecs));
    // The sink reads from the stream until its last moment; as its child the
    // stream goes only after it.
    stream->setParent(sink);
    Playback &playback = it->second;
    playback.sink = sink;
    playback.stream = stream.release();
    playback.clock.start();
    sink->start(playback.stream);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        finish(id, false);
        return;
    }
    updatePolling();
}

void LinuxSoundService::poll()
{
    // Decide first, act afterwards: a `done` may start or stop plays.
    std::vector<quint64> failed, played, drained;
    for (const auto &[id, playback] : m_plays) {
        if (!playback.sink)
            continue;
        if (playback.sink->state() == QAudio::StoppedState) {
            // The server went away or refused the stream.
            failed.push_back(id);
            continue;
        }
        if (!playback.stream->atEnd())
            continue;
        // Everything is handed over. Sound cannot play faster than real
        // time, so the wall clock has to agree that it could have ended.
        const qint64 length = playback.stream->producedUSecs();
        const qint64 elapsed = playback.clock.nsecsElapsed() / 1000;
        const bool playedOut = playback.sink->processedUSecs() >= length - EndSlackUSecs;
        if (!playback.reported && elapsed >= length && (playedOut || elapsed >= length + ReportGraceUSecs))
            played.push_back(id);
        if (playedOut || elapsed >= length + DrainGraceUSecs)
            drained.push_back(id);
    }
    for (const quint64 id : failed)
        finish(id, false);
    for (const quint64 id : played)
        reportPlayed(id);
    for (const quint64 id : drained) {
        const auto it = m_plays.find(id);
        if (it != m_plays.end() && it->second.reported)
            finish(id, true);
    }
}

void LinuxSoundService::reportPlayed(quint64 id)
{
    const auto it = m_plays.find(id);
    if (it == m_plays.end() || it->second.reported)
        return;
    it->second.reported = true;
    const Done done = std::move(it->second.done);
    if (done)
        done(true);
}

void LinuxSoundService::finish(quint64 id, bool played)
{
    const auto it = m_plays.find(id);
    if (it == m_plays.end())
        return;
    Playback playback = std::move(it->second);
    m_plays.erase(it);
    release(playback);
    updatePolling();
    if (!playback.reported && playback.done)
        playback.done(played);
}

void LinuxSoundService::updatePolling()
{
    const bool playing =
        std::any_of(m_plays.begin(), m_plays.end(), [](const auto &entry) { return entry.second.sink; });
    if (!playing)
        m_poll.stop();
    else if (!m_poll.isActive())
        m_poll.start();
}

int LinuxSoundService::pendingCount() const
{
    return static_cast<int>(
        std::count_if(m_plays.begin(), m_plays.end(), [](const auto &entry) { return !entry.second.reported; }));
}

void LinuxSoundService::release(Playback &playback)
{
    if (!playback.sink)
        return;
    playback.sink->stop();
    // Not deleted here: this may run inside one of the sink's own signals.
    playback.sink->deleteLater();
    playback.sink = nullptr;
    playback.stream = nullptr;
}

void LinuxSoundService::StopAll()
{
    auto plays = std::move(m_plays);
    m_plays.clear();
    m_poll.stop();
    for (auto &entry : plays)
        release(entry.second);
    // Reported after the table is empty, so a callback may start new plays.
    for (auto &entry : plays) {
        if (!entry.second.reported && entry.second.done)
            entry.second.done(false);
    }
}
