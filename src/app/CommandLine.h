// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// What the clock was asked to do on its command line. Reading it needs no
// display, so that --help, --version and mistakes are answered on a text
// console too. Qt's own options (-platform, -display, -session...) pass
// through to Qt.
class CommandLine
{
public:
    enum Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Mistake,
        // Verbs for the clock that runs for the same program directory.
        AddReminder, // --add WHEN DESCRIPTION [MESSAGE]
        ListUpcoming, // --list
        QuitRunning // --quit
    };

    static CommandLine Parse(const QStringList &arguments);

    Action action() const { return m_action; }
    bool isVerb() const { return m_action == AddReminder || m_action == ListUpcoming || m_action == QuitRunning; }
    // The error message of a mistake.
    const QString &error() const { return m_error; }
    // The arguments of --add; the message is empty when not given.
    const QString &when() const { return m_when; }
    const QString &description() const { return m_description; }
    const QString &message() const { return m_message; }

    // Prints help, the version or the mistake and gives the exit status:
    // 0, or 2 for a mistake.
    int Answer() const;

private:
    Action m_action = Run;
    QString m_error;
    QString m_help;
    QString m_when;
    QString m_description;
    QString m_message;
};
