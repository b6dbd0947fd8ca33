// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// "tockly.platform": calls the system's services refused or could not
// complete (power actions, log-off, sound output). Warnings only unless
// enabled with QT_LOGGING_RULES.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
