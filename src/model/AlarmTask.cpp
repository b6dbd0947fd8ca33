// SPDX-License-Identifier: MIT
#include "model/AlarmTask.h"

#include "platform/Clock.h"

using namespace Qt::StringLiterals;

AlarmTask InitAlarmTask(DateTime now)
{
    AlarmTask task;
    task.DateTime = now;
    task.HourlyStartDate = now.Day0();
    task.HourlyEndDate = now.Day0().AddDays(7);
    return task;
}

AlarmTask InitAlarmTask(const Clock &clock)
{
    return InitAlarmTask(clock.Now());
}

const QStringList &ScheduleNames()
{
    static const QStringList names {u"执行一次"_s, u"每小时"_s, u"每天"_s, u"每周"_s, u"每月"_s, u"每年"_s};
    return names;
}

const QStringList &ActionModeNames()
{
    static const QStringList names {u"打开程序或文档"_s, u"注销计算机"_s, u"重启计算机"_s, u"关闭计算机"_s, u"待机"_s};
    return names;
}

const QStringList &ActionModeShortNames()
{
    static const QStringList names {u"打开程序或文档"_s, u"注销"_s, u"重启"_s, u"关机"_s, u"待机"_s};
    return names;
}
