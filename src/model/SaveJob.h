// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/AppSettings.h"
#include "model/BirthdayNote.h"

#include <QList>
#include <QString>

class AppData;

// A data file that could not be written, and why.
struct SaveFailure
{
    QString path;
    QString reason;

    friend bool operator==(const SaveFailure &, const SaveFailure &) = default;
};
using SaveReport = QList<SaveFailure>;

// One save of the data files, copied out of the program's lists and settings
// when it is made, so that the writing may run on another thread while the
// lists go on changing. Each file is written once, atomically; a file that
// fails keeps its old contents on disk.
class SaveJob
{
public:
    enum Part
    {
        TaskFile = 1, // alarms.lst: tasks, birthdays and notes
        ClockSettingsFile = 2, // the clock's section of CONFIG.INI
        AllFiles = TaskFile | ClockSettingsFile
    };

    // Takes the window's state into the clock settings of data, as the
    // exit-time save always did, and copies what the parts need.
    SaveJob(AppData &data, const ClockWindowState &window, int parts);
    SaveJob(const SaveJob &) = delete;
    SaveJob &operator=(const SaveJob &) = delete;

    int Parts() const { return m_parts; }
    SaveReport Write() const;

private:
    QString m_directory;
    int m_parts;
    AlarmList m_alarms;
    BirthdayList m_birthdays;
    NoteList m_notes;
    ClockSettings m_clock;
};
