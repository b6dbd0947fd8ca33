// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QtGlobal>

// A calendar moment in UTC with milliseconds.
struct UtcCalendarTime
{
    int year = 1900;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    // 0 = Sunday .. 6 = Saturday; filled in by conversions to calendar time,
    // ignored by conversions from it.
    int weekday = 1;

    friend bool operator==(const UtcCalendarTime &, const UtcCalendarTime &) = default;
};

// An NTP timestamp: a count of 2^-32 seconds since 1900-01-01 00:00:00 UTC,
// as whole seconds (high half) and fraction (low half). On the wire it takes
// 8 bytes, seconds first, both big-endian.
struct NtpTimestamp
{
    quint32 seconds = 0;
    quint32 fraction = 0;

    static NtpTimestamp FromValue(quint64 value) { return {quint32(value >> 32), quint32(value)}; }
    quint64 Value() const { return quint64(seconds) << 32 | fraction; }
    bool IsZero() const { return seconds == 0 && fraction == 0; }

    // The calendar moment as a timestamp: the date through its Julian Day
    // Number, the milliseconds through a table of 2^32 / 1000 steps. Moments
    // from 2036-02-07 06:28:16 on wrap into the next era, as on the wire.
    static NtpTimestamp FromCalendar(const UtcCalendarTime &time);
    // The timestamp as a calendar moment of the era starting in 1900.
    UtcCalendarTime ToCalendar() const;

    // a - b in seconds.
    static double Difference(const NtpTimestamp &a, const NtpTimestamp &b);
    // This timestamp moved by a signed number of seconds, wrapping around.
    NtpTimestamp Plus(double seconds) const;

    // From and to microseconds since 1970-01-01 00:00:00 UTC. A timestamp
    // with the top bit of its seconds clear lies in the era that starts in
    // 2036, so the conversion holds from 1968 to 2104.
    static NtpTimestamp FromUnixMicroseconds(qint64 microseconds);
    qint64 ToUnixMicroseconds() const;

    // Big-endian, 8 bytes at `offset`; missing bytes read as zero.
    static NtpTimestamp Read(const QByteArray &bytes, int offset);
    void Write(QByteArray &bytes, int offset) const;

    friend bool operator==(const NtpTimestamp &, const NtpTimestamp &) = default;
};

// The fraction that stands for a whole number of milliseconds 0..999:
// round(ms x 2^32 / 1000).
quint32 MillisecondFraction(int millisecond);
