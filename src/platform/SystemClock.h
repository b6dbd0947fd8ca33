// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Clock.h"

// Local time from the system clock.
class SystemClock final : public Clock
{
public:
    DateTime Now() const override;
    qint64 UtcMicroseconds() const override;
};
