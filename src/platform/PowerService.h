// SPDX-License-Identifier: MIT
#pragma once

// Ends the session or changes the machine's power state. Each call asks the
// system and returns whether the request was accepted; the system may still
// ask the user or be vetoed by other programs. Nothing is ever forced.
class PowerService
{
public:
    virtual ~PowerService() = default;
    virtual bool LogOff() = 0;
    virtual bool Reboot() = 0;
    virtual bool PowerOff() = 0;
    virtual bool Suspend() = 0;
};
