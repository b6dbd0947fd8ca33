// SPDX-License-Identifier: MIT
#include "model/ModelLog.h"

Q_LOGGING_CATEGORY(lcModel, "tockly.model", QtWarningMsg)
