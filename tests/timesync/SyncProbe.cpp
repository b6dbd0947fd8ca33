// SPDX-License-Identifier: MIT
// Runs one synchronisation for timesync_test.py and prints what happened as
// one JSON object: the notices and questions shown, the result, how long it
// took, and how regularly a window kept repainting meanwhile.
//
//   sync_probe good|stray-then-good|silence|kiss-o-death [SERVER]
//
// The time server is one in this process on 127.0.0.1, answering as the
// scenario says, unless SERVER names another (a local chronyd). The clock is
// set through timedated on whatever system bus the environment names, so the
// probe refuses to run (exit 2) unless that is the private bus the test
// harness started and vouched for.
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
#include <QWidget>
#include <cstdio>

namespace {

constexpr double Offset = 12.5; // the fake server's clock is ahead by this
constexpr double StrayOffset = 10 * 365 * 86400.; // what a stray reply claims

bool isPrivateSystemBus()
{
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    return !address.isEmpty() && address == qgetenv("TOCKLY_TEST_PRIVATE_SYSTEM_BUS") &&
        !address.contains("/run/dbus/system_bus_socket");
}

// A window that repaints as often as it can be asked to, noting the longest
// wait between two paints.
class RepaintWatch final : public QWidget
{
public:
    RepaintWatch()
    {
        resize(120, 40);
        connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        m_timer.start(5);
    }
    void Restart()
    {
        paints = 0;
        longestGapMs = 0;
        m_sincePaint.start();
    }
    // Counts the wait since the last paint too.
    void Stop()
    {
        longestGapMs = std::max(longestGapMs, m_sincePaint.nsecsElapsed() / 1e6);
        m_timer.stop();
    }
    int paints = 0;
    double longestGapMs = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_sincePaint.isValid())
            longestGapMs = std::max(longestGapMs, m_sincePaint.nsecsElapsed() / 1e6);
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
    if (scenario == QLatin1String("good"))
        return [=](const QByteArray &request) {
            return QList<QByteArray> {answer(request, Offset).Bytes()};
        };
    if (scenario == QLatin1String("stray-then-good")) {
        return [=](const QByteArray &request) {
            FakeSntp::Reply stray = answer(request, StrayOffset);
            stray.originate ^= 0x1234;
            return QList<QByteArray> {stray.Bytes(), answer(request, Offset).Bytes()};
        };
    }
    if (scenario == QLatin1String("kiss-o-death")) {
        return [=](const QByteArray &request) {
            FakeSntp::Reply kiss = answer(request, Offset);
            kiss.leap = 3;
            kiss.stratum = 0;
            kiss.referenceId = "RATE";
            return QList<QByteArray> {kiss.Bytes()};
        };
    }
    return {}; // silence
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (!isPrivateSystemBus()) {
        std::fprintf(stderr, "sync_probe: refusing to run outside the private test system bus\n");
        return 2;
    }
    const QStringList arguments = QCoreApplication::arguments();
    const QString scenario = arguments.value(1);

    SystemClock clock;
    FakeSntpServer server;
    server.respond = responder(scenario, clock);
    const QString name = arguments.size() > 2 ? arguments[2] : server.Name();

    FakeSoundService sound;
    TimedatedTimeService time;
    SyncSettings settings;
    QJsonArray questions;
    MessageBoxes::SetAnswerer([&questions](const MessageBoxes::Request &request) {
        questions.append(request.text);
        return QMessageBox::No;
    });
    TimeSync sync(clock, &time, settings, DesktopTimeSyncHooks(sound));

    // The first notice of a process sets up Qt's fonts for its text, which
    // has nothing to do with the synchronisation: done before measuring.
    delete ShowNotice(QStringLiteral("Tockly"), sound);

    RepaintWatch watch;
    watch.show();
    QElapsedTimer elapsed;
    bool result = false;
    QObject::connect(&sync, &TimeSync::Finished, &app, [&](bool success) {
        result = success;
        // Stop the measurement here: the notices rise on their own timers.
        watch.Stop();
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(200, &app, [&] {
        watch.Restart();
        elapsed.start();
        sync.SyncTime(name);
    });
    QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(1); });
    const int loop = QApplication::exec();
    const double elapsedMs = elapsed.nsecsElapsed() / 1e6;

    QJsonArray notices;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *notice = qobject_cast<SlideInNotice *>(widget))
            notices.append(notice->findChild<QLabel *>(QStringLiteral("noticeText"))->text());
    }
    const QJsonObject report {
        {QStringLiteral("server"), name},
        {QStringLiteral("result"), result},
        {QStringLiteral("finished"), loop == 0},
        {QStringLiteral("elapsed_ms"), elapsedMs},
        {QStringLiteral("notices"), notices},
        {QStringLiteral("questions"), questions},
        {QStringLiteral("requests"), server.requests.size()},
        {QStringLiteral("paints"), watch.paints},
        {QStringLiteral("longest_paint_gap_ms"), watch.longestGapMs},
        {QStringLiteral("offset"), Offset},
    };
    std::printf("%s\n", QJsonDocument(report).toJson(QJsonDocument::Compact).constData());
    return 0;
}
