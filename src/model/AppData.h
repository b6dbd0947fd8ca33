// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmFile.h"
#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "model/BirthdayNote.h"
#include "model/SaveJob.h"

#include <QString>
#include <QStringList>

class Clock;

// The data files of the program directory that saves replace.
inline const QStringList DataFileNames {AlarmFileName, ConfigFileName, QStringLiteral("layout.ini")};

// Everything the program keeps: the reminder, snooze, birthday and note
// lists and the settings, with the program directory their files live in.
class AppData
{
public:
    explicit AppData(QString programDirectory);

    const QString &ProgramDirectory() const { return m_programDirectory; }
    QString FilePath(const QString &name) const;
    // The folder of the skin bitmaps: "Skin" in the program directory, or
    // the one shipped beside an installed program.
    const QString &SkinDirectory() const { return m_skinDirectory; }
    // Points the skin folder elsewhere, with the default skin paths.
    void SetSkinDirectory(const QString &folder);

    // Loads the task file (tasks, then birthdays and notes) and the settings
    // (speak, synchronisation, clock, interface, general), in that order.
    LoadResult LoadAll(const Clock &clock, const ScreenRect &desktop);

    // The exit-time save: rewrites alarms.lst from scratch with the tasks,
    // birthdays and notes, and stores the clock settings in CONFIG.INI, each
    // file in one atomic write. Does nothing when SaveOnExit is cleared.
    // Lists the files that could not be written (their old contents stay).
    SaveReport SaveAll(const ClockWindowState &window);

    // While one lives, changes to the task list are the schedule moving on by
    // itself (the tick advancing a recurring task): they are written with the
    // next save but call for none, as the file's rule gives the same moment.
    class RoutineChange
    {
    public:
        explicit RoutineChange(AppData &data)
            : m_data(data)
        {
            ++m_data.m_routineDepth;
        }
        ~RoutineChange() { --m_data.m_routineDepth; }
        RoutineChange(const RoutineChange &) = delete;
        RoutineChange &operator=(const RoutineChange &) = delete;

    private:
        AppData &m_data;
    };
    bool InRoutineChange() const { return m_routineDepth > 0; }

    AlarmList Alarms;
    SnoozeList Snoozed;
    BirthdayList Birthdays;
    NoteList Notes;
    AppSettings Settings;
    // Cleared by a second instance so that it never writes.
    int SaveOnExit = 1;

private:
    QString m_programDirectory;
    QString m_skinDirectory;
    int m_routineDepth = 0;
};
