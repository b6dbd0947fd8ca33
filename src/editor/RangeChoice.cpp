// SPDX-License-Identifier: MIT
#include "editor/RangeChoice.h"

RangeChoice DefaultRange(const DateTime &now)
{
    RangeChoice range;
    range.startDate = now.Day0();
    const DateTime weekOn = now.AddMinutes(10080);
    range.endDate = weekOn.IsValid() ? weekOn.Day0() : range.startDate;
    range.startTime = DateTime::TimeOfDay(0, 0, 0);
    range.endTime = DateTime::TimeOfDay(23, 59, 0);
    return range;
}

std::optional<RangeChoice> RangeOfTask(const AlarmTask &task)
{
    const DateTime &start = task.HourlyStartTime;
    const DateTime &end = task.HourlyEndTime;
    if (!task.HourlyStartDate.IsValid() || !task.HourlyEndDate.IsValid() || !start.IsValid() || !end.IsValid())
        return std::nullopt;
    RangeChoice range;
    range.dateLimit = task.HourlyDateLimit != 0;
    range.timeLimit = task.HourlyTimeLimit != 0;
    range.startDate = task.HourlyStartDate.Day0();
    range.endDate = task.HourlyEndDate.Day0();
    range.startTime = DateTime::TimeOfDay(start.Hour(), start.Minute(), start.Second());
    range.endTime = DateTime::TimeOfDay(end.Hour(), end.Minute(), end.Second());
    return range;
}

void ApplyRange(const RangeChoice &range, AlarmTask &task)
{
    task.HourlyTimeLimit = range.timeLimit && range.startTime <= range.endTime ? 1 : 0;
    task.HourlyDateLimit = range.dateLimit && range.startDate <= range.endDate ? 1 : 0;
    // Dates are kept at midnight, as the file keeps them: the rules compare
    // whole days against them.
    task.HourlyStartDate = range.startDate.Day0();
    task.HourlyEndDate = range.endDate.Day0();
    task.HourlyStartTime = range.startTime;
    task.HourlyEndTime = range.endTime;
}
