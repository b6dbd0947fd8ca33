// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// The lists the schedule pages offer. List index + 1 is the stored value.

// "星期一" .. "星期天": weekday 1 = Monday .. 7 = Sunday.
const QStringList &WeekdayNames();
// "第一个" .. "最后一个": week order 1 = first .. 4 = fourth, 5 = last.
const QStringList &WeekOrderNames();
// "一月" .. "十二月": month 1 .. 12.
const QStringList &MonthNames();
