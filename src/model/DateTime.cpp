// SPDX-License-Identifier: MIT
#include "DateTime.h"

#include "model/TextScan.h"

#include <QDateTime>
#include <QVarLengthArray>
#include <iterator>

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date, and back (the
// era-based algorithms of H. Hinnant, exact over the whole supported range).
qint64 daysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 z, int &year, int &month, int &day)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

// 1899-12-30 lies 25569 days before 1970-01-01.
constexpr qint64 EpochOffsetDays = 25569;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

const qint64 MinSeconds = (daysFromCivil(100, 1, 1) + EpochOffsetDays) * DateTime::SecondsPerDay;
const qint64 MaxSeconds = (daysFromCivil(9999, 12, 31) + EpochOffsetDays + 1) * DateTime::SecondsPerDay - 1;

bool partsValid(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12)
        return false;
    if (day < 1 || day > DateTime::DaysInMonth(year, month))
        return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

} // namespace

bool DateTime::IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DateTime::DaysInMonth(int year, int month)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

bool DateTime::InRange(qint64 seconds)
{
    return seconds >= MinSeconds && seconds <= MaxSeconds;
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second)
{
    DateTime result;
    result.SetDateTime(year, month, day, hour, minute, second);
    return result;
}

DateTime DateTime::TimeOfDay(int hour, int minute, int second)
{
    return FromParts(1899, 12, 30, hour, minute, second);
}

DateTime DateTime::FromSeconds(qint64 secondsSinceEpoch)
{
    DateTime result;
    result.m_seconds = secondsSinceEpoch;
    result.m_valid = InRange(secondsSinceEpoch);
    return result;
}

DateTime DateTime::Invalid()
{
    DateTime result;
    result.m_valid = false;
    return result;
}

DateTime DateTime::FromQDateTime(const QDateTime &local)
{
    if (!local.isValid())
        return Invalid();
    const QDateTime l = local.toLocalTime();
    const QDate d = l.date();
    const QTime t = l.time();
    return FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

DateTime DateTime::FromUnixTime(qint64 seconds)
{
    return FromQDateTime(QDateTime::fromSecsSinceEpoch(seconds));
}

qint64 DateTime::ToUnixTime() const
{
    return m_valid ? ToQDateTime().toSecsSinceEpoch() : 0;
}

bool DateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (!partsValid(year, month, day, hour, minute, second)) {
        m_valid = false;
        return false;
    }
    m_seconds =
        (daysFromCivil(year, month, day) + EpochOffsetDays) * SecondsPerDay + hour * 3600 + minute * 60 + second;
    m_valid = true;
    return true;
}

DateTime::Date DateTime::CivilDate() const
{
    Date date {};
    civilFromDays(floorDiv(m_seconds, SecondsPerDay) - EpochOffsetDays, date.year, date.month, date.day);
    return date;
}

int DateTime::Year() const
{
    return CivilDate().year;
}

int DateTime::Month() const
{
    return CivilDate().month;
}

int DateTime::Day() const
{
    return CivilDate().day;
}

int DateTime::SecondOfDay() const
{
    return int(m_seconds - floorDiv(m_seconds, SecondsPerDay) * SecondsPerDay);
}

int DateTime::Hour() const
{
    return SecondOfDay() / 3600;
}

int DateTime::Minute() const
{
    return SecondOfDay() / 60 % 60;
}

int DateTime::Second() const
{
    return SecondOfDay() % 60;
}

int DateTime::DayOfWeek() const
{
    // Day 0, 1899-12-30, was a Saturday.
    const qint64 days = floorDiv(m_seconds, SecondsPerDay);
    return int(((days + 6) % 7 + 7) % 7) + 1;
}

int DateTime::MondayBasedWeekday() const
{
    const int dow = DayOfWeek();
    return dow == 1 ? 7 : dow - 1;
}

int DateTime::WeekdayBit() const
{
    return MondayBasedWeekday() - 1;
}

DateTime DateTime::Day0() const
{
    DateTime result = *this;
    result.m_seconds = floorDiv(m_seconds, SecondsPerDay) * SecondsPerDay;
    return result;
}

DateTime DateTime::WithTime(int hour, int minute, int second) const
{
    if (!m_valid)
        return Invalid();
    const Date d = CivilDate();
    return FromParts(d.year, d.month, d.day, hour, minute, second);
}

DateTime DateTime::WithTimeOf(const DateTime &time) const
{
    if (!time.IsValid())
        return Invalid();
    return WithTime(time.Hour(), time.Minute(), time.Second());
}

DateTime DateTime::AddSeconds(qint64 seconds) const
{
    if (!m_valid)
        return *this;
    qint64 sum = 0;
    if (__builtin_add_overflow(m_seconds, seconds, &sum))
        return Invalid();
    return FromSeconds(sum);
}

DateTime DateTime::AddScaled(qint64 count, qint64 unit) const
{
    qint64 seconds = 0;
    if (__builtin_mul_overflow(count, unit, &seconds))
        return m_valid ? Invalid() : *this;
    return AddSeconds(seconds);
}

QString DateTime::Format(const char *format) const
{
    if (!m_valid)
        return {};
    const Date d = CivilDate();
    // Gathered on the stack and made a string once: saves format four
    // dates of every task.
    QVarLengthArray<char16_t, 64> out;
    const auto two = [&out](int v) {
        out.append(char16_t(u'0' + v / 10));
        out.append(char16_t(u'0' + v % 10));
    };
    for (const char *p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out.append(char16_t(uchar(*p)));
            continue;
        }
        switch (*++p) {
        case 'Y': {
            char16_t digits[24];
            char16_t *const end = digits + std::size(digits);
            const char16_t *const from = DecimalBefore(end, d.year);
            out.append(from, end - from);
            break;
        }
        case 'm':
            two(d.month);
            break;
        case 'd':
            two(d.day);
            break;
        case 'H':
            two(Hour());
            break;
        case 'M':
            two(Minute());
            break;
        case 'S':
            two(Second());
            break;
        case '%':
            out.append(u'%');
            break;
        default:
            out.append(u'%');
            out.append(char16_t(uchar(*p)));
        }
    }
    return QString(reinterpret_cast<const QChar *>(out.constData()), out.size());
}

QDateTime DateTime::ToQDateTime() const
{
    if (!m_valid)
        return {};
    const Date d = CivilDate();
    return QDateTime(QDate(d.year, d.month, d.day), QTime(Hour(), Minute(), Second()), Qt::LocalTime);
}
