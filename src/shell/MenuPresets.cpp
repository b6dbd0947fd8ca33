// SPDX-License-Identifier: MIT
#include "shell/MenuPresets.h"

namespace {

constexpr MenuPreset quickMinutes[] = {
    {32796, u"1 分钟", 1},   {32797, u"5 分钟", 5},    {32798, u"10 分钟", 10},  {32799, u"15 分钟", 15},
    {32800, u"20 分钟", 20}, {32801, u"25 分钟", 25},  {32802, u"30 分钟", 30},  {32803, u"45 分钟", 45},
    {32804, u"1 小时", 60},  {32805, u"2 小时", 120},  {32806, u"3 小时", 180},  {32807, u"6 小时", 360},
    {32808, u"9 小时", 540}, {32809, u"12 小时", 720}, {32810, u"15 小时", 900}, {32811, u"18 小时", 1080},
};

// The identifiers are not in menu order; each item adds the span its label names.
constexpr MenuPreset quickDays[] = {
    {32858, u"明天", 1},  {32860, u"2 天", 2},  {32861, u"3 天", 3},  {32859, u"4 天", 4},
    {32862, u"5 天", 5},  {32863, u"6 天", 6},  {32864, u"1 周", 7},  {32865, u"2 周", 14},
    {32866, u"3 周", 21}, {32867, u"1 月", 30}, {32868, u"2 月", 60}, {32869, u"3 月", 90},
};

// "24小时" stops one second short of a day, so that the display, which
// drops whole days, does not start at 00:00:00.
constexpr MenuPreset countdownSpans[] = {
    {32992, u"2分钟", 120},   {32993, u"5分钟", 300},    {32994, u"10分钟", 600},   {32995, u"15分钟", 900},
    {32996, u"20分钟", 1200}, {32997, u"30分钟", 1800},  {32998, u"45分钟", 2700},  {32999, u"55分钟", 3300},
    {33000, u"1小时", 3600},  {33001, u"2小时", 7200},   {33002, u"3小时", 10800},  {33003, u"6小时", 21600},
    {33004, u"9小时", 32400}, {33005, u"12小时", 43200}, {33006, u"18小时", 64800}, {33007, u"24小时", 86399},
};

} // namespace

std::span<const MenuPreset> QuickMinutePresets()
{
    return quickMinutes;
}

std::span<const MenuPreset> QuickDayPresets()
{
    return quickDays;
}

std::span<const MenuPreset> CountdownSpanPresets()
{
    return countdownSpans;
}

int DaysToNextWeeksWeekday(int todayMondayBased, int chosenMondayBased)
{
    return 7 - todayMondayBased + chosenMondayBased;
}
