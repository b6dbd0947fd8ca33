// SPDX-License-Identifier: MIT
// Loading and saving alarms.lst with realistic tasks (RealisticTasks.h).
// Timings on a shared machine are noisy: compare medians of repetitions,
// build/bench/bench_persistence --benchmark_repetitions=10
#include "RealisticTasks.h"
#include "fakes/FakeClock.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const FakeClock Clock(DateTime::FromParts(2026, 12, 7, 12, 0, 0));

void SaveTasks(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alarms.lst"));
    AlarmList list;
    RealisticTasks::fill(list, int(state.range(0)), Clock.Now(), dir.path());
    for (auto _ : state) {
        // As the exit save does it: the file is written afresh.
        ProfileFile file(path, ProfileFile::Rewrite);
        SaveAlarmFile(file, list);
        benchmark::DoNotOptimize(file.Save());
    }
}
BENCHMARK(SaveTasks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void LoadTasks(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alarms.lst"));
    RealisticTasks::writeFile(dir.path(), int(state.range(0)), Clock.Now());
    state.counters["bytes_per_task"] = double(QFileInfo(path).size()) / double(state.range(0));
    for (auto _ : state) {
        AlarmList list;
        LoadAlarmFile(ProfileFile(path), list, Clock);
        if (list.GetCount() != state.range(0))
            state.SkipWithError("not every task loaded");
    }
}
BENCHMARK(LoadTasks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
