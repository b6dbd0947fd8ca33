// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

#include <optional>

// The range dialog's values: the date range (dates at 00:00:00) and the daily
// time window (times of day).
struct RangeChoice
{
    bool dateLimit = false;
    bool timeLimit = false;
    DateTime startDate;
    DateTime endDate;
    DateTime startTime;
    DateTime endTime;

    friend bool operator==(const RangeChoice &, const RangeChoice &) = default;
};

// No limits; a week from today; the whole day.
RangeChoice DefaultRange(const DateTime &now);
// The range stored in a task; nothing when one of its values is invalid.
std::optional<RangeChoice> RangeOfTask(const AlarmTask &task);
// Writes the choice into the task. A limit whose start lies after its end is
// switched off.
void ApplyRange(const RangeChoice &range, AlarmTask &task);
