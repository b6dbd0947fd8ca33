// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

// Sets the computer's clock through the system's time service, which may
// ask the user to authorise the change. The request never blocks the
// caller: `done` reports on the caller's thread, after the call returned,
// whether the clock was set, and when not, the service's reason.
class TimeService
{
public:
    using Done = std::function<void(bool set, const QString &reason)>;

    virtual ~TimeService() = default;
    // The new time, in microseconds since 1970-01-01 00:00:00 UTC.
    virtual void SetTime(qint64 utcMicroseconds, Done done) = 0;
};
