// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Plays sounds without blocking the caller. Every finished or failed play
// reports through its `done` callback, on the thread that asked, after the
// call has returned; a sound that cannot play (missing file, unknown format,
// no audio device) reports at once and says nothing to the user.
class SoundService
{
public:
    using Done = std::function<void(bool played)>;

    virtual ~SoundService() = default;

    // A sound file, or a Qt resource path (":/sounds/notice.wav").
    virtual void Play(const QString &path, Done done = {}) = 0;
    // A complete RIFF WAVE image held in memory, at a volume of 0..100.
    virtual void PlayWave(const QByteArray &wave, int volumePercent, Done done = {}) = 0;
    // Stops everything playing; their callbacks report played = false.
    virtual void StopAll() = 0;
};
