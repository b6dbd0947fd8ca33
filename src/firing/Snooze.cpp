// SPDX-License-Identifier: MIT
#include "firing/Snooze.h"

bool SnoozeTask(const AlarmTask &task, int minutes, const AlarmList &alarms, SnoozeList &snoozed)
{
    if (!alarms.Contains(task.SelfPosition))
        return false;
    AlarmTask copy = task;
    copy.DateTime = task.DateTime.AddMinutes(minutes);
    if (!copy.DateTime.IsValid())
        return false;
    snoozed.AddTail(copy);
    return true;
}
