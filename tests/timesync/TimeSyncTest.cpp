// SPDX-License-Identifier: MIT
// One synchronisation against a time server in the test process: whether
// the user is asked, what the clock is set to, and what the user is told.
#include "timesync/TimeSync.h"

#include "fakes/FakeServices.h"
#include "fakes/FakeSntpServer.h"
#include "firing/SlideInNotice.h"
#include "timesync/TimeSyncUi.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Now = u"当前时间：\n2026年05月20日, 10:00:00"_s;

QString correction(const char *seconds)
{
    return u"Tockly成功同步了您的系统时间；\r\n时间校正："_s + QLatin1String(seconds) +
        u"秒；\r\n往返延迟：0.000000秒；\r\n"_s + Now;
}

class TimeSyncTest : public ::testing::Test
{
protected:
    FakeServices fake;
    SyncSettings settings;
    FakeSntpServer server;
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    TimeSync sync {fake.clock, &fake.time, settings, DesktopTimeSyncHooks(fake.sound), SntpOptions {123, 2000, {}}};
    std::optional<bool> finished;

    void SetUp() override
    {
        fake.clock.Set(DateTime::FromParts(2026, 5, 20, 10, 0, 0));
        fake.clock.SetMicroseconds(250000);
        MessageBoxes::SetAnswerer([this](const MessageBoxes::Request &request) {
            EXPECT_EQ(request.title, u"Tockly"_s);
            asked << request.text;
            return request.buttons == (QMessageBox::Yes | QMessageBox::No) ? answer : QMessageBox::Ok;
        });
        QObject::connect(&sync, &TimeSync::Finished, [this](bool success) { finished = success; });
    }

    void TearDown() override
    {
        MessageBoxes::SetAnswerer({});
        qDeleteAll(notices());
    }

    // The server's clock runs `offset` seconds ahead of ours.
    void serveOffset(double offset)
    {
        const quint64 serverNow =
            FakeSntp::FromUnixMicroseconds(fake.clock.UtcMicroseconds() + std::llround(offset * 1e6));
        server.respond = [serverNow](const QByteArray &request) {
            return QList<QByteArray> {FakeSntp::AnswerTo(request, serverNow).Bytes()};
        };
    }

    // Until the clock is to be set or the synchronisation is over.
    bool waitForClockOrEnd()
    {
        return QTest::qWaitFor([&] { return !fake.time.pending.empty() || finished; }, 3000);
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
};

} // namespace

TEST_F(TimeSyncTest, AsksSetsAndTellsByTheOffsetAndTheSettings)
{
    const QString question = u"警告:本地时间与NTP服务器时间相差30分钟以上.您的时区和夏令时(DST)设置可能不正确。"
                             u"是否立刻同步您的计算机时间？"_s;
    const QString cannotSet = u"Tockly无法修改系统本地时间，请检查您是否具有相关权限。"_s;
    const QString plain = u"Tockly成功同步了您的系统时间；\r\n往返延迟:0.000000秒；\r\n"_s + Now;
    const struct
    {
        double offset;
        int error, succeed, fail;
        QMessageBox::StandardButton answer;
        bool serviceSets, asks, sets;
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
    const qint64 now = fake.clock.UtcMicroseconds();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset);
        settings = {0, 1, 0, c.fail, c.succeed, c.error, 0, 0};
        answer = c.answer;
        serveOffset(c.offset);
        ASSERT_TRUE(sync.SyncTime(server.Name()));
        ASSERT_TRUE(waitForClockOrEnd());
        EXPECT_EQ(fake.time.requested.size(), c.sets ? 1u : 0u);
        if (c.sets) {
            EXPECT_NEAR(double(fake.time.requested[0]), double(now + std::llround(c.offset * 1e6)), 1.0);
        }
        fake.time.AnswerAll(c.serviceSets, u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s);
        EXPECT_EQ(finished, c.serviceSets || !c.sets);
        EXPECT_EQ(asked, c.asks ? QStringList {question} : QStringList {});
        const QList<SlideInNotice *> shown = notices();
        EXPECT_EQ(shown.size(), c.notice.isEmpty() ? 0 : 1);
        for (SlideInNotice *notice : shown)
            EXPECT_EQ(notice->findChild<QLabel *>(u"noticeText"_s)->text(), c.notice);
        qDeleteAll(shown);
        asked.clear();
        fake.time.requested.clear();
        finished.reset();
    }
}

TEST_F(TimeSyncTest, SyncNowTakesTheChosenLineAndIgnoresRequestsWhileOneRuns)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(TimeSync::ServerListName);
    EXPECT_FALSE(sync.SyncNow(list));
    EXPECT_EQ(asked, QStringList {u"不能打开SNTP服务器列表文件SNTP.dat,请检查该文件是否存在!"_s});

    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("127.0.0.1:1\r\n" + server.Name().toLatin1() + " \t\r\n");
    file.close();
    settings.Server = 1;
    serveOffset(2);
    ASSERT_TRUE(sync.SyncNow(list));
    ASSERT_TRUE(waitForClockOrEnd());
    EXPECT_FALSE(sync.SyncNow(list));
    EXPECT_FALSE(sync.SyncTime(server.Name()));
    fake.time.AnswerAll(true);
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_EQ(fake.time.requested.size(), 1u);
    EXPECT_TRUE(sync.SyncTime(server.Name()));
}
