// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Clock.h"

#include <QFileSystemWatcher>

// Local time from the system clock.
class SystemClock final : public Clock
{
public:
    DateTime Now() const override;
    qint64 UtcMicroseconds() const override;
};

// Local time is worked out with the time zone the C library loaded last, so
// reading the time costs no look at the zone file. This loads the zone again
// whenever /etc/localtime is replaced or rewritten (a change of time zone in
// the desktop's settings), at once and without polling. The running clock
// keeps one for its lifetime.
class TimeZoneWatch
{
public:
    TimeZoneWatch();

private:
    QFileSystemWatcher m_watcher;
};
