// SPDX-License-Identifier: MIT
#pragma once

#include "firing/ReminderPopup.h"
#include "missed/MissedMoments.h"
#include "platform/Services.h"

#include <QObject>
#include <QPointer>
#include <functional>

class AppData;
class MissedRemindersWindow;

// Tells the user about reminders that fell due unseen: one window lists
// them all, updated while it is open, and a tray balloon says how many more
// were just found. Nothing is shown while the user has switched this off.
class MissedReminders final : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<void(const QString &title, const QString &text)> balloon;
        ReminderPopup::EditorOpener openEditor;
        // The switch was turned on or off in the window: save the settings.
        std::function<void()> settingsChanged;
    };

    MissedReminders(AppData &data, const Services &services, Hooks hooks, QObject *parent = nullptr);
    ~MissedReminders() override;

    void Report(const QList<MissedReminder> &missed);
    // The window, once something was reported; nullptr before.
    MissedRemindersWindow *Window() const;

private:
    void openPopup(const MissedReminder &reminder);

    AppData &m_data;
    Services m_services;
    Hooks m_hooks;
    QPointer<MissedRemindersWindow> m_window;
};
