// SPDX-License-Identifier: MIT
#include "calendar/LunarCalendar.h"

#include "calendar/CalendarInfo.h"

#include <QStringList>
#include <lunar-date/lunar-date.h>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

constexpr int FirstTableYear = 1900;
constexpr int LastTableYear = 2100;

struct GregorianDay
{
    int year = 0;
    int month = 0;
    int day = 0;
};

// The library's converter. Making one parses the library's built-in holiday
// list, and neither of its release calls frees all of it, so a single one
// serves the whole program, one caller at a time. Its texts are translated
// by gettext and would follow the system language, so only its numbers are
// read; the names come from the tables below.
class Converter
{
public:
    static Converter &instance()
    {
        static Converter converter;
        return converter;
    }

    std::optional<LunarDay> toLunar(const GregorianDay &g)
    {
        const std::lock_guard lock(m_mutex);
        GError *error = nullptr;
        lunar_date_set_solar_date(m_date, GDateYear(g.year), GDateMonth(g.month), GDateDay(g.day), 0, &error);
        if (error) {
            g_error_free(error);
            return std::nullopt;
        }
        // "2025 *6 1": the year, the month with a star when it is a leap
        // month, and the day.
        const QStringList parts = format("%(nian) %(yue) %(ri)");
        if (parts.size() != 3)
            return std::nullopt;
        LunarDay lunar;
        QString month = parts[1];
        lunar.leapMonth = month.startsWith(u'*');
        if (lunar.leapMonth)
            month.remove(0, 1);
        bool ok[3] = {};
        lunar.year = parts[0].toInt(&ok[0]);
        lunar.month = month.toInt(&ok[1]);
        lunar.day = parts[2].toInt(&ok[2]);
        if (!ok[0] || !ok[1] || !ok[2])
            return std::nullopt;
        return lunar;
    }

    std::optional<GregorianDay> toGregorian(const LunarDay &lunar)
    {
        const std::lock_guard lock(m_mutex);
        GError *error = nullptr;
        lunar_date_set_lunar_date(m_date, GDateYear(lunar.year), GDateMonth(lunar.month), GDateDay(lunar.day), 0,
                                  lunar.leapMonth, &error);
        if (error) {
            g_error_free(error);
            return std::nullopt;
        }
        const QStringList parts = format("%(year) %(month) %(day)");
        if (parts.size() != 3)
            return std::nullopt;
        return GregorianDay {parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
    }

private:
    Converter()
        : m_date(lunar_date_new())
    { }

    QStringList format(const char *pattern)
    {
        gchar *text = lunar_date_strftime(m_date, pattern);
        const QString result = QString::fromUtf8(text);
        g_free(text);
        return result.split(u' ', Qt::SkipEmptyParts);
    }

    std::mutex m_mutex;
    LunarDate *m_date;
};

const QString &stems()
{
    static const QString text = u"甲乙丙丁戊己庚辛壬癸"_s;
    return text;
}

const QString &branches()
{
    static const QString text = u"子丑寅卯辰巳午未申酉戌亥"_s;
    return text;
}

const QStringList &monthNames()
{
    static const QStringList names {u"正月"_s, u"二月"_s, u"三月"_s, u"四月"_s, u"五月"_s, u"六月"_s,
                                    u"七月"_s, u"八月"_s, u"九月"_s, u"十月"_s, u"冬月"_s, u"腊月"_s};
    return names;
}

int cycleIndex(int lunarYear, int length)
{
    // 4 AD was a 甲子 year, the first of the sixty.
    return ((lunarYear - 4) % length + length) % length;
}

} // namespace

DateTime LunarCalendar::FirstDate()
{
    // The lunar year 1900 begins on 31 January, but the library converts
    // Gregorian dates only from the day after.
    return DateTime::FromParts(FirstTableYear, 2, 1);
}

DateTime LunarCalendar::LastDate()
{
    return DateTime::FromParts(LastTableYear, 12, 31);
}

