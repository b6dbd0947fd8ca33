// SPDX-License-Identifier: MIT
#include "platform/SystemClock.h"

#include <QDateTime>
#include <chrono>

DateTime SystemClock::Now() const
{
    return DateTime::FromQDateTime(QDateTime::currentDateTime());
}

qint64 SystemClock::UtcMicroseconds() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}
