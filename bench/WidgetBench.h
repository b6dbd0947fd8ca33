// SPDX-License-Identifier: MIT
#pragma once
// What the benchmarks of windows share: a QApplication on the offscreen
// platform (or the one QT_QPA_PLATFORM names) and a way to wait for a window's next painted frame.

#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>

// Notices paint events of the widget it watches.
class PaintWatcher : public QObject
{
public:
    bool painted = false;

    // Runs the event loop until the watched widget paints again.
    void WaitForPaint()
    {
        painted = false;
        while (!painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

inline int RunWidgetBenchmarks(int argc, char **argv)
{
    // Offscreen unless told otherwise: QT_QPA_PLATFORM=xcb measures against a
    // real X server, where every top-level window costs the server's work too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
