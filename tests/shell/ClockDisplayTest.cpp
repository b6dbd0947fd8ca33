// SPDX-License-Identifier: MIT
#include "shell/ClockDisplay.h"

#include "shell/ProgramDirectory.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int h, int m, int s, int day = 10)
{
    return DateTime::FromParts(2026, 3, day, h, m, s);
}

} // namespace

TEST(ClockDisplay, ShowsTheTimeOncePerSecond)
{
    ClockDisplay display;
    EXPECT_EQ(display.TickDisplay(at(9, 5, 7)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.CurrentGlyphs(), (ClockDisplay::Glyphs {0, 9, 0, 5, 0, 7}));
    EXPECT_EQ(display.TickDisplay(at(9, 5, 7)), ClockDisplay::Update::Unchanged);
    EXPECT_EQ(display.TickDisplay(at(23, 59, 8)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.CurrentGlyphs(), (ClockDisplay::Glyphs {2, 3, 5, 9, 0, 8}));
}

TEST(ClockDisplay, CountsDownToADateTime)
{
    ClockDisplay display;
    const DateTime target = at(23, 0, 0).AddSeconds(7200);
    display.SetCountdownTarget(target.Year(), target.Month(), target.Day(), target.Hour(), target.Minute(),
                               target.Second());
    display.SetDisplayMode(ClockDisplay::CountdownToDateTime);
    EXPECT_EQ(display.TickDisplay(at(23, 0, 1)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.CurrentGlyphs(), (ClockDisplay::Glyphs {0, 1, 5, 9, 5, 9}));
    EXPECT_EQ(display.TickDisplay(at(0, 59, 59, 11)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.TickDisplay(at(1, 0, 0, 11)), ClockDisplay::Update::CountdownEnded);
    EXPECT_EQ(display.DisplayMode(), ClockDisplay::ClockMode);
}

TEST(ClockDisplay, CountdownLongerThanADayEndsAtItsFirstZero)
{
    ClockDisplay display;
    display.SetCountdownTarget(2026, 3, 12, 8, 0, 0);
    display.SetDisplayMode(ClockDisplay::CountdownToDateTime);
    EXPECT_EQ(display.TickDisplay(at(7, 59, 59)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.CurrentGlyphs(), (ClockDisplay::Glyphs {0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(display.TickDisplay(at(8, 0, 0)), ClockDisplay::Update::CountdownEnded);
}

TEST(ClockDisplay, ALateTickStillEndsTheCountdown)
{
    ClockDisplay display;
    display.SetCountdownTarget(2026, 3, 10, 8, 1, 0);
    display.SetDisplayMode(ClockDisplay::CountdownToDateTime);
    EXPECT_EQ(display.TickDisplay(at(8, 0, 0)), ClockDisplay::Update::Changed); // shows 00:01:00
    EXPECT_EQ(display.TickDisplay(at(8, 2, 30)), ClockDisplay::Update::CountdownEnded);
}

TEST(ClockDisplay, CountsDownToATimeOfDay)
{
    ClockDisplay display;
    display.SetCountdownTarget(0, 0, 0, 0, 0, 0);
    display.SetDisplayMode(ClockDisplay::CountdownToTime);
    // Started at midnight, it counts down a whole day.
    EXPECT_EQ(display.TickDisplay(at(0, 0, 1)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.CurrentGlyphs(), (ClockDisplay::Glyphs {2, 3, 5, 9, 5, 9}));
    EXPECT_EQ(display.TickDisplay(at(23, 59, 59)), ClockDisplay::Update::Changed);
    EXPECT_EQ(display.TickDisplay(at(0, 0, 0, 11)), ClockDisplay::Update::CountdownEnded);
}

TEST(ProgramDirectory, ResolvesInOrder)
{
    ProgramDirectoryInputs in {QStringLiteral("/cmd"), QStringLiteral("/env"), QStringLiteral("/opt/tockly"), true,
                               QStringLiteral("/home/u/.local/share/tockly")};
    EXPECT_EQ(ResolveProgramDirectory(in), QStringLiteral("/cmd"));
    in.commandLineHome.clear();
    EXPECT_EQ(ResolveProgramDirectory(in), QStringLiteral("/env"));
    in.environmentHome.clear();
    EXPECT_EQ(ResolveProgramDirectory(in), QStringLiteral("/opt/tockly"));
    in.executableDirWritable = false;
    EXPECT_EQ(ResolveProgramDirectory(in), QStringLiteral("/home/u/.local/share/tockly"));

    EXPECT_EQ(HomeFromArguments({QStringLiteral("clock"), QStringLiteral("--home"), QStringLiteral("/tmp/x")}),
              QStringLiteral("/tmp/x"));
    EXPECT_EQ(HomeFromArguments({QStringLiteral("clock"), QStringLiteral("--home=/tmp/y")}), QStringLiteral("/tmp/y"));
    EXPECT_EQ(HomeFromArguments({QStringLiteral("clock"), QStringLiteral("--home")}), QString());
}
