// SPDX-License-Identifier: MIT
#include "shell/SecondTimer.h"

#include <QDateTime>

namespace {

// Aim a little past the boundary so the second has surely turned.
constexpr int PastBoundaryMs = 5;

} // namespace

SecondTimer::SecondTimer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        arm();
        Q_EMIT Second();
    });
}

void SecondTimer::Start()
{
    arm();
}

void SecondTimer::Stop()
{
    m_timer.stop();
}

void SecondTimer::arm()
{
    // Only the position within the second is read here, to schedule the
    // next wake-up; what time it is comes from the program's clock.
    const qint64 msInSecond = QDateTime::currentMSecsSinceEpoch() % 1000;
    m_timer.start(int(1000 - msInSecond + PastBoundaryMs));
}
