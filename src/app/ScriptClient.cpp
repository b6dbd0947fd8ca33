// SPDX-License-Identifier: MIT
#include "app/ScriptClient.h"

#include "app/CommandLine.h"
#include "platform/SystemClock.h"
#include "schedule/UpcomingList.h"
#include "scripting/ClockBus.h"
#include "scripting/ScriptedReminders.h"
#include "shell/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <signal.h>

namespace {

// A clock started for --add has this long to load and show up on the bus.
constexpr int StartTimeoutMs = 20000;
// Once the started process has gone, another start for the same folder may
// still be on its way.
constexpr int AfterStartEndedMs = 3000;
// Saving at exit may take a while on a slow disk.
constexpr int QuitTimeoutMs = 30000;
constexpr int CallTimeoutMs = 30000;
constexpr int PollMs = 100;

void print(FILE *stream, const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int fail(const QString &text)
{
    print(stderr, text);
    return 1;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("ScriptClient", text);
}

class Client
{
public:
    Client(QDBusConnection bus, QString name, QString folder)
        : m_bus(std::move(bus))
        , m_name(std::move(name))
        , m_folder(std::move(folder))
    { }

    bool running() const { return m_bus.interface()->isServiceRegistered(m_name).value(); }

    // Starts the clock for the folder and waits until it serves the bus.
    bool start(bool homeGiven)
    {
        QProcess process;
        process.setProgram(QCoreApplication::applicationFilePath());
        if (homeGiven)
            process.setArguments({QStringLiteral("--home"), m_folder});
        // The clock outlives this command: it must not hold its terminal
        // or the pipes of whoever runs the command.
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        qint64 pid = 0;
        if (!process.startDetached(&pid))
            return false;
        QDeadlineTimer deadline(StartTimeoutMs);
        bool ended = false;
        while (!deadline.hasExpired()) {
            if (running())
                return true;
            if (!ended && ::kill(pid_t(pid), 0) != 0) {
                ended = true;
                deadline.setRemainingTime(std::min<qint64>(deadline.remainingTime(), AfterStartEndedMs));
            }
            QThread::msleep(PollMs);
        }
        return running();
    }

    QDBusMessage call(const QString &method, const QVariantList &arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_name, ClockObjectPath, ClockInterfaceName, method);
        message.setArguments(arguments);
        return m_bus.call(message, QDBus::Block, CallTimeoutMs);
    }

    bool waitUntilGone() const
    {
        QDeadlineTimer deadline(QuitTimeoutMs);
        while (!deadline.hasExpired()) {
            if (!running())
                return true;
            QThread::msleep(PollMs);
        }
        return !running();
    }

private:
    QDBusConnection m_bus;
    QString m_name;
    QString m_folder;
};

bool failed(const QDBusMessage &reply)
{
    return reply.type() != QDBusMessage::ReplyMessage;
}

int printUpcoming(const QDBusMessage &reply)
{
    if (reply.arguments().isEmpty())
        return fail(tr("Tockly 的回答无法识别。"));
    const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
    if (list.currentSignature() != QLatin1String("a(sss)"))
        return fail(tr("Tockly 的回答无法识别。"));
    QStringList lines;
    list.beginArray();
    while (!list.atEnd()) {
        QString id;
        QString description;
        QString due;
        list.beginStructure();
        list >> id >> description >> due;
        list.endStructure();
        lines.append(id.leftJustified(8) + QLatin1Char(' ') + UpcomingLineText(description, due));
    }
    list.endArray();
    print(stdout, lines.isEmpty() ? NothingUpcomingText() : lines.join(QLatin1Char('\n')));
    return 0;
}

} // namespace

int RunScriptVerb(const CommandLine &commandLine, const QStringList &arguments)
{
    const ProgramDirectoryInputs inputs = ProcessProgramDirectoryInputs(arguments);
    const QString folder = ResolveProgramDirectory(inputs);
    const bool adding = commandLine.action() == CommandLine::AddReminder;
    if (adding) {
        // Refused here already, rather than starting a clock for nothing.
        const SystemClock clock;
        const auto made =
            NewScriptedReminder(commandLine.when(), commandLine.description(), commandLine.message(), clock.Now());
        if (const ScriptError *error = std::get_if<ScriptError>(&made))
            return fail(error->message);
        // The clock started for it makes the folder; its name on the bus
        // comes from the folder as it will then be.
        QDir().mkpath(folder);
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(tr("无法连接到 D-Bus 会话总线：%1").arg(bus.lastError().message()));
    Client client(bus, ClockBusName(folder), folder);
    if (!client.running()) {
        if (!adding)
            return fail(tr("没有为文件夹 %1 运行的 Tockly。").arg(QDir::toNativeSeparators(folder)));
        if (!client.start(!inputs.commandLineHome.isEmpty()))
            return fail(tr("无法启动 Tockly（文件夹 %1）。").arg(QDir::toNativeSeparators(folder)));
    }

    switch (commandLine.action()) {
    case CommandLine::AddReminder: {
        const QDBusMessage reply = client.call(QStringLiteral("AddReminder"),
                                               {commandLine.when(), commandLine.description(), commandLine.message()});
        if (failed(reply))
            return fail(reply.errorMessage());
        print(stdout, reply.arguments().value(0).toString());
        return 0;
    }
    case CommandLine::ListUpcoming: {
        const QDBusMessage reply = client.call(QStringLiteral("ListUpcoming"));
        return failed(reply) ? fail(reply.errorMessage()) : printUpcoming(reply);
    }
    case CommandLine::QuitRunning: {
        const QDBusMessage reply = client.call(QStringLiteral("Quit"));
        // The clock may be gone before its answer is out.
        const QString error = reply.errorName();
        if (failed(reply) && error != QDBusError::errorString(QDBusError::NoReply) &&
            error != QDBusError::errorString(QDBusError::Disconnected) &&
            error != QDBusError::errorString(QDBusError::ServiceUnknown))
            return fail(reply.errorMessage());
        if (!client.waitUntilGone())
            return fail(tr("Tockly 没有在 %1 秒内退出。").arg(QuitTimeoutMs / 1000));
        return 0;
    }
    default:
        return 0;
    }
}
