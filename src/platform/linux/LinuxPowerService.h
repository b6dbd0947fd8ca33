// SPDX-License-Identifier: MIT
#pragma once

#include "platform/PowerService.h"

#include <QDBusConnection>
#include <QString>

// Power actions through systemd-logind on the system bus, and log-off
// through the desktop's session manager on the session bus (GNOME and the
// desktops that share its interface, KDE Plasma, Xfce), falling back to
// terminating our own logind session. Every request lets logind ask the
// user for authorisation (polkit), so the calls may block until the user
// has answered; they run on the calling thread.
class LinuxPowerService final : public PowerService
{
public:
    // The buses named by the environment, as every D-Bus client finds them.
    LinuxPowerService();
    LinuxPowerService(const QDBusConnection &systemBus, const QDBusConnection &sessionBus);

    bool LogOff() override;
    bool Reboot() override;
    bool PowerOff() override;
    bool Suspend() override;

private:
    bool callLogind(const QString &method);
    bool logOffThroughSessionManager();
    bool terminateLogindSession();

    QDBusConnection m_system;
    QDBusConnection m_session;
};
