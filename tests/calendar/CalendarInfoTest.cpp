// SPDX-License-Identifier: MIT
#include "calendar/CalendarInfo.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

DateTime day(int y, int m, int d)
{
    return DateTime::FromParts(y, m, d);
}

} // namespace

TEST(CalendarInfo, DescribesValentinesDay2008)
{
    // The same Chinese text on a system set to another language.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const DateDescription d = DescribeDate(day(2008, 2, 14));
    QLocale::setDefault(before);
    EXPECT_EQ(d.AnimalIndex, 0);
    EXPECT_EQ(d.SignIndex, 1);
    EXPECT_EQ(d.Text, QStringLiteral(u"2008年2月14日 戊子鼠年正月初八, 鼠, 水瓶, 情人节"));
    // Without a holiday the weekday closes the text.
    EXPECT_TRUE(DescribeDate(day(2026, 12, 9)).Text.endsWith(QStringLiteral(u", 星期三")));
}

TEST(CalendarInfo, TheLunarDateAndTraditionalFestivalsJoinTheDescription)
{
    struct Case
    {
        DateTime date;
        const char16_t *text;
    };
    const Case cases[] = {
        // The animal after the lunar date stays the Gregorian year's.
        {day(1990, 1, 20), u"1990年1月20日 己巳蛇年腊月廿四, 马, 摩羯, 星期六"},
        {day(2027, 2, 6), u"2027年2月6日 丁未羊年正月初一, 羊, 水瓶, 春节"},
        {day(2010, 2, 14), u"2010年2月14日 庚寅虎年正月初一, 虎, 水瓶, 春节、情人节"},
        {day(2026, 9, 25), u"2026年9月25日 丙午马年八月十五, 马, 天秤, 中秋节"},
        // Beyond the lunar tables the text is the Part's own.
        {day(2150, 2, 14), u"2150年2月14日, 狗, 水瓶, 情人节"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DescribeDate(c.date).Text, QString::fromUtf16(c.text));
}

TEST(CalendarInfo, SignBoundaries)
{
    EXPECT_EQ(SignNames()[SignIndex(12, 22)], QStringLiteral(u"摩羯"));
    EXPECT_EQ(SignNames()[SignIndex(1, 21)], QStringLiteral(u"摩羯"));
    EXPECT_EQ(SignNames()[SignIndex(1, 22)], QStringLiteral(u"水瓶"));
    EXPECT_EQ(SignNames()[SignIndex(12, 21)], QStringLiteral(u"射手"));
    EXPECT_EQ(SignNames()[SignIndex(3, 20)], QStringLiteral(u"双鱼"));
    EXPECT_EQ(SignNames()[SignIndex(3, 21)], QStringLiteral(u"白羊"));
}

TEST(CalendarInfo, AnimalsFollowTheGregorianYear)
{
    EXPECT_EQ(AnimalNames()[AnimalIndex(2008)], QStringLiteral(u"鼠"));
    EXPECT_EQ(AnimalNames()[AnimalIndex(2026)], QStringLiteral(u"马"));
    EXPECT_EQ(AnimalNames()[AnimalIndex(1900)], QStringLiteral(u"鼠"));
    EXPECT_EQ(AnimalNames()[AnimalIndex(2027)], QStringLiteral(u"羊"));
}

TEST(CalendarInfo, EasterWithGausssExceptions)
{
    EXPECT_EQ(EasterSunday(2008), day(2008, 3, 23));
    EXPECT_EQ(GoodFriday(2008), day(2008, 3, 21));
    EXPECT_EQ(EasterSunday(2011), day(2011, 4, 24));
    EXPECT_EQ(EasterSunday(1981), day(1981, 4, 19));
    EXPECT_EQ(EasterSunday(1954), day(1954, 4, 18));
    EXPECT_EQ(EasterSunday(2026), day(2026, 4, 5));
}

TEST(CalendarInfo, HolidaysInTheirOrder)
{
    EXPECT_EQ(HolidayName(DateTime::FromParts(2008, 3, 21, 15, 0, 0)), QStringLiteral(u"耶稣受难日"));
    EXPECT_EQ(HolidayName(day(2008, 3, 23)), QStringLiteral(u"复活节"));
    EXPECT_EQ(HolidayName(day(2008, 3, 17)), QStringLiteral(u"圣帕特里克节"));
    EXPECT_EQ(HolidayName(day(2021, 4, 1)), QStringLiteral(u"愚人节"));
    EXPECT_EQ(HolidayName(day(2026, 11, 1)), QStringLiteral(u"万圣节"));
    EXPECT_EQ(HolidayName(day(2007, 11, 22)), QString());
    EXPECT_EQ(HolidayName(day(2007, 11, 29)), QStringLiteral(u"感恩节"));
    EXPECT_EQ(HolidayName(day(2026, 12, 25)), QStringLiteral(u"圣诞节"));
    EXPECT_EQ(HolidayName(day(2026, 12, 24)), QString());
}
