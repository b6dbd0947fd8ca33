// SPDX-License-Identifier: MIT
#include "editor/ReminderForm.h"

#include "model/CategoryTable.h"
#include "schedule/Recurrence.h"

namespace {

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

int orDefault(int value, int low, int high, int fallback)
{
    return inRange(value, low, high) ? value : fallback;
}

SaveCheck invalid(FormField field)
{
    return {SaveCheck::Invalid, field};
}

SaveCheck stopped()
{
    return {SaveCheck::Stopped, FormField::Description};
}

SaveCheck saved()
{
    return {};
}

SaveCheck runRule(AlarmTask &t, const DateTime &now)
{
    return AdvanceTask(t, now) ? saved() : stopped();
}

SaveCheck applyOnce(AlarmTask &t, const DateTime &now)
{
    // A start-up task may keep a time that has passed: it fires at start.
    if (t.DateTime <= now && t.ReportMode == AlarmTask::AtDateTime)
        return invalid(FormField::Time);
    return saved();
}

SaveCheck applyHourly(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    if (!inRange(form.hourlyMinute, 0, 59))
        return invalid(FormField::HourlyMinute);
    // The hourly rule takes its minute from the due moment.
    t.DateTime = t.DateTime.WithTime(t.DateTime.Hour(), form.hourlyMinute, t.DateTime.Second());
    return runRule(t, now);
}

SaveCheck applyDaily(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    t.DiaryDays = 1;
    if (form.dailyRow == ReminderForm::FirstRow) {
        t.DiaryReportMode = 0;
        if (!inRange(form.dailyDays, 1, 99))
            return invalid(FormField::DailyDays);
        t.DiaryDays = form.dailyDays;
        return runRule(t, now);
    }
    if (form.dailyRow == ReminderForm::SecondRow) {
        t.DiaryReportMode = 1;
        return runRule(t, now);
    }
    return saved();
}

SaveCheck applyWeekly(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    t.WeeklyEnable = form.weekdays;
    if (!inRange(form.weeklyWeeks, 1, 99))
        return invalid(FormField::WeeklyWeeks);
    t.WeeklyWeek = form.weeklyWeeks;
    return runRule(t, now);
}

SaveCheck applyMonthly(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    if (form.monthlyRow == ReminderForm::FirstRow) {
        t.MonthlyReportMode = 0;
        if (!inRange(form.monthlyMonths, 1, 99))
            return invalid(FormField::MonthlyMonths);
        t.MonthlyMonth = form.monthlyMonths;
        if (!inRange(form.monthlyDay, 1, 31))
            return invalid(FormField::MonthlyDay);
        t.MonthlyDay = form.monthlyDay;
        return runRule(t, now);
    }
    if (form.monthlyRow == ReminderForm::SecondRow) {
        t.MonthlyReportMode = 1;
        t.MonthlyWeekOrder = form.monthlyWeekOrder;
        t.MonthlyWeekly = form.monthlyWeekday;
        if (!inRange(form.monthlyMonths2, 1, 99))
            return invalid(FormField::MonthlyMonths2);
        t.MonthlyMonth2 = form.monthlyMonths2;
        return runRule(t, now);
    }
    return saved();
}

SaveCheck applyYearly(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    if (form.yearlyRow == ReminderForm::FirstRow) {
        t.AnnuallyReportMode = 0;
        if (!inRange(form.yearlyDay, 1, 31))
            return invalid(FormField::YearlyDay);
        t.AnnuallyDay = form.yearlyDay;
        t.AnnuallyMonth = form.yearlyMonth;
        return runRule(t, now);
    }
    if (form.yearlyRow == ReminderForm::SecondRow) {
        t.AnnuallyReportMode = 1;
        t.AnnuallyWeekOrder = form.yearlyWeekOrder;
        t.AnnuallyWeekly = form.yearlyWeekday;
        t.AnnuallyMonth2 = form.yearlyMonth2;
        // The week-order rule takes its month from the due moment and looks
        // only at the month, so the day moves to the 1st: keeping today's
        // day would make a month too short for it (the 31st to February)
        // refuse the save.
        const DateTime &d = t.DateTime;
        t.DateTime = DateTime::FromParts(d.Year(), form.yearlyMonth2, 1, d.Hour(), d.Minute(), d.Second());
        return runRule(t, now);
    }
    return saved();
}

SaveCheck applySchedule(const ReminderForm &form, AlarmTask &t, const DateTime &now)
{
    switch (t.Schedule) {
    case AlarmTask::Once:
        return applyOnce(t, now);
    case AlarmTask::Hourly:
        return applyHourly(form, t, now);
    case AlarmTask::Daily:
        return applyDaily(form, t, now);
    case AlarmTask::Weekly:
        return applyWeekly(form, t, now);
    case AlarmTask::Monthly:
        return applyMonthly(form, t, now);
    case AlarmTask::Yearly:
        return applyYearly(form, t, now);
    default:
        return saved();
    }
}

SaveCheck applyPages(const ReminderForm &form, AlarmTask &t)
{
    t.Message = form.message;
    t.MessageFont = form.font;
    t.BackgroundColor = form.background;
    t.SoundFile = form.soundFile;
    t.RepeatPlay = form.repeatPlay;
    if (form.actionMode != ReminderForm::NoChoice)
        t.ActionMode = form.actionMode;
    if (form.actionOption != ReminderForm::NoChoice)
        t.ActionOption = form.actionOption;
    if (!inRange(form.countdown, 1, 99))
        return invalid(FormField::Countdown);
    t.Countdownsec = form.countdown;
    t.FilePath = form.filePath;
    return saved();
}

void loadSchedulePage(const AlarmTask &task, int schedule, ReminderForm &form)
{
    switch (schedule) {
    case AlarmTask::Hourly:
        form.hourlyMinute = task.DateTime.Minute();
        break;
    case AlarmTask::Daily:
        form.dailyDays = orDefault(task.DiaryDays, 1, 99, 1);
        form.dailyRow = task.DiaryReportMode == 0 ? ReminderForm::FirstRow : ReminderForm::SecondRow;
        break;
    case AlarmTask::Weekly:
        form.weeklyWeeks = orDefault(task.WeeklyWeek, 1, 99, 1);
        form.weekdays = task.WeeklyEnable;
        break;
    case AlarmTask::Monthly:
        if (task.MonthlyReportMode != 0) {
            form.monthlyRow = ReminderForm::SecondRow;
            form.monthlyWeekOrder = orDefault(task.MonthlyWeekOrder, 1, 5, form.monthlyWeekOrder);
            form.monthlyWeekday = orDefault(task.MonthlyWeekly, 1, 7, form.monthlyWeekday);
            form.monthlyMonths2 = orDefault(task.MonthlyMonth2, 1, 99, 1);
        } else {
            form.monthlyRow = ReminderForm::FirstRow;
            form.monthlyDay = orDefault(task.MonthlyDay, 1, 31, 1);
            form.monthlyMonths = orDefault(task.MonthlyMonth, 1, 99, 1);
        }
        break;
    case AlarmTask::Yearly:
        if (task.AnnuallyReportMode != 0) {
            form.yearlyRow = ReminderForm::SecondRow;
            form.yearlyWeekday = orDefault(task.AnnuallyWeekly, 1, 7, form.yearlyWeekday);
            form.yearlyMonth2 = orDefault(task.AnnuallyMonth2, 1, 12, form.yearlyMonth2);
            form.yearlyWeekOrder = orDefault(task.AnnuallyWeekOrder, 1, 5, form.yearlyWeekOrder);
        } else {
            form.yearlyRow = ReminderForm::FirstRow;
            form.yearlyDay = orDefault(task.AnnuallyDay, 1, 31, 1);
            form.yearlyMonth = orDefault(task.AnnuallyMonth, 1, 12, form.yearlyMonth);
        }
        break;
    default:
        break;
    }
}

} // namespace

