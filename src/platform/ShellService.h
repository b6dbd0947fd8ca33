// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Opens things the way the desktop does.
class ShellService
{
public:
    virtual ~ShellService() = default;
    // An executable file is started detached; any other file, folder or web
    // address opens with the desktop's default application. False when
    // nothing could be started.
    virtual bool Open(const QString &target) = 0;
    // The desktop's own date and time settings; false when there are none.
    virtual bool OpenDateTimeSettings() = 0;
};
