// SPDX-License-Identifier: MIT
#include "timesync/SntpClient.h"

#include "platform/Clock.h"
#include "timesync/TimeSyncLog.h"

namespace {

const char *describe(Sntp::Verdict verdict)
{
    switch (verdict) {
    case Sntp::Verdict::NotFromServer:
        return "it does not come from the server";
    case Sntp::Verdict::TooShort:
        return "it is shorter than an SNTP header";
    case Sntp::Verdict::NotServerMode:
        return "it is not in server mode";
    case Sntp::Verdict::UnknownVersion:
        return "its version is unknown";
    case Sntp::Verdict::NotOurRequest:
        return "it does not answer our request";
    case Sntp::Verdict::KissOfDeath:
        return "the server sent a kiss-o'-death";
    case Sntp::Verdict::ServerUnsynchronised:
        return "the server's clock is not synchronised";
    case Sntp::Verdict::StratumTooHigh:
        return "the server's stratum is above 15";
    case Sntp::Verdict::NoTransmitTime:
        return "it carries no transmit time";
    default:
        return "";
    }
}

} // namespace

ServerAddress ServerAddress::Parse(const QString &text, quint16 defaultPort)
{
    const auto withPort = [&](const QString &host, QStringView port) -> std::optional<ServerAddress> {
        bool ok = false;
        const uint number = port.toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return std::nullopt;
        return ServerAddress {host, quint16(number)};
    };
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1String("]:"));
        if (close > 0) {
            if (auto address = withPort(text.mid(1, close - 1), QStringView(text).mid(close + 2)))
                return *address;
        }
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (auto address = withPort(text.left(colon), QStringView(text).mid(colon + 1)))
            return *address;
    }
    // A bare IPv6 address, or a name without a port.
    return {text, defaultPort};
}

NtpTimestamp CurrentTimestamp(const Clock &clock)
{
    return NtpTimestamp::FromUnixMicroseconds(clock.UtcMicroseconds());
}

SntpClient::SntpClient(const Clock &clock, Options options, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_options(std::move(options))
{ }

bool SntpClient::Exchange(const QString &server, Done done)
{
    if (m_done || !done)
        return false;
    m_done = std::move(done);
    m_channel.Create();
    const ServerAddress address = ServerAddress::Parse(server, m_options.port);
    if (m_options.localAddress.isEmpty()) {
        connectTo(address);
        return true;
    }
    m_channel.Bind(0, m_options.localAddress, [this, address](std::optional<SocketError> error) {
        if (error)
            fail(*error);
        else
            connectTo(address);
    });
    return true;
}

void SntpClient::connectTo(const ServerAddress &server)
{
    m_channel.Connect(server.host, server.port, [this](std::optional<SocketError> error) {
        if (error)
            fail(*error);
        else
            sendRequest();
    });
}

void SntpClient::sendRequest()
{
    m_requestTransmit = CurrentTimestamp(m_clock);
    std::optional<SocketError> error;
    m_channel.Send(Sntp::BuildRequest(m_requestTransmit), error);
    if (error) {
        fail(*error);
        return;
    }
    m_deadline.setRemainingTime(m_options.timeoutMs);
    waitForReply();
}

void SntpClient::waitForReply()
{
    m_channel.WaitReadable(int(m_deadline.remainingTime()), [this](bool readable, std::optional<SocketError> error) {
        if (error)
            fail(*error);
        else if (!readable)
            fail({SocketChannel::TimedOut, QString()});
        else
            readReplies();
    });
}

void SntpClient::readReplies()
{
    // The moment the reply became readable, before it is read.
    const NtpTimestamp destination = CurrentTimestamp(m_clock);
    const Sntp::Source server {m_channel.PeerAddress(), m_channel.PeerPort()};
    while (m_channel.HasPendingDatagram()) {
        const QNetworkDatagram datagram = m_channel.Receive(Sntp::MaxReplySize);
        if (!datagram.isValid()) {
            fail(m_channel.LastError());
            return;
        }
        const QByteArray bytes = datagram.data();
        const Sntp::Source from {datagram.senderAddress(), quint16(datagram.senderPort())};
        const Sntp::Verdict verdict = Sntp::Check(bytes, from, server, m_requestTransmit);
        if (verdict == Sntp::Verdict::Empty) {
            fail({SocketChannel::EmptyReply, QString()});
            return;
        }
        if (Sntp::IsIgnored(verdict)) {
            qCWarning(lcTimeSync).noquote().nospace() << "ignored a datagram from " << from.address.toString() << ':'
                                                      << from.port << ": " << describe(verdict);
            continue;
        }
        Outcome outcome;
        outcome.result = Sntp::Result::From(Sntp::Reply::Parse(bytes), destination);
        if (verdict == Sntp::Verdict::Usable) {
            outcome.kind = Outcome::Kind::Answered;
        } else {
            qCWarning(lcTimeSync).noquote().nospace() << "not using the reply of " << server.address.toString() << ':'
                                                      << server.port << ": " << describe(verdict);
            outcome.kind = Outcome::Kind::Rejected;
            outcome.verdict = verdict;
        }
        finish(outcome);
        return;
    }
    waitForReply();
}

void SntpClient::fail(const SocketError &error)
{
    Outcome outcome;
    outcome.kind = Outcome::Kind::SocketFailed;
    outcome.error = error;
    finish(outcome);
}

void SntpClient::finish(Outcome outcome)
{
    m_channel.Close();
    // Reported from a clean stack: the receiver may open a modal dialog.
    QMetaObject::invokeMethod(
        this,
        [this, outcome = std::move(outcome)] {
            Done done = std::move(m_done);
            m_done = nullptr;
            if (done)
                done(outcome);
        },
        Qt::QueuedConnection);
}
