// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

// Fires just after each wall-clock second begins. A plain 1000 ms timer
// drifts against the clock and now and then skips a second; this one is
// re-armed every time for the next second boundary.
class SecondTimer : public QObject
{
    Q_OBJECT

public:
    explicit SecondTimer(QObject *parent = nullptr);

    void Start();
    void Stop();
    bool IsActive() const { return m_timer.isActive(); }

Q_SIGNALS:
    void Second();

private:
    void arm();

    QTimer m_timer;
};
