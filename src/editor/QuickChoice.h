// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

#include <optional>

// The quick reminder's choices of when: a span from the chosen moment, a full
// hour of its day, a number of days on, or a weekday of the next week. The
// same choices come from the quick reminder's own menu and, with other
// command identifiers, from the tray menu.
struct QuickChoice
{
    enum Kind
    {
        AddMinutes, // amount = minutes
        AtHour, // amount = hour 0..23, on the same day
        AddDays, // amount = days
        NextWeekday // amount = weekday of the next week, Monday 1 .. Sunday 7
    };

    Kind kind = AddMinutes;
    int amount = 0;

    friend bool operator==(const QuickChoice &, const QuickChoice &) = default;
};

// The moment after the choice; invalid when it leaves the date range. A span
// of minutes that crosses midnight carries on into the next day.
DateTime ApplyQuickChoice(const QuickChoice &choice, const DateTime &moment);

// Command identifiers of the quick reminder's own menu.
namespace QuickMenuId {
constexpr int MinutesFirst = 32879; // "1 分钟" .. "18 小时" = 32894
constexpr int HourFirst = 32895; // "00:00" .. "23:00" = 32918
constexpr int DaysFirst = 32919; // "明天" .. "3 月" = 32930
constexpr int WeekdayFirst = 32931; // "星期一" .. "星期天" = 32937
constexpr int Last = 32937;
// The items that start a second column: "1 小时", "12:00" and "1 周".
constexpr int ColumnBreaks[] = {32887, 32907, 32925};
} // namespace QuickMenuId

// The choice of a command of the quick reminder's menu, or of the tray
// menu's quick submenu; nothing for any other identifier.
std::optional<QuickChoice> QuickMenuChoice(int command);
std::optional<QuickChoice> TrayQuickChoice(int command);

// The task a quick reminder saves: once, due at `due`, in category "工作"
// and titled "快捷提醒", with `message` (CR LF line breaks) in 12-point
// "宋体" black on white, no sound and no action.
AlarmTask QuickReminderTask(const DateTime &due, const QString &message, const DateTime &now);
