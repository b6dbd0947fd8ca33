// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "model/DataBackup.h"
#include "model/LoadDamage.h"
#include "model/ModelLog.h"
#include "model/ProfileFile.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>

AppData::AppData(QString programDirectory)
    : m_programDirectory(std::move(programDirectory))
{
    SetSkinDirectory(FilePath(QStringLiteral("Skin")));
}

void AppData::SetSkinDirectory(const QString &folder)
{
    m_skinDirectory = folder;
    Settings.Clock.DialogBitmap = QDir(folder).filePath(BuiltInDialogBitmap);
    Settings.Clock.NumberBitmap = QDir(folder).filePath(BuiltInNumberBitmap);
    Settings.Interface.BitmapFilePath = folder;
}

QString AppData::FilePath(const QString &name) const
{
    return QDir(m_programDirectory).filePath(name);
}

namespace {

void logDamage(const QString &path, const LoadDamage &damage)
{
    if (damage.textDamaged)
        qCWarning(lcModel) << path << "could not be read, or holds bytes that do not decode";
    if (damage.badCount)
        qCWarning(lcModel) << path << "gives a record count that is negative or no number";
    if (!damage.droppedSections.isEmpty())
        qCWarning(lcModel) << path << "has sections that could not be loaded:" << damage.droppedSections;
}

} // namespace

LoadResult AppData::LoadAll(const Clock &clock, const ScreenRect &desktop)
{
    m_clock = &clock;
    m_loadedAt = clock.Now();
    m_damagedFiles.clear();
    const ProfileFile alarms(FilePath(AlarmFileName));
    LoadDamage damage;
    damage.textDamaged = alarms.LoadedWithDamage();
    QList<StoredDueMoment> stored;
    const LoadResult result = LoadAlarmFile(alarms, Alarms, clock, &damage, &stored);
    LoadBirthdays(alarms, Birthdays, &damage);
    LoadNotes(alarms, Notes, desktop, &damage);
    // SaveAll rewrites the file from the lists alone: a section of no known
    // kind would be lost as well.
    QStringList sections;
    alarms.GetSectionNames(sections);
    for (const QString &name : std::as_const(sections)) {
        const auto isRecord = [&name](const QString &prefix) {
            return ProfileFile::SectionNumber(prefix, name);
        };
        if (name.compare(CommonSection, Qt::CaseInsensitive) != 0 && !isRecord(AlarmPrefix) &&
            !isRecord(BirthdayPrefix) && !isRecord(NotePrefix))
            damage.droppedSections.append(name);
    }
    if (damage.Any() || result == LoadResult::AppendFailed) {
        m_damagedFiles.insert(AlarmFileName);
        logDamage(alarms.Path(), damage);
    }

    const ProfileFile config(FilePath(ConfigFileName));
    if (config.LoadedWithDamage()) {
        m_damagedFiles.insert(ConfigFileName);
        logDamage(config.Path(), {true, false, {}});
    }
    LoadSpeakSettings(config, Settings.Speak, clock.Now());
    LoadSyncSettings(config, Settings.Synchronization);
    LoadClockSettings(config, Settings.Clock, desktop);
    LoadInterfaceSettings(config, Settings.Interface);
    LoadGeneralSettings(config, Settings.General);
    LoadExtraSettings(config, Settings.Extra);

    // Loading moved the recurring tasks past what they missed; their moments
    // are found from the due moments the file held.
    m_missedAtLoad.clear();
    if (const DateTime after = MissedLookBackStart(Settings.Extra.LastRunning, m_loadedAt); after.IsValid()) {
        for (const StoredDueMoment &s : std::as_const(stored)) {
            AlarmTask task = Alarms.At(s.entry);
            task.DateTime = s.due;
            AppendMissed(m_missedAtLoad, s.entry, task, after, m_loadedAt);
        }
        OrderMissed(m_missedAtLoad);
    }
    return result;
}

SaveReport AppData::SaveAll(const ClockWindowState &window)
{
    if (!SaveOnExit)
        return {};
    const SaveOutcome outcome = SaveJob(*this, window, SaveJob::ExitSave).Write();
    SaveFinished(outcome);
    return outcome.failures;
}

void AppData::SaveFinished(const SaveOutcome &outcome)
{
    for (const QString &name : outcome.copiedAside)
        m_damagedFiles.remove(name);
    m_newCopies.append(outcome.copies);
}

void AppData::KeepDamagedFiles()
{
    for (const QString &name : QStringList(m_damagedFiles.begin(), m_damagedFiles.end())) {
        const QString copy = CopyDamagedFileAside(FilePath(name), Now());
        if (copy.isEmpty())
            continue;
        m_damagedFiles.remove(name);
        m_newCopies.append(copy);
    }
}

DateTime AppData::Now() const
{
    return m_clock ? m_clock->Now() : DateTime::Invalid();
}
