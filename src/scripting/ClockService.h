// SPDX-License-Identifier: MIT
#pragma once

#include "firing/ReminderPopup.h"
#include "platform/Services.h"
#include "scripting/ScriptedReminders.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class AppData;

// One coming reminder as ListUpcoming sends it: identity, description and
// due moment ("yyyy-MM-dd HH:mm:ss"), D-Bus type (sss).
struct UpcomingEntry
{
    QString id;
    QString description;
    QString due;
};
using UpcomingEntries = QList<UpcomingEntry>;
Q_DECLARE_METATYPE(UpcomingEntry)

QDBusArgument &operator<<(QDBusArgument &out, const UpcomingEntry &entry);
const QDBusArgument &operator>>(const QDBusArgument &in, UpcomingEntry &entry);

// The running clock's scripting interface "org.tockly.Clock" at "/Clock"
// on the session bus (ClockBus.h names the service). Changes go through the
// task list as the editor's do, so open windows show them at once and they
// are saved like any other change. A refused call answers with a D-Bus
// error naming what was wrong and changes nothing.
class ClockService final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tockly.Clock")

public:
    struct Hooks
    {
        std::function<void()> speakTime;
        // The program's own exit path, which saves first.
        std::function<void()> quit;
        ReminderPopup::EditorOpener openEditor;
    };

    ClockService(AppData &data, const Services &services, Hooks hooks, QObject *parent = nullptr);
    ~ClockService() override;

    // Serves the object on `bus` under `folderName` (ClockBusName), and
    // under "org.tockly.Clock" as well while no other clock holds that.
    // False, with a warning, when the bus cannot be reached or the folder's
    // name is taken.
    bool Register(QDBusConnection bus, const QString &folderName);

public Q_SLOTS:
    // `when` as "2026-12-24 18:00"; returns the new reminder's identity.
    Q_SCRIPTABLE QString AddReminder(const QString &when, const QString &description, const QString &message);
    Q_SCRIPTABLE UpcomingEntries ListUpcoming();
    Q_SCRIPTABLE void ShowPopup(const QString &id);
    Q_SCRIPTABLE void Snooze(const QString &id, uint minutes);
    Q_SCRIPTABLE void SpeakTime();
    Q_SCRIPTABLE void Quit();

private:
    void refuse(const ScriptError &error);

    AppData &m_data;
    Services m_services;
    Hooks m_hooks;
    QDBusConnection m_bus;
    QStringList m_serviceNames;
};
