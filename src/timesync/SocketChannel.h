// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class QHostInfo;
class QUdpSocket;

// A failed socket operation: the error code the user is shown, in the
// numbering of Windows Sockets so that codes read the same on every
// system, and the system's own description.
struct SocketError
{
    int code = 0;
    QString systemText;
};

// The owner of one UDP socket for the time synchronisation. Every
// operation that has to wait (a name lookup, a reply) runs on the event
// loop and reports to its callback after the call returned, on the owner's
// thread; nothing here ever blocks. A failure reports a SocketError.
// Destroying the channel, or Close(), closes the socket and drops any
// callback still pending.
class SocketChannel final : public QObject
{
    Q_OBJECT

public:
    // The codes the user may see.
    static constexpr int NetworkUnreachable = 10051;
    static constexpr int ConnectionRefused = 10061;
    static constexpr int TimedOut = 10060;
    static constexpr int InvalidArgument = 10022; // also: the bind address has no address
    static constexpr int HostNotFound = 11001;
    static constexpr int TryAgain = 11002;
    static constexpr int EmptyReply = 1226;

    using Done = std::function<void(std::optional<SocketError> error)>;
    // Readable, or an error; `readable` false with no error is the timeout.
    using Readable = std::function<void(bool readable, std::optional<SocketError> error)>;

    explicit SocketChannel(QObject *parent = nullptr);
    ~SocketChannel() override;
    SocketChannel(const SocketChannel &) = delete;
    SocketChannel &operator=(const SocketChannel &) = delete;

    // A new datagram socket of the Internet family (any held one is closed).
    void Create();
    bool IsOpen() const { return m_socket != nullptr; }

    // Binds to a local port and address: dotted IPv4 first, else the first
    // address the name resolves to (no address: InvalidArgument). An empty
    // address binds to every local address.
    void Bind(quint16 port, const QString &address, Done done);
    // Sends every datagram to, and takes replies only from, one server:
    // dotted IPv4 (or an IPv6 literal) first, else the first address the
    // name resolves to, IPv4 preferred.
    void Connect(const QString &host, quint16 port, Done done);
    QHostAddress PeerAddress() const { return m_peer; }
    quint16 PeerPort() const { return m_peerPort; }

    // The count sent, or the error.
    qint64 Send(const QByteArray &bytes, std::optional<SocketError> &error);
    // Reports once a datagram can be read, or after timeoutMs.
    void WaitReadable(int timeoutMs, Readable done);
    bool HasPendingDatagram() const;
    // The next datagram, at most `capacity` bytes of it, with its sender.
    QNetworkDatagram Receive(int capacity);

    // Closes the socket if one is held; false when there was none.
    bool Close();
    // The error of the last operation that failed on the socket.
    SocketError LastError() const;

private:
    void lookUp(const QString &name, std::function<void(const QHostInfo &)> found);
    void finish(Done done, std::optional<SocketError> error);
    void stopWaiting();

    QUdpSocket *m_socket = nullptr;
    QHostAddress m_peer;
    quint16 m_peerPort = 0;
    int m_lookupId = -1;
    // Bumped by Close(): callbacks queued for an earlier socket are dropped.
    quint64 m_generation = 0;
    QTimer m_waitTimer;
    Readable m_waiting;
    QList<QMetaObject::Connection> m_waitConnections;
};
