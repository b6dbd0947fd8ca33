// SPDX-License-Identifier: MIT
// Which due moments passed unseen, for every kind of schedule, and what a
// start finds since the program last ran.
#include "missed/MissedMoments.h"

#include "fakes/FakeClock.h"
#include "model/AppData.h"
#include "model/ProfileFile.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime at(int month, int day, int hour, int minute = 0)
{
    return DateTime::FromParts(2026, month, day, hour, minute, 0); // 2026-03-09 is a Monday
}

AlarmTask task(int schedule, const DateTime &due, const std::function<void(AlarmTask &)> &rules = {})
{
    AlarmTask t = InitAlarmTask(due);
    t.Schedule = schedule;
    if (rules)
        rules(t);
    return t;
}

} // namespace

TEST(MissedMoments, EveryKindOfScheduleAsTheTickWouldHaveFiredIt)
{
    struct Case
    {
        const char *name;
        AlarmTask task;
        DateTime after;
        DateTime until;
        QList<DateTime> expected;
    };
    const DateTime mon = at(3, 9, 12);
    const QList<Case> cases {
        {"once inside", task(AlarmTask::Once, at(3, 10, 9)), mon, at(3, 11, 12), {at(3, 10, 9)}},
        {"once before the look back", task(AlarmTask::Once, at(3, 9, 11)), mon, at(3, 11, 12), {}},
        {"once at the very end", task(AlarmTask::Once, at(3, 11, 12)), mon, at(3, 11, 12), {at(3, 11, 12)}},
        {"start-up task",
         task(AlarmTask::Once, at(3, 10, 9), [](AlarmTask &t) { t.ReportMode = 2; }),
         mon,
         at(3, 11, 12),
         {}},
        // The file's moment is stale; the window allows 09:00..11:00 only.
        {"hourly in a window",
         task(AlarmTask::Hourly, at(3, 9, 7, 30),
              [](AlarmTask &t) {
                  t.HourlyTimeLimit = 1;
                  t.HourlyStartTime = DateTime::TimeOfDay(9, 0);
                  t.HourlyEndTime = DateTime::TimeOfDay(11, 0);
              }),
         at(3, 10, 8),
         at(3, 10, 12),
         {at(3, 10, 9, 30), at(3, 10, 10, 30)}},
        {"every two days, stale",
         task(AlarmTask::Daily, at(3, 5, 8), [](AlarmTask &t) { t.DiaryDays = 2; }),
         mon,
         at(3, 13, 12),
         {at(3, 11, 8), at(3, 13, 8)}},
        {"every day until the range ends",
         task(AlarmTask::Daily, at(3, 10, 8),
              [](AlarmTask &t) {
                  t.DiaryDays = 1;
                  t.HourlyDateLimit = 1;
                  t.HourlyStartDate = at(3, 1, 0);
                  t.HourlyEndDate = at(3, 11, 0);
              }),
         mon,
         at(3, 13, 12),
         {at(3, 10, 8), at(3, 11, 8)}},
        {"Sundays",
         task(AlarmTask::Daily, at(3, 8, 10), [](AlarmTask &t) { t.DiaryReportMode = 1; }),
         mon,
         at(3, 23, 12),
         {at(3, 15, 10), at(3, 22, 10)}},
        {"Monday and Wednesday",
         task(AlarmTask::Weekly, at(3, 9, 9),
              [](AlarmTask &t) {
                  t.WeeklyWeek = 1;
                  t.WeeklyEnable = WeekdaySet(0b101);
              }),
         mon,
         at(3, 17, 12),
         {at(3, 11, 9), at(3, 16, 9)}},
        {"weekly due on a day not enabled",
         task(AlarmTask::Weekly, at(3, 11, 9),
              [](AlarmTask &t) {
                  t.WeeklyWeek = 1;
                  t.WeeklyEnable = WeekdaySet(0b10001);
              }),
         mon,
         at(3, 17, 12),
         {}},
        {"monthly by day",
         task(AlarmTask::Monthly, at(3, 10, 7),
              [](AlarmTask &t) {
                  t.MonthlyDay = 10;
                  t.MonthlyMonth = 1;
              }),
         mon,
         at(4, 12, 0),
         {at(3, 10, 7), at(4, 10, 7)}},
        {"yearly by day",
         task(AlarmTask::Yearly, at(3, 10, 7),
              [](AlarmTask &t) {
                  t.AnnuallyMonth = 3;
                  t.AnnuallyDay = 10;
              }),
         mon,
         at(3, 11, 0),
         {at(3, 10, 7)}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MissedMoments(c.task, c.after, c.until), c.expected) << c.name;
}

TEST(MissedMoments, TheLookBackStartsAtTheLastRunAndNoMoreThanAWeekBack)
{
    const DateTime now = at(3, 20, 12);
    EXPECT_FALSE(MissedLookBackStart(DateTime::Invalid(), now).IsValid()); // a first run
    EXPECT_FALSE(MissedLookBackStart(now, now).IsValid());
    EXPECT_FALSE(MissedLookBackStart(at(3, 21, 12), now).IsValid()); // the clock went back
    EXPECT_EQ(MissedLookBackStart(at(3, 20, 10), now), at(3, 20, 10));
    EXPECT_EQ(MissedLookBackStart(at(3, 1, 10), now), at(3, 13, 12));
}

TEST(MissedMoments, AStartReportsWhatFellDueSinceTheLastRun)
{
    QTemporaryDir dir;
    const DateTime now = at(3, 10, 12);
    {
        AlarmList tasks;
        AlarmTask once = task(AlarmTask::Once, at(3, 10, 11));
        once.Description = u"开会"_s;
        once.Category = 3;
        tasks.AddTail(once);
        AlarmTask daily = task(AlarmTask::Daily, at(3, 9, 10, 30), [](AlarmTask &t) { t.DiaryDays = 1; });
        daily.Description = u"吃药"_s;
        tasks.AddTail(daily);
        AlarmTask early = task(AlarmTask::Once, at(3, 10, 9));
        early.Description = u"早已提醒过"_s;
        tasks.AddTail(early);
        ProfileFile alarms(QDir(dir.path()).filePath(AlarmFileName));
        SaveAlarmFile(alarms, tasks);
        ASSERT_TRUE(alarms.Save());
    }
    const auto load = [&](const QString &lastRunning) {
        ProfileFile config(QDir(dir.path()).filePath(ConfigFileName));
        config.WriteValue(u"Extra Settings"_s, u"LastRunning"_s, lastRunning);
        EXPECT_TRUE(config.Save());
        FakeClock clock(now);
        AppData data(dir.path());
        data.LoadAll(clock, {0, 0, 1279, 799});
        QStringList seen;
        for (const MissedReminder &m : data.TakeMissedAtLoad())
            seen << m.task.Description + u' ' + m.task.DateTime.ToDateTimeString();
        // The tasks themselves load as ever: the daily one moved on.
        EXPECT_EQ(data.Alarms.At(data.Alarms.GetHeadPosition()).DateTime, at(3, 10, 11));
        EXPECT_EQ(data.Alarms.At(data.Alarms.GetNextPosition(data.Alarms.GetHeadPosition())).DateTime,
                  at(3, 11, 10, 30));
        return seen;
    };
    EXPECT_EQ(load(u"2026-03-10 10:00:00"_s),
              QStringList({u"吃药 2026-03-10 10:30:00"_s, u"开会 2026-03-10 11:00:00"_s}));
    // A day back: the daily task was missed twice, and in order of time.
    EXPECT_EQ(load(u"2026-03-09 10:00:00"_s),
              QStringList({u"吃药 2026-03-09 10:30:00"_s, u"早已提醒过 2026-03-10 09:00:00"_s,
                           u"吃药 2026-03-10 10:30:00"_s, u"开会 2026-03-10 11:00:00"_s}));
    EXPECT_TRUE(load(QString()).isEmpty()); // never stamped: nothing to compare with
}
