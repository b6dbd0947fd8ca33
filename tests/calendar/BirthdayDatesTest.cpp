// SPDX-License-Identifier: MIT
#include "calendar/BirthdayDates.h"

#include "calendar/CalendarInfo.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime day(int y, int m, int d)
{
    return DateTime::FromParts(y, m, d);
}

Birth lunar(const DateTime &born)
{
    return Birth(born, true);
}

std::string shown(const DateTime &date)
{
    return date.ToDateString().toStdString();
}

} // namespace

TEST(BirthdayDates, TheComingBirthdayInEitherCalendar)
{
    struct Case
    {
        Birth birth;
        DateTime today, next;
        bool nextYear;
    };
    const Case cases[] = {
        // 春节 2027 is 6 February, in the lunar year after 2027-01-30's; the
        // Gregorian 27 January has passed.
        {lunar(day(1990, 1, 27)), day(2027, 1, 30), day(2027, 2, 6), true},
        {Birth(day(1990, 1, 27)), day(2027, 1, 30), day(2028, 1, 27), true},
        // On the birthday itself the next one is a (lunar) year away.
        {lunar(day(1990, 1, 27)), day(2027, 2, 6), day(2028, 1, 26), true},
        // Born on 腊月廿四 1989: the day after 小年 2027, in lunar 2026 still.
        {lunar(day(1990, 1, 20)), day(2027, 1, 30), day(2027, 1, 31), false},
        // Day 30 of 腊月 (2024-02-09) on the 29th when 腊月 is short.
        {lunar(day(2024, 2, 9)), day(2024, 3, 1), day(2025, 1, 28), false},
        {lunar(day(2024, 2, 9)), day(2027, 1, 1), day(2027, 2, 5), false},
        // Born in 闰六月 2025: the ordinary 六月 in the years after.
        {lunar(day(2025, 7, 25)), day(2025, 8, 1), day(2026, 7, 14), true},
        // 29 February in a common year: the 28th.
        {Birth(day(1996, 2, 29)), day(2027, 2, 21), day(2027, 2, 28), false},
    };
    for (const Case &c : cases) {
        const ComingBirthday coming = NextBirthday(c.birth, c.today);
        EXPECT_EQ(coming.date, c.next) << shown(c.birth.date) << " seen from " << shown(c.today);
        EXPECT_EQ(coming.nextYear, c.nextYear) << shown(c.birth.date) << " seen from " << shown(c.today);
    }
    // A leap-month birth keeps the day of the ordinary month.
    EXPECT_EQ(BirthdayIn(lunar(day(2025, 7, 25)), 2026), BirthdayIn(lunar(day(2025, 6, 25)), 2026));
}

TEST(BirthdayDates, AgeAndAnimalCountLunarYearsForALunarBirthday)
{
    struct Case
    {
        Birth birth;
        DateTime today;
        int age;
        const char16_t *animal;
    };
    const Case cases[] = {
        {Birth(day(1990, 1, 20)), day(2027, 1, 30), 37, u"马"}, {lunar(day(1990, 1, 20)), day(2027, 1, 30), 36, u"蛇"},
        {lunar(day(1990, 1, 20)), day(2027, 2, 1), 37, u"蛇"},  {lunar(day(1990, 1, 27)), day(2027, 2, 5), 36, u"马"},
        {lunar(day(1990, 1, 27)), day(2027, 2, 6), 37, u"马"},  {Birth(day(2000, 2, 29)), day(2021, 2, 28), 20, u"龙"},
        {Birth(day(2000, 2, 29)), day(2021, 3, 1), 21, u"龙"},  {lunar(day(2026, 3, 10)), day(2026, 3, 10), 0, u"马"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(AgeOn(c.birth, c.today), c.age) << shown(c.birth.date) << " on " << shown(c.today);
        EXPECT_EQ(AnimalNames().value(BirthAnimalIndex(c.birth)), QString::fromUtf16(c.animal)) << shown(c.birth.date);
    }
}

TEST(BirthdayDates, ABirthBeforeTheLunarTablesKeepsGregorianBirthdays)
{
    const Birth early = lunar(day(1900, 1, 15));
    EXPECT_FALSE(early.lunar);
    EXPECT_EQ(NextBirthday(early, day(2026, 1, 10)).date, day(2026, 1, 15));
    EXPECT_TRUE(lunar(day(1900, 2, 1)).lunar);

    BirthdayEntry entry;
    entry.BornDate = BornDateOf(day(1990, 1, 27));
    EXPECT_FALSE(BirthOf(entry).lunar);
    entry.Lunar = 1;
    EXPECT_TRUE(BirthOf(entry).lunar);
}
