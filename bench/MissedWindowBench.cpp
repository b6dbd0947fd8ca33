// SPDX-License-Identifier: MIT
// The missed-reminders window holding the most it keeps (2,000 reminders, as
// after a week away from hourly tasks): listing them all up to the painted
// list, and the half-minute refresh of the "已过去" column when every text
// changes. Runs on the offscreen platform. Run: build/bench/bench_missed
#include "WidgetBench.h"
#include "fakes/FakeClock.h"
#include "missed/MissedRemindersWindow.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

QList<MissedReminder> hourlyMissed(const DateTime &now)
{
    QList<MissedReminder> missed;
    for (int i = 0; i < MaxMissedInAll; ++i) {
        MissedReminder reminder;
        reminder.entry = EntryHandle {quint32(i % 40), 1};
        reminder.task = InitAlarmTask(now.AddSeconds(-3600 * qint64(MaxMissedInAll - i) / 12));
        reminder.task.Description = QStringLiteral(u"例会 %1").arg(i % 40);
        reminder.task.Category = i % 33;
        missed.append(reminder);
    }
    return missed;
}

void waitForListPaint(MissedRemindersWindow &window)
{
    PaintWatcher watcher;
    QWidget *viewport = window.findChild<QTreeWidget *>()->viewport();
    viewport->installEventFilter(&watcher);
    watcher.WaitForPaint();
    viewport->removeEventFilter(&watcher);
}

void ListAllMissed(benchmark::State &state)
{
    FakeClock clock;
    clock.Set(DateTime::FromParts(2026, 12, 8, 9, 30, 0));
    const QList<MissedReminder> missed = hourlyMissed(clock.Now());
    for (auto _ : state) {
        MissedRemindersWindow window(clock);
        window.show();
        window.Add(missed);
        waitForListPaint(window);
    }
}
BENCHMARK(ListAllMissed)->Unit(benchmark::kMillisecond)->Iterations(5);

void RefreshAgoOfAllMissed(benchmark::State &state)
{
    FakeClock clock;
    clock.Set(DateTime::FromParts(2026, 12, 8, 9, 30, 0));
    MissedRemindersWindow window(clock);
    window.show();
    window.Add(hourlyMissed(clock.Now()));
    waitForListPaint(window);
    for (auto _ : state) {
        // An hour on: every "ago" text changes.
        clock.Advance(3600);
        window.RefreshAgo();
        waitForListPaint(window);
    }
}
BENCHMARK(RefreshAgoOfAllMissed)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
