// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

#include <array>

// What the clock window's digits show: the time of day, or a countdown to a
// time of day or to a date-time. Plain arithmetic on the local time, ticked
// once a second by the window.
class ClockDisplay
{
public:
    enum Mode
    {
        ClockMode = 1,
        CountdownToTime = 2,
        CountdownToDateTime = 3
    };
    enum class Update
    {
        Unchanged,
        Changed,
        CountdownEnded
    };
    // Hour tens, hour units, minute tens, minute units, second tens, second units.
    using Glyphs = std::array<int, 6>;

    int DisplayMode() const { return m_mode; }
    void SetDisplayMode(int mode);
    // A countdown to a time of day uses only hour, minute and second.
    void SetCountdownTarget(int year, int month, int day, int hour, int minute, int second);

    // Works out the glyphs for now. A countdown ends when all six digits
    // show zero; it then falls back to the clock. Only the time-of-day part
    // of the remaining span is shown, so a countdown more than a day long
    // ends at its first zero too.
    Update TickDisplay(const DateTime &now);

    const Glyphs &CurrentGlyphs() const { return m_glyphs; }

private:
    bool show(int hours, int minutes, int seconds);

    int m_mode = ClockMode;
    int m_target[6] = {};
    int m_lastShownSecond = -1;
    Glyphs m_glyphs {};
};
