// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QList>
#include <QString>

class Clock;
class ProfileFile;
struct LoadDamage;

// The reminder tasks in alarms.lst: a "Common" counter and one section
// "Alarm%05d" per task, renumbered densely from 0 at every save.

inline const QString AlarmFileName = QStringLiteral("alarms.lst");
inline const QString CommonSection = QStringLiteral("Common");
inline const QString AlarmPrefix = QStringLiteral("Alarm");

// Shown when a task cannot be added to the list for lack of memory.
inline const QString AddTaskFailedText =
    QStringLiteral(u"添加任务失败,可能是当前剩余内存太少,请释放一些内存,然后再尝试!");

// Characters a message keeps through the file.
constexpr int MessageBuffer = 3900;

// CR LF pairs become "##" in a file value, and back.
QString EncodeLineBreaks(const QString &text);
QString DecodeLineBreaks(const QString &text);

enum class LoadResult
{
    Loaded,
    AppendFailed
};

// A loaded task's due moment as the file held it, before its schedule moved
// it on.
struct StoredDueMoment
{
    EntryHandle entry;
    DateTime due;
};

// Replaces the list with the tasks of the file, advancing recurring tasks to
// their next occurrence. A damaged task section is dropped, and named in
// damage when one is given; sound and program paths that no longer exist
// are dropped from their task. Stops with AppendFailed (the tasks so far
// stay) when the list cannot grow. When `stored` is given, it receives the
// due moment each loaded task had in the file.
LoadResult LoadAlarmFile(const ProfileFile &file, AlarmList &list, const Clock &clock, LoadDamage *damage = nullptr,
                         QList<StoredDueMoment> *stored = nullptr);

// Writes every task with a valid due moment and date range, and the count
// of all tasks, to the (already emptied) file.
void SaveAlarmFile(ProfileFile &file, const AlarmList &list);
