// SPDX-License-Identifier: MIT
#pragma once

#include "timesync/NtpTimestamp.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>

// The SNTP datagrams of one exchange: the request we send, and what we make
// of a datagram that arrives for it.
namespace Sntp {

constexpr int PacketSize = 48;
// Longer replies carry extension fields or a key; the rest is not read.
constexpr int MaxReplySize = 68;
// Leap indicator 0, version 3, mode 3 (client).
constexpr char RequestHeader = 0x1B;

// A request whose only content is its transmit timestamp.
QByteArray BuildRequest(const NtpTimestamp &transmit);

// The fields of a reply; bytes missing from a short datagram read as zero.
struct Reply
{
    int leapIndicator = 0;
    int version = 0;
    int mode = 0;
    int stratum = 0;
    // The reference identifier; in a kiss-o'-death, the four-letter code.
    QByteArray referenceId;
    NtpTimestamp originate; // T1, the server's copy of our transmit time
    NtpTimestamp receive; // T2
    NtpTimestamp transmit; // T3

    static Reply Parse(const QByteArray &datagram);
    // The kiss code as printable text ("RATE", "DENY"...).
    QString KissCode() const;
};

// What a datagram that arrived on the socket is worth, in the order the
// checks run. The first group does not answer our request (it is forged,
// stray or malformed): the exchange ignores it and keeps waiting. The
// second group answers it but must not be used: the exchange fails.
enum class Verdict
{
    Usable,
    // Ignored.
    NotFromServer,
    TooShort,
    NotServerMode,
    UnknownVersion,
    NotOurRequest,
    // Fatal.
    Empty,
    KissOfDeath,
    ServerUnsynchronised, // leap indicator 3: the server's own clock is not set
    StratumTooHigh,
    NoTransmitTime,
};

bool IsIgnored(Verdict verdict);

struct Source
{
    QHostAddress address;
    quint16 port = 0;
};

// Checks a datagram from `from` against the server asked and the transmit
// timestamp of our request.
Verdict Check(const QByteArray &datagram, const Source &from, const Source &server,
              const NtpTimestamp &requestTransmit);

// One completed exchange: the reply's fields, our receive time T4, and what
// they say about the local clock.
struct Result
{
    Reply reply;
    NtpTimestamp destination; // T4
    double roundTripDelay = 0; // seconds
    double clockOffset = 0; // seconds to add to the local clock

    static Result From(const Reply &reply, const NtpTimestamp &destination);
};

} // namespace Sntp
