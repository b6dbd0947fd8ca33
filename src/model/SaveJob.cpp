// SPDX-License-Identifier: MIT
#include "model/SaveJob.h"

#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "model/DataBackup.h"
#include "model/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

template<class T> void copyList(const StableList<T> &from, StableList<T> &to)
{
    to.Reserve(from.GetCount());
    from.ForEach([&to](EntryHandle, const T &value) { to.AddTail(value); });
}

void saveFile(ProfileFile &file, SaveOutcome &outcome)
{
    if (const WriteResult result = file.Save(); !result)
        outcome.failures.append({file.Path(), result.error});
}

} // namespace

SaveJob::SaveJob(AppData &data, const ClockWindowState &window, int parts)
    : m_directory(data.ProgramDirectory())
    , m_parts(parts ? parts | ExtraGroup : 0)
    , m_damaged(data.DamagedFiles())
    , m_now(data.Now())
{
    TakeWindowState(data.Settings.Clock, window);
    m_settings = data.Settings;
    m_settings.Extra.LastRunning = m_now;
    if (parts & TaskFile) {
        copyList(data.Alarms, m_alarms);
        copyList(data.Birthdays, m_birthdays);
        copyList(data.Notes, m_notes);
    }
}

bool SaveJob::keepDamaged(const QString &name, SaveOutcome &outcome) const
{
    if (!m_damaged.contains(name))
        return true;
    const QString path = QDir(m_directory).filePath(name);
    if (!QFileInfo::exists(path)) { // gone meanwhile: nothing left to keep
        outcome.copiedAside.append(name);
        return true;
    }
    const QString copy = CopyDamagedFileAside(path, m_now);
    if (copy.isEmpty()) {
        outcome.failures.append(
            {path, QCoreApplication::translate("SaveJob", "无法先为这个损坏的文件保留一份副本，文件保持原样")});
        return false;
    }
    outcome.copiedAside.append(name);
    outcome.copies.append(copy);
    return true;
}

SaveOutcome SaveJob::Write() const
{
    SaveOutcome outcome;
    const QDir directory(m_directory);
    // Whether CONFIG.INI exists tells the next start whether it is the first
    // run; the stamp of our own group alone must not create it.
    const bool stampOnly = (m_parts & ConfigFile) == ExtraGroup;
    const bool configWanted =
        (m_parts & ConfigFile) && !(stampOnly && !QFileInfo::exists(directory.filePath(ConfigFileName)));
    if (configWanted && keepDamaged(ConfigFileName, outcome)) {
        ProfileFile config(directory.filePath(ConfigFileName));
        const ClockSettings &clock = m_settings.Clock;
        // The settings dialog's groups in the order its Apply runs them, and
        // the clock's own group last, as the exit-time save always came
        // after them: a new file gets its sections and keys in the order
        // the program has always written them.
        if (m_parts & GeneralGroup)
            SaveGeneralSettings(config, m_settings.General, clock.AutoSmall, clock.AlwaysOntop);
        if (m_parts & SpeakGroup)
            SaveSpeakSettings(config, m_settings.Speak);
        if (m_parts & SyncGroup)
            SaveSyncSettings(config, m_settings.Synchronization);
        if (m_parts & InterfaceGroup)
            SaveInterfaceSettings(config, m_settings.Interface);
        if (m_parts & ClockGroup)
            WriteClockSettings(config, clock);
        if (m_parts & ExtraGroup)
            SaveExtraSettings(config, m_settings.Extra);
        saveFile(config, outcome);
    }
    if ((m_parts & TaskFile) && keepDamaged(AlarmFileName, outcome)) {
        // A backup that fails must not stop the save: the data in memory is
        // newer than any copy.
        if (m_now.IsValid())
            KeepDailyBackup(m_directory, AlarmFileName, m_now);
        // The task file is rewritten from scratch: a record deleted in the
        // program leaves no section behind.
        ProfileFile alarms(directory.filePath(AlarmFileName), ProfileFile::Rewrite);
        SaveAlarmFile(alarms, m_alarms);
        SaveBirthdays(alarms, m_birthdays);
        SaveNotes(alarms, m_notes);
        saveFile(alarms, outcome);
    }
    return outcome;
}
