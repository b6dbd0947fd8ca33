// SPDX-License-Identifier: MIT
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

// One running copy per user and program directory. The first process holds
// a lock file and listens on a local socket; a later one finds the lock
// taken, asks the first through the socket to show its clock, and ends
// without loading or saving anything.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // key names the user and program directory (see KeyFor).
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The key for a program directory: the user id and a hash of the folder.
    static QString KeyFor(const QString &programDirectory);

    // True when this process is the one to run. Otherwise the running one
    // has been asked to show itself (as far as it could be reached).
    bool Claim();

Q_SIGNALS:
    // Another start asked this process to show its clock window.
    void ShowRequested();

private:
    void acceptConnection();
    bool askRunningToShow();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
