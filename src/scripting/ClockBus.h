// SPDX-License-Identifier: MIT
#pragma once

#include "model/StableList.h"

#include <QString>
#include <optional>

// Where the running clock answers on the session bus, and how its
// reminders are named there.
//
// Several clocks may run at once, one per program directory. Each owns
// "org.tockly.Clock.Home_" followed by the first 12 hexadecimal digits of the
// SHA-1 of its directory's canonical path, which the command-line verbs
// call; the first clock of the session also owns "org.tockly.Clock", the
// name scripts and busctl use. Every one serves the object "/Clock" with the
// interface "org.tockly.Clock".
inline const QString ClockServiceName = QStringLiteral("org.tockly.Clock");
inline const QString ClockObjectPath = QStringLiteral("/Clock");
inline const QString ClockInterfaceName = QStringLiteral("org.tockly.Clock");

QString ClockBusName(const QString &programDirectory);

// A reminder's identity on the bus: its entry in the task list as
// "index.generation", for example "3.1". It stays valid while that clock
// runs and the reminder exists; a deleted reminder's identity names nothing
// from then on, even when its slot is reused.
QString ReminderId(EntryHandle entry);
std::optional<EntryHandle> ParseReminderId(const QString &id);
