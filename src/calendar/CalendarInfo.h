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
    // "long date, animal, sign, holiday or weekday"
    QString Text;
};

// What the clock shows about a date: the Chinese long date ("2008年2月14日"),
// the year's animal, the day's star sign and its holiday or else weekday.
// The interface is Chinese whatever the system's locale, and a locale's own
// long format may carry the weekday, which the text names already.
DateDescription DescribeDate(const DateTime &date);
