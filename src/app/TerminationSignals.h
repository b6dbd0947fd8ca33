// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so
// that a kill or a closing terminal ends the program through its exit path
// (which saves the data) instead of dropping it.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void Received();

private:
    static void handle(int signal);

    QSocketNotifier *m_notifier = nullptr;
};
