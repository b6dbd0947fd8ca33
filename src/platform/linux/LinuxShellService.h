// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ShellService.h"

#include <QStringList>

// Opens files, folders and addresses. Executable files are started as
// programs of their own (detached, in their own folder); everything else
// goes to the desktop's default handler through QDesktopServices, which
// needs a QGuiApplication. Call from the GUI thread.
class LinuxShellService final : public ShellService
{
public:
    bool Open(const QString &target) override;
    // The date and time page of the running desktop's settings program,
    // chosen by XDG_CURRENT_DESKTOP and by what is installed.
    bool OpenDateTimeSettings() override;

    // The settings commands worth trying, best first: the program and its
    // arguments. Exposed for the settings page, which may want to show
    // whether there is one at all.
    static QList<QStringList> DateTimeSettingsCommands();
};
