// SPDX-License-Identifier: MIT
#pragma once

// Whether the computer is connected to the Internet, as the desktop's
// network service reports it.
class NetworkService
{
public:
    virtual ~NetworkService() = default;
    // True only when the system says the Internet is reachable; false when
    // it is not, or when there is no way to tell.
    virtual bool IsOnline() = 0;
};
