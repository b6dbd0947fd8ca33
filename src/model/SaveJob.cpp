// SPDX-License-Identifier: MIT
#include "model/SaveJob.h"

#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "model/ProfileFile.h"

#include <QDir>

namespace {

template<class T> void copyList(const StableList<T> &from, StableList<T> &to)
{
    from.ForEach([&to](EntryHandle, const T &value) { to.AddTail(value); });
}

void saveFile(ProfileFile &file, SaveReport &report)
{
    if (const WriteResult result = file.Save(); !result)
        report.append({file.Path(), result.error});
}

} // namespace

SaveJob::SaveJob(AppData &data, const ClockWindowState &window, int parts)
    : m_directory(data.ProgramDirectory())
    , m_parts(parts)
{
    TakeWindowState(data.Settings.Clock, window);
    m_settings = data.Settings;
    if (parts & TaskFile) {
        copyList(data.Alarms, m_alarms);
        copyList(data.Birthdays, m_birthdays);
        copyList(data.Notes, m_notes);
    }
}

SaveReport SaveJob::Write() const
{
    SaveReport report;
    const QDir directory(m_directory);
    if (m_parts & ConfigFile) {
        ProfileFile config(directory.filePath(ConfigFileName));
        const ClockSettings &clock = m_settings.Clock;
        if (m_parts & ClockGroup)
            WriteClockSettings(config, clock);
        if (m_parts & GeneralGroup)
            SaveGeneralSettings(config, m_settings.General, clock.AutoSmall, clock.AlwaysOntop);
        if (m_parts & SpeakGroup)
            SaveSpeakSettings(config, m_settings.Speak);
        if (m_parts & SyncGroup)
            SaveSyncSettings(config, m_settings.Synchronization);
        if (m_parts & InterfaceGroup)
            SaveInterfaceSettings(config, m_settings.Interface);
        saveFile(config, report);
    }
    if (m_parts & TaskFile) {
        // The task file is rewritten from scratch: a record deleted in the
        // program leaves no section behind.
        ProfileFile alarms(directory.filePath(AlarmFileName));
        alarms.DeleteAllSections();
        SaveAlarmFile(alarms, m_alarms);
        SaveBirthdays(alarms, m_birthdays);
        SaveNotes(alarms, m_notes);
        saveFile(alarms, report);
    }
    return report;
}
