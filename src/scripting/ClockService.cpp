// SPDX-License-Identifier: MIT
#include "scripting/ClockService.h"

#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "platform/Clock.h"
#include "schedule/UpcomingList.h"
#include "scripting/ClockBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QLoggingCategory>
#include <QTimer>
#include <new>

Q_LOGGING_CATEGORY(lcScripting, "tockly.scripting", QtWarningMsg)

QDBusArgument &operator<<(QDBusArgument &out, const UpcomingEntry &entry)
{
    out.beginStructure();
    out << entry.id << entry.description << entry.due;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, UpcomingEntry &entry)
{
    in.beginStructure();
    in >> entry.id >> entry.description >> entry.due;
    in.endStructure();
    return in;
}

ClockService::ClockService(AppData &data, const Services &services, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_services(services)
    , m_hooks(std::move(hooks))
    , m_bus(QString())
{
    qDBusRegisterMetaType<UpcomingEntry>();
    qDBusRegisterMetaType<UpcomingEntries>();
}

ClockService::~ClockService()
{
    if (!m_serviceNames.isEmpty()) {
        m_bus.unregisterObject(ClockObjectPath);
        for (const QString &name : std::as_const(m_serviceNames))
            m_bus.unregisterService(name);
    }
}

namespace {

bool own(QDBusConnection &bus, const QString &name)
{
    // Not queued behind another owner: a name that is taken now stays
    // someone else's.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        name, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

} // namespace

bool ClockService::Register(QDBusConnection bus, const QString &folderName)
{
    if (!bus.isConnected()) {
        qCWarning(lcScripting) << "No session bus; the clock cannot be scripted:" << bus.lastError().message();
        return false;
    }
    if (!bus.registerObject(ClockObjectPath, this, QDBusConnection::ExportScriptableSlots)) {
        qCWarning(lcScripting) << "Cannot serve" << ClockObjectPath << ":" << bus.lastError().message();
        return false;
    }
    // The instance lock already makes this the one clock of its folder, so
    // a taken folder name means a stranger holds it.
    if (!own(bus, folderName)) {
        qCWarning(lcScripting) << "Cannot own the bus name" << folderName << ":" << bus.lastError().message();
        bus.unregisterObject(ClockObjectPath);
        return false;
    }
    m_bus = bus;
    m_serviceNames = QStringList {folderName};
    // The shared name belongs to the clock that came first.
    if (own(bus, ClockServiceName))
        m_serviceNames.append(ClockServiceName);
    else
        qCInfo(lcScripting) << "Another clock serves" << ClockServiceName << "; this one answers as" << folderName;
    return true;
}

void ClockService::refuse(const ScriptError &error)
{
    qCWarning(lcScripting).noquote() << "Refused" << (calledFromDBus() ? message().member() : QString()) << ":"
                                     << error.message;
    if (calledFromDBus())
        sendErrorReply(error.name, error.message);
}

QString ClockService::AddReminder(const QString &when, const QString &description, const QString &message)
{
    std::variant<AlarmTask, ScriptError> made =
        NewScriptedReminder(when, description, message, m_services.clock->Now());
    if (const ScriptError *error = std::get_if<ScriptError>(&made)) {
        refuse(*error);
        return {};
    }
    AlarmTask &task = std::get<AlarmTask>(made);
    try {
        task.SelfPosition = m_data.Alarms.AddTail(task);
    } catch (const std::bad_alloc &) {
        refuse({ScriptErrors::NoMemory, AddTaskFailedText});
        return {};
    }
    m_data.Alarms.SetAt(task.SelfPosition, task);
    return ReminderId(task.SelfPosition);
}

UpcomingEntries ClockService::ListUpcoming()
{
    UpcomingEntries entries;
    for (const UpcomingTask &task : UpcomingTasks(m_data.Alarms, m_services.clock->Now()))
        entries.append({ReminderId(task.entry), task.description, task.due.ToDateTimeString()});
    return entries;
}

void ClockService::ShowPopup(const QString &id)
{
    const std::variant<EntryHandle, ScriptError> found = FindScripted(id, m_data.Alarms);
    if (const ScriptError *error = std::get_if<ScriptError>(&found)) {
        refuse(*error);
        return;
    }
    auto *popup =
        new ReminderPopup(m_data, m_services, m_data.Alarms.At(std::get<EntryHandle>(found)), m_hooks.openEditor);
    popup->show();
    popup->raise();
    popup->activateWindow();
}

void ClockService::Snooze(const QString &id, uint minutes)
{
    if (const std::optional<ScriptError> error =
            SnoozeScripted(id, minutes, m_data.Alarms, m_data.Snoozed, m_services.clock->Now()))
        refuse(*error);
}

void ClockService::SpeakTime()
{
    if (m_hooks.speakTime)
        m_hooks.speakTime();
}

void ClockService::Quit()
{
    // After the reply has gone out.
    if (m_hooks.quit)
        QTimer::singleShot(0, this, m_hooks.quit);
}
