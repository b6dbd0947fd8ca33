// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

class CommandLine;

// Carries out a command-line verb (--add, --list, --quit) by talking to the
// clock that runs for the program directory the arguments choose, over the
// session bus; --add starts that clock first when it is not running. Prints
// the result on standard output and what went wrong on standard error, and
// returns the exit status: 0 on success, 1 on failure. Needs the
// application object.
int RunScriptVerb(const CommandLine &commandLine, const QStringList &arguments);
