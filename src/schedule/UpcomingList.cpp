// SPDX-License-Identifier: MIT
#include "schedule/UpcomingList.h"

#include <QCoreApplication>
#include <algorithm>

QString NothingUpcomingText()
{
    return QCoreApplication::translate("UpcomingList", "最近无提醒任务");
}

QList<UpcomingTask> UpcomingTasks(const AlarmList &alarms, const DateTime &now)
{
    QList<UpcomingTask> ahead;
    alarms.ForEach([&](EntryHandle entry, const AlarmTask &task) {
        if (task.ReportMode == AlarmTask::AtDateTime && task.DateTime.IsValid() && task.DateTime > now)
            ahead.append({entry, task.Description, task.DateTime});
    });
    std::stable_sort(ahead.begin(), ahead.end(),
                     [](const UpcomingTask &a, const UpcomingTask &b) { return a.due < b.due; });
    return ahead;
}

QString UpcomingLineText(const QString &description, const QString &due)
{
    return description.leftJustified(20) + due;
}

QList<UpcomingLine> UpcomingReminders(const AlarmList &alarms, const DateTime &now)
{
    QList<UpcomingLine> lines;
    for (const UpcomingTask &task : UpcomingTasks(alarms, now))
        lines.append({UpcomingLineText(task.description, task.due.ToDateTimeString()), task.entry});
    if (lines.isEmpty())
        lines.append({NothingUpcomingText(), {}});
    return lines;
}
