// SPDX-License-Identifier: MIT
#pragma once

#include "model/AppSettings.h"
#include "model/DateTime.h"
#include "timesync/SntpClient.h"

#include <QObject>
#include <QString>
#include <functional>

class Clock;
class TimeService;

// Corrects the computer's clock from a time server: one SNTP exchange, the
// question when the clock is off by half an hour or more, the change through
// the system's time service, and the notices the settings ask for. It all
// runs on the event loop; while one synchronisation runs, another request
// is ignored.
class TimeSync final : public QObject
{
    Q_OBJECT

public:
    static constexpr double AskAboveSeconds = 1800;
    // An offset this small is no correction.
    static constexpr double ExactSeconds = 0.00001;
    static inline const QString ServerListName = QStringLiteral("SNTP.dat");

    // How the user is asked and told. `confirm` asks a Yes/No question and
    // returns true on Yes; `notice` shows a slide-in notice; `message` a
    // message box.
    struct Hooks
    {
        std::function<bool(const QString &question)> confirm;
        std::function<void(const QString &text)> notice;
        std::function<void(const QString &text)> message;
    };

    TimeSync(const Clock &clock, TimeService *service, const SyncSettings &settings, Hooks hooks,
             SntpClient::Options options = {}, QObject *parent = nullptr);

    // The server of line `Server` of the server list. A list that cannot be
    // read is reported and nothing is exchanged. False when nothing started.
    bool SyncNow(const QString &serverListPath);
    // One synchronisation with the named server. False, and nothing
    // happens, while another one runs.
    bool SyncTime(const QString &server);
    bool IsRunning() const { return m_running; }

    // Copies the shipped server list into the program directory when that
    // has none (an installed program keeps its data elsewhere).
    static bool InstallServerList(const QString &programDirectory, const QString &shippedDirectory);

    // The texts the user sees.
    static QString QuestionText();
    static QString MissingListText();
    static QString CannotSetText();
    static QString FailureText(const SocketError &error);
    static QString RejectionText(Sntp::Verdict verdict, const Sntp::Reply &reply, const QString &server);
    // The success notice: the correction notice unless the offset was
    // negligible. `now` is the local time after the change.
    static QString SuccessText(double offset, double roundTripDelay, const DateTime &now);

Q_SIGNALS:
    // The synchronisation is over: true when the clock was set, or the user
    // chose to leave it alone.
    void Finished(bool success);

private:
    void onExchanged(const QString &server, const SntpClient::Outcome &outcome);
    void setClock(const Sntp::Result &result, bool confirmed);
    void tell(const QString &text);
    void finish(bool success);

    const Clock &m_clock;
    TimeService *m_service;
    const SyncSettings &m_settings;
    Hooks m_hooks;
    SntpClient m_client;
    bool m_running = false;
};
