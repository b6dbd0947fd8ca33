// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

#include <QString>

// The reminder editor's form without its window: which values the controls
// show for a stored task, and how Save checks them and turns them into a
// task with its first due moment.

// What a number box reads as when its text is not a number (an empty box).
constexpr int NotANumber = -1;

// The values of the editor's controls, one member per control or radio
// group. Lists and radio groups read -1 (NoChoice) when nothing is selected,
// which leaves the task's field as it was. Weekday, week order and month
// values are 1-based (list index + 1).
struct ReminderForm
{
    static constexpr int NoChoice = -1;
    // The two rows of the daily, monthly and yearly pages and the two action
    // radios: the first or the second one set.
    static constexpr int FirstRow = 0;
    static constexpr int SecondRow = 1;

    QString description;
    int category = 0;
    int reportMode = AlarmTask::AtDateTime;
    int schedule = AlarmTask::Once;
    ::DateTime date; // only its date counts
    ::DateTime time; // only its time of day counts

    int hourlyMinute = 0;

    int dailyRow = FirstRow;
    int dailyDays = 1;

    int weeklyWeeks = 1;
    WeekdaySet weekdays;

    int monthlyRow = FirstRow;
    int monthlyMonths = 1;
    int monthlyDay = 1;
    int monthlyWeekOrder = 1;
    int monthlyWeekday = 1;
    int monthlyMonths2 = 1;

    int yearlyRow = FirstRow;
    int yearlyMonth = 1;
    int yearlyDay = 1;
    int yearlyWeekOrder = 1;
    int yearlyWeekday = 1;
    int yearlyMonth2 = 1;

    QString message; // CR LF line breaks, as the task keeps them
    ::MessageFont font;
    Color background = 0xFFFFFF;
    QString soundFile;
    int repeatPlay = 0;
    int actionMode = AlarmTask::OpenFile;
    int actionOption = FirstRow;
    int countdown = 30;
    QString filePath;

    friend bool operator==(const ReminderForm &, const ReminderForm &) = default;
};

// The controls a failed check points at.
enum class FormField
{
    Description,
    Time,
    HourlyMinute,
    DailyDays,
    WeeklyWeeks,
    MonthlyMonths,
    MonthlyDay,
    MonthlyMonths2,
    YearlyDay,
    Countdown
};

// What is wrong; each has one message.
enum class FormProblem
{
    DescriptionRequired,
    OnceNotInFuture,
    MinuteOutOfRange, // 0..59
    IntervalOutOfRange, // 1..99
    DayOutOfRange // 1..31
};

FormProblem ProblemOf(FormField field);

struct SaveCheck
{
    enum Outcome
    {
        Saved, // the task holds the new values
        Invalid, // `field` holds a bad value; the task is unchanged
        Stopped // no valid due moment came out; the task is unchanged
    };
    Outcome outcome = Saved;
    FormField field = FormField::Description;
};

// Checks the form in the editor's order and, when every check passes, writes
// it into `task` (whose date range and time window the range dialog set) and
// moves the due moment to the first occurrence of its rule after `now`.
// Until then `task` is left alone.
SaveCheck ApplyReminderForm(const ReminderForm &form, AlarmTask &task, const DateTime &now);

// What the controls show for a stored task. Members the task has no value
// for keep those of `shown` (the controls' current state); stored values out
// of the boxes' ranges show the boxes' defaults.
ReminderForm LoadReminderForm(const AlarmTask &task, ReminderForm shown);
