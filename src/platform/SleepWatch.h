// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// Tells when the machine wakes from suspend or hibernation. While it slept
// no timer ran, so whatever fell due meanwhile went unseen.
class SleepWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void Resumed();
};
