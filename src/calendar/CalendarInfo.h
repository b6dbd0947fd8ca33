// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

#include <QLocale>
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

// What the clock shows about a date: the long date in the locale's format,
// the year's animal, the day's star sign and its holiday or else weekday.
DateDescription DescribeDate(const DateTime &date, const QLocale &locale = QLocale());
