// SPDX-License-Identifier: MIT
// One tick of the reminder dispatcher over 10,000 tasks, none of them due.
// Run: build/bench/bench_tick
#include "firing/ReminderDispatcher.h"
#include "model/AppData.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void TickOverTenThousandTasks(benchmark::State &state)
{
    QTemporaryDir dir;
    AppData data(dir.path());
    const DateTime now = DateTime::FromParts(2026, 12, 7, 12, 0, 0);
    for (int i = 0; i < 10000; ++i) {
        AlarmTask task = InitAlarmTask(now.AddDays(1 + i % 90).AddMinutes(i % 1440));
        task.Schedule = i % 6;
        task.WeeklyEnable = WeekdaySet(0x7F);
        task.Description = QStringLiteral(u"提醒 %1").arg(i);
        task.Message = QStringLiteral(u"第%1件事").arg(i);
        data.Alarms.AddTail(task);
    }
    int fired = 0;
    ReminderDispatcher::Handlers handlers;
    handlers.fireTask = [&fired](const AlarmTask &) {
        ++fired;
    };
    ReminderDispatcher dispatcher(data, handlers);
    DateTime second = now;
    for (auto _ : state) {
        second = second.AddSeconds(1);
        dispatcher.Tick(second);
    }
    benchmark::DoNotOptimize(fired);
}
BENCHMARK(TickOverTenThousandTasks)->Unit(benchmark::kMicrosecond);

} // namespace
