// SPDX-License-Identifier: MIT
#pragma once

// Whether the program starts when the user logs in.
class AutostartService
{
public:
    virtual ~AutostartService() = default;
    virtual bool IsEnabled() const = 0;
    // False when the setting could not be changed.
    virtual bool SetEnabled(bool enabled) = 0;
};
