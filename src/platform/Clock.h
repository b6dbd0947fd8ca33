// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

// The source of "now". Every read of the current local time goes through a
// Clock so that tests can run the program against a fake one.
class Clock
{
public:
    virtual ~Clock() = default;
    // The current local wall-clock time, whole seconds.
    virtual DateTime Now() const = 0;
    // The current time as microseconds since 1970-01-01 00:00:00 UTC, for
    // the time synchronisation, which measures network round trips. Clocks
    // without a finer reading give Now()'s whole second.
    virtual qint64 UtcMicroseconds() const { return Now().ToUnixTime() * 1000000; }
};
