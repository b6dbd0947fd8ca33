// SPDX-License-Identifier: MIT
#include "timesync/NtpTimestamp.h"

#include <QDate>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The Julian Day Number of 1900-01-01, the NTP epoch.
constexpr qint64 NtpEpochDay = 2415021;
// Seconds from the NTP epoch to the Unix epoch, 1970-01-01.
constexpr qint64 UnixEpochSeconds = 2208988800;
constexpr qint64 Era = qint64(1) << 32;

constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

constexpr std::array<quint32, 1000> buildMillisecondTable()
{
    std::array<quint32, 1000> table {};
    for (int ms = 0; ms < 1000; ++ms)
        table[ms] = quint32((quint64(ms) * (quint64(1) << 32) + 500) / 1000);
    return table;
}

constexpr std::array<quint32, 1000> MillisecondTable = buildMillisecondTable();
static_assert(MillisecondTable[1] == 4294967u);
static_assert(MillisecondTable[500] == 2147483648u);
static_assert(MillisecondTable[999] == 4290672329u);

// ACM Algorithm 199: the Julian Day Number of a Gregorian date, and back.
qint64 julianDay(qint64 year, qint64 month, qint64 day)
{
    const qint64 a = month < 3 ? 1 : 0;
    const qint64 y = year - a;
    const qint64 m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 1461 * (y % 100) / 4 + 146097 * (y / 100) / 4 + 1721119;
}

void gregorianDate(qint64 jdn, int &year, int &month, int &day)
{
    qint64 j = jdn - 1721119;
    qint64 y = (4 * j - 1) / 146097;
    j = 4 * j - 1 - 146097 * y;
    qint64 d = j / 4;
    j = (4 * d + 3) / 1461;
    d = 4 * d + 3 - 1461 * j;
    d = (d + 4) / 4;
    qint64 m = (5 * d - 3) / 153;
    d = 5 * d - 3 - 153 * m;
    d = (d + 5) / 5;
    y = 100 * y + j;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        ++y;
    }
    year = int(y);
    month = int(m);
    day = int(d);
}

} // namespace

quint32 MillisecondFraction(int millisecond)
{
    return MillisecondTable[std::clamp(millisecond, 0, 999)];
}

NtpTimestamp NtpTimestamp::FromCalendar(const UtcCalendarTime &time)
{
    const qint64 days = julianDay(time.year, time.month, time.day) - NtpEpochDay;
    const qint64 seconds = ((days * 24 + time.hour) * 60 + time.minute) * 60 + time.second;
    return {quint32(quint64(seconds)), MillisecondFraction(time.millisecond)};
}

UtcCalendarTime NtpTimestamp::ToCalendar() const
{
    UtcCalendarTime time;
    const qint64 n = seconds / 86400;
    gregorianDate(n + NtpEpochDay, time.year, time.month, time.day);
    time.weekday = int((n + NtpEpochDay + 1) % 7);
    time.hour = int(seconds / 3600 % 24);
    time.minute = int(seconds / 60 % 60);
    time.second = int(seconds % 60);
    time.millisecond = std::min(int(double(fraction) * 1000.0 / 4294967296.0 + 0.5), 999);
    return time;
}

double NtpTimestamp::Difference(const NtpTimestamp &a, const NtpTimestamp &b)
{
    if (a.Value() < b.Value())
        return -Difference(b, a);
    const NtpTimestamp d = FromValue(a.Value() - b.Value());
    return double(d.seconds) + double(d.fraction) / 4294967296.0;
}

NtpTimestamp NtpTimestamp::Plus(double seconds) const
{
    if (!std::isfinite(seconds))
        return *this;
    double whole = 0;
    const double part = std::modf(std::fabs(seconds), &whole);
    // Only the low 32 bits of the whole seconds survive the shift; taking
    // them first keeps huge amounts exact modulo 2^64.
    const quint64 amount = (quint64(std::fmod(whole, 4294967296.0)) << 32) + quint64(part * 4294967295.0);
    return FromValue(seconds >= 0 ? Value() + amount : Value() - amount);
}

NtpTimestamp NtpTimestamp::FromUnixMicroseconds(qint64 microseconds)
{
    // Whole milliseconds through the calendar, the rest added on.
    const qint64 ms = floorDiv(microseconds, 1000);
    const qint64 secs = floorDiv(ms, 1000);
    const qint64 days = floorDiv(secs, 86400);
    const qint64 secondOfDay = secs - days * 86400;

    UtcCalendarTime time;
    const QDate date = QDate(1970, 1, 1).addDays(days);
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    time.hour = int(secondOfDay / 3600);
    time.minute = int(secondOfDay / 60 % 60);
    time.second = int(secondOfDay % 60);
    time.millisecond = int(ms - secs * 1000);
    return FromCalendar(time).Plus(double(microseconds - ms * 1000) / 1e6);
}

qint64 NtpTimestamp::ToUnixMicroseconds() const
{
    const qint64 sinceEpoch = (seconds & 0x80000000u) ? qint64(seconds) : qint64(seconds) + Era;
    const qint64 us = qint64((quint64(fraction) * 1000000 + (quint64(1) << 31)) >> 32);
    return (sinceEpoch - UnixEpochSeconds) * 1000000 + us;
}

NtpTimestamp NtpTimestamp::Read(const QByteArray &bytes, int offset)
{
    uchar raw[8] = {};
    for (int i = 0; i < 8 && offset + i < bytes.size(); ++i)
        raw[i] = uchar(bytes.at(offset + i));
    return {qFromBigEndian<quint32>(raw), qFromBigEndian<quint32>(raw + 4)};
}

void NtpTimestamp::Write(QByteArray &bytes, int offset) const
{
    if (bytes.size() < offset + 8)
        bytes.resize(offset + 8, '\0');
    qToBigEndian(seconds, bytes.data() + offset);
    qToBigEndian(fraction, bytes.data() + offset + 4);
}
