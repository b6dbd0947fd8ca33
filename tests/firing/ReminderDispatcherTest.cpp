// SPDX-License-Identifier: MIT
#include "firing/ReminderDispatcher.h"

#include "model/AppData.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime at(int d, int h, int m, int s)
{
    return DateTime::FromParts(2026, 3, d, h, m, s); // 2026-03-09 is a Monday
}

class ReminderDispatcherTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    AppData data {dir.path()};
    QStringList fired;
    QStringList notices;
    QStringList missed;
    int syncs = 0;
    // What a window shown for a fired task might do to the list.
    std::function<void(const AlarmTask &)> onFire;
    ReminderDispatcher dispatcher {data, handlers()};

    ReminderDispatcher::Handlers handlers()
    {
        ReminderDispatcher::Handlers h;
        h.fireTask = [this](const AlarmTask &t) {
            fired << t.Description;
            if (onFire)
                onFire(t);
        };
        h.birthdayNotice = [this](const BirthdayEntry &b, bool) {
            notices << b.FriendName;
        };
        h.synchronise = [this] {
            ++syncs;
        };
        h.missed = [this](const QList<MissedReminder> &list) {
            for (const MissedReminder &m : list)
                missed << m.task.Description + u' ' + m.task.DateTime.ToDateTimeString();
        };
        return h;
    }

    EntryHandle add(const QString &name, const DateTime &due, int schedule = AlarmTask::Once)
    {
        AlarmTask task = InitAlarmTask(due);
        task.Description = name;
        task.Schedule = schedule;
        task.DiaryDays = 1;
        task.WeeklyWeek = 1;
        task.MonthlyMonth = 1;
        task.MonthlyDay = due.Day();
        task.AnnuallyMonth = due.Month();
        task.AnnuallyDay = due.Day();
        return data.Alarms.AddTail(task);
    }

    void tickThrough(const DateTime &from, const DateTime &to)
    {
        for (DateTime t = from; t <= to; t = t.AddSeconds(1))
            dispatcher.Tick(t);
    }
};

} // namespace

TEST_F(ReminderDispatcherTest, AOnceTaskFiresExactlyOnceAtItsSecond)
{
    add(QStringLiteral("once"), at(10, 8, 0, 0));
    tickThrough(at(10, 7, 59, 58), at(10, 8, 0, 2));
    EXPECT_EQ(fired, QStringList {QStringLiteral("once")});

    // Started a second late, the program does not fire it.
    ReminderDispatcher::Handlers handlers;
    handlers.fireTask = [this](const AlarmTask &t) {
        fired << t.Description + QStringLiteral("!");
    };
    ReminderDispatcher late(data, handlers);
    late.Tick(at(10, 8, 0, 1));
    EXPECT_EQ(fired.size(), 1);
}

TEST_F(ReminderDispatcherTest, LateTicksCatchUpAMinuteAndNoMore)
{
    add(QStringLiteral("skipped second"), at(10, 8, 0, 2));
    add(QStringLiteral("after sleep"), at(10, 8, 30, 0));
    dispatcher.Tick(at(10, 8, 0, 0));
    dispatcher.Tick(at(10, 8, 0, 5)); // a busy machine: four seconds late
    EXPECT_EQ(fired, QStringList {QStringLiteral("skipped second")});
    dispatcher.Tick(at(10, 8, 40, 0)); // a long gap: those seconds fire nothing
    EXPECT_EQ(fired.size(), 1);
}

TEST_F(ReminderDispatcherTest, AGapReportsItsDueMomentsAndMovesTheScheduleOn)
{
    add(QStringLiteral("once"), at(10, 8, 10, 0));
    const EntryHandle daily = add(QStringLiteral("daily"), at(10, 8, 20, 0), AlarmTask::Daily);
    add(QStringLiteral("asleep"), at(10, 8, 35, 0));
    add(QStringLiteral("after"), at(10, 8, 40, 3));
    dispatcher.StartFrom(at(10, 8, 0, 0));
    dispatcher.Tick(at(10, 8, 0, 30)); // caught up: nothing due yet
    dispatcher.Tick(at(10, 8, 30, 0)); // a frozen session
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_EQ(missed, (QStringList {u"once 2026-03-10 08:10:00"_s, u"daily 2026-03-10 08:20:00"_s}));
    EXPECT_EQ(data.Alarms.At(daily).DateTime, at(11, 8, 20, 0)); // it would never match again
    dispatcher.Tick(at(10, 8, 30, 1));

    // Waking up reports the gap at once; the tick then goes on from there
    // and reports nothing twice.
    dispatcher.CheckGap(at(10, 8, 40, 0));
    dispatcher.CheckGap(at(10, 8, 40, 1));
    EXPECT_EQ(missed.size(), 3);
    EXPECT_EQ(missed.last(), u"asleep 2026-03-10 08:35:00"_s);
    dispatcher.Tick(at(10, 8, 40, 5));
    EXPECT_EQ(fired, QStringList {u"after"_s});
    EXPECT_EQ(missed.size(), 3);
}

