// SPDX-License-Identifier: MIT
// One synchronisation end to end against a time server in the test process:
// whether the user is asked, what the clock is set to, and what the user is
// told.
#include "timesync/TimeSync.h"

#include "fakes/FakeServices.h"
#include "fakes/FakeSntpServer.h"
#include "firing/SlideInNotice.h"
#include "timesync/TimeSyncUi.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Now = u"2026年05月20日, 10:00:00"_s;

QString correction(const char *seconds)
{
    return u"Tockly成功同步了您的系统时间；\r\n时间校正："_s + QLatin1String(seconds) +
        u"秒；\r\n往返延迟：0.000000秒；\r\n当前时间：\n"_s + Now;
}

class TimeSyncTest : public ::testing::Test
{
protected:
    FakeServices fake;
    SyncSettings settings;
    FakeSntpServer server;
    QList<MessageBoxes::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    TimeSync sync {fake.clock, &fake.time, settings, DesktopTimeSyncHooks(fake.sound), SntpOptions {123, 2000, {}}};
    QSignalSpy finished {&sync, &TimeSync::Finished};

    void SetUp() override
    {
        fake.clock.Set(DateTime::FromParts(2026, 5, 20, 10, 0, 0));
        fake.clock.SetMicroseconds(250000);
        MessageBoxes::SetAnswerer([this](const MessageBoxes::Request &request) {
            asked << request;
            return answer;
        });
    }

    void TearDown() override
    {
        MessageBoxes::SetAnswerer({});
        for (SlideInNotice *notice : notices())
            delete notice;
    }

    // The server's clock runs `offset` seconds ahead of ours.
    void serveOffset(double offset)
    {
        const qint64 serverNow = fake.clock.UtcMicroseconds() + std::llround(offset * 1e6);
        server.respond = [serverNow](const QByteArray &request) {
            return QList<QByteArray> {FakeSntp::AnswerTo(request, FakeSntp::FromUnixMicroseconds(serverNow)).Bytes()};
        };
    }

    // Runs until the clock is to be set or the synchronisation is over.
    void runToClockOrEnd(const QString &name)
    {
        ASSERT_TRUE(sync.SyncTime(name));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.time.pending.empty() || finished.count() > 0; }, 3000));
    }

    static QList<SlideInNotice *> notices()
    {
        QList<SlideInNotice *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *notice = qobject_cast<SlideInNotice *>(widget))
                found << notice;
        }
        return found;
    }

    static QStringList noticeTexts()
    {
        QStringList texts;
        for (SlideInNotice *notice : notices())
            texts << notice->findChild<QLabel *>(u"noticeText"_s)->text();
        return texts;
    }
};

} // namespace

TEST_F(TimeSyncTest, AsksSetsAndTellsByTheOffsetAndTheSettings)
{
    const qint64 now = fake.clock.UtcMicroseconds();
    const QString cannotSet = u"Tockly无法修改系统本地时间，请检查您是否具有相关权限。"_s;
    const QString plain = u"Tockly成功同步了您的系统时间；\r\n往返延迟:0.000000秒；\r\n当前时间：\n"_s + Now;
    const struct
    {
        double offset;
        int error, succeed, fail;
        QMessageBox::StandardButton answer;
        bool serviceSets;
        bool asks;
        bool sets;
        QString notice;
    } cases[] = {
        {1800, 1, 1, 1, QMessageBox::Yes, true, true, true, correction("1800.000000")},
        {1799.9, 1, 1, 1, QMessageBox::Yes, true, false, true, correction("1799.900000")},
        {-1800, 1, 1, 1, QMessageBox::No, true, true, false, {}},
        {3600, 0, 1, 1, QMessageBox::Yes, true, false, true, correction("3600.000000")},
        // A confirmed correction is always reported.
        {-7200, 1, 0, 1, QMessageBox::Yes, true, true, true, correction("7200.000000")},
        {-0.25, 1, 1, 1, QMessageBox::Yes, true, false, true, correction("0.250000")},
        {0, 1, 1, 1, QMessageBox::Yes, true, false, true, plain},
        {5, 1, 0, 1, QMessageBox::Yes, true, false, true, {}},
        {5, 1, 1, 1, QMessageBox::Yes, false, false, true, cannotSet},
        {5, 1, 1, 0, QMessageBox::Yes, false, false, true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset);
        settings.Error = c.error;
        settings.Succeed = c.succeed;
        settings.Fail = c.fail;
        answer = c.answer;
        asked.clear();
        fake.time.requested.clear();
        finished.clear();
        serveOffset(c.offset);

        runToClockOrEnd(server.Name());
        fake.time.AnswerAll(c.serviceSets, u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s);
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.takeFirst().at(0).toBool(), c.serviceSets || !c.sets);
        EXPECT_FALSE(sync.IsRunning());

        EXPECT_EQ(asked.size(), c.asks ? 1 : 0);
        if (!asked.isEmpty()) {
            EXPECT_EQ(asked[0].icon, QMessageBox::Warning);
            EXPECT_EQ(asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(asked[0].title, u"Tockly"_s);
            EXPECT_EQ(asked[0].text,
                      u"警告:本地时间与NTP服务器时间相差30分钟以上.您的时区和夏令时(DST)设置可能"
                      u"不正确。是否立刻同步您的计算机时间？"_s);
        }
        if (c.sets) {
            ASSERT_EQ(fake.time.requested.size(), 1u);
            EXPECT_NEAR(double(fake.time.requested[0]), double(now + std::llround(c.offset * 1e6)), 1.0);
        } else {
            EXPECT_TRUE(fake.time.requested.empty());
        }
        EXPECT_EQ(noticeTexts(), c.notice.isEmpty() ? QStringList() : QStringList {c.notice});
        TearDown();
        SetUp();
    }
}

TEST_F(TimeSyncTest, OneSynchronisationAtATime)
{
    serveOffset(2);
    runToClockOrEnd(server.Name());
    EXPECT_FALSE(sync.SyncTime(server.Name()));
    EXPECT_FALSE(sync.SyncNow(u"/nonexistent/SNTP.dat"_s));
    EXPECT_TRUE(asked.isEmpty());
    fake.time.AnswerAll(true);
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(sync.SyncTime(server.Name()));
}

TEST_F(TimeSyncTest, SyncNowUsesTheChosenLineOfTheServerList)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(TimeSync::ServerListName);
    EXPECT_FALSE(sync.SyncNow(list));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].text, u"不能打开SNTP服务器列表文件SNTP.dat,请检查该文件是否存在!"_s);
    EXPECT_TRUE(server.requests.isEmpty());

    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("127.0.0.1:1\r\n" + server.Name().toLatin1() + " \t\r\n");
    file.close();
    settings.Server = 1;
    serveOffset(0);
    ASSERT_TRUE(sync.SyncNow(list));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.time.pending.empty(); }, 3000));
    EXPECT_EQ(server.requests.size(), 1);
}
