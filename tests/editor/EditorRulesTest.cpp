// SPDX-License-Identifier: MIT
// The editor's rules that the widget tests do not reach through the pages:
// values no control can produce, and the helpers other windows share.
#include "editor/MessageText.h"
#include "editor/RangeChoice.h"
#include "editor/ReminderForm.h"
#include "schedule/NextRunText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::FromParts(y, mo, d, h, mi, s);
}

// Tuesday 2026-03-10, half a minute past noon.
const DateTime Now = at(2026, 3, 10, 12, 0, 30);

ReminderForm form(int schedule)
{
    ReminderForm f;
    f.description = u"晨会"_s;
    f.schedule = schedule;
    f.date = Now.Day0();
    f.time = DateTime::TimeOfDay(8, 0, 0);
    return f;
}

} // namespace

TEST(EditorRules, YearlyWeekOrderSavesOnDaysTheChosenMonthLacks)
{
    ReminderForm f = form(AlarmTask::Yearly);
    f.date = at(2026, 1, 31);
    f.yearlyRow = ReminderForm::SecondRow;
    f.yearlyWeekOrder = 2;
    f.yearlyWeekday = 7;
    f.yearlyMonth2 = 2; // February has no 31st
    AlarmTask task = InitAlarmTask(Now);
    ASSERT_EQ(ApplyReminderForm(f, task, at(2026, 1, 31, 9, 0)).outcome, SaveCheck::Saved);
    EXPECT_EQ(task.DateTime, at(2026, 2, 8, 8, 0));
}

TEST(EditorRules, UnsetChoicesKeepTheTasksValuesAndUnusableOnesStop)
{
    AlarmTask task = InitAlarmTask(Now);
    task.Category = 7;
    task.ActionMode = 9;
    task.ActionOption = 1;
    ReminderForm f = form(AlarmTask::Weekly);
    f.category = ReminderForm::NoChoice;
    f.actionMode = ReminderForm::NoChoice;
    f.actionOption = ReminderForm::NoChoice;
    f.description = QString(120, u'长');
    ASSERT_EQ(ApplyReminderForm(f, task, Now).outcome, SaveCheck::Saved);
    EXPECT_EQ(task.Category, 7);
    EXPECT_EQ(task.ActionMode, 9);
    EXPECT_EQ(task.ActionOption, 1);
    EXPECT_EQ(task.Description.size(), 100);

    const AlarmTask before = task;
    f = form(AlarmTask::Monthly);
    f.monthlyRow = ReminderForm::SecondRow;
    f.monthlyWeekOrder = ReminderForm::NoChoice;
    EXPECT_EQ(ApplyReminderForm(f, task, Now).outcome, SaveCheck::Stopped);
    EXPECT_EQ(task, before);
}

TEST(EditorRules, LoadingShowsDefaultsForValuesOutOfRange)
{
    AlarmTask t = InitAlarmTask(Now);
    t.Schedule = AlarmTask::Daily;
    t.DiaryDays = 0;
    t.Message = u"别丢"_s;
    t.Countdownsec = 300;
    t.Category = 40;
    t.ActionMode = 8;
    ReminderForm f = LoadReminderForm(t, form(AlarmTask::Once));
    EXPECT_EQ(f.dailyDays, 1);
    EXPECT_EQ(f.message, u"别丢"_s); // the rest still loads
    EXPECT_EQ(f.countdown, 30);
    EXPECT_EQ(f.category, ReminderForm::NoChoice);
    EXPECT_EQ(f.actionMode, ReminderForm::NoChoice);

    t.Schedule = AlarmTask::Monthly;
    t.MonthlyReportMode = 1;
    t.MonthlyWeekOrder = 0;
    t.MonthlyWeekly = 9;
    t.MonthlyMonth2 = 100;
    f = LoadReminderForm(t, form(AlarmTask::Once));
    EXPECT_EQ(f.monthlyRow, ReminderForm::SecondRow);
    EXPECT_EQ(f.monthlyWeekOrder, 1);
    EXPECT_EQ(f.monthlyWeekday, 1);
    EXPECT_EQ(f.monthlyMonths2, 1);

    // Without a valid due moment the date and time keep the controls' values.
    t.DateTime = DateTime::Invalid();
    const ReminderForm shown = form(AlarmTask::Once);
    f = LoadReminderForm(t, shown);
    EXPECT_EQ(f.time, shown.time);
    EXPECT_EQ(f.date, shown.date);
    EXPECT_EQ(f.message, u"别丢"_s);
}

TEST(EditorRules, NextRunText)
{
    AlarmTask t = InitAlarmTask(Now);
    t.DateTime = at(2026, 3, 10, 12, 0, 31);
    EXPECT_EQ(NextRunText(t, Now), u"2026-03-10 12:00:31"_s);
    t.DateTime = Now;
    EXPECT_EQ(NextRunText(t, Now), u"执行于 2026-03-10 12:00:30"_s);
    t.ReportMode = AlarmTask::AtFirstStart;
    EXPECT_EQ(NextRunText(t, Now), u"程序启动时(第一次)"_s);
    t.ReportMode = AlarmTask::AtEveryStart;
    EXPECT_EQ(NextRunText(t, Now), u"程序启动时(每一次)"_s);
}

TEST(EditorRules, MessageLineBreaksAndSizes)
{
    EXPECT_EQ(MessageToEditText(u"一\r\n二\r\n"_s), u"一\n二\n"_s);
    EXPECT_EQ(EditTextToMessage(u"一\n二\u2029三"_s), u"一\r\n二\r\n三"_s);
    EXPECT_EQ(EditTextToMessage(u"一\r\n二"_s), u"一\r\n二"_s);

    MessageFont base;
    base.FontHeight = 480;
    FormatChoice c;
    for (const QString &bad : {u"abc"_s, u"0"_s, u"9999"_s, QString()}) {
        c.sizeText = bad;
        EXPECT_EQ(BuildMessageFont(c, base).FontHeight, 480) << qPrintable(bad);
    }
    EXPECT_EQ(SizeTextOf(base), u"24"_s);
    EXPECT_EQ(SizeTextOf(MessageFont {}), QString()); // the unset height 12 gives no size
}

TEST(EditorRules, StoredRangesAreReadAsWholeDays)
{
    AlarmTask t = InitAlarmTask(Now);
    t.HourlyDateLimit = 1;
    t.HourlyStartDate = at(2026, 3, 10, 15, 0); // the editor's own default carries a time
    const std::optional<RangeChoice> stored = RangeOfTask(t);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->startDate, at(2026, 3, 10));
    EXPECT_TRUE(stored->dateLimit);
    EXPECT_FALSE(stored->timeLimit);
    t.HourlyEndDate = DateTime::Invalid();
    EXPECT_FALSE(RangeOfTask(t));
}