TEST_F(ReminderDispatcherTest, TheListAsItStandsAtEachSecondCounts)
{
    const EntryHandle moved = add(u"moved"_s, at(10, 8, 0, 2));
    const EntryHandle removed = add(u"removed"_s, at(10, 8, 0, 3));
    dispatcher.Tick(at(10, 8, 0, 0));
    // Changed between two ticks.
    AlarmTask task = data.Alarms.At(moved);
    task.DateTime = at(10, 8, 0, 3);
    data.Alarms.SetAt(moved, task);
    data.Alarms.RemoveAt(removed);
    add(u"added"_s, at(10, 8, 0, 2));
    // Changed while firing: of the tasks further down due in the same
    // second, one removed does not fire, one added does.
    const EntryHandle victim = add(u"victim"_s, at(10, 8, 0, 3));
    onFire = [&](const AlarmTask &t) {
        if (t.Description == u"moved"_s) {
            data.Alarms.RemoveAt(victim);
            add(u"chained"_s, at(10, 8, 0, 3));
        }
    };
    tickThrough(at(10, 8, 0, 1), at(10, 8, 0, 4));
    EXPECT_EQ(fired, (QStringList {u"added"_s, u"moved"_s, u"chained"_s}));
}

TEST_F(ReminderDispatcherTest, SettingTheClockBackDoesNotFireAMomentAgain)
{
    add(QStringLiteral("once"), at(10, 8, 0, 0));
    const EntryHandle hourly = add(QStringLiteral("hourly"), at(10, 8, 0, 0), AlarmTask::Hourly);
    tickThrough(at(10, 7, 59, 59), at(10, 8, 0, 1));
    EXPECT_EQ(fired, (QStringList {QStringLiteral("once"), QStringLiteral("hourly")}));
    EXPECT_EQ(data.Alarms.At(hourly).DateTime, at(10, 9, 0, 0));
    // The hourly task restarts from the current hour after a clock change.
    AlarmTask task = data.Alarms.At(hourly);
    task.DateTime = at(10, 8, 0, 0);
    data.Alarms.SetAt(hourly, task);
    tickThrough(at(10, 7, 59, 50), at(10, 8, 0, 5));
    EXPECT_EQ(fired.size(), 2);
    EXPECT_EQ(data.Alarms.At(hourly).DateTime, at(10, 9, 0, 0));
    // A task set for a moment in the repeated stretch still fires.
    add(QStringLiteral("new"), at(10, 8, 0, 3));
    tickThrough(at(10, 7, 59, 59), at(10, 8, 0, 5));
    EXPECT_EQ(fired.last(), QStringLiteral("new"));
}

