// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// "tockly.update": update files that could not be fetched or read, and a
// profile that could not be written.
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)
