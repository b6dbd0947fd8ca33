// SPDX-License-Identifier: MIT
#include "model/AlarmTask.h"

#include "fakes/FakeClock.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(AlarmTask, FreshTaskHasTheDefaults)
{
    const FakeClock clock(DateTime::FromParts(2026, 3, 4, 15, 16, 17));
    const AlarmTask task = InitAlarmTask(clock);
    EXPECT_EQ(task.Schedule, 0);
    EXPECT_EQ(task.ReportMode, 0);
    EXPECT_EQ(task.Countdownsec, 30);
    EXPECT_EQ(task.DateTime, clock.Now());
    EXPECT_EQ(task.HourlyStartDate, DateTime::FromParts(2026, 3, 4));
    EXPECT_EQ(task.HourlyEndDate, DateTime::FromParts(2026, 3, 11));
    EXPECT_EQ(task.HourlyStartTime, DateTime::TimeOfDay(0, 0, 0));
    EXPECT_EQ(task.HourlyEndTime, DateTime::TimeOfDay(23, 59, 0));
    EXPECT_EQ(task.MessageFont.FontFaceName, QStringLiteral(u"宋体"));
    EXPECT_EQ(task.MessageFont.FontHeight, 12);
    EXPECT_EQ(task.MessageFont.FontColor, 0u);
    EXPECT_EQ(task.BackgroundColor, 0xFFFFFFu);
    EXPECT_TRUE(task.WeeklyEnable.none());
    EXPECT_TRUE(task.SelfPosition.IsNull());
}

TEST(AlarmTask, WeekdayBitsAreMondayFirstAndBoundedAtSunday)
{
    WeekdaySet days;
    days.set(0); // Monday
    days.set(6); // Sunday
    EXPECT_EQ(days.to_ulong(), 65u);
    EXPECT_THROW(days.set(7), std::out_of_range);
}

TEST(AlarmTask, CopiesAreIndependent)
{
    AlarmTask a = InitAlarmTask(DateTime::FromParts(2026, 1, 1));
    a.Description = QStringLiteral("first");
    a.Message = QStringLiteral("hello");
    AlarmTask b = a;
    b.Description += QStringLiteral(" changed");
    b.Message.clear();
    b.MessageFont.FontFaceName = QStringLiteral("Noto Serif CJK SC");
    EXPECT_EQ(a.Description, QStringLiteral("first"));
    EXPECT_EQ(a.Message, QStringLiteral("hello"));
    EXPECT_EQ(a.MessageFont.FontFaceName, QStringLiteral(u"宋体"));
}

TEST(AlarmTask, FaceNameIsCutToWhatTheFormatHolds)
{
    MessageFont font;
    font.SetFaceName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(font.FontFaceName.size(), 31);
}

TEST(AlarmTask, NameTables)
{
    ASSERT_EQ(ScheduleNames().size(), 6);
    EXPECT_EQ(ScheduleNames()[0], QStringLiteral(u"执行一次"));
    EXPECT_EQ(ScheduleNames()[5], QStringLiteral(u"每年"));
    ASSERT_EQ(ActionModeNames().size(), 5);
    EXPECT_EQ(ActionModeNames()[3], QStringLiteral(u"关闭计算机"));
    ASSERT_EQ(ActionModeShortNames().size(), 5);
    EXPECT_EQ(ActionModeShortNames()[3], QStringLiteral(u"关机"));
}