FormProblem ProblemOf(FormField field)
{
    switch (field) {
    case FormField::Description:
        return FormProblem::DescriptionRequired;
    case FormField::Time:
        return FormProblem::OnceNotInFuture;
    case FormField::HourlyMinute:
        return FormProblem::MinuteOutOfRange;
    case FormField::MonthlyDay:
    case FormField::YearlyDay:
        return FormProblem::DayOutOfRange;
    case FormField::DailyDays:
    case FormField::WeeklyWeeks:
    case FormField::MonthlyMonths:
    case FormField::MonthlyMonths2:
    case FormField::Countdown:
        break;
    }
    return FormProblem::IntervalOutOfRange;
}

SaveCheck ApplyReminderForm(const ReminderForm &form, AlarmTask &task, const DateTime &now)
{
    if (form.description.isEmpty())
        return invalid(FormField::Description);
    AlarmTask t = task;
    if (form.category != ReminderForm::NoChoice)
        t.Category = form.category;
    t.Description = form.description.left(100);
    if (form.reportMode != ReminderForm::NoChoice)
        t.ReportMode = form.reportMode;
    t.Schedule = form.schedule;
    t.DateTime = DateTime::FromParts(form.date.Year(), form.date.Month(), form.date.Day(), form.time.Hour(),
                                     form.time.Minute(), form.time.Second());
    if (!t.DateTime.IsValid())
        return stopped();
    if (const SaveCheck check = applySchedule(form, t, now); check.outcome != SaveCheck::Saved)
        return check;
    if (const SaveCheck check = applyPages(form, t); check.outcome != SaveCheck::Saved)
        return check;
    task = t;
    return saved();
}

ReminderForm LoadReminderForm(const AlarmTask &task, ReminderForm shown)
{
    ReminderForm form = std::move(shown);
    form.description = task.Description;
    form.category = CategoryTable::contains(task.Category) ? task.Category : ReminderForm::NoChoice;
    form.schedule = orDefault(task.Schedule, AlarmTask::Once, AlarmTask::Yearly, AlarmTask::Once);
    form.reportMode = inRange(task.ReportMode, AlarmTask::AtDateTime, AlarmTask::AtEveryStart) ? task.ReportMode
                                                                                               : ReminderForm::NoChoice;
    // The date comes back for every kind, not only for a one-off task: the
    // every-n-days rule counts from it, and taking today instead would
    // restart the cycle each time the task is edited.
    // A task without a valid due moment keeps the controls' date and time,
    // but everything else it holds still shows, so that saving it does not
    // lose its message and actions.
    if (task.DateTime.IsValid()) {
        form.date = task.DateTime.Day0();
        form.time = DateTime::TimeOfDay(task.DateTime.Hour(), task.DateTime.Minute(), task.DateTime.Second());
        loadSchedulePage(task, form.schedule, form);
    }
    form.message = task.Message;
    form.font = task.MessageFont;
    form.background = task.BackgroundColor;
    form.soundFile = task.SoundFile;
    form.repeatPlay = task.RepeatPlay;
    form.actionMode =
        inRange(task.ActionMode, AlarmTask::OpenFile, AlarmTask::Standby) ? task.ActionMode : ReminderForm::NoChoice;
    form.actionOption = task.ActionOption == 0 ? ReminderForm::FirstRow : ReminderForm::SecondRow;
    form.countdown = orDefault(task.Countdownsec, 1, 99, 30);
    form.filePath = task.FilePath;
    return form;
}
