// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "model/DateTime.h"

// When birthdays come round: the one rule that the birthday notices, the
// birthday dialog, the notice text and the task list all follow.
//
// A Gregorian birthday comes on the birth date's month and day; born on
// 29 February, on the 28th in common years. A lunar birthday (农历生日) comes
// on the Gregorian date whose lunar month and day are those of the birth
// date: a birth in a leap month counts as born in the ordinary month, and
// day 30 falls on day 29 in a month that has no 30th. The years of a lunar
// birthday are lunar years.

// A stored BornDate and the birth date (at 00:00 local time) it stands for.
qint64 BornDateOf(const DateTime &birthDate);
DateTime BirthDateOf(qint64 bornDate);

// A birth date and the calendar its birthdays keep.
struct Birth
{
    Birth() = default;
    // A lunar birthday only for a date the lunar calendar covers: a birth
    // before it keeps Gregorian birthdays, whatever the entry says.
    explicit Birth(const DateTime &birthDate, bool lunarBirthday = false);

    DateTime date = DateTime::Invalid(); // at 00:00
    bool lunar = false;
};

Birth BirthOf(const BirthdayEntry &entry);

// The year `date` lies in as the birthday counts years: Gregorian, or lunar
// for a lunar birthday. 0 when the date has no such year.
int BirthdayYearOf(const Birth &birth, const DateTime &date);

// The birthday in `year` (as BirthdayYearOf counts), at 00:00; invalid when
// that year has none the calendar can place.
DateTime BirthdayIn(const Birth &birth, int year);

// The next birthday after `today` (the birthday itself counts as past).
struct ComingBirthday
{
    DateTime date = DateTime::Invalid();
    // It falls in the year after today's.
    bool nextYear = false;
};
ComingBirthday NextBirthday(const Birth &birth, const DateTime &today);

// The age on `today` in whole years: one year more on each birthday (born on
// 29 February, on 1 March in common years). Never negative.
int AgeOn(const Birth &birth, const DateTime &today);

// The index in AnimalNames() of the birth year's animal: of the Gregorian
// year, or of the lunar year for a lunar birthday (born on 1990-01-20, before
// that lunar New Year, is a snake, not a horse).
int BirthAnimalIndex(const Birth &birth);
