// SPDX-License-Identifier: MIT
#include "shell/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ResolveProgramDirectory(const ProgramDirectoryInputs &in)
{
    for (const QString &candidate : {in.commandLineHome, in.environmentHome}) {
        if (!candidate.isEmpty())
            return QDir(candidate).absolutePath();
    }
    if (in.executableDirWritable && !in.executableDir.isEmpty())
        return QDir(in.executableDir).absolutePath();
    return QDir(in.userDataDir).absolutePath();
}

QString HomeFromArguments(const QStringList &arguments)
{
    const QString option = QStringLiteral("--home");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arg.startsWith(option + QLatin1Char('=')))
            return arg.mid(option.size() + 1);
    }
    return {};
}

ProgramDirectoryInputs ProcessProgramDirectoryInputs(const QStringList &arguments)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo exeInfo(exeDir);
    ProgramDirectoryInputs in;
    in.commandLineHome = HomeFromArguments(arguments);
    in.environmentHome = qEnvironmentVariable("TOCKLY_HOME");
    in.executableDir = exeDir;
    in.executableDirWritable = exeInfo.isDir() && exeInfo.isWritable();
    in.userDataDir =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("tockly"));
    return in;
}
