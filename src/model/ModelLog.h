// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// "tockly.model": data files that could not be read or were damaged, records
// dropped while loading, saves that failed. Warnings only unless enabled
// with QT_LOGGING_RULES.
Q_DECLARE_LOGGING_CATEGORY(lcModel)
