// SPDX-License-Identifier: MIT
#pragma once

#include "platform/NetworkService.h"

// The Internet connection as Qt's network information reports it: from
// NetworkManager, or else from GLib's network monitor. Loaded the first
// time it is asked, so that a start without the update offer never pays
// for it.
class LinuxNetworkService final : public NetworkService
{
public:
    bool IsOnline() override;
};
