// SPDX-License-Identifier: MIT
// The task manager on 10,000 tasks: opening it up to its first painted list,
// and sorting the next-run column with a header click up to the repaint.
// Runs on the offscreen platform. Run: build/bench/bench_taskmanager
#include "WidgetBench.h"
#include "fakes/FakeServices.h"
#include "model/AppData.h"
#include "platform/SystemClock.h"
#include "taskmanager/TaskManagerWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

namespace {

constexpr int TaskCount = 10000;

// A mix that fills the next-run column with every kind of text: times ahead,
// times passed and the two start-up triggers.
void fillTasks(AppData &data, const DateTime &now)
{
    for (int i = 0; i < TaskCount; ++i) {
        AlarmTask task = InitAlarmTask(now);
        task.Description = QStringLiteral(u"提醒 %1 Task").arg((i * 7919) % TaskCount);
        task.Schedule = i % 6;
        task.Category = i % 33;
        task.ReportMode = i % 10 == 3 ? AlarmTask::AtFirstStart : (i % 10 == 7 ? AlarmTask::AtEveryStart : 0);
        task.DateTime = now.AddSeconds(qint64((i * 104729) % 2000000) - 400000);
        data.Alarms.AddTail(task);
    }
}

QTreeView *listOf(const TaskManagerWindow *window)
{
    return window->findChild<QTreeView *>(QStringLiteral("entryList"));
}

void OpenOnTenThousandTasks(benchmark::State &state)
{
    QTemporaryDir home;
    AppData data(home.path());
    SystemClock clock;
    FakeServices fakes;
    Services services = fakes.services();
    services.clock = &clock;
    fillTasks(data, clock.Now());
    for (auto _ : state) {
        TaskManagerWindow *window = TaskManagerWindow::Open(data, services);
        PaintWatcher watcher;
        listOf(window)->viewport()->installEventFilter(&watcher);
        watcher.WaitForPaint();

        state.PauseTiming();
        listOf(window)->viewport()->removeEventFilter(&watcher);
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(OpenOnTenThousandTasks)->Unit(benchmark::kMillisecond)->Iterations(10);

void SortNextRunColumn(benchmark::State &state)
{
    QTemporaryDir home;
    AppData data(home.path());
    SystemClock clock;
    FakeServices fakes;
    Services services = fakes.services();
    services.clock = &clock;
    fillTasks(data, clock.Now());
    TaskManagerWindow *window = TaskManagerWindow::Open(data, services);
    QTreeView *list = listOf(window);
    PaintWatcher watcher;
    list->viewport()->installEventFilter(&watcher);
    watcher.WaitForPaint();
    for (auto _ : state) {
        // Each click on the same column flips the direction, so every
        // iteration reorders the whole list.
        Q_EMIT list->header()->sectionClicked(2);
        watcher.WaitForPaint();
    }
    list->viewport()->removeEventFilter(&watcher);
    delete window;
}
BENCHMARK(SortNextRunColumn)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
