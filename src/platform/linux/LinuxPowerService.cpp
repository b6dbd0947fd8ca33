// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxPowerService.h"

#include "platform/PlatformLog.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantList>

Q_LOGGING_CATEGORY(lcPlatform, "tockly.platform", QtWarningMsg)

namespace {

const QString Login1Service = QStringLiteral("org.freedesktop.login1");
const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
const QString Login1Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString Login1Session = QStringLiteral("org.freedesktop.login1.Session");

// A request logind may hold while polkit asks the user for a password; the
// usual 25 seconds would give up on a user who is still typing.
constexpr int InteractiveTimeoutMs = 120000;
// Session managers answer at once (any confirmation happens afterwards).
constexpr int SessionManagerTimeoutMs = 10000;

struct SessionManager
{
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

// Tried in this order; the first one running on the session bus that
// accepts the request wins. None of them forces the log-off: programs may
// still object, as they may to a Windows log-off.
QList<SessionManager> sessionManagers()
{
    return {
        // GNOME, and Cinnamon and MATE which serve the same interface. Mode 0
        // is the normal log-off: the shell confirms with a count-down.
        {QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("Logout"),
         {QVariant::fromValue(0u)}},
        // KDE Plasma 5.25 and later.
        {QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("/Shutdown"),
         QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("logout"),
         {}},
        // Xfce: no dialog, but let programs save their session.
        {QStringLiteral("org.xfce.SessionManager"),
         QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"),
         QStringLiteral("Logout"),
         {false, true}},
    };
}

bool succeeded(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

// Whether the call succeeded; a refusal goes to the log, as the user sees
// only that nothing happened.
bool logged(const QDBusMessage &reply, const QString &what)
{
    if (succeeded(reply))
        return true;
    qCWarning(lcPlatform).noquote() << what << "failed:" << reply.errorName() << reply.errorMessage();
    return false;
}

} // namespace

LinuxPowerService::LinuxPowerService()
    : LinuxPowerService(QDBusConnection::systemBus(), QDBusConnection::sessionBus())
{ }

LinuxPowerService::LinuxPowerService(const QDBusConnection &systemBus, const QDBusConnection &sessionBus)
    : m_system(systemBus)
    , m_session(sessionBus)
{ }

bool LinuxPowerService::Reboot()
{
    return callLogind(QStringLiteral("Reboot"));
}

bool LinuxPowerService::PowerOff()
{
    return callLogind(QStringLiteral("PowerOff"));
}

bool LinuxPowerService::Suspend()
{
    return callLogind(QStringLiteral("Suspend"));
}

bool LinuxPowerService::LogOff()
{
    return logOffThroughSessionManager() || terminateLogindSession();
}

bool LinuxPowerService::callLogind(const QString &method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Login1Service, Login1Path, Login1Manager, method);
    // The argument lets logind's polkit check ask the user; the header flag
    // tells the bus and logind that we are prepared to wait for that.
    call << true;
    call.setInteractiveAuthorizationAllowed(true);
    return logged(m_system.call(call, QDBus::Block, InteractiveTimeoutMs), QStringLiteral("logind ") + method);
}

bool LinuxPowerService::logOffThroughSessionManager()
{
    QDBusConnectionInterface *bus = m_session.isConnected() ? m_session.interface() : nullptr;
    if (!bus)
        return false;
    for (const SessionManager &manager : sessionManagers()) {
        // Asking only running managers keeps the bus from trying to start one.
        if (!bus->isServiceRegistered(manager.service).value())
            continue;
        QDBusMessage call =
            QDBusMessage::createMethodCall(manager.service, manager.path, manager.interface, manager.method);
        call.setArguments(manager.arguments);
        if (succeeded(m_session.call(call, QDBus::Block, SessionManagerTimeoutMs)))
            return true;
    }
    return false;
}

bool LinuxPowerService::terminateLogindSession()
{
    // logind resolves "auto" to the caller's own session (or, for a process
    // outside any session, the user's graphical one); the session named by
    // the environment is more precise when there is one.
    QString sessionPath = Login1Path + QStringLiteral("/session/auto");
    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    if (!sessionId.isEmpty()) {
        QDBusMessage lookup =
            QDBusMessage::createMethodCall(Login1Service, Login1Path, Login1Manager, QStringLiteral("GetSession"));
        lookup << sessionId;
        const QDBusMessage reply = m_system.call(lookup, QDBus::Block, SessionManagerTimeoutMs);
        if (succeeded(reply) && !reply.arguments().isEmpty()) {
            const auto path = qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst());
            if (!path.path().isEmpty())
                sessionPath = path.path();
        }
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(Login1Service, sessionPath, Login1Session, QStringLiteral("Terminate"));
    call.setInteractiveAuthorizationAllowed(true);
    return logged(m_system.call(call, QDBus::Block, InteractiveTimeoutMs), QStringLiteral("logind Terminate"));
}
