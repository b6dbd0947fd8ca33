// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "model/BirthdayNote.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class AppData;

// A data file that could not be written, and why.
struct SaveFailure
{
    QString path;
    QString reason;

    friend bool operator==(const SaveFailure &, const SaveFailure &) = default;
};
using SaveReport = QList<SaveFailure>;

// What a save did.
struct SaveOutcome
{
    SaveReport failures;
    QStringList copiedAside; // names of damaged files now kept as copies
    QStringList copies; // the copies' paths
};

// One save of the data files, copied out of the program's lists and settings
// when it is made, so that the writing may run on another thread while the
// lists go on changing. Each file is written once, atomically; a file that
// fails keeps its old contents on disk. A file that loaded with damage is
// first copied aside, and is left as it is when that copy cannot be made;
// once a day alarms.lst is also copied to backup/.
class SaveJob
{
public:
    enum Part
    {
        TaskFile = 1, // alarms.lst: tasks, birthdays and notes
        // The sections of CONFIG.INI, each written only when asked for, so
        // that the file holds no section the user never confirmed.
        ClockGroup = 2,
        GeneralGroup = 4,
        SpeakGroup = 8,
        SyncGroup = 16,
        InterfaceGroup = 32,
        // Our own section: the moment the program last ran, stamped with the
        // job's time, and the missed-reminder switch. Every save writes it.
        ExtraGroup = 64,
        ConfigFile = ClockGroup | GeneralGroup | SpeakGroup | SyncGroup | InterfaceGroup | ExtraGroup,
        // What leaving the program writes, as it always did.
        ExitSave = TaskFile | ClockGroup | ExtraGroup
    };

    // Takes the window's state into the clock settings of data, as the
    // exit-time save always did, and copies what the parts need. Any save
    // also writes the extra group.
    SaveJob(AppData &data, const ClockWindowState &window, int parts);
    SaveJob(const SaveJob &) = delete;
    SaveJob &operator=(const SaveJob &) = delete;

    int Parts() const { return m_parts; }
    SaveOutcome Write() const;

private:
    // Whether the file may be overwritten: a damaged one only once its copy
    // is made.
    bool keepDamaged(const QString &name, SaveOutcome &outcome) const;

    QString m_directory;
    int m_parts;
    QSet<QString> m_damaged;
    DateTime m_now;
    AlarmList m_alarms;
    BirthdayList m_birthdays;
    NoteList m_notes;
    AppSettings m_settings;
};
