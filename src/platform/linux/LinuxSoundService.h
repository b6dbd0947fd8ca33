// SPDX-License-Identifier: MIT
#pragma once

#include "platform/SoundService.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <map>
#include <memory>

class QAudioSink;
class SoundStream;

// Plays sounds through Qt Multimedia on the default audio output, each play
// with a sink of its own so that sounds overlap freely. Files are opened by
// libsndfile on a worker thread (a long compressed file may be scanned
// first) and then decoded piece by piece as the sink pulls.
//
// Lives on, and is called from, one thread with a running event loop (the
// GUI thread); every `done` runs there. Playing needs no GUI, only a
// QCoreApplication.
class LinuxSoundService final : public QObject, public SoundService
{
    Q_OBJECT

public:
    explicit LinuxSoundService(QObject *parent = nullptr);
    // Silences whatever still plays; callbacks of those plays are dropped.
    ~LinuxSoundService() override;

    void Play(const QString &path, Done done = {}) override;
    void PlayWave(const QByteArray &wave, int volumePercent, Done done = {}) override;
    void StopAll() override;

    // Plays not yet reported through `done`.
    int pendingCount() const;

private:
    struct Playback
    {
        Done done;
        float gain = 1.0f;
        // Set once the worker has opened the sound; null while opening.
        QAudioSink *sink = nullptr;
        SoundStream *stream = nullptr;
        QElapsedTimer clock;
        // `done` has run; the sink lingers until the server has played out.
        bool reported = false;
    };

    using Opener = std::unique_ptr<SoundStream> (*)(const QString &, const QByteArray &);
    void start(Opener opener, const QString &path, const QByteArray &image, float gain, Done done);
    void opened(quint64 id, std::unique_ptr<SoundStream> stream);
    void poll();
    // Reports a play (unless done already) and lets its sink go.
    void finish(quint64 id, bool played);
    // Reports a play as played, keeping its sink until the server is done.
    void reportPlayed(quint64 id);
    void updatePolling();
    static void release(Playback &playback);

    QThread m_worker;
    // Lives on m_worker; opening jobs are queued to it.
    QObject *m_workerContext = nullptr;
    std::map<quint64, Playback> m_plays;
    quint64 m_nextId = 1;
    // Watches the sinks for the end of their sound.
    QTimer m_poll;
};
