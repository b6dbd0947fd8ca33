// SPDX-License-Identifier: MIT
#pragma once

class AutostartService;
class Clock;
class NetworkService;
class PowerService;
class ShellService;
class SleepWatch;
class SoundService;
class TimeService;
class WindowBlitter;

// The operating-system services the windows use. The program hands out the
// real ones; tests hand out fakes. Nobody owns them through this bundle.
struct Services
{
    const Clock *clock = nullptr;
    SoundService *sound = nullptr;
    PowerService *power = nullptr;
    ShellService *shell = nullptr;
    AutostartService *autostart = nullptr;
    TimeService *time = nullptr;
    SleepWatch *sleep = nullptr; // may be absent: then only tick gaps tell
    NetworkService *network = nullptr;
    WindowBlitter *blitter = nullptr; // may be absent: then windows only repaint
};
