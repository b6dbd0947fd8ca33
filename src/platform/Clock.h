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
};
