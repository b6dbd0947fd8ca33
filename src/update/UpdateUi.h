// SPDX-License-Identifier: MIT
#pragma once

#include "update/UpdateCheck.h"

#include <QUrl>

class NetworkService;
class ProgramProfile;
class ShellService;

// The root of the publisher's web site: https:// and the host the build
// was given. For tests, the environment variable TOCKLY_UPDATE_SITE may
// name another root ("http://127.0.0.1:8080"), which is taken only when it
// points at this computer.
QUrl UpdateSite();

// The update check on the desktop: its messages in message boxes owned by
// no window, the download page opened in the browser.
UpdateCheck::Hooks DesktopUpdateHooks(NetworkService *network, ShellService *shell);

// The offer at start-up: unless the user switched it off, and only when
// the computer is on line, asks "检查更新" and starts the check on Yes.
// Returns whether the offer was shown.
bool OfferUpdateAtStart(UpdateCheck &check, NetworkService *network, ProgramProfile &profile);
