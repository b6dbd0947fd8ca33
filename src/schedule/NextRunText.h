// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QString>

// The task list's "next run" text: the due moment, "执行于 " before it once
// it has passed, or the start-up trigger's name (empty for an unknown
// trigger). An hourly task always shows its due moment.
QString NextRunText(const AlarmTask &task, const DateTime &now);
