// SPDX-License-Identifier: MIT
#include "calendar/CalendarInfo.h"

#include "calendar/LunarCalendar.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

const QStringList &AnimalNames()
{
    static const QStringList names {u"鼠"_s, u"牛"_s, u"虎"_s, u"兔"_s, u"龙"_s, u"蛇"_s,
                                    u"马"_s, u"羊"_s, u"猴"_s, u"鸡"_s, u"狗"_s, u"猪"_s};
    return names;
}

const QStringList &SignNames()
{
    static const QStringList names {u"摩羯"_s, u"水瓶"_s, u"双鱼"_s, u"白羊"_s, u"金牛"_s, u"双子"_s,
                                    u"巨蟹"_s, u"狮子"_s, u"处女"_s, u"天秤"_s, u"天蝎"_s, u"射手"_s};
    return names;
}

const QStringList &DayOfWeekNames()
{
    static const QStringList names {u"星期天"_s, u"星期一"_s, u"星期二"_s, u"星期三"_s,
                                    u"星期四"_s, u"星期五"_s, u"星期六"_s};
    return names;
}

int AnimalIndex(int year)
{
    // The Gregorian year as it is: January before the Chinese New Year
    // already counts as the new animal's.
    const int cycle = ((year - 4) % 60 + 60) % 60;
    return cycle % 12;
}

int SignIndex(int month, int day)
{
    // The day (month * 100 + day) from which signs 1..11 run; 1222 closes 11.
    static constexpr int firstDays[] = {122, 222, 321, 421, 522, 622, 722, 822, 922, 1022, 1122, 1222};
    const int k = month * 100 + day;
    if (k >= 1222 || k < 122)
        return 0;
    for (int i = 1; i <= 11; ++i) {
        if (k >= firstDays[i - 1] && k < firstDays[i])
            return i;
    }
    return 0;
}

DateTime EasterSunday(int year)
{
    // Gauss's rule with the constants of the Gregorian years 1900..2099.
    const int a = year % 19;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + 5) % 7;
    const int day = 22 + d + e;
    if (day <= 31)
        return DateTime::FromParts(year, 3, day);
    int aprilDay = day - 31;
    if (aprilDay == 26)
        aprilDay = 19;
    else if (aprilDay == 25 && d == 28 && e == 6 && a > 10)
        aprilDay = 18;
    return DateTime::FromParts(year, 4, aprilDay);
}

DateTime GoodFriday(int year)
{
    return EasterSunday(year).AddDays(-2);
}

QString HolidayName(const DateTime &date)
{
    const DateTime day = date.Day0();
    const int month = day.Month();
    const int d = day.Day();
    constexpr int Thursday = 5; // 1 = Sunday
    if (month == 2 && d == 14)
        return u"情人节"_s;
    if (month == 3 && d == 17)
        return u"圣帕特里克节"_s;
    if (month == 4 && d == 1)
        return u"愚人节"_s;
    if (day == GoodFriday(day.Year()))
        return u"耶稣受难日"_s;
    if (day == EasterSunday(day.Year()))
        return u"复活节"_s;
    if (month == 11 && d == 1)
        return u"万圣节"_s;
    if (month == 11 && d >= 24 && day.DayOfWeek() == Thursday)
        return u"感恩节"_s;
    if (month == 12 && d == 25)
        return u"圣诞节"_s;
    return {};
}

DateDescription DescribeDate(const DateTime &date)
{
    DateDescription result;
    result.SignIndex = SignIndex(date.Month(), date.Day());
    result.AnimalIndex = AnimalIndex(date.Year());
    // The traditional festival and the Western holiday may fall on one day
    // (春节 on Valentine's Day in 2010): both are named.
    QStringList holidays {LunarCalendar::FestivalName(date), HolidayName(date)};
    holidays.removeAll(QString());
    const QString dayName = holidays.isEmpty() ? DayOfWeekNames()[date.DayOfWeek() - 1] : holidays.join(u"、"_s);
    QString longDate = u"%1年%2月%3日"_s.arg(date.Year()).arg(date.Month()).arg(date.Day());
    if (const QString lunar = LunarCalendar::Text(date); !lunar.isEmpty())
        longDate += u' ' + lunar;
    result.Text =
        u"%1, %2, %3, %4"_s.arg(longDate, AnimalNames()[result.AnimalIndex], SignNames()[result.SignIndex], dayName);
    return result;
}
