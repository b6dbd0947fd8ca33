// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <span>

// The preset spans of the quick reminder and countdown submenus, in menu
// order: command identifier, label, and the span the label names.
struct MenuPreset
{
    int id;
    const char16_t *label;
    int amount; // minutes, days or seconds, see each table
};

// "在...之后": minutes to add to the time.
std::span<const MenuPreset> QuickMinutePresets();
// The second "在...之后": days to add to the date.
std::span<const MenuPreset> QuickDayPresets();
// "到...之后" of the countdown: seconds to count down.
std::span<const MenuPreset> CountdownSpanPresets();

// Days from today (Monday = 1 .. Sunday = 7) to the chosen weekday of the
// next week: 1..13.
int DaysToNextWeeksWeekday(int todayMondayBased, int chosenMondayBased);
