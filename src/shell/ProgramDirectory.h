// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its data files. In order: the folder given with
// --home, the TOCKLY_HOME environment variable, the executable's folder when
// it is writable (a portable copy, like the Windows program), else the
// user's data folder (an installed copy).
struct ProgramDirectoryInputs
{
    QString commandLineHome; // --home DIR, empty when not given
    QString environmentHome; // TOCKLY_HOME
    QString executableDir;
    bool executableDirWritable = false;
    QString userDataDir; // $XDG_DATA_HOME/tockly
};

QString ResolveProgramDirectory(const ProgramDirectoryInputs &inputs);
// The inputs as this process finds them: its arguments, TOCKLY_HOME, the
// executable's folder and the user's data folder. Needs the application
// object.
ProgramDirectoryInputs ProcessProgramDirectoryInputs(const QStringList &arguments);

// Reads --home DIR or --home=DIR from the arguments (the first is the program).
QString HomeFromArguments(const QStringList &arguments);
