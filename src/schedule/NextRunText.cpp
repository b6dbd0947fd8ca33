// SPDX-License-Identifier: MIT
#include "schedule/NextRunText.h"

#include <QCoreApplication>

QString NextRunText(const AlarmTask &task, const DateTime &now)
{
    // An hourly task has no start-up trigger (the editor disables it), so
    // whatever its ReportMode holds it shows its next hour.
    if (task.ReportMode != AlarmTask::AtDateTime && task.Schedule != AlarmTask::Hourly) {
        if (task.ReportMode == AlarmTask::AtFirstStart)
            return QCoreApplication::translate("NextRunText", "程序启动时(第一次)");
        if (task.ReportMode == AlarmTask::AtEveryStart)
            return QCoreApplication::translate("NextRunText", "程序启动时(每一次)");
        return {};
    }
    const QString when = task.DateTime.ToDateTimeString();
    if (task.DateTime.Seconds() - now.Seconds() > 0)
        return when;
    return QCoreApplication::translate("NextRunText", "执行于 ") + when;
}
