// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// "tockly.timesync": refused clock changes and replies that were not used.
Q_DECLARE_LOGGING_CATEGORY(lcTimeSync)
