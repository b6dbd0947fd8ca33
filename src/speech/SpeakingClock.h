// SPDX-License-Identifier: MIT
#pragma once

#include "model/AppSettings.h"
#include "model/DateTime.h"
#include "platform/Services.h"
#include "speech/PeResources.h"
#include "speech/TimeAnnouncement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Speaks the time: an optional chime, an optional preface and the time
// sentence, from the voice pack Voice/Sona.tvp (loaded for each
// announcement and let go once its clips are taken) and the program's own
// chimes.
//
// Nothing blocks: the clips play through the asynchronous sound service,
// each sound started when the one before has ended, so nothing overlaps;
// clips of one PCM layout in a row (the words) are joined into one sound,
// so they follow each other without the pause a new stream brings. They
// play at the announcer volume as the stream's own volume; the sound
// device's volume, which every other program shares, is left alone.
//
// The speak-time command's enabled state is the busy flag: an announcement
// starts only while the command is enabled, disables it, and enables it
// again when it has finished. After a voice pack that could not be loaded
// the command stays disabled, so the user is told once.
class SpeakingClock
{
public:
    static inline const QString PackMissingText = QStringLiteral(u"找不到语音文件 Sona.tvp,请检查该文件是否存在!");
    // The pack's file inside the program directory.
    static inline const QString PackRelativePath = QStringLiteral("Voice/Sona.tvp");
    // A larger file is no voice pack; it is not read.
    static constexpr qint64 MaxPackBytes = 64 * 1024 * 1024;

    struct Hooks
    {
        // The busy flag: whether the speak-time command is enabled, and
        // setting it.
        std::function<bool()> commandEnabled;
        std::function<void(bool)> setCommandEnabled;
        // Tells the user that the voice pack cannot be loaded.
        std::function<void()> packMissing;
        // The program's own chime of an id (6000..6002) as a RIFF WAVE
        // image, empty when there is none; BuiltInChime when not set.
        std::function<QByteArray(int id)> chime;
    };

    // packPaths: where the voice pack may be, in the order to look; the
    // first that exists is loaded. The settings are read at each
    // announcement.
    SpeakingClock(const SpeakSettings &speak, const Services &services, QStringList packPaths, Hooks hooks);
    ~SpeakingClock();

    SpeakingClock(const SpeakingClock &) = delete;
    SpeakingClock &operator=(const SpeakingClock &) = delete;

    // The entry point of every trigger (the interval, a reminder, the menu,
    // a double click, the settings page): announces the time now unless an
    // announcement runs or the command was left disabled.
    void AnnounceTimeThread();
    // Announces the time t. False when the voice pack cannot be loaded (the
    // user was told); true otherwise, and `finished` runs once the last clip
    // has ended (at once when nothing is to be played). An announcement
    // still playing is cut short.
    bool AnnounceTime(const DateTime &t, std::function<void()> finished = {});
    // The tick's trigger: announces when the interval says so.
    void CheckInterval(const DateTime &now);

    bool IsSpeaking() const { return bool(m_run); }
    // The voice pack that would be loaded now.
    QString PackPath() const;

    // The program's chimes, compiled in as ":/sounds/chime6000.wav" ...
    static QByteArray BuiltInChime(int id);

private:
    struct Run;
    // The announcement's clips as the sounds to play, in order.
    QList<QByteArray> soundsOf(const QList<AnnouncementClip> &clips, const PeResourceTable &pack) const;
    void playNext();

    const SpeakSettings &m_speak;
    Services m_services;
    QStringList m_packPaths;
    Hooks m_hooks;
    std::shared_ptr<Run> m_run;
};