std::optional<LunarDay> LunarCalendar::FromGregorian(const DateTime &date)
{
    const DateTime day = date.Day0();
    if (!day.IsValid() || day < FirstDate() || day > LastDate())
        return std::nullopt;
    return Converter::instance().toLunar({day.Year(), day.Month(), day.Day()});
}

DateTime LunarCalendar::ToGregorian(const LunarDay &day)
{
    if (day.year < FirstTableYear || day.year > LastTableYear || day.month < 1 || day.month > 12 || day.day < 1 ||
        day.day > 30)
        return DateTime::Invalid();
    const std::optional<GregorianDay> g = Converter::instance().toGregorian(day);
    if (!g)
        return DateTime::Invalid();
    const DateTime result = DateTime::FromParts(g->year, g->month, g->day);
    return result.IsValid() && result >= FirstDate() && result <= LastDate() ? result : DateTime::Invalid();
}

int LunarCalendar::MonthLength(int year, int month, bool leapMonth)
{
    for (int days : {30, 29}) {
        if (ToGregorian({year, month, days, leapMonth}).IsValid())
            return days;
    }
    return 0;
}

QString LunarCalendar::YearName(int lunarYear)
{
    return QString(stems()[cycleIndex(lunarYear, 10)]) + branches()[cycleIndex(lunarYear, 12)] +
        AnimalNames()[AnimalIndex(lunarYear)] + u"年"_s;
}

int LunarCalendar::AnimalIndex(int lunarYear)
{
    return cycleIndex(lunarYear, 12);
}

QString LunarCalendar::MonthName(int month, bool leapMonth)
{
    if (month < 1 || month > 12)
        return {};
    return leapMonth ? u"闰"_s + monthNames()[month - 1] : monthNames()[month - 1];
}

QString LunarCalendar::DayName(int day)
{
    static const QString digits = u"一二三四五六七八九十"_s;
    if (day < 1 || day > 30)
        return {};
    if (day == 10)
        return u"初十"_s;
    if (day == 20)
        return u"二十"_s;
    if (day == 30)
        return u"三十"_s;
    static const QString tens[] = {u"初"_s, u"十"_s, u"廿"_s};
    return tens[day / 10] + digits[day % 10 - 1];
}

QString LunarCalendar::Text(const DateTime &date)
{
    const std::optional<LunarDay> lunar = FromGregorian(date);
    if (!lunar)
        return {};
    return YearName(lunar->year) + MonthName(lunar->month, lunar->leapMonth) + DayName(lunar->day);
}

QString LunarCalendar::MonthDayText(const DateTime &date)
{
    const std::optional<LunarDay> lunar = FromGregorian(date);
    return lunar ? MonthName(lunar->month, lunar->leapMonth) + DayName(lunar->day) : QString();
}

QString LunarCalendar::FestivalName(const DateTime &date)
{
    const std::optional<LunarDay> lunar = FromGregorian(date);
    if (!lunar)
        return {};
    // A leap month repeats the month's number but none of its festivals.
    if (!lunar->leapMonth) {
        switch (lunar->month * 100 + lunar->day) {
        case 101:
            return u"春节"_s;
        case 115:
            return u"元宵节"_s;
        case 505:
            return u"端午节"_s;
        case 707:
            return u"七夕"_s;
        case 715:
            return u"中元节"_s;
        case 815:
            return u"中秋节"_s;
        case 909:
            return u"重阳节"_s;
        case 1208:
            return u"腊八节"_s;
        case 1223:
            return u"小年"_s;
        default:
            break;
        }
    }
    // 腊月 has 29 or 30 days: New Year's Eve is the day before 春节.
    const std::optional<LunarDay> next = FromGregorian(date.Day0().AddDays(1));
    if (next && next->month == 1 && next->day == 1 && !next->leapMonth)
        return u"除夕"_s;
    return {};
}

QString LunarCalendar::DayLabel(const DateTime &date)
{
    const std::optional<LunarDay> lunar = FromGregorian(date);
    if (!lunar)
        return {};
    if (QString festival = FestivalName(date); !festival.isEmpty())
        return festival;
    return lunar->day == 1 ? MonthName(lunar->month, lunar->leapMonth) : DayName(lunar->day);
}
