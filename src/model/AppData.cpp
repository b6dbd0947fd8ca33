// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "model/DataBackup.h"
#include "model/LoadDamage.h"
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

LoadResult AppData::LoadAll(const Clock &clock, const ScreenRect &desktop)
{
    m_clock = &clock;
    m_damagedFiles.clear();
    const ProfileFile alarms(FilePath(AlarmFileName));
    LoadDamage damage;
    damage.textDamaged = alarms.LoadedWithDamage();
    const LoadResult result = LoadAlarmFile(alarms, Alarms, clock, &damage);
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
    if (damage.Any() || result == LoadResult::AppendFailed)
        m_damagedFiles.insert(AlarmFileName);

    const ProfileFile config(FilePath(ConfigFileName));
    if (config.LoadedWithDamage())
        m_damagedFiles.insert(ConfigFileName);
    LoadSpeakSettings(config, Settings.Speak, clock.Now());
    LoadSyncSettings(config, Settings.Synchronization);
    LoadClockSettings(config, Settings.Clock, desktop);
    LoadInterfaceSettings(config, Settings.Interface);
    LoadGeneralSettings(config, Settings.General);
    return result;
}

bool AppData::SaveAll(const ClockWindowState &window)
{
    if (!SaveOnExit)
        return true;
    ProfileFile alarms(FilePath(AlarmFileName));
    alarms.DeleteAllSections();
    SaveAlarmFile(alarms, Alarms);

    ProfileFile config(FilePath(ConfigFileName));
    SaveClockSettings(config, Settings.Clock, window);
    const bool configSaved = keepDamagedFile(ConfigFileName) && config.Save();

    SaveBirthdays(alarms, Birthdays);
    SaveNotes(alarms, Notes);
    // A backup that fails must not stop the save: the data in memory is
    // newer than any copy.
    if (m_clock)
        KeepDailyBackup(m_programDirectory, AlarmFileName, m_clock->Now());
    const bool alarmsSaved = keepDamagedFile(AlarmFileName) && alarms.Save();
    return configSaved && alarmsSaved;
}

bool AppData::keepDamagedFile(const QString &fileName)
{
    if (!m_damagedFiles.contains(fileName))
        return true;
    if (!QFileInfo::exists(FilePath(fileName))) { // gone meanwhile: nothing left to keep
        m_damagedFiles.remove(fileName);
        return true;
    }
    const QString copy = CopyDamagedFileAside(FilePath(fileName), m_clock ? m_clock->Now() : DateTime::Invalid());
    if (copy.isEmpty())
        return false;
    m_damagedFiles.remove(fileName);
    m_newCopies.append(copy);
    return true;
}
