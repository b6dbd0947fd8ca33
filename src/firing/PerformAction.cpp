// SPDX-License-Identifier: MIT
#include "firing/PerformAction.h"

#include "model/AlarmTask.h"
#include "platform/PowerService.h"
#include "platform/ShellService.h"

#include <QFileInfo>
#include <QString>

namespace {

void openFile(const QString &filePath, bool checkExists, ShellService &shell)
{
    if (filePath.isEmpty())
        return;
    if (checkExists && !QFileInfo::exists(filePath))
        return;
    shell.Open(filePath);
}

} // namespace

void PerformAction(int actionMode, const QString &filePath, bool checkExists, PowerService &power, ShellService &shell)
{
    // logind and the session managers grant these to the logged-in user
    // themselves (or ask), so there is no privilege to raise first.
    switch (actionMode) {
    case AlarmTask::OpenFile:
        openFile(filePath, checkExists, shell);
        break;
    case AlarmTask::LogOff:
        power.LogOff();
        break;
    case AlarmTask::Restart:
        power.Reboot();
        break;
    case AlarmTask::ShutDown:
        power.PowerOff();
        break;
    case AlarmTask::Standby:
        power.Suspend();
        break;
    default:
        break;
    }
}
