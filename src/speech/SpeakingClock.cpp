// SPDX-License-Identifier: MIT
#include "speech/SpeakingClock.h"

#include "platform/Clock.h"
#include "platform/SoundService.h"
#include "speech/PeResources.h"
#include "speech/TimeAnnouncement.h"
#include "speech/WaveImage.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <optional>

Q_LOGGING_CATEGORY(lcSpeech, "tockly.speech", QtWarningMsg)

namespace {

std::optional<PeResourceTable> loadPack(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > SpeakingClock::MaxPackBytes) {
        qCWarning(lcSpeech) << "voice pack" << path << "is too large to be one";
        return std::nullopt;
    }
    PeResourceTable pack = PeResourceTable::Read(file.read(SpeakingClock::MaxPackBytes), u"WAVE");
    if (!pack.IsValid()) {
        qCWarning(lcSpeech) << "voice pack" << path << "is not a usable module:" << pack.Problems();
        return std::nullopt;
    }
    if (!pack.Problems().isEmpty())
        qCWarning(lcSpeech) << "voice pack" << path << "has damaged clips, which are skipped:" << pack.Problems();
    return pack;
}

} // namespace

struct SpeakingClock::Run
{
    QList<QByteArray> sounds;
    qsizetype next = 0;
    int volume = 100;
    std::function<void()> finished;
};

SpeakingClock::SpeakingClock(const SpeakSettings &speak, const Services &services, QStringList packPaths, Hooks hooks)
    : m_speak(speak)
    , m_services(services)
    , m_packPaths(std::move(packPaths))
    , m_hooks(std::move(hooks))
{
    if (!m_hooks.chime)
        m_hooks.chime = &SpeakingClock::BuiltInChime;
}

// Plays still under way report to nobody: their callbacks find no run.
SpeakingClock::~SpeakingClock() = default;

void SpeakingClock::AnnounceTimeThread()
{
    const DateTime now = m_services.clock->Now();
    if (m_hooks.commandEnabled && !m_hooks.commandEnabled())
        return; // one is playing, or the pack was missing
    if (m_hooks.setCommandEnabled)
        m_hooks.setCommandEnabled(false);
    AnnounceTime(now, [this] {
        if (m_hooks.setCommandEnabled)
            m_hooks.setCommandEnabled(true);
    });
}

void SpeakingClock::CheckInterval(const DateTime &now)
{
    if (IsAnnouncementDue(m_speak, now))
        AnnounceTimeThread();
}

QString SpeakingClock::PackPath() const
{
    const auto found = std::find_if(m_packPaths.begin(), m_packPaths.end(),
                                    [](const QString &path) { return QFileInfo(path).isFile(); });
    return found != m_packPaths.end() ? *found : m_packPaths.value(0);
}

bool SpeakingClock::AnnounceTime(const DateTime &t, std::function<void()> finished)
{
    m_run.reset();
    AnnouncementPlan plan = PlanAnnouncement(m_speak, t);
    if (plan.silent) {
        if (finished)
            finished();
        return true;
    }
    const std::optional<PeResourceTable> pack = loadPack(PackPath());
    if (!pack) {
        if (m_hooks.packMissing)
            m_hooks.packMissing();
        return false;
    }
    auto run = std::make_shared<Run>();
    run->sounds = soundsOf(plan.clips, *pack);
    run->volume = std::clamp(m_speak.Volume, 0, 100);
    run->finished = std::move(finished);
    m_run = run;
    playNext();
    return true;
}

QList<QByteArray> SpeakingClock::soundsOf(const QList<AnnouncementClip> &clips, const PeResourceTable &pack) const
{
    // Clips that follow each other in one PCM layout (the words of the
    // pack, usually) become one sound: a sound stream of their own each
    // would open with a pause of its own, more so on a busy machine.
    QList<QByteArray> sounds;
    QList<std::pair<QByteArray, WaveInfo>> group;
    qsizetype groupBytes = 0;
    const auto flush = [&] {
        if (group.size() == 1)
            sounds << group.front().first;
        else if (!group.isEmpty())
            sounds << JoinPcmWaves(group);
        group.clear();
        groupBytes = 0;
    };
    for (const AnnouncementClip &clip : clips) {
        const QByteArray wave = clip.source == AnnouncementClip::Chime ? m_hooks.chime(clip.id) : pack.Data(clip.id);
        // A clip the pack lacks is skipped, and so is one that is no wave.
        if (wave.isEmpty())
            continue;
        const std::optional<WaveInfo> info = InspectWave(wave);
        if (!info) {
            qCWarning(lcSpeech) << "clip" << clip.id << "is not a RIFF WAVE image; skipped";
            continue;
        }
        if (!group.isEmpty() &&
            (!SamePcmLayout(group.front().second, *info) || groupBytes + wave.size() > MaxPackBytes))
            flush();
        group.append({wave, *info});
        groupBytes += wave.size();
    }
    flush();
    return sounds;
}

void SpeakingClock::playNext()
{
    const std::shared_ptr<Run> run = m_run;
    if (m_services.sound && run->next < run->sounds.size()) {
        const qsizetype index = run->next++;
        qCDebug(lcSpeech) << "playing sound" << index + 1 << "of" << run->sounds.size();
        m_services.sound->PlayWave(
            run->sounds[index], run->volume, [this, weak = std::weak_ptr<Run>(run), index](bool played) {
                qCDebug(lcSpeech) << "sound" << index + 1 << (played ? "ended" : "could not play");
                const std::shared_ptr<Run> current = weak.lock();
                if (current && current == m_run)
                    playNext();
            });
        return;
    }
    // The last sound has ended.
    const std::function<void()> finished = std::move(run->finished);
    m_run.reset();
    if (finished)
        finished();
}

QByteArray SpeakingClock::BuiltInChime(int id)
{
    QFile file(QStringLiteral(":/sounds/chime%1.wav").arg(id));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
