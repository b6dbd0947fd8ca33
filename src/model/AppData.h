// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmFile.h"
#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "model/BirthdayNote.h"
#include "model/SaveJob.h"
#include "missed/MissedMoments.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <utility>

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
    // Notes which files loaded with damage (see LoadDamage) and keeps the
    // clock, which dates the copies SaveAll makes: it must outlive this.
    LoadResult LoadAll(const Clock &clock, const ScreenRect &desktop);

    // The exit-time save: rewrites alarms.lst from scratch with the tasks,
    // birthdays and notes, and stores the clock settings in CONFIG.INI, each
    // file in one atomic write (a SaveJob). Does nothing when SaveOnExit is
    // cleared. Lists the files that could not be written; their old
    // contents stay.
    SaveReport SaveAll(const ClockWindowState &window);

    // Whether the data file (a name in the program directory) loaded with
    // damage and has not been copied aside yet. Before such a file is first
    // overwritten a copy of it is kept beside it (DataBackup.h).
    bool LoadedWithDamage(const QString &fileName) const { return m_damagedFiles.contains(fileName); }
    const QSet<QString> &DamagedFiles() const { return m_damagedFiles; }
    // Takes in what a save did: damaged files it copied aside are damaged no
    // longer, and their copies wait for TakeDamagedFileCopies.
    void SaveFinished(const SaveOutcome &outcome);
    // Copies the damaged files aside now, rather than just before they are
    // first overwritten, so that the user can be told at once. A copy that
    // fails is tried again before the file is overwritten.
    void KeepDamagedFiles();
    // The copies of damaged files that saves made since the last call, as
    // full paths. The caller tells the user once where they are.
    QStringList TakeDamagedFileCopies() { return std::exchange(m_newCopies, {}); }
    // Now, by the clock LoadAll was given; invalid before that.
    DateTime Now() const;
    // The moment LoadAll read the files: the tick takes over from there.
    const DateTime &LoadedAt() const { return m_loadedAt; }
    // The reminders that fell due unseen between the last moment the program
    // was known to run and the load (MissedLookBackStart), taken once.
    QList<MissedReminder> TakeMissedAtLoad() { return std::exchange(m_missedAtLoad, {}); }

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
    const Clock *m_clock = nullptr;
    QSet<QString> m_damagedFiles;
    QStringList m_newCopies;
    int m_routineDepth = 0;
    DateTime m_loadedAt = DateTime::Invalid();
    QList<MissedReminder> m_missedAtLoad;
};
