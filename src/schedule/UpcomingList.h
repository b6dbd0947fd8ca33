// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QList>
#include <QString>

// One line of the calendar popup's "即将提醒:" list and the task it stands
// for (a null handle for the line that says nothing is coming up).
struct UpcomingLine
{
    QString text;
    EntryHandle entry;

    friend bool operator==(const UpcomingLine &, const UpcomingLine &) = default;
};

// A timed task still ahead, for the calendar popup and the scripting
// interface alike.
struct UpcomingTask
{
    EntryHandle entry;
    QString description;
    DateTime due;
};

// The timed tasks still ahead of `now`, earliest first; tasks due at the
// same moment keep their list order. Tasks that fire at program start are
// left out, whatever their stored moment.
QList<UpcomingTask> UpcomingTasks(const AlarmList &alarms, const DateTime &now);

// The line shown when no task lies ahead.
QString NothingUpcomingText();

// One line of the list: the description padded to 20 characters (a longer
// one is not cut), then the due moment as "yyyy-MM-dd HH:mm:ss".
QString UpcomingLineText(const QString &description, const QString &due);

// UpcomingTasks as the popup's lines; without any such task, the single
// NothingUpcomingText line.
QList<UpcomingLine> UpcomingReminders(const AlarmList &alarms, const DateTime &now);
