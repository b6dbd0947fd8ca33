// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

// Puts a reminder off: appends to `snoozed` a copy of `task` due `minutes`
// after the task's own due moment (not after now, so the reminder keeps its
// rhythm however long the popup stood unanswered). Every other field is kept,
// SelfPosition too, so the copy still names its task in `alarms`, and so does
// ReportMode: a start-up task's copy is kept but never fired by the tick.
//
// Nothing is appended, and false returned, when the task's entry is no longer
// in `alarms` (or it never had one), or when the new due moment falls outside
// the supported date range.
bool SnoozeTask(const AlarmTask &task, int minutes, const AlarmList &alarms, SnoozeList &snoozed);
