// SPDX-License-Identifier: MIT
#include "platform/SystemClock.h"

#include <QDateTime>

DateTime SystemClock::Now() const
{
    return DateTime::FromQDateTime(QDateTime::currentDateTime());
}
