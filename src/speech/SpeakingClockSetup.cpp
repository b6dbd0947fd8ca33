// SPDX-License-Identifier: MIT
#include "speech/SpeakingClockSetup.h"

#include "model/AppData.h"
#include "shell/ClockMenu.h"
#include "shell/MenuIds.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>

std::unique_ptr<SpeakingClock> CreateSpeakingClock(const AppData &data, const Services &services, ClockMenu &menu)
{
    SpeakingClock::Hooks hooks;
    hooks.commandEnabled = [&menu] {
        const QAction *command = menu.Action(MenuId::SpeakTime);
        return command && command->isEnabled();
    };
    hooks.setCommandEnabled = [&menu](bool enabled) {
        menu.SetEnabled(MenuId::SpeakTime, enabled);
    };
    hooks.packMissing = [] {
        // Shown from the event loop, not from inside the tick or the menu
        // command that asked: the box runs a loop of its own.
        QTimer::singleShot(0, qApp, [] { MessageBoxes::Warning(nullptr, SpeakingClock::PackMissingText); });
    };
    const QStringList packPaths = {
        data.FilePath(SpeakingClock::PackRelativePath),
        QDir(QCoreApplication::applicationDirPath()).filePath(SpeakingClock::PackRelativePath),
    };
    return std::make_unique<SpeakingClock>(data.Settings.Speak, services, packPaths, std::move(hooks));
}
