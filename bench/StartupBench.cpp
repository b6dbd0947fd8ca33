// SPDX-License-Identifier: MIT
// From start to the clock's first painted frame, with an empty task file and
// with 10,000 tasks. Runs on the offscreen platform. Run: build/bench/bench_startup
#include "WidgetBench.h"
#include "fakes/FakeServices.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"
#include "platform/SystemClock.h"
#include "shell/ClockApp.h"
#include "shell/ClockWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void writeTasks(const QString &home, int count)
{
    const SystemClock clock;
    AlarmList list;
    for (int i = 0; i < count; ++i) {
        AlarmTask task = InitAlarmTask(clock.Now().AddDays(1 + i % 300));
        task.Schedule = i % 6;
        task.DiaryDays = 1;
        task.WeeklyWeek = 1;
        task.WeeklyEnable = WeekdaySet(0x7F);
        task.MonthlyDay = 1 + i % 28;
        task.MonthlyMonth = 1;
        task.AnnuallyDay = 1 + i % 28;
        task.AnnuallyMonth = 1 + i % 12;
        task.Description = QStringLiteral(u"提醒 %1").arg(i);
        task.Message = QStringLiteral(u"别忘了第%1件事。\r\n第二行说明。").arg(i);
        list.AddTail(task);
    }
    ProfileFile file(home + QStringLiteral("/alarms.lst"));
    SaveAlarmFile(file, list);
    file.Save();
}

void StartToFirstFrame(benchmark::State &state)
{
    SystemClock clock;
    FakeServices fakes;
    Services services = fakes.services();
    services.clock = &clock;
    for (auto _ : state) {
        state.PauseTiming();
        auto home = std::make_unique<QTemporaryDir>();
        writeTasks(home->path(), int(state.range(0)));
        state.ResumeTiming();

        auto app = std::make_unique<ClockApp>(home->path(), services);
        if (!app->InitInstance()) {
            state.SkipWithError("the clock did not start");
            break;
        }
        PaintWatcher watcher;
        app->Window()->installEventFilter(&watcher);
        app->Window()->update();
        watcher.WaitForPaint();

        // Shutting down is not part of starting up.
        state.PauseTiming();
        app->Window()->removeEventFilter(&watcher);
        app->Data().SaveOnExit = 0;
        app.reset();
        home.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartToFirstFrame)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