TEST_F(ReminderDispatcherTest, RecurringTasksFireAndMoveOn)
{
    const EntryHandle hourly = add(QStringLiteral("hourly"), at(10, 10, 30, 0), AlarmTask::Hourly);
    tickThrough(at(10, 10, 29, 59), at(10, 10, 30, 1));
    EXPECT_EQ(data.Alarms.At(hourly).DateTime, at(10, 11, 30, 0));
    tickThrough(at(10, 11, 29, 59), at(10, 11, 30, 1));
    EXPECT_EQ(fired, (QStringList {QStringLiteral("hourly"), QStringLiteral("hourly")}));

    // A weekly task with inconsistent data (due on a Wednesday, Monday and
    // Friday set) neither fires nor moves.
    const EntryHandle weekly = add(QStringLiteral("weekly"), at(11, 9, 0, 0), AlarmTask::Weekly);
    AlarmTask task = data.Alarms.At(weekly);
    task.WeeklyEnable = WeekdaySet(0b10001);
    data.Alarms.SetAt(weekly, task);
    dispatcher.Tick(at(11, 9, 0, 0));
    EXPECT_EQ(fired.size(), 2);
    EXPECT_EQ(data.Alarms.At(weekly).DateTime, at(11, 9, 0, 0));

    // A yearly task ignores its date range.
    const EntryHandle yearly = add(QStringLiteral("yearly"), at(12, 9, 0, 0), AlarmTask::Yearly);
    task = data.Alarms.At(yearly);
    task.HourlyDateLimit = 1;
    task.HourlyStartDate = at(20, 0, 0, 0);
    task.HourlyEndDate = at(25, 0, 0, 0);
    data.Alarms.SetAt(yearly, task);
    dispatcher.Tick(at(12, 9, 0, 0));
    EXPECT_EQ(fired.last(), QStringLiteral("yearly"));
    EXPECT_EQ(data.Alarms.At(yearly).DateTime, DateTime::FromParts(2027, 3, 12, 9, 0, 0));
}

TEST(LimitsCheck, RangeAndWindowBounds)
{
    AlarmTask task = InitAlarmTask(at(10, 9, 0, 0));
    task.HourlyDateLimit = 1;
    task.HourlyStartDate = at(10, 0, 0, 0);
    task.HourlyEndDate = at(12, 0, 0, 0);
    EXPECT_TRUE(LimitsCheck(task, at(10, 9, 0, 30))); // first day
    EXPECT_FALSE(LimitsCheck(task, at(12, 9, 0, 30))); // last day, second not 0
    EXPECT_TRUE(LimitsCheck(task, at(12, 9, 0, 0)));
    EXPECT_FALSE(LimitsCheck(task, at(13, 9, 0, 0)));
    task.HourlyDateLimit = 0;
    task.HourlyTimeLimit = 1;
    task.HourlyStartTime = DateTime::TimeOfDay(9, 0);
    task.HourlyEndTime = DateTime::TimeOfDay(17, 0);
    EXPECT_TRUE(LimitsCheck(task, at(20, 17, 0, 0)));
    EXPECT_FALSE(LimitsCheck(task, at(20, 17, 0, 1)));
    EXPECT_FALSE(LimitsCheck(task, at(20, 8, 59, 59)));
    task.HourlyDateLimit = 1; // one span from the first day's start to the last day's end
    EXPECT_TRUE(LimitsCheck(task, at(11, 3, 0, 0)));
    EXPECT_FALSE(LimitsCheck(task, at(10, 8, 0, 0)));
}

TEST_F(ReminderDispatcherTest, SnoozedCopiesFireOnceAndGo)
{
    AlarmTask copy = InitAlarmTask(at(10, 7, 40, 0));
    copy.Description = QStringLiteral("snoozed");
    data.Snoozed.AddTail(copy);
    copy.ReportMode = AlarmTask::AtEveryStart;
    copy.Description = QStringLiteral("startup copy");
    data.Snoozed.AddTail(copy);
    tickThrough(at(10, 7, 39, 59), at(10, 7, 40, 1));
    EXPECT_EQ(fired, QStringList {QStringLiteral("snoozed")});
    EXPECT_EQ(data.Snoozed.GetCount(), 1);

    // A copy snoozed from a popup answered late can be due already: it fires
    // at the next tick instead of never.
    copy.ReportMode = AlarmTask::AtDateTime;
    copy.Description = QStringLiteral("overdue");
    data.Snoozed.AddTail(copy);
    dispatcher.Tick(at(10, 7, 45, 0));
    EXPECT_EQ(fired.last(), QStringLiteral("overdue"));
    EXPECT_EQ(data.Snoozed.GetCount(), 1);
}

TEST_F(ReminderDispatcherTest, AutomaticSyncEveryNHours)
{
    data.Settings.Synchronization.AutoSyn = 1;
    data.Settings.Synchronization.SynMinute = 2;
    for (int hour = 0; hour < 6; ++hour)
        dispatcher.EvaluateSecond(at(10, hour, 0, 0));
    dispatcher.EvaluateSecond(at(10, 2, 0, 1));
    EXPECT_EQ(syncs, 3);
    data.Settings.Synchronization.SynMinute = 0;
    dispatcher.EvaluateSecond(at(10, 0, 0, 0));
    EXPECT_EQ(syncs, 3);
}

