// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

#include <QString>
#include <optional>

// A day of the Chinese lunar calendar (农历).
struct LunarDay
{
    // The lunar year, numbered as the Gregorian year in which it begins.
    int year = 0;
    int month = 0; // 1 = 正月 .. 12 = 腊月
    int day = 0; // 1 .. 30
    bool leapMonth = false; // the month is the year's 闰 month

    friend bool operator==(const LunarDay &, const LunarDay &) = default;
};

// The lunar calendar as the official tables keep it, from 1900-02-01 (the
// second day of the lunar year 1900) to 2100-12-31: conversions both ways,
// the names of lunar years, months and days, and the traditional festivals.
// Dates outside that span have no lunar date.
class LunarCalendar
{
public:
    // The Gregorian dates the tables cover.
    static DateTime FirstDate();
    static DateTime LastDate();

    // The lunar date of a Gregorian date (its time of day is ignored);
    // nothing outside the tables.
    static std::optional<LunarDay> FromGregorian(const DateTime &date);
    // The Gregorian date, at 00:00, of a lunar date; invalid when the lunar
    // date does not exist (no such leap month, day 30 of a short month) or
    // lies outside the tables.
    static DateTime ToGregorian(const LunarDay &day);
    // The number of days (29 or 30) of a lunar month; 0 when the month does
    // not exist.
    static int MonthLength(int year, int month, bool leapMonth);

    // "丙午马年": the year's stem and branch and its animal.
    static QString YearName(int lunarYear);
    // The index in AnimalNames() of the lunar year's animal.
    static int AnimalIndex(int lunarYear);
    // "正月" .. "冬月", "腊月"; "闰六月" for a leap month.
    static QString MonthName(int month, bool leapMonth);
    // "初一" .. "三十".
    static QString DayName(int day);

    // "丙午马年正月初一": the lunar date of a Gregorian date in full; empty
    // outside the tables.
    static QString Text(const DateTime &date);
    // "正月初一": the lunar month and day; empty outside the tables.
    static QString MonthDayText(const DateTime &date);
    // The traditional festival on the date: 春节, 元宵节, 端午节, 七夕, 中元节,
    // 中秋节, 重阳节, 腊八节, 小年 (腊月廿三) or 除夕 (the last day of the lunar
    // year); empty on other days.
    static QString FestivalName(const DateTime &date);
    // The short text under a day of a month view: the festival, else the
    // month's name on its first day, else the lunar day; empty outside the
    // tables.
    static QString DayLabel(const DateTime &date);
};
