// SPDX-License-Identifier: MIT
// Runs one synchronisation for timesync_test.py against a time server in
// this process on 127.0.0.1 and prints, as one JSON object, what the user was
// shown and how regularly a window kept repainting meanwhile.
//
//   sync_probe good|stray-then-good|silence|kiss-o-death
//
// The clock is set through timedated on the system bus the environment
// names, so the probe refuses to run (exit 2) unless that is the private bus
// the test harness started and vouched for.
#include "fakes/FakeServices.h"
#include "fakes/FakeSntpServer.h"
#include "firing/SlideInNotice.h"
#include "platform/SystemClock.h"
#include "platform/linux/TimedatedTimeService.h"
#include "timesync/TimeSyncUi.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace {

constexpr double Offset = 12.5; // how far the server's clock is ahead

// Notes the longest wait between two paints while asked to repaint every 5 ms.
class RepaintWatch final : public QWidget
{
public:
    RepaintWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        m_timer.start(5);
        m_sincePaint.start();
    }
    void Restart()
    {
        paints = 0;
        longestGapMs = 0;
        m_sincePaint.start();
    }
    void Stop() { longestGapMs = std::max(longestGapMs, m_sincePaint.nsecsElapsed() / 1e6); }
    int paints = 0;
    double longestGapMs = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        Stop();
        m_sincePaint.start();
        ++paints;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sincePaint;
};

FakeSntpServer::Responder responder(const QString &scenario, const Clock &clock)
{
    const auto answer = [&clock](const QByteArray &request, double offset) {
        return FakeSntp::AnswerTo(request,
                                  FakeSntp::FromUnixMicroseconds(clock.UtcMicroseconds() + qint64(offset * 1e6)));
    };
    return [=](const QByteArray &request) -> QList<QByteArray> {
        FakeSntp::Reply reply = answer(request, Offset);
        if (scenario == QLatin1String("stray-then-good")) {
            FakeSntp::Reply stray = answer(request, 10 * 365 * 86400.);
            stray.originate ^= 0x1234;
            return {stray.Bytes(), reply.Bytes()};
        }
        if (scenario == QLatin1String("kiss-o-death")) {
            reply.leap = 3;
            reply.stratum = 0;
            reply.referenceId = "RATE";
        }
        if (scenario == QLatin1String("silence"))
            return {};
        return {reply.Bytes()};
    };
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QByteArray bus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (bus.isEmpty() || bus != qgetenv("TOCKLY_TEST_PRIVATE_SYSTEM_BUS") || bus.contains("/run/dbus/")) {
        std::fprintf(stderr, "sync_probe: refusing to run outside the private test system bus\n");
        return 2;
    }
    SystemClock clock;
    FakeSntpServer server;
    server.respond = responder(QCoreApplication::arguments().value(1), clock);
    FakeSoundService sound;
    TimedatedTimeService time;
    SyncSettings settings;
    QJsonArray questions;
    MessageBoxes::SetAnswerer([&questions](const MessageBoxes::Request &request) {
        questions.append(request.text);
        return QMessageBox::No;
    });
    TimeSync sync(clock, &time, settings, DesktopTimeSyncHooks(sound));

    // The first notice of a process sets up Qt's fonts, which has nothing to
    // do with the synchronisation: done before measuring.
    delete ShowNotice(QStringLiteral("Tockly"), sound);
    RepaintWatch watch;
    watch.show();
    QElapsedTimer elapsed;
    bool result = false;
    QObject::connect(&sync, &TimeSync::Finished, &app, [&](bool success) {
        result = success;
        watch.Stop();
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(200, &app, [&] {
        watch.Restart();
        elapsed.start();
        sync.SyncTime(server.Name());
    });
    QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(1); });
    const bool finished = QApplication::exec() == 0;

    QJsonArray notices;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<SlideInNotice *>(widget))
            notices.append(widget->findChild<QLabel *>(QStringLiteral("noticeText"))->text());
    }
    const QJsonObject report {{QStringLiteral("server"), server.Name()},
                              {QStringLiteral("finished"), finished},
                              {QStringLiteral("result"), result},
                              {QStringLiteral("elapsed_ms"), elapsed.nsecsElapsed() / 1e6},
                              {QStringLiteral("notices"), notices},
                              {QStringLiteral("questions"), questions},
                              {QStringLiteral("requests"), server.requests.size()},
                              {QStringLiteral("paints"), watch.paints},
                              {QStringLiteral("longest_paint_gap_ms"), watch.longestGapMs},
                              {QStringLiteral("offset"), Offset}};
    std::printf("%s\n", QJsonDocument(report).toJson(QJsonDocument::Compact).constData());
    return 0;
}
