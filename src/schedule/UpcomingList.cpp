// SPDX-License-Identifier: MIT
#include "schedule/UpcomingList.h"

#include <QCoreApplication>
#include <algorithm>

QString NothingUpcomingText()
{
    return QCoreApplication::translate("UpcomingList", "最近无提醒任务");
}

QList<UpcomingLine> UpcomingReminders(const AlarmList &alarms, const DateTime &now)
{
    struct Due
    {
        DateTime when;
        QString description;
        EntryHandle entry;
    };
    QList<Due> ahead;
    alarms.ForEach([&](EntryHandle entry, const AlarmTask &task) {
        if (task.ReportMode == AlarmTask::AtDateTime && task.DateTime.IsValid() && task.DateTime > now)
            ahead.append({task.DateTime, task.Description, entry});
    });
    std::stable_sort(ahead.begin(), ahead.end(), [](const Due &a, const Due &b) { return a.when < b.when; });

    QList<UpcomingLine> lines;
    for (const Due &due : std::as_const(ahead))
        lines.append({due.description.leftJustified(20) + due.when.ToDateTimeString(), due.entry});
    if (lines.isEmpty())
        lines.append({NothingUpcomingText(), {}});
    return lines;
}
