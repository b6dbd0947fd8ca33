// SPDX-License-Identifier: MIT
// Runs one LinuxPowerService request for power_test.py and prints whether
// it was accepted ("accepted", exit 0) or not ("refused", exit 3).
//
//   power_probe logoff|reboot|poweroff|suspend
//
// It talks to whatever buses the environment names, so it refuses to run
// (exit 2) unless both are the private buses the test harness started and
// vouched for: run by hand on a real desktop it would otherwise really log
// out or switch the machine off.
#include "platform/linux/LinuxPowerService.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

bool isPrivateBus(const char *addressVariable, const char *vouchVariable)
{
    const QByteArray address = qgetenv(addressVariable);
    if (address.isEmpty() || address != qgetenv(vouchVariable))
        return false;
    // The well-known system bus socket is never a private one.
    return !address.contains("/run/dbus/system_bus_socket");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!isPrivateBus("DBUS_SYSTEM_BUS_ADDRESS", "TOCKLY_TEST_PRIVATE_SYSTEM_BUS") ||
        !isPrivateBus("DBUS_SESSION_BUS_ADDRESS", "TOCKLY_TEST_PRIVATE_SESSION_BUS")) {
        std::fprintf(stderr, "power_probe: refusing to run outside the private test buses\n");
        return 2;
    }

    LinuxPowerService power;
    const QString action = app.arguments().value(1);
    bool accepted = false;
    if (action == QLatin1String("logoff"))
        accepted = power.LogOff();
    else if (action == QLatin1String("reboot"))
        accepted = power.Reboot();
    else if (action == QLatin1String("poweroff"))
        accepted = power.PowerOff();
    else if (action == QLatin1String("suspend"))
        accepted = power.Suspend();
    else {
        std::fprintf(stderr, "usage: power_probe logoff|reboot|poweroff|suspend\n");
        return 2;
    }
    std::printf("%s\n", accepted ? "accepted" : "refused");
    return accepted ? 0 : 3;
}
