// SPDX-License-Identifier: MIT
// The update check against an HTTP server in the test process on
// 127.0.0.1, with its messages answered by the test.
#include "update/UpdateCheck.h"

#include "editor/EditorFixture.h"
#include "update/ProgramProfile.h"
#include "update/UpdateOfferDialog.h"
#include "update/UpdateUi.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Answers every request with one response, after a delay; a negative
// delay never answers.
class TestWebServer
{
public:
    TestWebServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n") || delayMs < 0)
                        return;
                    QTimer::singleShot(delayMs, socket, [this, socket] {
                        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                        socket->disconnectFromHost();
                    });
                });
            }
        });
    }
    QUrl Root() const { return QUrl(u"http://127.0.0.1:%1"_s.arg(m_server.serverPort())); }

    QByteArray status = "200 OK";
    QByteArray body;
    int delayMs = 0;
    QByteArray request;

private:
    QTcpServer m_server;
};

class UpdateCheckTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        fakes.network.online = true;
    }
    // Runs one check from the about box and waits until the user was told.
    void checkNow()
    {
        boxes.clear();
        QSignalSpy finished(&check, &UpdateCheck::Finished);
        check.CheckUpdateNow();
        if (check.IsBusy()) {
            ASSERT_TRUE(finished.wait(5000));
        }
    }
    QStringList told() const
    {
        QStringList texts;
        for (const MessageBoxes::Request &box : boxes)
            texts << box.text;
        return texts;
    }

    TestWebServer web;
    UpdateCheck check {web.Root(), DesktopUpdateHooks(&fakes.network, &fakes.shell)};
};

} // namespace

TEST_F(UpdateCheckTest, TellsWhatTheUpdateFileSays)
{
    answer = QMessageBox::Yes; // download
    const struct
    {
        QByteArray status;
        QByteArray body;
        QString message;
    } cases[] = {
        {"200 OK", "2,8,0,3\r\n", UpdateCheck::OfferText(OwnVersion, {2, 8, 0, 3})},
        {"200 OK", "3,0,0,0", UpdateCheck::OfferText(OwnVersion, {3, 0, 0, 0})},
        {"200 OK", "2,8,0,2", UpdateCheck::LatestText()},
        {"200 OK", "2,7,0,9", UpdateCheck::LatestText()},
        {"200 OK", "[Update]\r\nVersion=2.9\r\n", UpdateCheck::FirewallText()},
        {"200 OK", "", UpdateCheck::FirewallText()},
        {"404 Not Found", "2,9,0,0", UpdateCheck::FirewallText()},
    };
    for (const auto &c : cases) {
        web.status = c.status;
        web.body = c.body;
        fakes.shell.opened.clear();
        checkNow();
        EXPECT_EQ(told(), QStringList(c.message)) << c.body.constData();
        const bool offered = c.message.startsWith(u"Tockly有新版本"_s);
        EXPECT_EQ(fakes.shell.opened, offered ? QStringList(web.Root().toString() + u"/downloads/"_s) : QStringList());
        if (offered) {
            EXPECT_EQ(boxes.front().buttons, QMessageBox::Yes | QMessageBox::No);
        }
    }
    EXPECT_EQ(UpdateCheck::OfferText(OwnVersion, {2, 8, 0, 3}),
              u"Tockly有新版本,是否立刻下载更新?\n当前版本: v2.8.0.2\n更新版本: v2.8.0.3\n"_s);
    // The server's own copy: no cache on the way.
    EXPECT_TRUE(web.request.startsWith("GET /tkupdate.ini HTTP/1.1\r\n"));
    EXPECT_TRUE(web.request.contains("Cache-Control: no-cache"));
}

