// SPDX-License-Identifier: MIT
#include "taskmanager/TaskRows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const DateTime Now = DateTime::FromParts(2026, 3, 10, 12, 0, 30);

QString nextRun(int schedule, const DateTime &due, int reportMode = AlarmTask::AtDateTime)
{
    AlarmTask t = InitAlarmTask(Now);
    t.Schedule = schedule;
    t.DateTime = due;
    t.ReportMode = reportMode;
    return AlarmRowTexts(t, Now)[2];
}

TEST(TaskRows, AlarmColumns)
{
    AlarmTask t = InitAlarmTask(Now);
    t.Description = u"晨练"_s;
    const QStringList names = {u"执行一次"_s, u"每小时"_s, u"每天"_s, u"每周"_s, u"每月"_s, u"每年"_s, QString()};
    for (int schedule = 0; schedule <= 6; ++schedule) {
        t.Schedule = schedule; // 6: a damaged file's value names nothing
        EXPECT_EQ(AlarmRowTexts(t, Now)[1], names[schedule]);
    }
    EXPECT_EQ(AlarmRowTexts(t, Now)[0], u"晨练"_s);
    EXPECT_TRUE(HasAlarmRow(t));
    t.DateTime = DateTime::Invalid();
    EXPECT_FALSE(HasAlarmRow(t));

    EXPECT_EQ(nextRun(AlarmTask::Once, Now.AddSeconds(1)), u"2026-03-10 12:00:31"_s);
    // Due within the current second counts as run.
    EXPECT_EQ(nextRun(AlarmTask::Once, Now), u"执行于 2026-03-10 12:00:30"_s);
    EXPECT_EQ(nextRun(AlarmTask::Daily, Now.AddDays(-3)), u"执行于 2026-03-07 12:00:30"_s);

    const DateTime due = DateTime::FromParts(2026, 3, 10, 13, 5, 0);
    EXPECT_EQ(nextRun(AlarmTask::Once, due, AlarmTask::AtFirstStart), u"程序启动时(第一次)"_s);
    EXPECT_EQ(nextRun(AlarmTask::Weekly, due, AlarmTask::AtEveryStart), u"程序启动时(每一次)"_s);
    EXPECT_EQ(nextRun(AlarmTask::Once, due, 3), QString()); // an unknown trigger
    // An hourly task shows its next time whatever its trigger field says.
    EXPECT_EQ(nextRun(AlarmTask::Hourly, due, AlarmTask::AtFirstStart), u"2026-03-10 13:05:00"_s);
    EXPECT_EQ(nextRun(AlarmTask::Hourly, Now, 7), u"执行于 2026-03-10 12:00:30"_s);
}

TEST(TaskRows, BirthdayAndNoteColumnsAndQuestions)
{
    BirthdayEntry b;
    b.FriendName = u"小王"_s;
    b.BornDate = qint32(DateTime::FromParts(1990, 5, 3).ToUnixTime());
    b.Age = 35;
    b.Sign = u"金牛座"_s;
    b.Year = u"马"_s;
    EXPECT_EQ(BirthdayRowTexts(b, Now), (RowTexts {u"小王"_s, u"1990-5-3"_s, u"年龄:35 星座:金牛座 生肖:马"_s}));
    EXPECT_EQ(BirthdayDeleteQuestion(b), u"你确定删除您朋友'小王'的生日提醒吗?"_s);
    // A lunar birthday names its lunar day and the date it comes on next.
    b.BornDate = DateTime::FromParts(1990, 1, 27).ToUnixTime();
    b.Lunar = 1;
    EXPECT_EQ(BirthdayRowTexts(b, Now)[1], u"1990-1-27 农历正月初一 (2027-2-6)"_s);

    NoteEntry n = InitNoteEntry(Now);
    n.Message = u"买菜\r\n做饭"_s;
    n.UpdateTime = qint32(DateTime::FromParts(2025, 12, 1, 8, 5, 9).ToUnixTime());
    EXPECT_EQ(NoteRowTexts(n), (RowTexts {u"买菜 做饭"_s, u"是"_s, u"2025-12-01 08:05:09"_s}));
    n.OnTop = 2; // only 1 is on top
    EXPECT_EQ(NoteRowTexts(n)[1], u"否"_s);
    n.Message = u"交电费"_s;
    EXPECT_EQ(NoteDeleteQuestion(n), u"您确定删除便签'交电费'吗?"_s);

    AlarmTask t = InitAlarmTask(Now);
    t.Description = u"%1 和 %2"_s; // placeholders in a description stay text
    EXPECT_EQ(AlarmDeleteQuestion(t), u"您确定删除该提醒任务'%1 和 %2'吗? "_s);
}

TEST(TaskRows, ParsesOnlyListDateTimes)
{
    EXPECT_EQ(ParseListDateTime(u"2026-03-10 12:00:30"_s), Now);
    EXPECT_EQ(ParseListDateTime(u"2026-3-1 7:05:00"_s), DateTime::FromParts(2026, 3, 1, 7, 5, 0));
    for (const QString &text :
         {u"执行于 2026-03-10 12:00:30"_s, u"程序启动时(第一次)"_s, u"年龄:35 星座:金牛座 生肖:马"_s,
          u"2026-02-30 00:00:00"_s, u"2026-03-10 24:00:00"_s, u"2026-03-10"_s, u"2026-03-10 12:00:30x"_s, QString()})
        EXPECT_FALSE(ParseListDateTime(text).has_value()) << text.toStdString();
}

TEST(TaskRows, Sorting)
{
    SortState sort;
    EXPECT_EQ(sort, (SortState {0, false})); // the list opens descending on the first column
    sort.Click(0);
    EXPECT_EQ(sort, (SortState {0, true}));
    sort.Click(0);
    EXPECT_EQ(sort, (SortState {0, false}));
    sort.Click(2);
    EXPECT_EQ(sort, (SortState {2, true}));

    // Text ignores case; ties keep their order either way.
    const QStringList texts = {u"b"_s, u"A"_s, u"a"_s, u"C"_s};
    EXPECT_EQ(SortedRowOrder(texts, {0, true}), (std::vector<int> {1, 2, 0, 3}));
    EXPECT_EQ(SortedRowOrder(texts, {1, false}), (std::vector<int> {3, 0, 1, 2}));

    // Dates sort among the places the dated rows hold; the rest stay put.
    const QStringList dates = {u"2026-03-12 09:00:00"_s, u"程序启动时(第一次)"_s, u"2026-03-10 09:00:00"_s,
                               u"执行于 2026-03-01 09:00:00"_s, u"2026-03-11 09:00:00"_s};
    EXPECT_EQ(SortedRowOrder(dates, {2, true}), (std::vector<int> {2, 1, 4, 3, 0}));
    EXPECT_EQ(SortedRowOrder(dates, {2, false}), (std::vector<int> {0, 1, 4, 3, 2}));
    const QStringList same = {u"2026-03-10 09:00:00"_s, u"2026-03-10 09:00:00"_s, u"2026-03-09 09:00:00"_s};
    EXPECT_EQ(SortedRowOrder(same, {2, true}), (std::vector<int> {2, 0, 1}));
}

} // namespace
