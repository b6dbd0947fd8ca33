// SPDX-License-Identifier: MIT
#include "missed/MissedReminders.h"

#include "missed/MissedRemindersWindow.h"
#include "model/AppData.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMissed, "tockly.missed", QtWarningMsg)

MissedReminders::MissedReminders(AppData &data, const Services &services, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_services(services)
    , m_hooks(std::move(hooks))
{ }

MissedReminders::~MissedReminders()
{
    delete m_window;
}

MissedRemindersWindow *MissedReminders::Window() const
{
    return m_window;
}

void MissedReminders::Report(const QList<MissedReminder> &missed)
{
    if (!m_data.Settings.Extra.ShowMissed || missed.isEmpty())
        return;
    if (!m_window) {
        m_window = new MissedRemindersWindow(*m_services.clock);
        m_window->setObjectName(QStringLiteral("missedRemindersWindow"));
        connect(m_window, &MissedRemindersWindow::Opened, this, &MissedReminders::openPopup);
        connect(m_window, &MissedRemindersWindow::ShowMissedToggled, this, [this](bool on) {
            m_data.Settings.Extra.ShowMissed = on ? 1 : 0;
            if (m_hooks.settingsChanged)
                m_hooks.settingsChanged();
        });
    }
    m_window->SetShowMissed(true);
    const int added = m_window->Add(missed);
    if (!added)
        return;
    for (const MissedReminder &reminder : m_window->Reminders())
        qCDebug(lcMissed).noquote() << "Listed as missed:" << reminder.task.DateTime.ToDateTimeString()
                                    << reminder.task.Description;
    m_window->show();
    m_window->raise();
    if (m_hooks.balloon)
        m_hooks.balloon(tr("错过的提醒"), tr("有 %1 个提醒到期时没能按时显示。").arg(added));
}

void MissedReminders::openPopup(const MissedReminder &reminder)
{
    // As it would have shown: its message in its colours, due at the missed
    // moment; no sound, and no action.
    auto *popup = new ReminderPopup(m_data, m_services, reminder.task, m_hooks.openEditor);
    popup->show();
    popup->raise();
    popup->activateWindow();
}
