// SPDX-License-Identifier: MIT
#include "calendar/LunarCalendar.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime day(int y, int m, int d)
{
    return DateTime::FromParts(y, m, d);
}

std::string shown(const DateTime &date)
{
    return date.ToDateString().toStdString();
}

} // namespace

TEST(LunarCalendar, FullTextOfDatesAnAlmanacConfirms)
{
    struct Case
    {
        DateTime date;
        const char16_t *text;
    };
    const Case cases[] = {
        // Before and on the lunar New Year: the lunar year keeps its own animal.
        {day(1990, 1, 20), u"己巳蛇年腊月廿四"},
        {day(1990, 1, 27), u"庚午马年正月初一"},
        {day(2008, 2, 14), u"戊子鼠年正月初八"},
        {day(2026, 2, 17), u"丙午马年正月初一"},
        // New moons within minutes of midnight, where other tables slip a day.
        {day(2027, 2, 5), u"丙午马年腊月廿九"},
        {day(2027, 2, 6), u"丁未羊年正月初一"},
        {day(2030, 2, 2), u"己酉鸡年腊月三十"},
        {day(2030, 2, 3), u"庚戌狗年正月初一"},
        {day(2033, 1, 31), u"癸丑牛年正月初一"},
        // A leap month: 闰六月 2025 follows a full 六月.
        {day(2025, 7, 24), u"乙巳蛇年六月三十"},
        {day(2025, 7, 25), u"乙巳蛇年闰六月初一"},
        {day(2025, 8, 22), u"乙巳蛇年闰六月廿九"},
        {day(2025, 8, 23), u"乙巳蛇年七月初一"},
        // 2033's leap month, late in the year.
        {day(2033, 12, 22), u"癸丑牛年闰冬月初一"},
        // The edges of the years the program promises.
        {day(1901, 1, 1), u"庚子鼠年冬月十一"},
        {day(1901, 2, 19), u"辛丑牛年正月初一"},
        {day(2099, 1, 21), u"己未羊年正月初一"},
        {day(2099, 12, 31), u"己未羊年冬月二十"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LunarCalendar::Text(c.date), QString::fromUtf16(c.text)) << shown(c.date);
}

TEST(LunarCalendar, OutsideTheTablesThereIsNoLunarDate)
{
    EXPECT_EQ(LunarCalendar::Text(day(1900, 1, 31)), QString());
    EXPECT_EQ(LunarCalendar::Text(day(1900, 2, 1)), u"庚子鼠年正月初二"_s);
    EXPECT_EQ(LunarCalendar::Text(day(2101, 1, 1)), QString());
    EXPECT_EQ(LunarCalendar::Text(DateTime::Invalid()), QString());
    EXPECT_FALSE(LunarCalendar::FromGregorian(day(1899, 6, 1)));
    EXPECT_EQ(LunarCalendar::DayLabel(day(2101, 1, 1)), QString());
    EXPECT_EQ(LunarCalendar::FestivalName(day(1800, 1, 1)), QString());
}

TEST(LunarCalendar, FestivalsIncludingTheLastDayOfTheYear)
{
    struct Case
    {
        DateTime date;
        const char16_t *festival;
    };
    const Case cases[] = {
        {day(1990, 1, 27), u"春节"},
        {day(2026, 2, 17), u"春节"},
        {day(2027, 2, 6), u"春节"},
        {day(2030, 2, 3), u"春节"},
        {day(2033, 1, 31), u"春节"},
        {day(2026, 3, 3), u"元宵节"},
        {day(2026, 6, 19), u"端午节"},
        {day(2026, 8, 19), u"七夕"},
        {day(2026, 8, 27), u"中元节"},
        {day(2026, 9, 25), u"中秋节"},
        {day(2057, 9, 13), u"中秋节"},
        {day(2026, 10, 18), u"重阳节"},
        {day(2027, 1, 15), u"腊八节"},
        {day(2027, 1, 30), u"小年"},
        // 除夕 is 廿九 when 腊月 is short, 三十 when it is full.
        {day(2027, 2, 5), u"除夕"},
        {day(2024, 2, 9), u"除夕"},
        {day(2024, 2, 8), u""},
        {day(2026, 9, 24), u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LunarCalendar::FestivalName(c.date), QString::fromUtf16(c.festival)) << shown(c.date);

    // A leap month repeats its month's number but none of its festivals:
    // 端午节 2009 fell in 五月, not in the 闰五月 after it.
    const DateTime leapFifth = LunarCalendar::ToGregorian({2009, 5, 5, true});
    ASSERT_EQ(leapFifth, day(2009, 6, 27));
    EXPECT_EQ(LunarCalendar::FestivalName(leapFifth), QString());
    EXPECT_EQ(LunarCalendar::FestivalName(day(2009, 5, 28)), u"端午节"_s);
}

TEST(LunarCalendar, DayNamesAndTheShortLabelOfAMonthView)
{
    const std::pair<int, const char16_t *> days[] = {{1, u"初一"},  {9, u"初九"},  {10, u"初十"}, {11, u"十一"},
                                                     {19, u"十九"}, {20, u"二十"}, {21, u"廿一"}, {29, u"廿九"},
                                                     {30, u"三十"}, {0, u""},      {31, u""}};
    for (const auto &[number, name] : days)
        EXPECT_EQ(LunarCalendar::DayName(number), QString::fromUtf16(name)) << number;
    EXPECT_EQ(LunarCalendar::MonthName(11, true), u"闰冬月"_s);
    EXPECT_EQ(LunarCalendar::MonthName(13, false), QString());

    // The festival, else the month on its first day, else the day.
    EXPECT_EQ(LunarCalendar::DayLabel(day(2027, 2, 6)), u"春节"_s);
    EXPECT_EQ(LunarCalendar::DayLabel(day(2027, 2, 7)), u"初二"_s);
    EXPECT_EQ(LunarCalendar::DayLabel(day(2027, 3, 8)), u"二月"_s);
    EXPECT_EQ(LunarCalendar::DayLabel(day(2025, 7, 25)), u"闰六月"_s);
    EXPECT_EQ(LunarCalendar::MonthDayText(day(2025, 7, 25)), u"闰六月初一"_s);
}

TEST(LunarCalendar, ConversionsAgreeBothWaysOverTheWholeSpan)
{
    // Every day from the first to the last: each lunar day leads back to its
    // Gregorian day, days follow one another, and months have 29 or 30 days.
    LunarDay previous {};
    int runs = 0;
    for (DateTime d = LunarCalendar::FirstDate(); d <= LunarCalendar::LastDate(); d = d.AddDays(1)) {
        const std::optional<LunarDay> lunar = LunarCalendar::FromGregorian(d);
        ASSERT_TRUE(lunar) << shown(d);
        ASSERT_EQ(LunarCalendar::ToGregorian(*lunar), d) << shown(d);
        if (previous.year) {
            const bool nextDay = lunar->day == previous.day + 1 && lunar->month == previous.month &&
                lunar->leapMonth == previous.leapMonth;
            const bool newMonth = lunar->day == 1 && (previous.day == 29 || previous.day == 30);
            ASSERT_TRUE(nextDay || newMonth) << shown(d);
        }
        previous = *lunar;
        ++runs;
    }
    EXPECT_GT(runs, 73000);
    EXPECT_EQ(LunarCalendar::MonthLength(2026, 12, false), 29);
    EXPECT_EQ(LunarCalendar::MonthLength(2023, 12, false), 30);
    EXPECT_EQ(LunarCalendar::MonthLength(2025, 6, true), 29);
    EXPECT_EQ(LunarCalendar::MonthLength(2026, 6, true), 0);
    EXPECT_EQ(LunarCalendar::ToGregorian({2026, 12, 30, false}), DateTime::Invalid());
}
