// SPDX-License-Identifier: MIT
#include "timesync/SocketChannel.h"

#include <QHostInfo>
#include <QUdpSocket>

namespace {

int windowsSocketsCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return SocketChannel::ConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::HostNotFoundError:
        return SocketChannel::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return SocketChannel::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return 10040;
    case QAbstractSocket::NetworkError:
        return SocketChannel::NetworkUnreachable;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10047;
    default:
        return SocketChannel::InvalidArgument;
    }
}

// An address the socket can use at once, without a lookup.
std::optional<QHostAddress> literalAddress(const QString &text)
{
    QHostAddress address;
    if (!address.setAddress(text))
        return std::nullopt;
    return address;
}

} // namespace

SocketChannel::SocketChannel(QObject *parent)
    : QObject(parent)
{
    m_waitTimer.setSingleShot(true);
    // A coarse timer may fire 5% early: a 5-second wait must not end in 4.75.
    m_waitTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_waitTimer, &QTimer::timeout, this, [this] {
        Readable done = std::move(m_waiting);
        stopWaiting();
        if (done)
            done(false, std::nullopt);
    });
}

SocketChannel::~SocketChannel()
{
    Close();
}

void SocketChannel::Create()
{
    Close();
    m_socket = new QUdpSocket(this);
}

bool SocketChannel::Close()
{
    ++m_generation;
    stopWaiting();
    if (m_lookupId != -1) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    m_peer.clear();
    m_peerPort = 0;
    if (!m_socket)
        return false;
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
    return true;
}

void SocketChannel::lookUp(const QString &name, std::function<void(const QHostInfo &)> found)
{
    const quint64 generation = m_generation;
    m_lookupId = QHostInfo::lookupHost(name, this, [this, generation, found = std::move(found)](const QHostInfo &info) {
        m_lookupId = -1;
        if (generation == m_generation)
            found(info);
    });
}

void SocketChannel::finish(Done done, std::optional<SocketError> error)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation = m_generation, done = std::move(done), error] {
            if (generation == m_generation)
                done(error);
        },
        Qt::QueuedConnection);
}

SocketError SocketChannel::LastError() const
{
    if (!m_socket)
        return {InvalidArgument, QString()};
    return {windowsSocketsCode(m_socket->error()), m_socket->errorString()};
}

void SocketChannel::Bind(quint16 port, const QString &address, Done done)
{
    if (!m_socket)
        Create();
    auto bindTo = [this, port, done](const QHostAddress &local) {
        if (m_socket->bind(local, port))
            finish(done, std::nullopt);
        else
            finish(done, LastError());
    };
    if (address.isEmpty()) {
        bindTo(QHostAddress::Any);
    } else if (const auto literal = literalAddress(address)) {
        bindTo(*literal);
    } else {
        lookUp(address, [this, bindTo, done](const QHostInfo &info) {
            if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
                finish(done, SocketError {InvalidArgument, info.errorString()});
            else
                bindTo(info.addresses().constFirst());
        });
    }
}

void SocketChannel::Connect(const QString &host, quint16 port, Done done)
{
    if (!m_socket)
        Create();
    auto connectTo = [this, port, done](const QHostAddress &address) {
        m_peer = address;
        m_peerPort = port;
        // A UDP connect needs no answer: the socket is connected (or has
        // failed) when the call returns.
        m_socket->connectToHost(address, port);
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            finish(done, std::nullopt);
        else
            finish(done, LastError());
    };
    if (const auto literal = literalAddress(host)) {
        connectTo(*literal);
        return;
    }
    lookUp(host, [this, connectTo, done](const QHostInfo &info) {
        const QList<QHostAddress> addresses = info.addresses();
        if (info.error() != QHostInfo::NoError || addresses.isEmpty()) {
            const int code = info.error() == QHostInfo::UnknownError ? TryAgain : HostNotFound;
            finish(done, SocketError {code, info.errorString()});
            return;
        }
        const auto ipv4 = std::find_if(addresses.cbegin(), addresses.cend(), [](const QHostAddress &a) {
            return a.protocol() == QAbstractSocket::IPv4Protocol;
        });
        connectTo(ipv4 != addresses.cend() ? *ipv4 : addresses.constFirst());
    });
}

qint64 SocketChannel::Send(const QByteArray &bytes, std::optional<SocketError> &error)
{
    error.reset();
    const qint64 sent = m_socket ? m_socket->write(bytes) : -1;
    if (sent < 0)
        error = LastError();
    return sent;
}

void SocketChannel::WaitReadable(int timeoutMs, Readable done)
{
    stopWaiting();
    if (!m_socket || m_socket->hasPendingDatagrams()) {
        const bool readable = bool(m_socket);
        QMetaObject::invokeMethod(
            this,
            [this, generation = m_generation, done = std::move(done), readable] {
                if (generation != m_generation)
                    return;
                if (readable)
                    done(true, std::nullopt);
                else
                    done(false, SocketError {InvalidArgument, QString()});
            },
            Qt::QueuedConnection);
        return;
    }
    m_waiting = std::move(done);
    m_waitConnections.append(connect(m_socket, &QUdpSocket::readyRead, this, [this] {
        Readable ready = std::move(m_waiting);
        stopWaiting();
        if (ready)
            ready(true, std::nullopt);
    }));
    m_waitConnections.append(connect(m_socket, &QUdpSocket::errorOccurred, this, [this] {
        Readable failed = std::move(m_waiting);
        stopWaiting();
        if (failed)
            failed(false, LastError());
    }));
    m_waitTimer.start(std::max(timeoutMs, 0));
}

void SocketChannel::stopWaiting()
{
    m_waitTimer.stop();
    for (const QMetaObject::Connection &connection : std::as_const(m_waitConnections))
        disconnect(connection);
    m_waitConnections.clear();
    m_waiting = nullptr;
}

bool SocketChannel::HasPendingDatagram() const
{
    return m_socket && m_socket->hasPendingDatagrams();
}

QNetworkDatagram SocketChannel::Receive(int capacity)
{
    return m_socket ? m_socket->receiveDatagram(capacity) : QNetworkDatagram();
}
