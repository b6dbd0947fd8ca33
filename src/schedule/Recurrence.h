// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

class Clock;

// Moving a recurring task's due moment on to its next occurrence.
//
// Every rule takes the due moment t by reference and the current local time
// `now`, and returns true on success with t holding the new due moment, or
// false when the task is unusable (t invalid, a rule field out of bounds, or a
// date stepped to that does not exist or lies outside the supported range).
// Catch-up steps one occurrence at a time; every loop strictly advances, so
// none of them can run forever.

// The optional date range of a task: when Enabled, occurrences are clamped to
// Start..End (days, End inclusive).
struct DateLimit
{
    int Enabled = 0;
    DateTime Start;
    DateTime End;
};

DateLimit DateLimitOf(const AlarmTask &task);

// x + n minutes (forward) or x - n minutes; false when the result is invalid.
bool AddMinutes(DateTime &x, qint64 n, bool forward);

// Every hour at `minute`, optionally only within startTime..endTime of a day.
bool AdvanceHourly(DateTime &t, int minute, int timeLimit, const DateLimit &range, const DateTime &startTime,
                   const DateTime &endTime, const DateTime &now);
// Every n days.
bool AdvanceEveryNDays(DateTime &t, int n, const DateLimit &range, const DateTime &now);
// On Sundays. Takes one step only, so a t weeks in the past may stay past.
bool AdvanceWeekend(DateTime &t, const DateLimit &range, const DateTime &now);
// On the enabled weekdays of every `weeks`-th week.
bool AdvanceWeekly(DateTime &t, int weeks, WeekdaySet enabled, const DateLimit &range, const DateTime &now);
// On day `day` of every `months`-th month; February counts 28 days.
bool AdvanceMonthlyByDay(DateTime &t, int months, int day, const DateLimit &range, const DateTime &now);
// On the order-th (1..4, 5 = last) weekday (1 = Monday .. 7 = Sunday) of
// every `months`-th month.
bool AdvanceMonthlyByWeekOrder(DateTime &t, int order, int weekday, int months, const DateLimit &range,
                               const DateTime &now);
// Every year on month/day; February counts 28 days.
bool AdvanceYearlyByDay(DateTime &t, int month, int day, const DateTime &now);
// Every year on the order-th weekday of t's month.
bool AdvanceYearlyByWeekOrder(DateTime &t, int order, int weekday, const DateTime &now);

// Applies the rule of the task's Schedule to its DateTime. A one-off task
// (and an unknown Schedule) succeeds unchanged.
bool AdvanceTask(AlarmTask &task, const DateTime &now);
bool AdvanceTask(AlarmTask &task, const Clock &clock);

// Advances every task of the list, head to tail, storing each success back.
// Stops at the first failure and returns false; the failing task and those
// after it stay as they were.
bool RecomputeAllTasks(AlarmList &list, const Clock &clock);
