// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

#include <QList>

// Reminders that fell due while nothing could show them: the program was not
// running, the machine slept, or the session stood frozen for longer than the
// tick catches up with. The tasks themselves are treated as always (a one-off
// task stays past, a recurring one moves on, nothing fires late); these only
// say what the user did not see.

// How far back a start looks for what was missed.
constexpr qint64 MissedLookBackDays = 7;
// Bounds on what one look collects, so that a pathological file cannot
// flood the window: per task, and in all (the most recent are kept).
constexpr int MaxMissedPerTask = 500;
constexpr int MaxMissedInAll = 2000;

// One due moment that passed unseen.
struct MissedReminder
{
    EntryHandle entry; // the task's entry in the task list
    AlarmTask task; // a copy of the task, its DateTime being the missed moment

    friend bool operator==(const MissedReminder &, const MissedReminder &) = default;
};

// The moments in (after, until] at which the tick would have fired `task`,
// had it seen every second: its trigger held and its date range and daily
// window allowed it. A recurring task is taken through its schedule as the
// tick would have moved it; one whose due moment lies at or before `after`
// (the file can be behind the schedule) is first brought past `after`.
// Tasks that fire at program start are never missed.
QList<DateTime> MissedMoments(const AlarmTask &task, const DateTime &after, const DateTime &until,
                              int limit = MaxMissedPerTask);

// The start of the look back at start-up: the moment the program was last
// known to run, but no more than seven days back. Invalid, meaning that
// nothing is reported, when that moment is unknown (a first run, or files
// last written by a program that did not keep it) or not before now (the
// clock was set back).
DateTime MissedLookBackStart(const DateTime &lastRunning, const DateTime &now);

// Adds the missed moments of one task to `missed`.
void AppendMissed(QList<MissedReminder> &missed, EntryHandle entry, const AlarmTask &task, const DateTime &after,
                  const DateTime &until);
// Every task's missed moments, in the order OrderMissed gives.
QList<MissedReminder> MissedInList(const AlarmList &list, const DateTime &after, const DateTime &until);
// Sorts by due moment (tasks due together keep their order) and keeps the
// most recent MaxMissedInAll.
void OrderMissed(QList<MissedReminder> &missed);
