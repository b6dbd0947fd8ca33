// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "model/ProfileFile.h"
#include "platform/Clock.h"

#include <QDir>

AppData::AppData(QString programDirectory)
    : m_programDirectory(std::move(programDirectory))
{
    Settings.Clock.DialogBitmap = QDir(SkinDirectory()).filePath(BuiltInDialogBitmap);
    Settings.Clock.NumberBitmap = QDir(SkinDirectory()).filePath(BuiltInNumberBitmap);
    Settings.Interface.BitmapFilePath = SkinDirectory();
}

QString AppData::FilePath(const QString &name) const
{
    return QDir(m_programDirectory).filePath(name);
}

QString AppData::SkinDirectory() const
{
    return FilePath(QStringLiteral("Skin"));
}

LoadResult AppData::LoadAll(const Clock &clock, const ScreenRect &desktop)
{
    const ProfileFile alarms(FilePath(AlarmFileName));
    const LoadResult result = LoadAlarmFile(alarms, Alarms, clock);
    LoadBirthdays(alarms, Birthdays);
    LoadNotes(alarms, Notes, desktop);

    const ProfileFile config(FilePath(ConfigFileName));
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
    const bool configSaved = config.Save();

    SaveBirthdays(alarms, Birthdays);
    SaveNotes(alarms, Notes);
    const bool alarmsSaved = alarms.Save();
    return configSaved && alarmsSaved;
}
