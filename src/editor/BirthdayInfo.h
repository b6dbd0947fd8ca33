// SPDX-License-Identifier: MIT
#pragma once

#include "calendar/BirthdayDates.h"
#include "model/BirthdayNote.h"
#include "model/DateTime.h"

#include <QString>
#include <optional>

// The birthday dialogs' rules without their windows: which birth dates are
// taken, the age, sign and animal shown for one, the horoscope addresses,
// and the text of a birthday notice. When birthdays come round is
// BirthdayDates' rule.

// The earliest birth date the dialog takes.
inline constexpr int EarliestBirthYear = 1900;

// True for a valid date from 1900-01-01 up to the date of `now`.
bool IsAcceptableBirthDate(const DateTime &date, const DateTime &now);

// What the dialog shows for a birth date.
struct BirthInfo
{
    int age = 0;
    int signIndex = 0; // in SignNames()
    int animalIndex = 0; // in AnimalNames(); of the lunar year for a lunar birthday
};
BirthInfo DescribeBirth(const Birth &birth, const DateTime &now);

// The horoscope pages offered for a sign and an animal.
enum class BirthdayWebLink
{
    TodayFortune,
    WeekFortune,
    MonthFortune,
    YearFortune,
    AnimalFortune,
    AnimalProfile,
    BloodGroups
};

struct BirthdayWebHosts
{
    QString horoscope; // the star-sign fortunes
    QString zodiac; // the animal pages and the blood-group handbook
};

// The horoscope site numbers the signs from Aries = 1 to Pisces = 12.
int StarNumber(int signIndex);
// The zodiac site's page number of an animal.
int AnimalPageNumber(int animalIndex);
// The address of a page; `year` names the year of the yearly fortune.
QString BirthdayWebAddress(BirthdayWebLink link, const BirthdayWebHosts &hosts, int signIndex, int animalIndex,
                           int year);

// A birthday notice's texts.
struct BirthdayNoticeText
{
    QString caption;
    QString message; // LF line breaks
};

// The notice for a birthday this year, or next year when `nextYear`, seen
// on `now`; nothing when that birthday is not after today. The years are
// lunar years for a lunar birthday, whose notice names the lunar day too.
std::optional<BirthdayNoticeText> ComposeBirthdayNotice(const BirthdayEntry &entry, bool nextYear, const DateTime &now);
