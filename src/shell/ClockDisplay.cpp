// SPDX-License-Identifier: MIT
#include "shell/ClockDisplay.h"

#include <algorithm>
#include <iterator>

void ClockDisplay::SetDisplayMode(int mode)
{
    m_mode = mode;
}

void ClockDisplay::SetCountdownTarget(int year, int month, int day, int hour, int minute, int second)
{
    const int parts[6] = {year, month, day, hour, minute, second};
    std::copy(std::begin(parts), std::end(parts), m_target);
}

bool ClockDisplay::show(int hours, int minutes, int seconds)
{
    if (seconds == m_lastShownSecond)
        return false;
    m_lastShownSecond = seconds;
    m_glyphs = {hours / 10, hours % 10, minutes / 10, minutes % 10, seconds / 10, seconds % 10};
    return true;
}

ClockDisplay::Update ClockDisplay::TickDisplay(const DateTime &now)
{
    if (m_mode != CountdownToTime && m_mode != CountdownToDateTime)
        return show(now.Hour(), now.Minute(), now.Second()) ? Update::Changed : Update::Unchanged;

    qint64 remaining = 0;
    if (m_mode == CountdownToTime) {
        DateTime target = now.WithTime(m_target[3], m_target[4], m_target[5]);
        if (target.IsValid() && target <= now)
            target = target.AddDays(1);
        if (!target.IsValid())
            return Update::Unchanged;
        remaining = target.Seconds() - now.Seconds();
    } else {
        const DateTime target =
            DateTime::FromParts(m_target[0], m_target[1], m_target[2], m_target[3], m_target[4], m_target[5]);
        // A tick that came late (a busy machine, a clock change) can find the
        // target passed: that ends the countdown as if it showed zero.
        remaining = target.IsValid() ? std::max<qint64>(0, target.Seconds() - now.Seconds()) : 0;
    }
    const int seconds = int(remaining % 60);
    const int minutes = int(remaining / 60 % 60);
    const int hours = int(remaining / 3600 % 24);
    if (hours == 0 && minutes == 0 && seconds == 0) {
        // Ends even when the previous tick showed a zero second as well (a
        // late tick): the countdown must not hang at its last reading.
        m_lastShownSecond = 0;
        m_glyphs = {};
        m_mode = ClockMode;
        return Update::CountdownEnded;
    }
    return show(hours, minutes, seconds) ? Update::Changed : Update::Unchanged;
}
