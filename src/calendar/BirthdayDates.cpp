// SPDX-License-Identifier: MIT
#include "calendar/BirthdayDates.h"

#include "calendar/CalendarInfo.h"
#include "calendar/LunarCalendar.h"

#include <algorithm>
#include <tuple>

qint64 BornDateOf(const DateTime &birthDate)
{
    return birthDate.Day0().ToUnixTime();
}

DateTime BirthDateOf(qint64 bornDate)
{
    const DateTime local = DateTime::FromUnixTime(bornDate);
    return local.IsValid() ? local.Day0() : local;
}

Birth::Birth(const DateTime &birthDate, bool lunarBirthday)
    : date(birthDate.IsValid() ? birthDate.Day0() : DateTime::Invalid())
    , lunar(lunarBirthday && LunarCalendar::FromGregorian(date).has_value())
{ }

Birth BirthOf(const BirthdayEntry &entry)
{
    return Birth(BirthDateOf(entry.BornDate), entry.Lunar != 0);
}

int BirthdayYearOf(const Birth &birth, const DateTime &date)
{
    if (!date.IsValid())
        return 0;
    if (!birth.lunar)
        return date.Year();
    const std::optional<LunarDay> lunar = LunarCalendar::FromGregorian(date);
    return lunar ? lunar->year : 0;
}

DateTime BirthdayIn(const Birth &birth, int year)
{
    if (!birth.date.IsValid())
        return DateTime::Invalid();
    if (!birth.lunar) {
        const int day = std::min(birth.date.Day(), DateTime::DaysInMonth(year, birth.date.Month()));
        return DateTime::FromParts(year, birth.date.Month(), day);
    }
    const std::optional<LunarDay> born = LunarCalendar::FromGregorian(birth.date);
    if (!born)
        return DateTime::Invalid();
    const int length = LunarCalendar::MonthLength(year, born->month, false);
    if (length == 0)
        return DateTime::Invalid();
    return LunarCalendar::ToGregorian({year, born->month, std::min(born->day, length), false});
}

ComingBirthday NextBirthday(const Birth &birth, const DateTime &today)
{
    const DateTime day = today.Day0();
    const int year = BirthdayYearOf(birth, day);
    if (year == 0)
        return {};
    if (const DateTime birthday = BirthdayIn(birth, year); birthday.IsValid() && birthday > day)
        return {birthday, false};
    return {BirthdayIn(birth, year + 1), true};
}

int AgeOn(const Birth &birth, const DateTime &today)
{
    if (!birth.date.IsValid() || !today.IsValid())
        return 0;
    const DateTime day = today.Day0();
    const int year = BirthdayYearOf(birth, day);
    const int bornYear = BirthdayYearOf(birth, birth.date);
    if (year == 0 || bornYear == 0)
        return 0;
    int age = year - bornYear;
    if (birth.lunar) {
        const DateTime birthday = BirthdayIn(birth, year);
        if (!birthday.IsValid() || day < birthday)
            --age;
    } else if (std::tuple(day.Month(), day.Day()) < std::tuple(birth.date.Month(), birth.date.Day())) {
        // Compared as (month, day), 29 February is reached only once
        // February is over in a common year.
        --age;
    }
    return std::max(age, 0);
}

int BirthAnimalIndex(const Birth &birth)
{
    if (birth.lunar) {
        if (const std::optional<LunarDay> lunar = LunarCalendar::FromGregorian(birth.date))
            return LunarCalendar::AnimalIndex(lunar->year);
    }
    return AnimalIndex(birth.date.Year());
}
