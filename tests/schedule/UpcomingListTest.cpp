// SPDX-License-Identifier: MIT
#include "schedule/UpcomingList.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const DateTime Now = DateTime::FromParts(2026, 3, 10, 12, 0, 0);

EntryHandle add(AlarmList &list, const QString &description, const DateTime &due, int reportMode = 0,
                int schedule = AlarmTask::Once)
{
    AlarmTask task = InitAlarmTask(Now);
    task.Description = description;
    task.DateTime = due;
    task.ReportMode = reportMode;
    task.Schedule = schedule;
    return list.AddTail(task);
}

} // namespace

TEST(UpcomingList, NothingAheadGivesTheSingleEmptyLine)
{
    AlarmList alarms;
    add(alarms, u"过去"_s, Now.AddSeconds(-1));
    add(alarms, u"此刻"_s, Now); // due now is no longer ahead
    const QList<UpcomingLine> lines = UpcomingReminders(alarms, Now);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].text, u"最近无提醒任务"_s);
    EXPECT_TRUE(lines[0].entry.IsNull());
}

TEST(UpcomingList, EarliestFirstEqualMomentsInListOrderStartTasksLeftOutLongNamesWhole)
{
    AlarmList alarms;
    const DateTime nine = DateTime::FromParts(2026, 3, 11, 9, 0, 0);
    const EntryHandle later = add(alarms, u"晚"_s, nine.AddDays(1), 0, AlarmTask::Weekly);
    const EntryHandle first = add(alarms, u"同时一"_s, nine);
    add(alarms, u"启动一次"_s, nine.AddSeconds(-60), AlarmTask::AtFirstStart);
    add(alarms, u"每次启动"_s, nine.AddSeconds(-60), AlarmTask::AtEveryStart);
    const EntryHandle second = add(alarms, u"同时二"_s, nine);
    const QString longName = u"abcdefghijklmnopqrstuvwxy"_s; // 25 characters
    const EntryHandle soon = add(alarms, longName, Now.AddSeconds(1), 0, AlarmTask::Hourly);

    const QList<UpcomingLine> lines = UpcomingReminders(alarms, Now);
    const QList<UpcomingLine> expected {
        {longName + u"2026-03-10 12:00:01"_s, soon},
        // Padded with blanks to 20 characters.
        {u"同时一"_s + QString(17, u' ') + u"2026-03-11 09:00:00"_s, first},
        {u"同时二"_s + QString(17, u' ') + u"2026-03-11 09:00:00"_s, second},
        {u"晚"_s + QString(19, u' ') + u"2026-03-12 09:00:00"_s, later},
    };
    EXPECT_EQ(lines, expected);
}
