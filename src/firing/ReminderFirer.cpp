// SPDX-License-Identifier: MIT
#include "firing/ReminderFirer.h"

#include "firing/CountdownDialog.h"
#include "firing/PerformAction.h"
#include "platform/SoundService.h"

ReminderFirer::ReminderFirer(AppData &data, const Services &services, Hooks hooks)
    : m_data(data)
    , m_services(services)
    , m_hooks(std::move(hooks))
{ }

void ReminderFirer::FireTask(const AlarmTask &task)
{
    if (m_hooks.announceTime)
        m_hooks.announceTime();
    if (!task.Message.isEmpty())
        (new ReminderPopup(m_data, m_services, task, m_hooks.openEditor))->show();
    if (!task.SoundFile.isEmpty() && m_services.sound)
        m_services.sound->Play(task.SoundFile, [this, task](bool) { performAction(task); });
    else
        performAction(task);
    if (m_hooks.fired)
        m_hooks.fired(task);
}

void ReminderFirer::performAction(const AlarmTask &task)
{
    if (task.ActionOption == 0)
        PerformAction(task.ActionMode, task.FilePath, true, *m_services.power, *m_services.shell);
    else if (task.ActionOption == 1)
        (new CountdownDialog(task, *m_services.power, *m_services.shell))->show();
}
