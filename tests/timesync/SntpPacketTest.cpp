// SPDX-License-Identifier: MIT
// The request we send, and what a datagram that arrives for it is worth.
#include "timesync/SntpPacket.h"

#include "fakes/FakeSntpServer.h"
#include "timesync/SntpClient.h"

#include <gtest/gtest.h>

using Sntp::Verdict;

TEST(SntpPacket, RequestIsAVersion3ClientHeaderWithTheTransmitTime)
{
    const QByteArray request = Sntp::BuildRequest({0x01020304u, 0xA0B0C0D0u});
    QByteArray expected(48, '\0');
    expected[0] = 0x1B;
    expected.replace(40, 8, QByteArray::fromHex("01020304A0B0C0D0"));
    EXPECT_EQ(request.toHex(), expected.toHex());
}

TEST(SntpPacket, DelayAndOffsetFromTheFourTimestamps)
{
    Sntp::Reply reply;
    reply.originate = {100, 0};
    reply.receive = {110, 0};
    reply.transmit = {110, 0x80000000u};
    const Sntp::Result result = Sntp::Result::From(reply, {101, 0});
    EXPECT_DOUBLE_EQ(result.roundTripDelay, 0.5);
    EXPECT_DOUBLE_EQ(result.clockOffset, 9.75);
}

TEST(SntpPacket, EveryForgedOrUntrustworthyReplyIsIgnoredOrRefused)
{
    const NtpTimestamp sent {3900000000u, 12345};
    const Sntp::Source server {QHostAddress(QStringLiteral("192.0.2.7")), 123};
    FakeSntp::Reply good;
    good.originate = sent.Value();
    good.receive = good.transmit = 0xE8000000'00000000u;

    enum Action
    {
        Use,
        Ignore,
        Fail
    };
    const struct
    {
        const char *what;
        std::function<void(FakeSntp::Reply &)> change;
        QByteArray (*bytes)(const QByteArray &);
        Sntp::Source from;
        Verdict verdict;
        Action action;
    } cases[] = {
        {"a good reply", {}, nullptr, server, Verdict::Usable, Use},
        {"version 1", [](auto &r) { r.version = 1; }, nullptr, server, Verdict::Usable, Use},
        {"version 4 with a key", [](auto &r) { r.version = 4; },
         [](const QByteArray &b) { return b + QByteArray(20, 'k'); }, server, Verdict::Usable, Use},
        {"another host", {}, nullptr, {QHostAddress(QStringLiteral("192.0.2.8")), 123}, Verdict::NotFromServer, Ignore},
        {"another port", {}, nullptr, {server.address, 1123}, Verdict::NotFromServer, Ignore},
        {"empty from another host",
         {},
         [](const QByteArray &) { return QByteArray(); },
         {QHostAddress(QStringLiteral("192.0.2.8")), 123},
         Verdict::NotFromServer,
         Ignore},
        {"47 bytes", {}, [](const QByteArray &b) { return b.left(47); }, server, Verdict::TooShort, Ignore},
        {"client mode", [](auto &r) { r.mode = 3; }, nullptr, server, Verdict::NotServerMode, Ignore},
        {"broadcast mode", [](auto &r) { r.mode = 5; }, nullptr, server, Verdict::NotServerMode, Ignore},
        {"version 0", [](auto &r) { r.version = 0; }, nullptr, server, Verdict::UnknownVersion, Ignore},
        {"version 5", [](auto &r) { r.version = 5; }, nullptr, server, Verdict::UnknownVersion, Ignore},
        {"another request's originate", [](auto &r) { r.originate += 1; }, nullptr, server, Verdict::NotOurRequest,
         Ignore},
        {"no originate", [](auto &r) { r.originate = 0; }, nullptr, server, Verdict::NotOurRequest, Ignore},
        {"empty", {}, [](const QByteArray &) { return QByteArray(); }, server, Verdict::Empty, Fail},
        {"kiss-o'-death", [](auto &r) { r.stratum = 0, r.leap = 3, r.referenceId = "RATE"; }, nullptr, server,
         Verdict::KissOfDeath, Fail},
        {"leap indicator 3", [](auto &r) { r.leap = 3; }, nullptr, server, Verdict::ServerUnsynchronised, Fail},
        {"stratum 16", [](auto &r) { r.stratum = 16; }, nullptr, server, Verdict::StratumTooHigh, Fail},
        {"stratum 15", [](auto &r) { r.stratum = 15; }, nullptr, server, Verdict::Usable, Use},
        {"no transmit time", [](auto &r) { r.transmit = 0; }, nullptr, server, Verdict::NoTransmitTime, Fail},
    };
    for (const auto &c : cases) {
        FakeSntp::Reply reply = good;
        if (c.change)
            c.change(reply);
        const QByteArray bytes = c.bytes ? c.bytes(reply.Bytes()) : reply.Bytes();
        const Verdict verdict = Sntp::Check(bytes, c.from, server, sent);
        EXPECT_EQ(verdict, c.verdict) << c.what;
        const Action action = verdict == Verdict::Usable ? Use : Sntp::IsIgnored(verdict) ? Ignore : Fail;
        EXPECT_EQ(action, c.action) << c.what;
    }
}

TEST(ServerAddress, ANameMayCarryAPort)
{
    const struct
    {
        const char *text;
        const char *host;
        quint16 port;
    } cases[] = {
        {"ntp.aliyun.com", "ntp.aliyun.com", 123}, {"127.0.0.1:40123", "127.0.0.1", 40123}, {"[::1]:1123", "::1", 1123},
        {"2001:db8::7", "2001:db8::7", 123},       {"host:70000", "host:70000", 123}, // not a port: the lookup of the
                                                                                      // whole text fails
    };
    for (const auto &c : cases) {
        const ServerAddress address = ServerAddress::Parse(QString::fromLatin1(c.text), 123);
        EXPECT_EQ(address.host, QString::fromLatin1(c.host)) << c.text;
        EXPECT_EQ(address.port, c.port) << c.text;
    }
}
