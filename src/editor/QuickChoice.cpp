// SPDX-License-Identifier: MIT
#include "editor/QuickChoice.h"

#include "editor/MessageText.h"
#include "shell/MenuIds.h"
#include "shell/MenuPresets.h"

#include <QCoreApplication>
#include <span>

namespace {

// The preset whose identifier is `command`, counting the identifiers from
// `first` in menu order when `first` is given, else by the table's own.
std::optional<int> presetAmount(std::span<const MenuPreset> presets, int command, std::optional<int> first)
{
    for (size_t i = 0; i < presets.size(); ++i) {
        if (command == (first ? *first + int(i) : presets[i].id))
            return presets[i].amount;
    }
    return std::nullopt;
}

std::optional<QuickChoice> choiceFrom(int command, std::optional<int> minutesFirst, int hourFirst,
                                      std::optional<int> daysFirst, int weekdayFirst)
{
    if (const auto minutes = presetAmount(QuickMinutePresets(), command, minutesFirst))
        return QuickChoice {QuickChoice::AddMinutes, *minutes};
    if (command >= hourFirst && command < hourFirst + 24)
        return QuickChoice {QuickChoice::AtHour, command - hourFirst};
    if (const auto days = presetAmount(QuickDayPresets(), command, daysFirst))
        return QuickChoice {QuickChoice::AddDays, *days};
    if (command >= weekdayFirst && command < weekdayFirst + 7)
        return QuickChoice {QuickChoice::NextWeekday, command - weekdayFirst + 1};
    return std::nullopt;
}

} // namespace

DateTime ApplyQuickChoice(const QuickChoice &choice, const DateTime &moment)
{
    switch (choice.kind) {
    case QuickChoice::AddMinutes:
        return moment.AddMinutes(choice.amount);
    case QuickChoice::AtHour:
        return moment.WithTime(choice.amount, 0, 0);
    case QuickChoice::AddDays:
        return moment.AddDays(choice.amount);
    case QuickChoice::NextWeekday:
        if (choice.amount < 1 || choice.amount > 7 || !moment.IsValid())
            return DateTime::Invalid();
        return moment.AddDays(DaysToNextWeeksWeekday(moment.MondayBasedWeekday(), choice.amount));
    }
    return DateTime::Invalid();
}

std::optional<QuickChoice> QuickMenuChoice(int command)
{
    // This menu numbers every submenu in menu order.
    return choiceFrom(command, QuickMenuId::MinutesFirst, QuickMenuId::HourFirst, QuickMenuId::DaysFirst,
                      QuickMenuId::WeekdayFirst);
}

std::optional<QuickChoice> TrayQuickChoice(int command)
{
    return choiceFrom(command, std::nullopt, MenuId::QuickHourFirst, std::nullopt, MenuId::QuickWeekdayFirst);
}

AlarmTask QuickReminderTask(const DateTime &due, const QString &message, const DateTime &now)
{
    // The category of work, "工作".
    constexpr int WorkCategory = 31;
    AlarmTask task = InitAlarmTask(now);
    task.ReportMode = AlarmTask::AtDateTime;
    task.Schedule = AlarmTask::Once;
    task.Category = WorkCategory;
    task.Description = QCoreApplication::translate("QuickReminderDialog", "快捷提醒");
    task.RepeatPlay = 0;
    task.ActionMode = AlarmTask::OpenFile;
    task.ActionOption = 0;
    task.Countdownsec = 30;
    task.DateTime = due;
    task.Message = message;
    task.MessageFont = BuildMessageFont({false, false, false, 0, QStringLiteral("12"), QStringLiteral(u"宋体")}, {});
    task.BackgroundColor = 0xFFFFFF;
    task.SelfPosition = {};
    return task;
}
