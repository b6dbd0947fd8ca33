// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Clock.h"

// A clock that stands still until a test sets or advances it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(DateTime now = DateTime::FromParts(2026, 1, 1, 12, 0, 0))
        : m_now(now)
    { }

    DateTime Now() const override { return m_now; }
    qint64 UtcMicroseconds() const override { return m_now.ToUnixTime() * 1000000 + m_microseconds; }
    void Set(DateTime now) { m_now = now; }
    void Advance(qint64 seconds) { m_now = m_now.AddSeconds(seconds); }
    // The part of the current second that has passed, 0..999999 µs.
    void SetMicroseconds(qint64 microseconds) { m_microseconds = microseconds; }

private:
    DateTime m_now;
    qint64 m_microseconds = 0;
};