TEST_F(UpdateCheckTest, ASlowServerNeverHoldsUpTheClockAndAStalledOneTimesOut)
{
    web.body = "2,8,0,2";
    web.delayMs = 800;
    int ticks = 0;
    QTimer clockTick;
    QObject::connect(&clockTick, &QTimer::timeout, [&ticks] { ++ticks; });
    clockTick.start(50);
    QSignalSpy finished(&check, &UpdateCheck::Finished);
    check.CheckUpdateNow();
    ASSERT_TRUE(check.IsBusy());
    check.CheckUpdateNow(); // a second check while the first runs
    EXPECT_EQ(told(), QStringList(UpdateCheck::BusyText()));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_GE(ticks, 10); // the event loop kept running all along
    EXPECT_EQ(told(), (QStringList {UpdateCheck::BusyText(), UpdateCheck::LatestText()}));

    web.delayMs = -1;
    check.SetTimeout(300);
    checkNow();
    EXPECT_EQ(told(), QStringList(UpdateCheck::FirewallText()));
    EXPECT_EQ(check.LastResult().error, QNetworkReply::OperationCanceledError);
}

TEST_F(UpdateCheckTest, OffLineTheAboutBoxSaysSoAndStartUpOffersNothing)
{
    fakes.network.online = false;
    checkNow();
    EXPECT_EQ(told(), QStringList(UpdateCheck::OfflineText()));
    EXPECT_TRUE(web.request.isEmpty());

    ProgramProfile profile(dir.filePath(u"config/tockly/clock.ini"_s));
    EXPECT_FALSE(OfferUpdateAtStart(check, &fakes.network, profile));
    fakes.network.online = true;
    ASSERT_TRUE(profile.SetUpdateOfferSwitchedOff(1));
    fakes.network.asked = 0;
    EXPECT_FALSE(OfferUpdateAtStart(check, &fakes.network, profile));
    EXPECT_EQ(fakes.network.asked, 0); // switched off: the network is not even asked
}

TEST_F(UpdateCheckTest, TheStartUpOfferStoresItsBoxAtOnceAndChecksOnlyOnYes)
{
    ProgramProfile profile(dir.filePath(u"config/tockly/clock.ini"_s));
    web.body = "2,8,0,2";
    for (const bool yes : {false, true}) {
        ASSERT_TRUE(profile.SetUpdateOfferSwitchedOff(0));
        int stored = -1;
        QTimer::singleShot(0, [&] {
            auto *offer = qobject_cast<UpdateOfferDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(offer, nullptr);
            EXPECT_EQ(offer->windowTitle(), u"检查更新"_s);
            child<QCheckBox>(offer, "dontShowAgainCheck")->click();
            stored = ProgramProfile(profile.Path()).UpdateOfferSwitchedOff();
            child<QPushButton>(offer, yes ? "yesButton" : "noButton")->click();
        });
        EXPECT_TRUE(OfferUpdateAtStart(check, &fakes.network, profile));
        EXPECT_EQ(stored, 1); // before the answer
        EXPECT_EQ(check.IsBusy(), yes);
        QSignalSpy finished(&check, &UpdateCheck::Finished);
        if (yes) {
            ASSERT_TRUE(finished.wait(5000));
        }
    }
    EXPECT_FALSE(OfferUpdateAtStart(check, &fakes.network, profile)); // not again
}

TEST(UpdateSite, TheBuildsHostOrForTestsOnlyThisComputer)
{
    const QByteArray saved = qgetenv("TOCKLY_UPDATE_SITE");
    qunsetenv("TOCKLY_UPDATE_SITE");
    EXPECT_EQ(UpdateSite().scheme(), u"https"_s);
    qputenv("TOCKLY_UPDATE_SITE", "http://127.0.0.1:8080");
    EXPECT_EQ(UpdateSite(), QUrl(u"http://127.0.0.1:8080"_s));
    qputenv("TOCKLY_UPDATE_SITE", "http://example.org");
    EXPECT_EQ(UpdateSite().scheme(), u"https"_s);
    EXPECT_NE(UpdateSite().host(), u"example.org"_s);
    if (saved.isNull())
        qunsetenv("TOCKLY_UPDATE_SITE");
    else
        qputenv("TOCKLY_UPDATE_SITE", saved);
}
