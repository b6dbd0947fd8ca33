// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TimeService.h"

#include <QDBusConnection>

// Sets the clock through systemd-timedated on the system bus, the one way
// a desktop program may change the time: timedated checks with polkit
// whether this user may, and may ask for a password first. It refuses while
// automatic time synchronisation is on, and a system without timedated
// refuses too. The program itself never needs to run as root.
class TimedatedTimeService final : public TimeService
{
public:
    // The system bus named by the environment.
    TimedatedTimeService();
    explicit TimedatedTimeService(const QDBusConnection &systemBus);

    void SetTime(qint64 utcMicroseconds, Done done) override;

private:
    QDBusConnection m_system;
};
