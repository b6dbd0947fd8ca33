// SPDX-License-Identifier: MIT
#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

const QByteArray ShowRequest = "show\n";
// How long a second start keeps trying to reach a first one that is still
// starting up (it holds the lock but may not be listening yet).
constexpr int ReachTimeoutMs = 1500;

QString runtimeDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_lockPath(QDir(runtimeDirectory()).filePath(key + QStringLiteral(".lock")))
    , m_socketPath(QDir(runtimeDirectory()).filePath(key + QStringLiteral(".socket")))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::KeyFor(const QString &programDirectory)
{
    const QByteArray folder = QDir(programDirectory).canonicalPath().toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(folder.isEmpty() ? programDirectory.toUtf8() : folder, QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QStringLiteral("tockly-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::Claim()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock left by a process that died is recognised by its process id.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        askRunningToShow();
        return false;
    }
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketPath);
    return true;
}

bool SingleInstance::askRunningToShow()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ReachTimeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(200)) {
            socket.write(ShowRequest);
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readRequest = [this, socket] {
            if (socket->readAll().contains(ShowRequest))
                Q_EMIT ShowRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        if (socket->bytesAvailable() > 0)
            readRequest();
    }
}
