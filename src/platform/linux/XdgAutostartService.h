// SPDX-License-Identifier: MIT
#pragma once

#include "platform/AutostartService.h"

#include <QString>

// Starting with the session through the XDG autostart entry
// $XDG_CONFIG_HOME/autostart/tockly.desktop (~/.config when the variable is
// unset). The entry counts as ours and enabled exactly when it exists, is
// neither hidden nor switched off for GNOME, and its Exec starts this very
// program file with this data folder; a copy of the program elsewhere has an
// entry that does not count, as does one left behind after the program was
// moved or one that starts the clock of another data folder (--home).
class XdgAutostartService final : public AutostartService
{
public:
    // programPath: the program the entry starts; empty means this one
    // (QCoreApplication::applicationFilePath, so a QCoreApplication must
    // exist). home: the data folder the program was told to use with
    // --home (or its environment variable), which the entry passes on;
    // empty when the program found its folder by itself. icon: the entry's
    // Icon, a theme name or an absolute path.
    explicit XdgAutostartService(const QString &programPath = {}, const QString &home = {},
                                 const QString &icon = QStringLiteral("tockly"));

    bool IsEnabled() const override;
    // Writes the entry atomically, or removes it. False when the file could
    // not be written or removed.
    bool SetEnabled(bool enabled) override;

    // Where the entry lives, read from the environment on every call.
    static QString EntryPath();
    QString programPath() const { return m_programPath; }

private:
    QString m_programPath;
    QString m_home;
    QString m_icon;
};