TEST_F(ReminderDispatcherTest, StartupPass)
{
    EntryHandle first = add(QStringLiteral("first run"), at(1, 9, 0, 0));
    AlarmTask task = data.Alarms.At(first);
    task.ReportMode = AlarmTask::AtFirstStart;
    data.Alarms.SetAt(first, task);
    const EntryHandle every = add(QStringLiteral("every start"), at(10, 6, 0, 0), AlarmTask::Daily);
    task = data.Alarms.At(every);
    task.ReportMode = AlarmTask::AtEveryStart;
    data.Alarms.SetAt(every, task);
    const EntryHandle hourly = add(QStringLiteral("hourly"), at(10, 6, 0, 0), AlarmTask::Hourly);
    task = data.Alarms.At(hourly);
    task.ReportMode = AlarmTask::AtEveryStart;
    data.Alarms.SetAt(hourly, task);

    dispatcher.StartupPass(at(10, 12, 0, 0), false);
    EXPECT_EQ(fired, QStringList {QStringLiteral("every start")});
    EXPECT_EQ(data.Alarms.At(every).DateTime, at(11, 6, 0, 0));
    dispatcher.StartupPass(at(11, 12, 0, 0), true);
    EXPECT_EQ(
        fired,
        (QStringList {QStringLiteral("every start"), QStringLiteral("first run"), QStringLiteral("every start")}));
}

TEST_F(ReminderDispatcherTest, BirthdayNoticesOncePerFlag)
{
    BirthdayEntry b;
    b.FriendName = QStringLiteral(u"小明");
    b.BornDate = qint32(DateTime::FromParts(1990, 3, 15).ToUnixTime());
    b.OneWeeks = b.OneDay = b.TwoWeeks = 1;
    const EntryHandle h = data.Birthdays.AddTail(b);
    dispatcher.EvaluateSecond(at(10, 9, 0, 0)); // five days ahead
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(data.Birthdays.At(h).OneWeeks, 0);
    EXPECT_EQ(data.Birthdays.At(h).TwoWeeks, 0);
    EXPECT_EQ(data.Birthdays.At(h).OneDay, 1);
    dispatcher.EvaluateSecond(at(10, 9, 0, 1));
    EXPECT_EQ(notices.size(), 2);
    dispatcher.EvaluateSecond(at(14, 0, 0, 0));
    EXPECT_EQ(notices.size(), 3);

    // Without a window to show them, notices wait.
    ReminderDispatcher withoutNotices(data, ReminderDispatcher::Handlers {});
    b.OneDay = 1;
    data.Birthdays.SetAt(h, b);
    withoutNotices.EvaluateSecond(at(14, 0, 0, 0));
    EXPECT_EQ(data.Birthdays.At(h).OneDay, 1);
}

TEST_F(ReminderDispatcherTest, LunarBirthdayNoticesFollowTheLunarDate)
{
    // Born on 春节 1990: the lunar birthday of 2027 is 6 February, a week
    // after 2027-01-30, when the Gregorian 27 January has already passed.
    BirthdayEntry b;
    b.BornDate = DateTime::FromParts(1990, 1, 27).ToUnixTime();
    b.TwoWeeks = 1;
    b.OneWeeks = b.OneDay = 0;
    b.FriendName = QStringLiteral(u"阳历");
    data.Birthdays.AddTail(b);
    b.FriendName = QStringLiteral(u"农历");
    b.Lunar = 1;
    data.Birthdays.AddTail(b);
    dispatcher.EvaluateSecond(DateTime::FromParts(2027, 1, 30, 9, 0, 0));
    EXPECT_EQ(notices, QStringList {QStringLiteral(u"农历")});
}

TEST(ReadServerName, PicksTheLineByIndex)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SNTP.dat"));
    EXPECT_FALSE(ReadServerName(path, 0).has_value());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("time.example.org\r\n  ntp.example.net  \r\n");
    file.close();
    EXPECT_EQ(ReadServerName(path, 1), QStringLiteral("ntp.example.net"));
    EXPECT_EQ(ReadServerName(path, 5), QString());
}
