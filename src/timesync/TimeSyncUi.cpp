// SPDX-License-Identifier: MIT
#include "timesync/TimeSyncUi.h"

#include "firing/SlideInNotice.h"
#include "widgets/MessageBoxes.h"

TimeSync::Hooks DesktopTimeSyncHooks(SoundService &sound)
{
    TimeSync::Hooks hooks;
    hooks.confirm = [](const QString &question) {
        return MessageBoxes::ConfirmWarning(nullptr, question);
    };
    hooks.notice = [&sound](const QString &text) {
        ShowNotice(text, sound);
    };
    hooks.message = [](const QString &text) {
        MessageBoxes::Warning(nullptr, text);
    };
    return hooks;
}
