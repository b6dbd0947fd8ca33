// SPDX-License-Identifier: MIT
// NTP timestamps: calendar conversions both ways, differences and sums.
#include "timesync/NtpTimestamp.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

constexpr quint32 HalfMillisecond = 2147484; // 2^32 / 2000, rounded up

UtcCalendarTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return {y, mo, d, h, mi, s, ms};
}

} // namespace

TEST(NtpTimestamp, FromCalendar)
{
    const struct
    {
        UtcCalendarTime time;
        quint32 seconds;
        quint32 fraction;
    } cases[] = {
        {at(1900, 1, 1), 0, 0},
        {at(2000, 1, 1), 3155673600u, 0},
        {at(1900, 1, 1, 0, 0, 0, 1), 0, 4294967u},
        {at(1900, 1, 1, 0, 0, 0, 500), 0, 2147483648u},
        {at(1900, 1, 1, 0, 0, 0, 999), 0, 4290672329u},
        {at(2024, 2, 29, 23, 59, 59), 3918239999u, 0},
        // The end of the first era, and the start of the next on the wire.
        {at(2036, 2, 7, 6, 28, 15), 0xFFFFFFFFu, 0},
        {at(2036, 2, 7, 6, 28, 16), 0, 0},
    };
    for (const auto &c : cases) {
        const NtpTimestamp t = NtpTimestamp::FromCalendar(c.time);
        EXPECT_EQ(t.seconds, c.seconds) << c.time.year << '-' << c.time.month << '-' << c.time.day;
        EXPECT_EQ(t.fraction, c.fraction) << c.time.millisecond;
    }
}

TEST(NtpTimestamp, EveryDayOfTheEraConvertsBothWaysLikeQDate)
{
    const QDate epoch(1900, 1, 1);
    for (QDate date = epoch; date < QDate(2036, 2, 7); date = date.addDays(1)) {
        const qint64 days = epoch.daysTo(date);
        const UtcCalendarTime time = at(date.year(), date.month(), date.day(), 13, 14, 15, 16);
        const NtpTimestamp t = NtpTimestamp::FromCalendar(time);
        ASSERT_EQ(t.seconds, quint32(days * 86400 + 13 * 3600 + 14 * 60 + 15)) << qPrintable(date.toString());
        UtcCalendarTime back = t.ToCalendar();
        ASSERT_EQ(back.weekday, date.dayOfWeek() % 7) << qPrintable(date.toString());
        back.weekday = time.weekday;
        ASSERT_EQ(back, time) << qPrintable(date.toString());
    }
}

TEST(NtpTimestamp, ToCalendarRoundsTheFractionToMillisecondsUpTo999)
{
    const struct
    {
        quint32 fraction;
        int millisecond;
    } cases[] = {
        {0, 0},
        {HalfMillisecond - 1, 0},
        {HalfMillisecond, 1},
        {2147483648u, 500},
        // Within half a millisecond below the next second.
        {0xFFFFFFFFu - HalfMillisecond + 2, 999},
        {0xFFFFFFFFu, 999},
    };
    for (const auto &c : cases)
        EXPECT_EQ((NtpTimestamp {5, c.fraction}.ToCalendar().millisecond), c.millisecond) << c.fraction;
}

TEST(NtpTimestamp, DifferenceAndSignedAddition)
{
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference({110, 0x80000000u}, {100, 0}), 10.5);
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference({100, 0}, {110, 0x80000000u}), -10.5);
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference({7, 0x40000000u}, {7, 0x40000000u}), 0.0);

    const struct
    {
        NtpTimestamp from;
        double seconds;
        NtpTimestamp expected;
    } sums[] = {
        {{100, 0}, 9.75, {109, 3221225471u}}, // trunc(0.75 x (2^32 - 1))
        {{100, 0}, -0.25, {99, 3221225473u}},   {{100, 0x80000000u}, -0.5, {100, 1}},
        {{0, 0}, -1, {0xFFFFFFFFu, 0}}, // wraps below zero
        {{0xFFFFFFFFu, 0}, 2, {1, 0}}, // and above the top
        {{5, 0}, 4294967296.0 * 3 + 1, {6, 0}},
    };
    for (const auto &s : sums)
        EXPECT_EQ(s.from.Plus(s.seconds), s.expected) << s.seconds;
}

TEST(NtpTimestamp, UnixMicrosecondsAcrossEras)
{
    // 1969-07-20 20:17:40, 2026-05-20 03:04:05, the era change, 2100-12-31 23:59:59.
    for (const qint64 seconds : {-14182940LL, 1779246245LL, 2085978496LL, 4133980799LL}) {
        for (const qint64 us : {seconds * 1000000, seconds * 1000000 + 123457}) {
            const NtpTimestamp t = NtpTimestamp::FromUnixMicroseconds(us);
            EXPECT_EQ(t.seconds, quint32(quint64(seconds + 2208988800LL)));
            EXPECT_NEAR(double(t.ToUnixMicroseconds()), double(us), 1.0) << seconds;
        }
    }
}
