// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmFile.h"
#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "model/BirthdayNote.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <utility>

class Clock;

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
    // file in one atomic write. Does nothing when SaveOnExit is cleared.
    // False when a file could not be written.
    // Before a file that loaded with damage is first overwritten, a copy of
    // it is kept beside it (DataBackup.h); a file whose copy cannot be made
    // is not overwritten. Once a day alarms.lst is also copied to backup/.
    bool SaveAll(const ClockWindowState &window);

    // Whether the data file (a name in the program directory) loaded with
    // damage and has not been copied aside yet.
    bool LoadedWithDamage(const QString &fileName) const { return m_damagedFiles.contains(fileName); }
    // The copies of damaged files that SaveAll made since the last call, as
    // full paths. The caller tells the user once where they are.
    QStringList TakeDamagedFileCopies() { return std::exchange(m_newCopies, {}); }

    AlarmList Alarms;
    SnoozeList Snoozed;
    BirthdayList Birthdays;
    NoteList Notes;
    AppSettings Settings;
    // Cleared by a second instance so that it never writes.
    int SaveOnExit = 1;

private:
    // Copies a damaged file aside before its first overwrite; false when
    // the copy could not be made, and the file must be left as it is.
    bool keepDamagedFile(const QString &fileName);

    QString m_programDirectory;
    QString m_skinDirectory;
    const Clock *m_clock = nullptr;
    QSet<QString> m_damagedFiles;
    QStringList m_newCopies;
};
