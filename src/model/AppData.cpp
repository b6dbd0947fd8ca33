// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "model/ProfileFile.h"
#include "platform/Clock.h"

#include <QDir>

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

SaveReport AppData::SaveAll(const ClockWindowState &window)
{
    if (!SaveOnExit)
        return {};
    return SaveJob(*this, window, SaveJob::ExitSave).Write();
}
