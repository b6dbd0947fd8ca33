// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "model/DateTime.h"

#include <QList>
#include <QString>
#include <optional>
#include <variant>

// The rules behind the clock's scripting interface, apart from the bus: what
// a new reminder may be, which reminders are coming, and snoozing one.

// Why a request was refused: a D-Bus error name and a message for the user.
struct ScriptError
{
    QString name;
    QString message;

    friend bool operator==(const ScriptError &, const ScriptError &) = default;
};

namespace ScriptErrors {
inline const QString BadDate = QStringLiteral("org.tockly.Clock.Error.BadDate");
inline const QString DateInPast = QStringLiteral("org.tockly.Clock.Error.DateInPast");
inline const QString EmptyDescription = QStringLiteral("org.tockly.Clock.Error.EmptyDescription");
inline const QString BadText = QStringLiteral("org.tockly.Clock.Error.BadText");
inline const QString TooLong = QStringLiteral("org.tockly.Clock.Error.TooLong");
inline const QString UnknownReminder = QStringLiteral("org.tockly.Clock.Error.UnknownReminder");
inline const QString BadMinutes = QStringLiteral("org.tockly.Clock.Error.BadMinutes");
inline const QString NoMemory = QStringLiteral("org.tockly.Clock.Error.NoMemory");
} // namespace ScriptErrors

// As the reminder editor keeps them.
constexpr int ScriptDescriptionLimit = 100;
constexpr int ScriptMessageLimit = 3899;
// The longest snooze the popup offers, a week.
constexpr int ScriptSnoozeLimit = 10080;

// Reads "2026-12-24 18:00", with seconds or not, with a blank or "T"
// between date and time. Invalid when the text is not such a moment or no
// such moment exists.
DateTime ParseScriptMoment(const QString &text);

// A one-off reminder due at `when`, to be added to the task list: its
// description, and its message (the description when none is given, so
// that it shows in a popup). Refused, with nothing built, for a moment that
// cannot be read or is not after now, an empty description, a line break in
// the description, or texts longer than the editor keeps.
std::variant<AlarmTask, ScriptError> NewScriptedReminder(const QString &when, const QString &description,
                                                         const QString &message, const DateTime &now);

// A reminder still ahead, with its identity (ClockBus.h).
// Puts the task of `id` off: a copy due `minutes` from now goes to the
// snoozed list, and fires then like any snoozed reminder. Refused for an
// identity that names no task or a span outside 1..ScriptSnoozeLimit.
std::optional<ScriptError> SnoozeScripted(const QString &id, uint minutes, const AlarmList &alarms, SnoozeList &snoozed,
                                          const DateTime &now);
// The task an identity names, or the error saying it names none.
std::variant<EntryHandle, ScriptError> FindScripted(const QString &id, const AlarmList &alarms);
