// SPDX-License-Identifier: MIT
#pragma once

class PowerService;
class QString;
class ShellService;

// Carries out a reminder's action (AlarmTask::ActionMode): 0 opens filePath
// the way the desktop does (nothing when it is empty, or when checkExists is
// set and it does not exist), 1 logs off, 2 reboots, 3 powers off, 4 suspends.
// Any other mode does nothing. Refusals by the system are not reported: the
// reminder has already told the user what is about to happen.
void PerformAction(int actionMode, const QString &filePath, bool checkExists, PowerService &power, ShellService &shell);
