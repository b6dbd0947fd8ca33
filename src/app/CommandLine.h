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
        Mistake
    };

    static CommandLine Parse(const QStringList &arguments);

    Action action() const { return m_action; }
    // The error message of a mistake.
    const QString &error() const { return m_error; }

    // Prints help, the version or the mistake and gives the exit status:
    // 0, or 2 for a mistake.
    int Answer() const;

private:
    Action m_action = Run;
    QString m_error;
    QString m_help;
};
