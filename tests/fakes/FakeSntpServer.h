// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QString>
#include <QUdpSocket>
#include <QtEndian>
#include <cmath>
#include <functional>

// SNTP datagrams written byte by byte, independently of the program's own
// packet code, so that the two cannot share a mistake.
namespace FakeSntp {

// An NTP timestamp as one 64-bit value from microseconds since 1970 UTC.
inline quint64 FromUnixMicroseconds(qint64 us)
{
    const qint64 seconds = qint64(std::floor(double(us) / 1e6));
    const qint64 rest = us - seconds * 1000000;
    return quint64(seconds + 2208988800LL) << 32 | quint64((rest << 32) / 1000000);
}

inline quint64 Read64(const QByteArray &bytes, int offset)
{
    return bytes.size() >= offset + 8 ? qFromBigEndian<quint64>(bytes.constData() + offset) : 0;
}

struct Reply
{
    int leap = 0;
    int version = 3;
    int mode = 4;
    int stratum = 2;
    QByteArray referenceId = QByteArrayLiteral("GPS");
    quint64 originate = 0;
    quint64 receive = 0;
    quint64 transmit = 0;

    QByteArray Bytes() const
    {
        QByteArray bytes(48, '\0');
        bytes[0] = char(leap << 6 | version << 3 | mode);
        bytes[1] = char(stratum);
        bytes.replace(12, referenceId.size(), referenceId);
        qToBigEndian(originate, bytes.data() + 24);
        qToBigEndian(receive, bytes.data() + 32);
        qToBigEndian(transmit, bytes.data() + 40);
        return bytes.left(48);
    }
};

// The answer of a server whose clock reads `serverNow`, to `request`.
inline Reply AnswerTo(const QByteArray &request, quint64 serverNow)
{
    Reply reply;
    reply.originate = Read64(request, 40);
    reply.receive = serverNow;
    reply.transmit = serverNow;
    return reply;
}

} // namespace FakeSntp

// A time server on 127.0.0.1 in the test process. Each request is answered
// with whatever datagrams `respond` returns for it (none: silence).
class FakeSntpServer
{
public:
    using Responder = std::function<QList<QByteArray>(const QByteArray &request)>;

    FakeSntpServer()
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, &m_socket, [this] {
            while (m_socket.hasPendingDatagrams()) {
                const QNetworkDatagram request = m_socket.receiveDatagram();
                requests.append(request.data());
                if (!respond)
                    continue;
                for (const QByteArray &reply : respond(request.data()))
                    m_socket.writeDatagram(reply, request.senderAddress(), quint16(request.senderPort()));
            }
        });
    }

    quint16 Port() const { return m_socket.localPort(); }
    // As the server list names it.
    QString Name() const { return QStringLiteral("127.0.0.1:%1").arg(Port()); }

    Responder respond;
    QList<QByteArray> requests;

private:
    QUdpSocket m_socket;
};
