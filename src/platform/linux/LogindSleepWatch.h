// SPDX-License-Identifier: MIT
#pragma once

#include "platform/SleepWatch.h"

#include <QDBusConnection>

// Listens for systemd-logind's PrepareForSleep signal on the system bus:
// its argument false means the machine has just resumed. Without a system
// bus (or without logind) it stays silent, and the clock still notices the
// sleep by the gap between its ticks.
class LogindSleepWatch final : public SleepWatch
{
    Q_OBJECT

public:
    // The system bus named by the environment.
    explicit LogindSleepWatch(QObject *parent = nullptr);
    explicit LogindSleepWatch(const QDBusConnection &systemBus, QObject *parent = nullptr);

    // Whether the signal could be subscribed to.
    bool IsWatching() const { return m_watching; }

private Q_SLOTS:
    void prepareForSleep(bool sleeping);

private:
    QDBusConnection m_system;
    bool m_watching = false;
};
