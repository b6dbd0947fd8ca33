// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxNetworkService.h"

#include <QNetworkInformation>

bool LinuxNetworkService::IsOnline()
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation *info = QNetworkInformation::instance();
    return info && info->reachability() == QNetworkInformation::Reachability::Online;
}
