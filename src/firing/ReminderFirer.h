// SPDX-License-Identifier: MIT
#pragma once

#include "firing/ReminderPopup.h"
#include "model/AlarmTask.h"
#include "platform/Services.h"

#include <functional>

class AppData;

// Carries out a task that fell due: announces the time, shows its message,
// plays its sound and then performs its action, at once or after a
// cancellable countdown. The sound plays without blocking anything; the
// action waits for it to end, so the order stays message, sound, action.
class ReminderFirer
{
public:
    struct Hooks
    {
        std::function<void()> announceTime;
        // The tray starts ringing and remembers the task for its balloon.
        std::function<void(const AlarmTask &)> fired;
        ReminderPopup::EditorOpener openEditor;
    };

    ReminderFirer(AppData &data, const Services &services, Hooks hooks);

    void FireTask(const AlarmTask &task);

private:
    void performAction(const AlarmTask &task);

    AppData &m_data;
    Services m_services;
    Hooks m_hooks;
};
