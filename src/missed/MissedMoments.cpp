// SPDX-License-Identifier: MIT
#include "missed/MissedMoments.h"

#include "firing/ReminderDispatcher.h"
#include "schedule/Recurrence.h"

#include <algorithm>

namespace {

constexpr int Sunday = 1;
// Each step moves at least a second on; this only stops a schedule that
// moves by seconds over a long look back.
constexpr int MaxSteps = 100000;

bool isRecurring(const AlarmTask &task)
{
    return task.Schedule >= AlarmTask::Hourly && task.Schedule <= AlarmTask::Yearly;
}

// Whether the tick checks the date range and daily window before firing.
bool isLimited(const AlarmTask &task)
{
    return task.Schedule != AlarmTask::Once && task.Schedule != AlarmTask::Yearly;
}

// The first second after `cursor` at which the tick's trigger for the task
// holds, as the tick tests it; invalid when it never will.
DateTime nextTrigger(const AlarmTask &task, const DateTime &cursor)
{
    const DateTime &t = task.DateTime;
    switch (task.Schedule) {
    case AlarmTask::Hourly: {
        // The hour and minute of the due moment at second 0; the date is not
        // compared.
        const DateTime s = cursor.WithTime(t.Hour(), t.Minute(), 0);
        return s > cursor ? s : s.AddDays(1);
    }
    case AlarmTask::Daily:
        if (task.DiaryReportMode) {
            // The due moment's time of day on a Sunday, whatever its date.
            DateTime s = cursor.WithTimeOf(t);
            if (s <= cursor)
                s = s.AddDays(1);
            while (s.IsValid() && s.DayOfWeek() != Sunday)
                s = s.AddDays(1);
            return s;
        }
        return t > cursor ? t : DateTime::Invalid();
    case AlarmTask::Weekly:
        // A due moment on a weekday that is not enabled never fires.
        return t > cursor && task.WeeklyEnable.test(size_t(t.WeekdayBit())) ? t : DateTime::Invalid();
    case AlarmTask::Once:
    case AlarmTask::Monthly:
    case AlarmTask::Yearly:
        return t > cursor ? t : DateTime::Invalid();
    default:
        return DateTime::Invalid();
    }
}

} // namespace

QList<DateTime> MissedMoments(const AlarmTask &task, const DateTime &after, const DateTime &until, int limit)
{
    QList<DateTime> moments;
    if (task.ReportMode != AlarmTask::AtDateTime || !task.DateTime.IsValid() || !after.IsValid() || !until.IsValid() ||
        until <= after)
        return moments;
    AlarmTask copy = task;
    const bool recurring = isRecurring(copy);
    // A running program kept the task at its next occurrence; the file may
    // still hold an earlier one, as the schedule moving on alone calls for
    // no save. Rules that take one step at a time take several here.
    for (int i = 0; recurring && copy.DateTime <= after && i < MaxSteps; ++i) {
        const DateTime before = copy.DateTime;
        if (!AdvanceTask(copy, after) || copy.DateTime <= before)
            break;
    }
    DateTime cursor = after;
    for (int i = 0; i < MaxSteps && moments.size() < limit; ++i) {
        const DateTime due = nextTrigger(copy, cursor);
        if (!due.IsValid() || due > until)
            break;
        if (!isLimited(copy) || LimitsCheck(copy, due))
            moments.append(due);
        // After its moment the tick moves a recurring task on, fired or not.
        if (!recurring || !AdvanceTask(copy, due))
            break;
        cursor = due;
    }
    return moments;
}

DateTime MissedLookBackStart(const DateTime &lastRunning, const DateTime &now)
{
    if (!lastRunning.IsValid() || !now.IsValid() || lastRunning >= now)
        return DateTime::Invalid();
    const DateTime earliest = now.AddDays(-MissedLookBackDays);
    return lastRunning < earliest ? earliest : lastRunning;
}

void AppendMissed(QList<MissedReminder> &missed, EntryHandle entry, const AlarmTask &task, const DateTime &after,
                  const DateTime &until)
{
    for (const DateTime &due : MissedMoments(task, after, until)) {
        MissedReminder reminder {entry, task};
        reminder.task.DateTime = due;
        missed.append(reminder);
    }
}

QList<MissedReminder> MissedInList(const AlarmList &list, const DateTime &after, const DateTime &until)
{
    QList<MissedReminder> missed;
    list.ForEach([&](EntryHandle h, const AlarmTask &task) { AppendMissed(missed, h, task, after, until); });
    OrderMissed(missed);
    return missed;
}

void OrderMissed(QList<MissedReminder> &missed)
{
    std::stable_sort(missed.begin(), missed.end(), [](const MissedReminder &a, const MissedReminder &b) {
        return a.task.DateTime < b.task.DateTime;
    });
    if (missed.size() > MaxMissedInAll)
        missed.remove(0, missed.size() - MaxMissedInAll);
}
