// SPDX-License-Identifier: MIT
// From start to the clock's first painted frame, with an empty task file and
// with 10,000 realistic tasks (RealisticTasks.h); and with 200 shown notes,
// to every note's first frame. Runs on the offscreen platform. Timings on a
// shared machine are noisy: compare medians of repetitions,
// build/bench/bench_startup --benchmark_repetitions=5
#include "RealisticTasks.h"
#include "WidgetBench.h"
#include "fakes/FakeServices.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"
#include "notes/NoteWindow.h"
#include "platform/SystemClock.h"
#include "shell/ClockApp.h"
#include "shell/ClockWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void writeTasks(const QString &home, int count)
{
    RealisticTasks::writeFile(home, count, SystemClock().Now());
}

void writeNotes(const QString &home, int count)
{
    const SystemClock clock;
    NoteList notes;
    for (int i = 0; i < count; ++i) {
        NoteEntry note = InitNoteEntry(clock.Now());
        note.Message = QStringLiteral(u"便签 %1\r\n第二行的文字").arg(i);
        note.Position = {10 + i % 20 * 50, 10 + i / 20 * 60, 0, 0};
        note.Grad = i % 3;
        notes.AddTail(note);
    }
    ProfileFile file(home + QStringLiteral("/alarms.lst"));
    SaveNotes(file, notes);
    file.Save();
}

// Notices the first paint of every widget it watches.
class PaintCounter : public QObject
{
public:
    QSet<QObject *> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

using Prepare = void (*)(const QString &home, int count);

void startToFirstFrames(benchmark::State &state, Prepare prepare)
{
    SystemClock clock;
    FakeServices fakes;
    Services services = fakes.services();
    services.clock = &clock;
    for (auto _ : state) {
        state.PauseTiming();
        auto home = std::make_unique<QTemporaryDir>();
        prepare(home->path(), int(state.range(0)));
        state.ResumeTiming();

        auto app = std::make_unique<ClockApp>(home->path(), services);
        if (!app->InitInstance()) {
            state.SkipWithError("the clock did not start");
            break;
        }
        PaintCounter counter;
        QList<QWidget *> windows {app->Window()};
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<NoteWindow *>(widget))
                windows.append(widget);
        }
        for (QWidget *window : windows)
            window->installEventFilter(&counter);
        app->Window()->update();
        while (counter.painted.size() < windows.size())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);

        // Shutting down is not part of starting up.
        state.PauseTiming();
        for (QWidget *window : windows)
            window->removeEventFilter(&counter);
        app->Data().SaveOnExit = 0;
        app.reset();
        home.reset();
        state.ResumeTiming();
    }
}

void StartToFirstFrame(benchmark::State &state)
{
    startToFirstFrames(state, writeTasks);
}
BENCHMARK(StartToFirstFrame)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(10);

void StartWithShownNotes(benchmark::State &state)
{
    startToFirstFrames(state, writeNotes);
}
BENCHMARK(StartWithShownNotes)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
