// SPDX-License-Identifier: MIT
// Loading and saving alarms.lst. Run: build/bench/bench_persistence
#include "fakes/FakeClock.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const FakeClock Clock(DateTime::FromParts(2026, 12, 7, 12, 0, 0));

AlarmTask realisticTask(int i)
{
    AlarmTask task = InitAlarmTask(Clock.Now().AddDays(i % 90).AddMinutes(i * 7 % 1440));
    task.Schedule = i % 6;
    task.DiaryDays = 1 + i % 3;
    task.WeeklyWeek = 1;
    task.WeeklyEnable = WeekdaySet(1u + unsigned(i) % 127);
    task.MonthlyReportMode = i % 2;
    task.MonthlyDay = 1 + i % 28;
    task.MonthlyMonth = 1;
    task.MonthlyWeekOrder = 1 + i % 5;
    task.MonthlyWeekly = 1 + i % 7;
    task.MonthlyMonth2 = 1;
    task.AnnuallyDay = 1 + i % 28;
    task.AnnuallyMonth = 1 + i % 12;
    task.Category = i % 33;
    task.Description = QStringLiteral(u"提醒事项 %1").arg(i);
    task.Message = QStringLiteral(u"请记得准时参加第%1次项目例会。\r\n地点：三楼会议室，带上周报和笔记本电脑。").arg(i);
    task.MessageFont.FontHeight = 240;
    task.MessageFont.FontMask = 0xE000000F;
    return task;
}

void fill(AlarmList &list, int count)
{
    for (int i = 0; i < count; ++i)
        list.AddTail(realisticTask(i));
}

void SaveTasks(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alarms.lst"));
    AlarmList list;
    fill(list, int(state.range(0)));
    for (auto _ : state) {
        ProfileFile file(path);
        file.DeleteAllSections();
        SaveAlarmFile(file, list);
        benchmark::DoNotOptimize(file.Save());
    }
}
BENCHMARK(SaveTasks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void LoadTasks(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alarms.lst"));
    {
        AlarmList list;
        fill(list, int(state.range(0)));
        ProfileFile file(path);
        SaveAlarmFile(file, list);
        file.Save();
    }
    for (auto _ : state) {
        AlarmList list;
        LoadAlarmFile(ProfileFile(path), list, Clock);
        if (list.GetCount() != state.range(0))
            state.SkipWithError("not every task loaded");
    }
}
BENCHMARK(LoadTasks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
