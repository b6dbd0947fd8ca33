// SPDX-License-Identifier: MIT
#pragma once

#include "timesync/TimeSync.h"

class SoundService;

// The time synchronisation's questions and reports on the desktop: the
// question in a message box owned by the desktop, results in slide-in
// notices with their chime, a missing server list in a message box.
TimeSync::Hooks DesktopTimeSyncHooks(SoundService &sound);
