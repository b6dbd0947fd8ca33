// SPDX-License-Identifier: MIT
#include "platform/linux/LogindSleepWatch.h"

#include <QDBusError>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSleep, "tockly.platform.sleep", QtWarningMsg)

namespace {

const QString Login1Service = QStringLiteral("org.freedesktop.login1");
const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
const QString Login1Manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindSleepWatch::LogindSleepWatch(QObject *parent)
    : LogindSleepWatch(QDBusConnection::systemBus(), parent)
{ }

LogindSleepWatch::LogindSleepWatch(const QDBusConnection &systemBus, QObject *parent)
    : SleepWatch(parent)
    , m_system(systemBus)
{
    // Matching on the well-known name follows logind across restarts.
    m_watching = m_system.isConnected() &&
        m_system.connect(Login1Service, Login1Path, Login1Manager, QStringLiteral("PrepareForSleep"), this,
                         SLOT(prepareForSleep(bool)));
    if (!m_watching)
        qCWarning(lcSleep) << "Cannot watch for the machine waking up:" << m_system.lastError().message();
}

void LogindSleepWatch::prepareForSleep(bool sleeping)
{
    qCDebug(lcSleep) << (sleeping ? "The machine is going to sleep" : "The machine woke up");
    if (!sleeping)
        Q_EMIT Resumed();
}
