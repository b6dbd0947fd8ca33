// SPDX-License-Identifier: MIT
// How fast due moments catch up. Run: build/bench/bench_recurrence
#include "fakes/FakeClock.h"
#include "schedule/Recurrence.h"

#include <benchmark/benchmark.h>

namespace {

const DateTime Now = DateTime::FromParts(2026, 12, 7, 12, 0, 30);
const DateTime YearAgo = DateTime::FromParts(2025, 12, 7, 9, 15, 0);

// The hourly rule restarts from the current hour whatever the stored date,
// so a year's backlog costs the same as none.
void HourlyCatchUpOneYear(benchmark::State &state)
{
    for (auto _ : state) {
        DateTime t = YearAgo;
        benchmark::DoNotOptimize(
            AdvanceHourly(t, 15, 1, {}, DateTime::TimeOfDay(9, 0), DateTime::TimeOfDay(17, 0), Now));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(HourlyCatchUpOneYear);

// The longest catch-up stepping allows in a year: 365 daily steps.
void DailyCatchUpOneYear(benchmark::State &state)
{
    for (auto _ : state) {
        DateTime t = YearAgo;
        benchmark::DoNotOptimize(AdvanceEveryNDays(t, 1, {}, Now));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(DailyCatchUpOneYear);

void WeeklyCatchUpOneYear(benchmark::State &state)
{
    for (auto _ : state) {
        DateTime t = YearAgo;
        benchmark::DoNotOptimize(AdvanceWeekly(t, 1, WeekdaySet(0b0011111), {}, Now));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(WeeklyCatchUpOneYear);

AlarmTask mixedTask(int i)
{
    AlarmTask task = InitAlarmTask(Now.AddDays(-30 - i % 60).AddMinutes(i % 1440));
    task.Schedule = i % 6;
    task.DiaryDays = 1 + i % 3;
    task.DiaryReportMode = i % 7 == 0;
    task.WeeklyWeek = 1 + i % 2;
    task.WeeklyEnable = WeekdaySet(1u + unsigned(i) % 127);
    task.MonthlyReportMode = i % 2;
    task.MonthlyDay = 1 + i % 31;
    task.MonthlyMonth = 1 + i % 3;
    task.MonthlyWeekOrder = 1 + i % 5;
    task.MonthlyWeekly = 1 + i % 7;
    task.MonthlyMonth2 = 1 + i % 2;
    task.AnnuallyReportMode = i % 2;
    task.AnnuallyDay = 1 + i % 28;
    task.AnnuallyMonth = 1 + i % 12;
    task.AnnuallyWeekOrder = 1 + i % 5;
    task.AnnuallyWeekly = 1 + i % 7;
    task.HourlyTimeLimit = i % 4 == 0;
    return task;
}

// Ten thousand tasks a month or two behind, as after a long holiday.
void RecomputeTenThousandTasks(benchmark::State &state)
{
    const FakeClock clock(Now);
    for (auto _ : state) {
        state.PauseTiming();
        AlarmList list;
        for (int i = 0; i < 10000; ++i)
            list.AddTail(mixedTask(i));
        state.ResumeTiming();
        benchmark::DoNotOptimize(RecomputeAllTasks(list, clock));
    }
}
BENCHMARK(RecomputeTenThousandTasks)->Unit(benchmark::kMillisecond);

} // namespace
