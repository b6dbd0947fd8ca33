// SPDX-License-Identifier: MIT
#include "timesync/SntpPacket.h"

namespace Sntp {

namespace {

constexpr int ReferenceIdOffset = 12;
constexpr int OriginateOffset = 24;
constexpr int ReceiveOffset = 32;
constexpr int TransmitOffset = 40;
constexpr int ServerMode = 4;
constexpr int MaxStratum = 15;

} // namespace

QByteArray BuildRequest(const NtpTimestamp &transmit)
{
    QByteArray request(PacketSize, '\0');
    request[0] = RequestHeader;
    transmit.Write(request, TransmitOffset);
    return request;
}

Reply Reply::Parse(const QByteArray &datagram)
{
    QByteArray bytes = datagram.left(MaxReplySize);
    if (bytes.size() < PacketSize)
        bytes.resize(PacketSize, '\0');
    Reply reply;
    const auto first = uchar(bytes.at(0));
    reply.leapIndicator = first >> 6;
    reply.version = (first >> 3) & 0x7;
    reply.mode = first & 0x7;
    reply.stratum = uchar(bytes.at(1));
    reply.referenceId = bytes.mid(ReferenceIdOffset, 4);
    reply.originate = NtpTimestamp::Read(bytes, OriginateOffset);
    reply.receive = NtpTimestamp::Read(bytes, ReceiveOffset);
    reply.transmit = NtpTimestamp::Read(bytes, TransmitOffset);
    return reply;
}

QString Reply::KissCode() const
{
    QString code;
    for (const char c : referenceId) {
        if (c >= 0x20 && c < 0x7F)
            code += QLatin1Char(c);
    }
    return code.trimmed();
}

bool IsIgnored(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NotFromServer:
    case Verdict::TooShort:
    case Verdict::NotServerMode:
    case Verdict::UnknownVersion:
    case Verdict::NotOurRequest:
        return true;
    default:
        return false;
    }
}

Verdict Check(const QByteArray &datagram, const Source &from, const Source &server, const NtpTimestamp &requestTransmit)
{
    if (from.port != server.port || !from.address.isEqual(server.address, QHostAddress::ConvertV4MappedToIPv4))
        return Verdict::NotFromServer;
    if (datagram.isEmpty())
        return Verdict::Empty;
    if (datagram.size() < PacketSize)
        return Verdict::TooShort;
    const Reply reply = Reply::Parse(datagram);
    if (reply.mode != ServerMode)
        return Verdict::NotServerMode;
    if (reply.version < 1 || reply.version > 4)
        return Verdict::UnknownVersion;
    if (reply.originate != requestTransmit)
        return Verdict::NotOurRequest;
    if (reply.stratum == 0)
        return Verdict::KissOfDeath;
    if (reply.leapIndicator == 3)
        return Verdict::ServerUnsynchronised;
    if (reply.stratum > MaxStratum)
        return Verdict::StratumTooHigh;
    if (reply.transmit.IsZero())
        return Verdict::NoTransmitTime;
    return Verdict::Usable;
}

Result Result::From(const Reply &reply, const NtpTimestamp &destination)
{
    Result result;
    result.reply = reply;
    result.destination = destination;
    const NtpTimestamp &t1 = reply.originate;
    const NtpTimestamp &t2 = reply.receive;
    const NtpTimestamp &t3 = reply.transmit;
    const NtpTimestamp &t4 = destination;
    result.roundTripDelay = NtpTimestamp::Difference(t4, t1) - NtpTimestamp::Difference(t3, t2);
    result.clockOffset = (NtpTimestamp::Difference(t2, t1) + NtpTimestamp::Difference(t3, t4)) / 2;
    return result;
}

} // namespace Sntp
