// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

#include <QString>
#include <QStringList>

// Chinese zodiac animals of the years, index 0 = Rat.
const QStringList &AnimalNames();
// Western star signs, index 0 = Capricorn.
const QStringList &SignNames();
// Weekday names, index 0 = Sunday.
const QStringList &DayOfWeekNames();

int AnimalIndex(int year);
int SignIndex(int month, int day);

// Easter Sunday by Gauss's rule (with its two exceptions) and the Friday
// before it, at 00:00.
DateTime EasterSunday(int year);
DateTime GoodFriday(int year);
// The Western holiday falling on the date, or an empty text.
QString HolidayName(const DateTime &date);

struct DateDescription
{
    int SignIndex = 0;
    int AnimalIndex = 0;
    // "long date and lunar date, animal, sign, holidays or weekday"
    QString Text;
};

// What the clock shows about a date: the Chinese long date ("2008年2月14日")
// followed by the lunar date ("戊子鼠年正月初八"), the Gregorian year's animal,
// the day's star sign and its traditional festival and Western holiday or
// else weekday. The interface is Chinese whatever the system's locale, and a
// locale's own long format may carry the weekday, which the text names
// already. The animal stays the Gregorian year's, even in the weeks before
// the lunar New Year when the lunar date names the old year's animal.
DateDescription DescribeDate(const DateTime &date);
