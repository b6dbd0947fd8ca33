// SPDX-License-Identifier: MIT
#pragma once

#include "speech/SpeakingClock.h"

#include <memory>

class AppData;
class ClockMenu;

// The speaking clock as the program runs it: its busy flag is the enabled
// state of the menu's "语音报时(&P)", a missing voice pack is reported in a
// message box, and the pack is looked for in the program directory first,
// then beside the executable (an installed copy keeps it there).
std::unique_ptr<SpeakingClock> CreateSpeakingClock(const AppData &data, const Services &services, ClockMenu &menu);
