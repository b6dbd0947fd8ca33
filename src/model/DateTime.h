// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

class QDateTime;

// A zone-less local calendar date-time with one-second resolution and a
// validity flag. It counts whole seconds since 1899-12-30 00:00:00, the epoch
// of the date values the data files were designed around; the supported range
// is 100-01-01 00:00:00 .. 9999-12-31 23:59:59. Building an impossible date
// yields an invalid value, and arithmetic on an invalid value stays invalid.
// A time of day is such a value on 1899-12-30.
class DateTime
{
public:
    static constexpr qint64 SecondsPerDay = 86400;

    // 1899-12-30 00:00:00, valid.
    DateTime() = default;

    // Builds from parts; the result is invalid when any part is out of range.
    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // The time of day h:m:s, on 1899-12-30.
    static DateTime TimeOfDay(int hour, int minute, int second = 0);
    static DateTime FromSeconds(qint64 secondsSinceEpoch);
    static DateTime Invalid();
    static DateTime FromQDateTime(const QDateTime &local);
    // Seconds since 1970-01-01 00:00:00 UTC, seen in local time, and back.
    static DateTime FromUnixTime(qint64 seconds);
    qint64 ToUnixTime() const;

    // Sets the value from parts. On failure the flag becomes invalid and the
    // stored count stays as it was.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);

    bool IsValid() const { return m_valid; }
    qint64 Seconds() const { return m_seconds; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    // 1 = Sunday, 2 = Monday ... 7 = Saturday.
    int DayOfWeek() const;
    // Monday = 1 ... Sunday = 7.
    int MondayBasedWeekday() const;
    // Monday = 0 ... Sunday = 6, the bit numbering of weekday sets.
    int WeekdayBit() const;

    // The date at 00:00:00.
    DateTime Day0() const;
    // Seconds since midnight.
    int SecondOfDay() const;
    // The same date at the given time of day (invalid when the parts are).
    DateTime WithTime(int hour, int minute, int second) const;
    // This value's date combined with the time of day of another value.
    DateTime WithTimeOf(const DateTime &time) const;

    // Any span is taken: one that leaves the supported range, however far,
    // gives an invalid value.
    DateTime AddSeconds(qint64 seconds) const;
    DateTime AddMinutes(qint64 minutes) const { return AddScaled(minutes, 60); }
    DateTime AddDays(qint64 days) const { return AddScaled(days, SecondsPerDay); }

    // strftime-like: %Y %m %d %H %M %S and %%; an invalid value formats empty.
    QString Format(const char *format) const;
    QString ToDateTimeString() const { return Format("%Y-%m-%d %H:%M:%S"); }
    QString ToDateString() const { return Format("%Y-%m-%d"); }
    QString ToTimeString() const { return Format("%H:%M:%S"); }

    // Local time; an invalid value gives an invalid QDateTime.
    QDateTime ToQDateTime() const;

    friend bool operator==(const DateTime &, const DateTime &) = default;
    friend bool operator<(const DateTime &a, const DateTime &b) { return a.m_seconds < b.m_seconds; }
    friend bool operator<=(const DateTime &a, const DateTime &b) { return a.m_seconds <= b.m_seconds; }
    friend bool operator>(const DateTime &a, const DateTime &b) { return a.m_seconds > b.m_seconds; }
    friend bool operator>=(const DateTime &a, const DateTime &b) { return a.m_seconds >= b.m_seconds; }

    static bool IsLeapYear(int year);
    // True length of a month, leap years counted.
    static int DaysInMonth(int year, int month);

private:
    struct Date
    {
        int year;
        int month;
        int day;
    };
    Date CivilDate() const;
    static bool InRange(qint64 seconds);
    DateTime AddScaled(qint64 count, qint64 unit) const;

    qint64 m_seconds = 0;
    bool m_valid = true;
};
