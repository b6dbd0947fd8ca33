// SPDX-License-Identifier: MIT
#include "platform/linux/TimedatedTimeService.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString TimedateService = QStringLiteral("org.freedesktop.timedate1");
const QString TimedatePath = QStringLiteral("/org/freedesktop/timedate1");
const QString TimedateInterface = QStringLiteral("org.freedesktop.timedate1");

// Long enough for the user to type a password into polkit's dialog.
// timedated adds the time spent authorising to the absolute time asked for.
constexpr int InteractiveTimeoutMs = 120000;

} // namespace

TimedatedTimeService::TimedatedTimeService()
    : TimedatedTimeService(QDBusConnection::systemBus())
{ }

TimedatedTimeService::TimedatedTimeService(const QDBusConnection &systemBus)
    : m_system(systemBus)
{ }

void TimedatedTimeService::SetTime(qint64 utcMicroseconds, Done done)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(TimedateService, TimedatePath, TimedateInterface, QStringLiteral("SetTime"));
    // Absolute microseconds (not relative), interactive: polkit may ask.
    call << utcMicroseconds << false << true;
    call.setInteractiveAuthorizationAllowed(true);
    auto *watcher = new QDBusPendingCallWatcher(m_system.asyncCall(call, InteractiveTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher *finished) {
                         const QDBusPendingReply<> reply = *finished;
                         finished->deleteLater();
                         if (!done)
                             return;
                         if (reply.isError())
                             done(false, reply.error().name() + QStringLiteral(": ") + reply.error().message());
                         else
                             done(true, QString());
                     });
}
