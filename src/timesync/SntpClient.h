// SPDX-License-Identifier: MIT
#pragma once

#include "timesync/SntpPacket.h"
#include "timesync/SocketChannel.h"

#include <QDeadlineTimer>
#include <QObject>
#include <functional>

class Clock;

// A time server as written in the server list: a host name or address,
// optionally followed by ":port" ("[address]:port" for IPv6).
struct ServerAddress
{
    QString host;
    quint16 port = 0;

    static ServerAddress Parse(const QString &text, quint16 defaultPort);
};

// The current time of `clock` as an NTP timestamp.
NtpTimestamp CurrentTimestamp(const Clock &clock);

struct SntpOptions
{
    quint16 port = 123; // for servers named without a port
    int timeoutMs = 5000; // for the reply
    QString localAddress; // bind to this address first; empty: any
};

// One SNTP exchange with a time server, on the event loop: resolve the
// name, send one request, and wait for the reply that answers it. Datagrams
// that do not answer the request are ignored; the exchange fails on a
// socket error, on the time-out, or on an answer that must not be used.
class SntpClient final : public QObject
{
    Q_OBJECT

public:
    using Options = SntpOptions;

    struct Outcome
    {
        enum class Kind
        {
            Answered,
            SocketFailed,
            Rejected
        };
        Kind kind = Kind::SocketFailed;
        Sntp::Result result; // Answered; for Rejected, the reply
        SocketError error; // SocketFailed
        Sntp::Verdict verdict = Sntp::Verdict::Usable; // Rejected: why
    };
    using Done = std::function<void(const Outcome &)>;

    explicit SntpClient(const Clock &clock, Options options = {}, QObject *parent = nullptr);

    // Starts an exchange; `done` reports once, after this call returned.
    // False, and nothing happens, while another exchange runs.
    bool Exchange(const QString &server, Done done);
    bool IsBusy() const { return bool(m_done); }

private:
    void connectTo(const ServerAddress &server);
    void sendRequest();
    void waitForReply();
    void readReplies();
    void fail(const SocketError &error);
    void finish(Outcome outcome);

    const Clock &m_clock;
    Options m_options;
    SocketChannel m_channel;
    Done m_done;
    NtpTimestamp m_requestTransmit;
    QDeadlineTimer m_deadline;
};
