// SPDX-License-Identifier: MIT
#include "platform/SystemClock.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <ctime>

namespace {

const QString ZoneFile = QStringLiteral("/etc/localtime");
// A new zone is put in place by renaming a new link over the old one.
const QString ZoneFolder = QStringLiteral("/etc");

} // namespace

DateTime SystemClock::Now() const
{
    // Unlike Qt's local time, localtime_r does not check the zone file for
    // changes on every call (a path lookup each second); TimeZoneWatch does
    // that job.
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&now, &local))
        return DateTime::FromQDateTime(QDateTime::currentDateTime());
    // A leap second (zones with leap-second tables only) shows as :59.
    return DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                               std::min(local.tm_sec, 59));
}

qint64 SystemClock::UtcMicroseconds() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

TimeZoneWatch::TimeZoneWatch()
{
    m_watcher.addPaths({ZoneFile, ZoneFolder});
    const auto reload = [this] {
        tzset();
        // A file replaced by a rename is no longer the one watched.
        if (!m_watcher.files().contains(ZoneFile))
            m_watcher.addPath(ZoneFile);
    };
    QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, reload);
    QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, reload);
}
