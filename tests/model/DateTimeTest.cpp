// SPDX-License-Identifier: MIT
#include "model/DateTime.h"

#include <QDateTime>
#include <gtest/gtest.h>

TEST(DateTime, RejectsImpossibleParts)
{
    EXPECT_TRUE(DateTime::FromParts(2024, 2, 29).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2023, 2, 29).IsValid());
    EXPECT_FALSE(DateTime::FromParts(1900, 2, 29).IsValid());
    EXPECT_TRUE(DateTime::FromParts(2000, 2, 29).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 4, 31).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 0, 1).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 13, 1).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 1, 0).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 1, 1, 24, 0, 0).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 1, 1, 0, 60, 0).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 1, 1, 0, 0, 60).IsValid());
    EXPECT_FALSE(DateTime::FromParts(2024, 1, 1, -1, 0, 0).IsValid());
    EXPECT_FALSE(DateTime::FromParts(10000, 1, 1).IsValid());
    EXPECT_FALSE(DateTime::FromParts(99, 12, 31).IsValid());
    EXPECT_TRUE(DateTime::FromParts(100, 1, 1).IsValid());
    EXPECT_TRUE(DateTime::FromParts(9999, 12, 31, 23, 59, 59).IsValid());
}

TEST(DateTime, FailedSetKeepsTheStoredCount)
{
    DateTime x = DateTime::FromParts(2024, 5, 6, 7, 8, 9);
    const qint64 before = x.Seconds();
    EXPECT_FALSE(x.SetDateTime(2024, 2, 30, 0, 0, 0));
    EXPECT_FALSE(x.IsValid());
    EXPECT_EQ(x.Seconds(), before);
    EXPECT_TRUE(x.SetDateTime(2024, 2, 29, 0, 0, 0));
    EXPECT_TRUE(x.IsValid());
}

TEST(DateTime, ArithmeticStaysInRangeAndInvalidStaysInvalid)
{
    EXPECT_FALSE(DateTime::FromParts(9999, 12, 31, 23, 59, 0).AddMinutes(1).IsValid());
    EXPECT_FALSE(DateTime::FromParts(100, 1, 1).AddSeconds(-1).IsValid());
    EXPECT_TRUE(DateTime::FromParts(100, 1, 1, 0, 0, 1).AddSeconds(-1).IsValid());
    const DateTime bad = DateTime::Invalid();
    EXPECT_FALSE(bad.AddDays(1).IsValid());
    EXPECT_FALSE(bad.AddDays(-1).IsValid());
    EXPECT_EQ(bad.Format("%Y"), QString());
}

// Every day of a full 400-year Gregorian cycle (and a little more) maps to
// the same day count Qt's proleptic Gregorian calendar gives, and back.
TEST(DateTime, FourHundredYearCycleRoundTrips)
{
    const qint64 qtEpoch = QDate(1899, 12, 30).toJulianDay();
    int expectedDow = DateTime::FromParts(1999, 12, 31).DayOfWeek();
    for (QDate d(2000, 1, 1); d <= QDate(2400, 3, 1); d = d.addDays(1)) {
        const DateTime x = DateTime::FromParts(d.year(), d.month(), d.day(), 13, 14, 15);
        ASSERT_TRUE(x.IsValid()) << d.toString().toStdString();
        ASSERT_EQ(x.Seconds(), (d.toJulianDay() - qtEpoch) * 86400 + 13 * 3600 + 14 * 60 + 15);
        ASSERT_EQ(x.Year(), d.year());
        ASSERT_EQ(x.Month(), d.month());
        ASSERT_EQ(x.Day(), d.day());
        ASSERT_EQ(x.Hour(), 13);
        ASSERT_EQ(x.Minute(), 14);
        ASSERT_EQ(x.Second(), 15);
        expectedDow = expectedDow % 7 + 1;
        ASSERT_EQ(x.DayOfWeek(), expectedDow);
        ASSERT_EQ(x.MondayBasedWeekday(), d.dayOfWeek());
        ASSERT_EQ(x.Day0(), DateTime::FromParts(d.year(), d.month(), d.day()));
    }
}

TEST(DateTime, EdgesOfTheRangeAndDatesBeforeTheEpoch)
{
    const DateTime first = DateTime::FromParts(100, 1, 1, 6, 7, 8);
    EXPECT_EQ(first.Year(), 100);
    EXPECT_EQ(first.Month(), 1);
    EXPECT_EQ(first.Day(), 1);
    EXPECT_EQ(first.Hour(), 6);
    EXPECT_EQ(first.Day0().SecondOfDay(), 0);
    EXPECT_EQ(first.MondayBasedWeekday(), QDate(100, 1, 1).dayOfWeek());
    const DateTime last = DateTime::FromParts(9999, 12, 31, 23, 59, 59);
    EXPECT_EQ(last.ToDateTimeString(), QStringLiteral("9999-12-31 23:59:59"));
    EXPECT_EQ(DateTime().ToDateTimeString(), QStringLiteral("1899-12-30 00:00:00"));
    EXPECT_EQ(DateTime::FromParts(1899, 12, 29, 18, 0, 0).Seconds(), -6 * 3600);
}

TEST(DateTime, FormatsTheFileFormats)
{
    const DateTime x = DateTime::FromParts(2008, 5, 1, 8, 30, 0);
    EXPECT_EQ(x.ToDateTimeString(), QStringLiteral("2008-05-01 08:30:00"));
    EXPECT_EQ(x.ToDateString(), QStringLiteral("2008-05-01"));
    EXPECT_EQ(x.ToTimeString(), QStringLiteral("08:30:00"));
    EXPECT_EQ(x.Format("%H%% %q"), QStringLiteral("08% %q"));
}

TEST(DateTime, TimeOfDayLiesOnTheEpochDate)
{
    const DateTime t = DateTime::TimeOfDay(23, 59, 0);
    EXPECT_EQ(t.Seconds(), 23 * 3600 + 59 * 60);
    EXPECT_EQ(t.ToDateString(), QStringLiteral("1899-12-30"));
    EXPECT_LT(DateTime::TimeOfDay(9, 0), DateTime::TimeOfDay(17, 0));
    EXPECT_FALSE(DateTime::TimeOfDay(24, 0).IsValid());
    const DateTime day = DateTime::FromParts(2024, 3, 10, 1, 2, 3);
    EXPECT_EQ(day.WithTimeOf(t), DateTime::FromParts(2024, 3, 10, 23, 59, 0));
}

TEST(DateTime, ConvertsToAndFromLocalQDateTime)
{
    const DateTime x = DateTime::FromParts(2026, 7, 14, 21, 5, 9);
    const QDateTime q = x.ToQDateTime();
    EXPECT_EQ(q.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(q.date(), QDate(2026, 7, 14));
    EXPECT_EQ(q.time(), QTime(21, 5, 9));
    EXPECT_EQ(DateTime::FromQDateTime(q), x);
    // Milliseconds are dropped, not rounded.
    EXPECT_EQ(DateTime::FromQDateTime(q.addMSecs(999)), x);
    EXPECT_FALSE(DateTime::FromQDateTime(QDateTime()).IsValid());
    EXPECT_FALSE(DateTime::Invalid().ToQDateTime().isValid());
}
